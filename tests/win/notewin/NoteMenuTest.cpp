// The note's context menu: its resource, and its commands sent to a note
// window as the menu sends them, with a real controller behind the requests.
#include "ControllerFixture.h"
#include "WinTestUtil.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "NoteTestNote.h"
#include "NoteTestSupport.h"
#include "notewin/TackletWin.h"
#include "platform/Dialog.h"
#include "res/resource.h"

namespace {

// One entry of a menu: 0 for a separator, -1 for a submenu.
struct CMenuEntry {
    int id;
    std::string text;
};

std::vector<CMenuEntry> Entries(HMENU menu) {
    std::vector<CMenuEntry> out;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        char text[64] = {};
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = sizeof text;
        ::GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
        const int id = (info.fType & MFT_SEPARATOR) ? 0 : info.hSubMenu ? -1 : static_cast<int>(info.wID);
        out.push_back({id, text});
    }
    return out;
}

void ExpectEntries(HMENU menu, const std::vector<CMenuEntry>& expected) {
    const std::vector<CMenuEntry> actual = Entries(menu);
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(actual[i].id, expected[i].id) << i;
        EXPECT_EQ(actual[i].text, expected[i].text) << i;
    }
}

void Command(HWND note, WORD id) { ::SendMessageA(note, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

TEST(NoteMenuResource, HoldsTheItemsInOrder) {
    HMENU menu = ::LoadMenuA(AppInstance(), MAKEINTRESOURCEA(IDR_TACKLET_MENU));
    ASSERT_NE(menu, nullptr);
    char name[32] = {};
    ::GetMenuStringA(menu, 0, name, sizeof name, MF_BYPOSITION);
    EXPECT_STREQ(name, "TACKLET_POPUP");
    HMENU popup = ::GetSubMenu(menu, 0);
    ExpectEntries(popup, {{32777, "付箋色＆引出し線設定"}, {32781, "フォント変更"}, {32776, "透明度設定"},
                          {-1, "サイズ変更枠"}, {-1, "編集モード"}, {0, ""}, {-1, "移動"}, {32783, "複製"},
                          {32787, "分割"}, {32788, "吸収"}, {0, ""}, {32796, "マッチング条件設定"}, {0, ""},
                          {32802, "エクスポート"}, {0, ""}, {32773, "はがす"}});
    ExpectEntries(::GetSubMenu(popup, 3), {{32779, "付ける"}, {0, ""}, {32780, "外す"}});
    ExpectEntries(::GetSubMenu(popup, 4), {{32774, "書き込み禁止"}, {0, ""}, {32775, "書き込み可能"}});
    ExpectEntries(::GetSubMenu(popup, 6), {{32791, "DeskTop"}, {32792, "移動先ウィンドウ選択"}, {32805, "保留リスト"}});
    ::DestroyMenu(menu);
}

// Commands that change only the note window.
class NoteMenuWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(note, nullptr);
        note->SetTarget(false, target.Handle());
        note->MoveWindow(300, 200, 180, 100);
    }
    std::string EarText() const { return ::EarText(*note); }
    RECT Rect() const {
        RECT r{};
        ::GetWindowRect(note->GetHwnd(), &r);
        return r;
    }

    CTargetWindow target{100, 100, 500, 400};
    CNotePtr note = MakeNote(target.Get());
};

TEST_F(NoteMenuWindowTest, EditModeSwitchesReadOnlyAndTheEar) {
    const struct {
        WORD id;
        int readOnly;
        const char* ear;
    } steps[] = {{ID_TACKLET_READONLY, 1, " R"}, {ID_TACKLET_READONLY, 1, " R"},
                 {ID_TACKLET_WRITABLE, 0, ""},   {ID_TACKLET_WRITABLE, 0, ""}};
    for (const auto& s : steps) {
        Command(note->GetHwnd(), s.id);
        EXPECT_EQ(note->IsReadOnly(), s.readOnly) << s.id;
        EXPECT_EQ(EarText(), s.ear) << s.id;
    }
}

TEST_F(NoteMenuWindowTest, ResizeFrameSwitchesOnlyWhenItChanges) {
    const RECT before = Rect();
    Command(note->GetHwnd(), ID_TACKLET_FRAME_ON);  // already on: nothing at all
    EXPECT_EQ(note->HasFrame(), 1);
    const RECT same = Rect();
    EXPECT_TRUE(::EqualRect(&before, &same));
    const struct {
        WORD id;
        int frame;
    } steps[] = {{ID_TACKLET_FRAME_OFF, 0}, {ID_TACKLET_FRAME_OFF, 0}, {ID_TACKLET_FRAME_ON, 1}};
    for (const auto& s : steps) {
        Command(note->GetHwnd(), s.id);
        EXPECT_EQ(note->HasFrame(), s.frame) << s.id;
        EXPECT_EQ(Rect().left, before.left) << s.id;
        EXPECT_EQ(Rect().top, before.top) << s.id;
    }
}

TEST_F(NoteMenuWindowTest, GreysTheCurrentEditModeAndMatchingOnTheDesktop) {
    const struct {
        bool desktop;
        int readOnly;
        std::vector<UINT> greyed;
    } cases[] = {
        {false, 0, {ID_TACKLET_WRITABLE}},
        {false, 1, {ID_TACKLET_READONLY}},
        {true, 0, {ID_TACKLET_WRITABLE, ID_TACKLET_MATCH}},
    };
    const UINT watched[] = {ID_TACKLET_READONLY, ID_TACKLET_WRITABLE, ID_TACKLET_MATCH};
    for (const auto& c : cases) {
        note->SetTarget(c.desktop, c.desktop ? reinterpret_cast<PvHandle>(::GetDesktopWindow()) : target.Handle());
        note->SetReadOnly(c.readOnly);
        HMENU menu = ::LoadMenuA(AppInstance(), MAKEINTRESOURCEA(IDR_TACKLET_MENU));
        note->GreyMenuItems(::GetSubMenu(menu, 0));
        for (UINT id : watched) {
            const bool greyed = (::GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED) != 0;
            const bool expected = std::find(c.greyed.begin(), c.greyed.end(), id) != c.greyed.end();
            EXPECT_EQ(greyed, expected) << id << " desktop " << c.desktop << " read-only " << c.readOnly;
        }
        ::DestroyMenu(menu);
    }
}

// Commands that go to the controller, on notes it holds.
class NoteMenuControllerTest : public CControllerFixture {
protected:
    // Adds one note per text for the windows titled `title`, attaches them
    // and gives them their texts.
    void AddNotes(const char* title, const std::vector<std::string>& texts) {
        for (size_t i = 0; i < texts.size(); ++i) {
            CTackletData note;
            note.TITLE = title;
            note.EXENAME = wintest::OwnExeName();
            control.AddNote(note);
        }
        control.MatchTick();
        for (size_t i = 0; i < texts.size(); ++i) {
            ASSERT_EQ(Note(i).m_bAttached, 1);
            Note(i).m_pWin->SetText(texts[i]);
        }
    }
    CTackletData& Note(size_t i) { return control.Notes()[i]; }
    HWND NoteHwnd(size_t i) { return reinterpret_cast<HWND>(Note(i).m_pWin->Handle()); }
    CTackletWin* Win(size_t i) { return static_cast<CTackletWin*>(Note(i).m_pWin); }
};

TEST_F(NoteMenuControllerTest, DuplicateAddsADetachedCopyFivePixelsOff) {
    wintest::CTargetWindow target("PvTarget menu dup", 100, 100, 400, 300);
    AddNotes("PvTarget menu dup", {"dup"});
    Note(0).m_pWin->MoveWindow(120, 130, 150, 60);
    Command(NoteHwnd(0), ID_TACKLET_DUPLICATE);
    ASSERT_EQ(control.Notes().Size(), 2u);
    EXPECT_EQ(Note(0).m_bAttached, 0);
    EXPECT_EQ(Note(0).REC_LEFT, 125);
    EXPECT_EQ(Note(0).REC_TOP, 135);
    EXPECT_EQ(Note(0).TEXT, "dup");
}

TEST_F(NoteMenuControllerTest, SplitDividesAtTheCaret) {
    wintest::CTargetWindow target("PvTarget menu split", 100, 100, 400, 300);
    AddNotes("PvTarget menu split", {"abc付箋def"});
    const HWND edit = Win(0)->EditHwnd();
    ::SendMessageA(edit, EM_SETSEL, 4, 4);
    Command(NoteHwnd(0), ID_TACKLET_SPLIT);
    ASSERT_EQ(control.Notes().Size(), 2u);
    EXPECT_EQ(Note(1).m_pWin->GetText(), "abc付");
    EXPECT_EQ(Note(0).TEXT, "箋def");
    EXPECT_EQ(Note(0).m_bAttached, 0);
}

TEST_F(NoteMenuControllerTest, SplitRefusalsNameTheReasonAndChangeNothing) {
    wintest::CTargetWindow target("PvTarget menu split", 100, 100, 400, 300);
    AddNotes("PvTarget menu split", {"abcdef"});
    const struct {
        int from;
        int to;
        const char* notice;
    } cases[] = {
        {1, 3, "選択状態です。キャレットを文字間に設定してください。"},
        {0, 0, "キャレットが先頭にあります。キャレットを分割したい位置に設定してください。"},
        {6, 6, "キャレットが最後尾にあります。キャレットを分割したい位置に設定してください。"},
    };
    for (const auto& c : cases) {
        ::SendMessageA(Win(0)->EditHwnd(), EM_SETSEL, c.from, c.to);
        wintest::CMessageBoxAnswerer answerer;
        Command(NoteHwnd(0), ID_TACKLET_SPLIT);
        EXPECT_EQ(answerer.Texts(), std::vector<std::string>{c.notice});
        EXPECT_EQ(control.Notes().Size(), 1u);
        EXPECT_EQ(Note(0).m_pWin->GetText(), "abcdef");
    }
}

TEST_F(NoteMenuControllerTest, AbsorbReportsItsResult) {
    wintest::CTargetWindow target("PvTarget menu absorb", 100, 100, 500, 400);
    AddNotes("PvTarget menu absorb", {"abc", "def", "ghi"});
    Note(0).m_pWin->MoveWindow(110, 110, 100, 50);
    Note(1).m_pWin->MoveWindow(150, 120, 100, 50);
    Note(2).m_pWin->MoveWindow(400, 400, 100, 50);
    const struct {
        size_t caller;
        int left;  // where note 2 goes first
        const char* notice;
    } cases[] = {
        {2, 400, "重なっている付箋がありません。吸収したい付箋に重ねてから吸収操作を行ってください."},
        {2, 130, "重なっている付箋が２枚以上あります。吸収は１枚ずつ行ってください."},
    };
    for (const auto& c : cases) {
        Note(2).m_pWin->MoveWindow(c.left, 115, 100, 50);
        wintest::CMessageBoxAnswerer answerer;
        Command(NoteHwnd(c.caller), ID_TACKLET_ABSORB);
        EXPECT_EQ(answerer.Texts(), std::vector<std::string>{c.notice});
    }
    Note(2).m_pWin->MoveWindow(400, 400, 100, 50);
    Note(0).m_pWin->SetText(std::string(3998, 'x'));
    {
        wintest::CMessageBoxAnswerer answerer;
        Command(NoteHwnd(0), ID_TACKLET_ABSORB);
        EXPECT_EQ(answerer.Texts(), std::vector<std::string>{"吸収すると4000byteを超えます。操作はキャンセルしました."});
        EXPECT_EQ(control.Notes().Size(), 3u);
    }
    Note(0).m_pWin->SetText("abc");
    const HWND absorbed = NoteHwnd(1);
    wintest::CMessageBoxAnswerer answerer;
    Command(NoteHwnd(0), ID_TACKLET_ABSORB);
    EXPECT_TRUE(answerer.Texts().empty());
    ASSERT_EQ(control.Notes().Size(), 2u);
    EXPECT_EQ(Note(0).m_pWin->GetText(), "abcdef");
    EXPECT_FALSE(::IsWindow(absorbed));
}

TEST_F(NoteMenuControllerTest, PeelOffAsksUnlessEmptyAndDeletesOnYes) {
    wintest::CTargetWindow target("PvTarget menu peel", 100, 100, 400, 300);
    const struct {
        const char* text;
        int answer;
        std::vector<std::string> questions;
        size_t left;
    } cases[] = {
        {"keep", IDNO, {"付箋をはがしますか？"}, 1u},
        {"peel", IDYES, {"付箋をはがしますか？"}, 0u},
        {"", IDNO, {}, 0u},
    };
    for (const auto& c : cases) {
        AddNotes("PvTarget menu peel", {c.text});
        const HWND hwnd = NoteHwnd(0);
        wintest::CMessageBoxAnswerer answerer({c.answer});
        Command(hwnd, ID_TACKLET_DELETE);  // the window may be gone on return
        EXPECT_EQ(answerer.Texts(), c.questions) << c.text;
        EXPECT_EQ(control.Notes().Size(), c.left) << c.text;
        EXPECT_EQ(::IsWindow(hwnd) != FALSE, c.left == 1) << c.text;
        for (CTackletData& note : control.Notes().Items()) note.EndTacklet();
        control.Notes().Clear();
    }
}

TEST_F(NoteMenuControllerTest, MoveToDesktopMakesADesktopNote) {
    wintest::CTargetWindow target("PvTarget menu desk", 100, 100, 400, 300);
    AddNotes("PvTarget menu desk", {"desk"});
    Command(NoteHwnd(0), ID_TACKLET_MOVE_DESKTOP);
    EXPECT_EQ(Note(0).EXENAME, "DESKTOP");
    control.MatchTick();
    ASSERT_EQ(Note(0).m_bAttached, 1);
    EXPECT_EQ(Win(0)->TargetHwnd(), ::GetDesktopWindow());
}

}  // namespace

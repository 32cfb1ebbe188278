// The note's context menu: its resource, and its commands sent to a note
// window as the menu sends them, with a real controller behind the requests.
#include "ControllerFixture.h"
#include "WinTestUtil.h"
#include "WindowFinder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "NoteTestNote.h"
#include "NoteTestSupport.h"
#include "data/IniFile.h"
#include "data/ReminderRule.h"
#include "notewin/ArrowWin.h"
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
        wchar_t text[64] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 64;
        ::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
        const int id = (info.fType & MFT_SEPARATOR) ? 0 : info.hSubMenu ? -1 : static_cast<int>(info.wID);
        out.push_back({id, pvtest::Utf8(text)});
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
                          {32787, "分割"}, {32788, "吸収"}, {0, ""}, {32796, "マッチング条件設定"},
                          {32806, "リマインダー設定..."}, {0, ""},
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

TEST_F(NoteMenuWindowTest, ResizeFrameTogglesEndAtTheSizeTheyBeganWith) {
    const RECT before = Rect();
    for (int i = 0; i < 12; ++i) {
        Command(note->GetHwnd(), ID_TACKLET_FRAME_OFF);
        Command(note->GetHwnd(), ID_TACKLET_FRAME_ON);
    }
    const RECT after = Rect();
    EXPECT_EQ(after.right - after.left, before.right - before.left);
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
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

// Reads the items of the next popup menu this process shows, then closes it.
class CPopupMenuReader {
public:
    CPopupMenuReader() { m_thread = ::CreateThread(nullptr, 0, ThreadProc, this, 0, nullptr); }
    ~CPopupMenuReader() {
        ::WaitForSingleObject(m_thread, 10000);
        ::CloseHandle(m_thread);
    }
    // The command ids of the menu's items (empty when none showed).
    std::vector<UINT> Ids() {
        ::WaitForSingleObject(m_thread, 10000);
        return m_ids;
    }

private:
    static DWORD WINAPI ThreadProc(void* param) {
        auto* self = static_cast<CPopupMenuReader*>(param);
        for (int i = 0; i < 250; ++i, ::Sleep(20)) {
            HWND menuWnd = ::FindWindowA("#32768", nullptr);
            DWORD pid = 0;
            if (menuWnd) ::GetWindowThreadProcessId(menuWnd, &pid);
            if (!menuWnd || pid != ::GetCurrentProcessId() || !::IsWindowVisible(menuWnd)) continue;
            HMENU menu = reinterpret_cast<HMENU>(::SendMessageA(menuWnd, MN_GETHMENU, 0, 0));
            for (int k = 0; menu && k < ::GetMenuItemCount(menu); ++k) self->m_ids.push_back(::GetMenuItemID(menu, k));
            ::PostMessageA(menuWnd, WM_KEYDOWN, VK_ESCAPE, 0);
            break;
        }
        return 0;
    }
    std::vector<UINT> m_ids;
    HANDLE m_thread;
};

TEST_F(NoteMenuWindowTest, RightClickInTheTextShowsTheEditControlsOwnMenu) {
    note->SetText("text");
    ::ShowWindow(note->GetHwnd(), SW_SHOWNOACTIVATE);
    CPopupMenuReader reader;
    const HWND edit = note->EditHwnd();
    ::SendMessageA(edit, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 10));
    ::SendMessageA(edit, WM_RBUTTONUP, 0, MAKELPARAM(10, 10));
    const std::vector<UINT> ids = reader.Ids();
    EXPECT_NE(std::find(ids.begin(), ids.end(), static_cast<UINT>(WM_COPY)), ids.end());
    EXPECT_NE(std::find(ids.begin(), ids.end(), static_cast<UINT>(WM_PASTE)), ids.end());
    EXPECT_EQ(std::find(ids.begin(), ids.end(), static_cast<UINT>(ID_TACKLET_COLOR)), ids.end());
}

// Finds the platform's font dialog of this process (the dialog with a size
// box, cmb3), types a size into it and presses OK, from another thread.
class CFontDialogDriver {
public:
    explicit CFontDialogDriver(const char* size) : m_size(size) {
        m_thread = ::CreateThread(nullptr, 0, ThreadProc, this, 0, nullptr);
    }
    ~CFontDialogDriver() {
        ::WaitForSingleObject(m_thread, 10000);
        ::CloseHandle(m_thread);
    }
    bool Done() {
        ::WaitForSingleObject(m_thread, 10000);
        return m_found;
    }

private:
    static constexpr int kSizeBox = 0x472;
    static DWORD WINAPI ThreadProc(void* param) {
        auto* self = static_cast<CFontDialogDriver*>(param);
        for (int i = 0; i < 250 && !self->m_dialog; ++i) {
            self->m_dialog = pvtest::FindWindowOf({.pid = ::GetCurrentProcessId(),
                                                   .className = pvtest::kDialogClass,
                                                   .test = [](HWND h) { return ::GetDlgItem(h, kSizeBox) != nullptr; }});
            if (!self->m_dialog) ::Sleep(20);
        }
        if (!self->m_dialog) return 0;
        const HWND box = ::GetDlgItem(self->m_dialog, kSizeBox);
        ::SendMessageA(box, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(self->m_size));
        ::SendMessageA(self->m_dialog, WM_COMMAND, MAKEWPARAM(kSizeBox, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
        ::PostMessageA(self->m_dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        self->m_found = true;
        return 0;
    }
    const char* m_size;
    HWND m_dialog = nullptr;
    bool m_found = false;
    HANDLE m_thread;
};

TEST_F(NoteMenuWindowTest, FontDialogGivesTheChosenSizeToTheEditControl) {
    const PvLogFont start = note->GetEditFont();
    CFontDialogDriver driver("20");
    Command(note->GetHwnd(), ID_TACKLET_FONT);
    ASSERT_TRUE(driver.Done());
    const HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    const PvLogFont chosen = note->GetEditFont();
    EXPECT_EQ(chosen.lfHeight, -::MulDiv(20, dpi, 72));
    EXPECT_NE(chosen.lfHeight, start.lfHeight);
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

// Puts `text` on the clipboard as the user's own content; reads it back.
bool PutOnClipboard(const std::string& text) {
    if (!::OpenClipboard(nullptr)) return false;
    ::EmptyClipboard();
    HGLOBAL data = ::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    bool ok = false;
    if (data) {
        std::memcpy(::GlobalLock(data), text.c_str(), text.size() + 1);
        ::GlobalUnlock(data);
        ok = ::SetClipboardData(CF_TEXT, data) != nullptr;
        if (!ok) ::GlobalFree(data);
    }
    ::CloseClipboard();
    return ok;
}

std::string ClipboardText() {
    if (!::OpenClipboard(nullptr)) return "(clipboard not open)";
    std::string out;
    if (HANDLE data = ::GetClipboardData(CF_TEXT)) {
        if (const char* text = static_cast<const char*>(::GlobalLock(data))) out = text;
        ::GlobalUnlock(data);
    }
    ::CloseClipboard();
    return out;
}

TEST_F(NoteMenuControllerTest, SplitLeavesTheClipboardAsItWas) {
    wintest::CTargetWindow target("PvTarget menu split clip", 100, 100, 400, 300);
    AddNotes("PvTarget menu split clip", {"前半の付箋\r\n後半です"});
    const std::string kept = "ユーザーの控え";
    ASSERT_TRUE(PutOnClipboard(kept));
    // Refused at the start and at the end of the text: the clipboard is untouched.
    for (const WPARAM at : {WPARAM{0}, WPARAM{0x7fffffff}}) {
        ::SendMessageA(Win(0)->EditHwnd(), EM_SETSEL, at, at);
        wintest::CMessageBoxAnswerer answerer;
        Command(NoteHwnd(0), ID_TACKLET_SPLIT);
        EXPECT_EQ(answerer.Texts().size(), 1u) << at;
        EXPECT_EQ(ClipboardText(), kept) << at;
    }
    // A split after the line break: the parts are exact, the clipboard as
    // before. The control counts 11 characters or 20 bytes.
    ::SendMessageA(Win(0)->EditHwnd(), EM_SETSEL, 0x7fffffff, 0x7fffffff);
    DWORD last = 0;
    ::SendMessageA(Win(0)->EditHwnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&last), 0);
    ASSERT_TRUE(last == 11 || last == 20) << last;
    const WPARAM at = last == 11 ? 7 : 12;
    ::SendMessageA(Win(0)->EditHwnd(), EM_SETSEL, at, at);
    Command(NoteHwnd(0), ID_TACKLET_SPLIT);
    ASSERT_EQ(control.Notes().Size(), 2u);
    EXPECT_EQ(Note(1).m_pWin->GetText(), "前半の付箋\r\n");
    EXPECT_EQ(Note(0).TEXT, "後半です");
    EXPECT_EQ(ClipboardText(), kept);
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

namespace {

bool Checked(HWND dialog, int id) { return ::IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
void Click(HWND dialog, int id) { ::SendMessageA(::GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
void PressOk(HWND dialog) { ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); }

// The appearance dialogs opened from the menu: applied to the note window
// on OK, and written to the data file by the next save.
class NoteAppearanceMenuTest : public NoteMenuControllerTest {
protected:
    int Saved(const char* key) {
        const CIniFile ini = CIniFile::Load(scratch.Path() + "\\PinvaneData.ini");
        return ini.GetInt("TACKLETITEM0", key, -1);
    }
};

TEST_F(NoteAppearanceMenuTest, ColourDialogAppliesInOrderAndIsSaved) {
    wintest::CTargetWindow target("PvTarget menu colour", 100, 100, 500, 400);
    AddNotes("PvTarget menu colour", {"colour"});
    Win(0)->MoveWindow(150, 150, 200, 100);
    const RECT before = ChildRect(Win(0)->EarHwnd());
    std::vector<int> shown;
    wintest::CDialogDriver driver("付箋色＆引出し線設定", [&](HWND d) {
        for (int id : {IDC_COLOR_EAR_RED, IDC_COLOR_POS_RIGHT, IDC_COLOR_BK_GREY, IDC_COLOR_GRADIENT, IDC_COLOR_ARROW_OFF})
            if (Checked(d, id)) shown.push_back(id);
        for (int id : {IDC_COLOR_EAR_GREEN, IDC_COLOR_POS_LEFT, IDC_COLOR_BK_BLUE, IDC_COLOR_TX_BLUE,
                       IDC_COLOR_PTN_FIRST + 3, IDC_COLOR_ARROW_ON, IDC_COLOR_WIDTH_THICK})
            Click(d, id);
        PressOk(d);
    });
    Command(NoteHwnd(0), ID_TACKLET_COLOR);
    ASSERT_TRUE(driver.Done());
    // The note defaults: ear red on the right, grey gradient, no line.
    EXPECT_EQ(shown, (std::vector<int>{IDC_COLOR_EAR_RED, IDC_COLOR_POS_RIGHT, IDC_COLOR_BK_GREY,
                                       IDC_COLOR_GRADIENT, IDC_COLOR_ARROW_OFF}));
    CTackletWin* w = Win(0);
    EXPECT_EQ(w->GetColor(), 1);
    EXPECT_EQ(w->GetPickPos(), 2);
    EXPECT_EQ(w->GetBkColor(), 3);
    EXPECT_EQ(w->GetTxColor(), 2);
    EXPECT_EQ(w->GetGraFlg(), 1);
    EXPECT_EQ(w->GetGraPtn(), 3);
    EXPECT_EQ(w->GetArrowLineWidth(), 2);
    EXPECT_EQ(w->Edit().Background().Color(), RGB(200, 200, 255));
    // The ear moved to the left side.
    const RECT ear = ChildRect(w->EarHwnd());
    EXPECT_NE(ear.left, before.left);
    EXPECT_EQ(ear.left, 0);
    ASSERT_NE(w->LeaderLine(), nullptr);
    EXPECT_EQ(w->LeaderLine()->WidthIndex(), 2);
    EXPECT_EQ(w->LeaderLine()->LineColor(), RGB(200, 200, 255));

    control.SaveAll();
    const struct {
        const char* key;
        int value;
    } saved[] = {{"COLOR", 1}, {"PICKPOS", 2}, {"BKCOLOR", 3}, {"TXCOLOR", 2}, {"GRAFLG", 1},
                 {"GRAPTN", 3}, {"ARWFLAG", 1}, {"ARLINEWIDTH", 2}};
    for (const auto& s : saved) EXPECT_EQ(Saved(s.key), s.value) << s.key;
}

// The colour of the screen at the middle of `hwnd`, as it was painted.
COLORREF PaintedAtCentre(HWND hwnd) {
    RECT r{};
    ::GetWindowRect(hwnd, &r);
    const HDC screen = ::GetDC(nullptr);
    const COLORREF c = ::GetPixel(screen, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    ::ReleaseDC(nullptr, screen);
    return c;
}

RECT ScreenRect(HWND hwnd) {
    RECT r{};
    ::GetWindowRect(hwnd, &r);
    return r;
}

TEST_F(NoteAppearanceMenuTest, EarIsPaintedInTheChosenColourAndSideAndTheNoteKeepsItsSize) {
    wintest::CTargetWindow target("PvTarget menu ear", 100, 100, 500, 400);
    AddNotes("PvTarget menu ear", {"ear"});
    Win(0)->MoveWindow(150, 150, 200, 100);
    Pump(200);
    const RECT before = ScreenRect(NoteHwnd(0));
    ASSERT_EQ(PaintedAtCentre(Win(0)->EarHwnd()), RGB(255, 0, 0));  // the default ear: red on the right
    const struct {
        int colour;
        int side;
        COLORREF painted;
        int pickPos;
    } steps[] = {
        {IDC_COLOR_EAR_GREEN, IDC_COLOR_POS_TOP, RGB(0, 255, 0), 1},
        {IDC_COLOR_EAR_BLUE, IDC_COLOR_POS_TOP, RGB(0, 0, 255), 1},
        {IDC_COLOR_EAR_ORANGE, IDC_COLOR_POS_LEFT, RGB(253, 140, 2), 2},
        {IDC_COLOR_EAR_BLACK, IDC_COLOR_POS_BOTTOM, RGB(0, 0, 0), 3},
        {IDC_COLOR_EAR_GREEN, IDC_COLOR_POS_RIGHT, RGB(0, 255, 0), 0},
        {IDC_COLOR_EAR_RED, IDC_COLOR_POS_TOP, RGB(255, 0, 0), 1},
    };
    for (const auto& s : steps) {
        wintest::CDialogDriver driver("付箋色＆引出し線設定", [&](HWND d) {
            Click(d, s.colour);
            Click(d, s.side);
            PressOk(d);
        });
        Command(NoteHwnd(0), ID_TACKLET_COLOR);
        ASSERT_TRUE(driver.Done());
        Pump(200);
        EXPECT_EQ(Win(0)->GetPickPos(), s.pickPos) << s.colour;
        EXPECT_EQ(PaintedAtCentre(Win(0)->EarHwnd()), s.painted) << s.colour;
        const RECT ear = ChildRect(Win(0)->EarHwnd());
        if (s.pickPos == 1) EXPECT_EQ(ear.top, 0) << s.colour;
        const RECT now = ScreenRect(NoteHwnd(0));
        EXPECT_EQ(now.right - now.left, before.right - before.left) << s.colour;
        EXPECT_EQ(now.bottom - now.top, before.bottom - before.top) << s.colour;
    }
}

TEST_F(NoteAppearanceMenuTest, ColourDialogSwitchesTheLineOff) {
    wintest::CTargetWindow target("PvTarget menu line off", 100, 100, 500, 400);
    AddNotes("PvTarget menu line off", {"line"});
    Win(0)->SetArrow(CArrowData{1, 20, 10, 300, 200}, 1);
    Win(0)->CreateLeaderLine();
    ASSERT_NE(Win(0)->LeaderLine(), nullptr);
    const HWND line = Win(0)->LeaderLine()->GetHwnd();
    wintest::CDialogDriver driver("付箋色＆引出し線設定", [&](HWND d) {
        Click(d, IDC_COLOR_ARROW_OFF);
        PressOk(d);
    });
    Command(NoteHwnd(0), ID_TACKLET_COLOR);
    ASSERT_TRUE(driver.Done());
    EXPECT_EQ(Win(0)->LeaderLine(), nullptr);
    EXPECT_FALSE(::IsWindow(line));
    const CArrowData off = Win(0)->GetArrow();
    EXPECT_EQ(off.ARWFLAG, 0);
    EXPECT_EQ(off.ARWENDX, 300);
    control.SaveAll();
    EXPECT_EQ(Saved("ARWFLAG"), 0);
    EXPECT_EQ(Saved("ARWENDX"), 300);
}

TEST_F(NoteAppearanceMenuTest, TransparencyDialogAppliesAndIsSaved) {
    wintest::CTargetWindow target("PvTarget menu alpha", 100, 100, 500, 400);
    AddNotes("PvTarget menu alpha", {"alpha"});
    Win(0)->SetMouseHideCtl(1);
    int shownPercent = 0;
    wintest::CDialogDriver driver("透明度の設定", [&](HWND d) {
        shownPercent = static_cast<int>(::SendMessageA(::GetDlgItem(d, IDC_TRANS_SPIN), UDM_GETPOS32, 0, 0));
        Click(d, IDC_TRANS_BK);  // also turns fading under the mouse off
        ::SendMessageA(::GetDlgItem(d, IDC_TRANS_SPIN), UDM_SETPOS32, 0, 50);
        PressOk(d);
    });
    Command(NoteHwnd(0), ID_TACKLET_TRANSPARENCY);
    ASSERT_TRUE(driver.Done());
    EXPECT_EQ(shownPercent, 70);
    CTackletWin* w = Win(0);
    EXPECT_EQ(w->GetBkTransparent(), 1);
    EXPECT_EQ(w->GetTransparent(), 50);
    EXPECT_EQ(w->GetMouseHideCtl(), 0);
    EXPECT_EQ(w->BaseAlpha(), 127);
    EXPECT_FALSE(w->Edit().Background().Gradient());  // keyed out: no gradient
    const CLayered l = LayeredOf(NoteHwnd(0));
    EXPECT_EQ(l.alpha, 127);
    EXPECT_EQ(l.flags, static_cast<DWORD>(LWA_COLORKEY | LWA_ALPHA));
    control.SaveAll();
    EXPECT_EQ(Saved("TRANSPARENT"), 50);
    EXPECT_EQ(Saved("BKTRANSPARENT"), 1);
    EXPECT_EQ(Saved("MOUSEHIDECTL"), 0);
}

TEST_F(NoteAppearanceMenuTest, OkAfterTheNoteHasGoneChangesNothing) {
    const WORD commands[] = {ID_TACKLET_COLOR, ID_TACKLET_TRANSPARENCY};
    const char* captions[] = {"付箋色＆引出し線設定", "透明度の設定"};
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(captions[i]);
        auto target = std::make_unique<wintest::CTargetWindow>("PvTarget menu gone", 100, 100, 500, 400);
        AddNotes("PvTarget menu gone", {"gone"});
        const HWND targetWnd = target->Hwnd();
        wintest::CDialogDriver driver(captions[i], [&](HWND d) {
            Click(d, IDC_COLOR_EAR_BLUE);
            Click(d, IDC_TRANS_BK);
            // The target closes while the dialog is open: its note goes too.
            ::SendMessageA(targetWnd, WM_CLOSE, 0, 0);
            PressOk(d);
        });
        const HWND noteWnd = NoteHwnd(0);
        Command(noteWnd, commands[i]);
        ASSERT_TRUE(driver.Done());
        EXPECT_FALSE(::IsWindow(noteWnd));
        control.MatchTick();  // the controller notices and takes the state back
        ASSERT_EQ(control.Notes().Size(), 1u);
        EXPECT_EQ(Note(0).m_bAttached, 0);
        EXPECT_EQ(Note(0).COLOR, 0);
        EXPECT_EQ(Note(0).BKTRANSPARENT, 0);
        EXPECT_EQ(Note(0).TEXT, "gone");
        control.Notes().Clear();
        target.reset();
    }
}

}  // namespace

namespace {

class NoteReminderTest : public NoteAppearanceMenuTest {};

// The dialog sets a weekly reminder on the note window; the menu item is
// checked from then on and the next save writes it.
TEST_F(NoteReminderTest, DialogSetsAWeeklyReminderThatIsSaved) {
    wintest::CTargetWindow target("PvTarget reminder", 100, 100, 500, 400);
    AddNotes("PvTarget reminder", {"remind"});
    bool offShown = false;
    wintest::CDialogDriver driver("リマインダー設定", [&](HWND d) {
        offShown = Checked(d, IDC_REMIND_OFF) && !::IsWindowEnabled(::GetDlgItem(d, IDC_REMIND_DATE));
        Click(d, IDC_REMIND_WEEKLY);
        for (int id = IDC_REMIND_SUN; id <= IDC_REMIND_SAT; ++id)
            if (Checked(d, id)) Click(d, id);  // today's box starts checked
        Click(d, IDC_REMIND_MON);
        Click(d, IDC_REMIND_FRI);
        SYSTEMTIME t{};
        ::SendMessageA(::GetDlgItem(d, IDC_REMIND_TIME), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&t));
        t.wHour = 7;
        t.wMinute = 45;
        ::SendMessageA(::GetDlgItem(d, IDC_REMIND_TIME), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&t));
        PressOk(d);
    });
    Command(NoteHwnd(0), ID_TACKLET_REMINDER);
    ASSERT_TRUE(driver.Done());
    EXPECT_TRUE(offShown) << "a note without a reminder opens on 'しない' with the date off";
    const CReserveData r = Win(0)->GetReserve();
    EXPECT_EQ(r.type, CReminderRule::kWeekly);
    EXPECT_EQ(r.weekdayMask, (1 << 1) | (1 << 5));
    EXPECT_EQ(r.hour, 7);
    EXPECT_EQ(r.minute, 45);
    HMENU menu = ::LoadMenuA(AppInstance(), MAKEINTRESOURCEA(IDR_TACKLET_MENU));
    Win(0)->GreyMenuItems(::GetSubMenu(menu, 0));
    EXPECT_TRUE(::GetMenuState(menu, ID_TACKLET_REMINDER, MF_BYCOMMAND) & MF_CHECKED);
    ::DestroyMenu(menu);
    control.SaveAll();
    EXPECT_EQ(Saved("RSVTYPE"), 2);
    EXPECT_EQ(Saved("RSVWEEKDAY"), 0x22);
    EXPECT_EQ(Saved("RSVHOUR"), 7);
}

// A weekly reminder without a weekday is refused with a notice; the
// dialog stays open.
TEST_F(NoteReminderTest, WeeklyWithoutAWeekdayIsRefused) {
    wintest::CTargetWindow target("PvTarget reminder none", 100, 100, 500, 400);
    AddNotes("PvTarget reminder none", {"none"});
    wintest::CMessageBoxAnswerer answerer;
    bool stayedOpen = false;
    wintest::CDialogDriver driver("リマインダー設定", [&](HWND d) {
        Click(d, IDC_REMIND_WEEKLY);
        for (int id = IDC_REMIND_SUN; id <= IDC_REMIND_SAT; ++id)
            if (Checked(d, id)) Click(d, id);
        // Returns once the notice has been answered.
        ::SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        stayedOpen = ::IsWindow(d) != FALSE;
        ::PostMessageA(d, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    Command(NoteHwnd(0), ID_TACKLET_REMINDER);
    ASSERT_TRUE(driver.Done());
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(answerer.Texts(), std::vector<std::string>{"曜日を選んでください."});
    EXPECT_EQ(Win(0)->GetReserve().type, CReminderRule::kNone);
}

// The tick fires every due reminder once: one balloon for the first, the
// shown notes' ears blink, one save; the balloon's click marks the note's
// row by identity even after the rows moved.
TEST_F(NoteReminderTest, TickFiresDueRemindersOnceWithOneBalloonAndOneSave) {
    wintest::CTargetWindow target("PvTarget reminder tick", 100, 100, 500, 400);
    AddNotes("PvTarget reminder tick", {"third", "second\r\nline", "first"});
    const LocalMinute now = LocalMinuteNow();
    const LocalClock past = ToLocalClock(now - 10);
    Win(1)->SetReserve(CReminderRule::Once(past.year, past.month, past.day, past.hour, past.minute, now - 20));
    Note(2).EndTacklet();  // a note not shown fires as well
    Note(2).m_reserve = CReminderRule::Weekly(CReminderRule::kAllWeekdays, past.hour, past.minute, now - 20 * 60);
    std::vector<CReminderNotice> balloons;
    control.SetReminderBalloon([&](const CReminderNotice& n) { balloons.push_back(n); });
    const std::string file = scratch.Path() + "\\PinvaneData.ini";
    ::DeleteFileA(file.c_str());

    control.CheckReminders(now);
    ASSERT_EQ(balloons.size(), 1u);
    EXPECT_EQ(balloons[0].title, "リマインダー（ほか1件）");
    EXPECT_EQ(balloons[0].firstLine, "second");
    EXPECT_EQ(Win(1)->GetReserve().due, 1);
    EXPECT_EQ(Note(1).m_reserve.due, 1);
    EXPECT_EQ(Note(2).m_reserve.since, now);
    EXPECT_GT(Win(1)->EarFlashesLeft(), 0);
    EXPECT_EQ(Win(0)->EarFlashesLeft(), 0);
    EXPECT_EQ(Saved("RSVTYPE"), -1) << "item 0 has no reminder";
    const CIniFile ini = CIniFile::Load(file);
    EXPECT_EQ(ini.GetInt("TACKLETITEM1", "RSVDUE", -1), 1);
    EXPECT_EQ(ini.GetInt("TACKLETITEM2", "RSVTYPE", -1), 2);

    // Nothing more is due: no balloon, no write.
    ::DeleteFileA(file.c_str());
    control.CheckReminders(now);
    control.CheckReminders(now + 60);
    EXPECT_EQ(balloons.size(), 1u);
    EXPECT_EQ(::GetFileAttributesA(file.c_str()), INVALID_FILE_ATTRIBUTES);

    // The ear blinks a few times, then is as before.
    for (int i = 0; i < 50 && Win(1)->EarFlashesLeft() > 0; ++i) wintest::Pump(100);
    EXPECT_EQ(Win(1)->EarFlashesLeft(), 0);

    // A new note moves the rows: the click still finds the note of the balloon.
    CTackletData newer;
    control.AddNote(newer);
    control.ShowReminderNote();
    EXPECT_EQ(::SendMessageA(control.GetItem(IDC_PANEL_LIST), LVM_GETSELECTIONMARK, 0, 0), 2);
}

}  // namespace

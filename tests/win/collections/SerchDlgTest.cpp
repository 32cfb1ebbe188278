// The search panel under Wine: its notices, the walk through the results in
// the main panel, and the new search after each rebuild of the main list.
#include "CollectionsFixture.h"

#include "collections/SerchDlg.h"
#include "data/NoteDate.h"
#include "res/resource.h"
#include "WindowFinder.h"

#include <gtest/gtest.h>

using wintest::CMessageBoxAnswerer;

namespace {

class SerchDlgTest : public CCollectionsFixture {
protected:
    void SetUp() override {
        CCollectionsFixture::SetUp();
        search.SetSource(&control);
        search.SetClosedHandler([this] { ++closed; });
        ASSERT_TRUE(search.CreateHidden(host.Hwnd()));
        search.Open();
        for (const char* title : {"memo three", "other", "memo one"}) {
            CTackletData note = Record(title);
            note.TEXT = title;
            control.AddNote(note);
        }
        // Rows: 0 "memo one", 1 "other", 2 "memo three".
    }
    void TearDown() override {
        search.DestroyWindow();
        CCollectionsFixture::TearDown();
    }
    HWND Dlg() const { return search.GetHwnd(); }
    void Set(int check, int edit, const char* text) {
        ::CheckDlgButton(Dlg(), check, BST_CHECKED);
        if (edit) ::SetDlgItemTextW(Dlg(), edit, pvtest::Wide(text).c_str());
    }
    std::string Label() const {
        return pvtest::ItemText(Dlg(), IDC_SEARCH_RESULT);
    }
    int PanelMark() { return ListView_GetSelectionMark(control.GetItem(IDC_PANEL_LIST)); }

    CSerchDlg search;
    int closed = 0;
};

using Texts = std::vector<std::string>;

TEST_F(SerchDlgTest, NoticesStopTheSearchBeforeAnythingChanges) {
    CMessageBoxAnswerer answerer;
    Command(Dlg(), IDC_SEARCH_RUN);
    Set(IDC_SEARCH_TEXT_ON, 0, nullptr);
    Command(Dlg(), IDC_SEARCH_RUN);
    EXPECT_EQ(answerer.Texts(), (Texts{"検索条件がいずれも選択されていません",
                                       "本文テキスト条件がチェックされていますが,検索文字列が設定されていません."}));
    EXPECT_EQ(Label(), "該当データなし");
}

TEST_F(SerchDlgTest, ResultsAreWalkedInTheMainPanelWithWrapping) {
    Set(IDC_SEARCH_TEXT_ON, IDC_SEARCH_TEXT, "MEMO");
    Command(Dlg(), IDC_SEARCH_RUN);
    EXPECT_EQ(Label(), "2件中 1番目のデータ");
    EXPECT_EQ(PanelMark(), 0);
    Command(Dlg(), IDC_SEARCH_NEXT);
    EXPECT_EQ(Label(), "2件中 2番目のデータ");
    EXPECT_EQ(PanelMark(), 2);
    Command(Dlg(), IDC_SEARCH_NEXT);
    EXPECT_EQ(PanelMark(), 0) << "past the last comes the first";
    Command(Dlg(), IDC_SEARCH_PREV);
    EXPECT_EQ(PanelMark(), 2);
    // Case-sensitive, "MEMO" finds nothing.
    ::CheckDlgButton(Dlg(), IDC_SEARCH_TEXT_CASE, BST_CHECKED);
    Command(Dlg(), IDC_SEARCH_RUN);
    EXPECT_EQ(Label(), "該当データなし");
}

TEST_F(SerchDlgTest, ARebuildOfTheMainListSearchesAgainAndKeepsTheCurrentHit) {
    Set(IDC_SEARCH_TITLE_ON, IDC_SEARCH_TITLE, "memo");
    Set(IDC_SEARCH_EXE_ON, IDC_SEARCH_EXE, "notepad");  // lower case finds the upper-case name
    Command(Dlg(), IDC_SEARCH_RUN);
    Command(Dlg(), IDC_SEARCH_NEXT);
    EXPECT_EQ(PanelMark(), 2);
    // Deleting "other" rebuilds the list: the search runs again and stays
    // on "memo three", now in row 1.
    control.Notes().RemoveAt(1);
    control.RefreshNoteList();
    wintest::Pump(200);
    EXPECT_EQ(Label(), "2件中 2番目のデータ");
    EXPECT_EQ(PanelMark(), 1);
    EXPECT_EQ(search.Results().CurrentPosition(), 1);
    // A new note in front moves every row down: the hit goes with its note.
    CTackletData added = Record("memo four");
    added.TEXT = "memo four";
    control.AddNote(added);
    wintest::Pump(200);
    EXPECT_EQ(Label(), "3件中 3番目のデータ");
    EXPECT_EQ(PanelMark(), 2);
    EXPECT_EQ(control.Notes()[2].TITLE, "memo three");
    Command(Dlg(), IDC_SEARCH_NEXT);
    EXPECT_EQ(search.Results().CurrentPosition(), 0) << "the walk goes on from there";
    // The hit's own note deleted: the hit keeps its place among the results.
    control.Notes().RemoveAt(0);
    control.RefreshNoteList();
    wintest::Pump(200);
    EXPECT_EQ(Label(), "2件中 1番目のデータ");
    EXPECT_EQ(PanelMark(), 0);
}

TEST_F(SerchDlgTest, WithoutAResultRebuildsDoNotSearchAndOpeningResets) {
    Set(IDC_SEARCH_DAYS_ON, 0, nullptr);  // every note was referenced just now
    Command(Dlg(), IDC_SEARCH_RUN);
    EXPECT_EQ(Label(), "該当データなし");
    control.Notes()[1].ACSDATE = NowTime() - 100 * 86400;
    control.RefreshNoteList();
    wintest::Pump(200);
    EXPECT_EQ(Label(), "該当データなし") << "no new search until 検索実行";
    Command(Dlg(), IDC_SEARCH_RUN);
    EXPECT_EQ(Label(), "1件中 1番目のデータ");
    EXPECT_EQ(PanelMark(), 1);
    ::SendDlgItemMessageA(Dlg(), IDC_SEARCH_DAYS_SPIN, UDM_SETPOS32, 0, 200);
    Command(Dlg(), IDCANCEL);
    EXPECT_EQ(closed, 1);
    EXPECT_FALSE(::IsWindowVisible(Dlg()));
    search.Open();
    EXPECT_EQ(Label(), "該当データなし");
    EXPECT_EQ(::SendDlgItemMessageA(Dlg(), IDC_SEARCH_DAYS_SPIN, UDM_GETPOS32, 0, 0), 90);
    EXPECT_EQ(::IsDlgButtonChecked(Dlg(), IDC_SEARCH_DAYS_ON), BST_CHECKED) << "conditions are remembered";
}

// A stand-in for the main window that records the caption clicks it gets.
struct CaptionRecorder {
    static inline int clicks = 0;
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == WM_NCLBUTTONDOWN && wParam == HTCAPTION) {
            ++clicks;
            return 0;
        }
        return ::DefWindowProcA(hwnd, msg, wParam, lParam);
    }
};

TEST(SerchDlgDrag, ACaptionDragIsHandedToTheOwner) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = CaptionRecorder::Proc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "PvCaptionRecorder";
    ::RegisterClassA(&wc);
    HWND owner = ::CreateWindowExA(0, wc.lpszClassName, "owner", WS_OVERLAPPEDWINDOW, 100, 300, 600, 300, nullptr,
                                   nullptr, wc.hInstance, nullptr);
    ASSERT_NE(owner, nullptr);
    CSerchDlg panel;
    ASSERT_TRUE(panel.CreateHidden(owner));
    ::SetWindowPos(panel.GetHwnd(), nullptr, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
    RECT before{};
    ::GetWindowRect(panel.GetHwnd(), &before);
    ::SendMessageA(panel.GetHwnd(), WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(before.left + 20, before.top + 5));
    wintest::Pump(100);
    EXPECT_EQ(CaptionRecorder::clicks, 1);
    RECT after{};
    ::GetWindowRect(panel.GetHwnd(), &after);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    panel.DestroyWindow();
    ::DestroyWindow(owner);
}

}  // namespace

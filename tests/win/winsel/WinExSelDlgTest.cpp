// The process and child window selection dialog, fed with a window list of
// real windows.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include "ConditionTestSupport.h"
#include "controller/WindowList.h"
#include "res/resource.h"
#include "platform/ListView.h"

using ListRows::FindRowByText;
using ListRows::HandleText;
#include "winsel/WinExSelDlg.h"

namespace {

enum { kColTitle, kColProcess, kColHandle };

class CTestWinExSelDlg : public CWinExSelDlg {
public:
    using CWinExSelDlg::CWinExSelDlg;
    using CWinExSelDlg::Picker;
};
using CScriptedWinExSel = CScripted<CTestWinExSelDlg>;

std::vector<CWinInf> CurrentWindows() {
    std::vector<CWinInf> list;
    CWindowListBuilder(nullptr).Build(list);
    return list;
}

int RowOf(HWND list, HWND window) { return FindRowByText(list, kColHandle, HandleText(ToHandle(window))); }

}  // namespace

// The wanted process preselects its last window, that window's children are
// listed and the current child is framed; the desktop is never listed.
TEST(WinExSelDlg, PreselectsTheLastWindowOfTheWantedProcessAndItsChild) {
    CWindowSystemScope windows;
    CChildTarget front("プロセス選択 前", 60, 420);
    CChildTarget back("プロセス選択 後", 120, 460);
    ::SetWindowPos(front.Hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    wintest::Pump(30);
    CScriptedWinExSel dlg(CurrentWindows);
    dlg.m_processName = wintest::OwnExeName();
    dlg.m_className = "Edit";
    dlg.m_ctrlId = CChildTarget::kEditId;
    bool inspected = false;
    dlg.AddStep([&](CScriptedWinExSel& d) {
        inspected = true;
        EXPECT_EQ("プロセス＆拡張条件選択", ItemText(d.GetHwnd(), -1));
        HWND list = d.GetItem(IDC_WINEX_WINDOWS);
        EXPECT_EQ(400, ListView_GetColumnWidth(list, kColTitle));
        EXPECT_EQ(-1, RowOf(list, ::GetDesktopWindow()));
        const int frontRow = RowOf(list, front.Hwnd());
        const int backRow = RowOf(list, back.Hwnd());
        ASSERT_GE(frontRow, 0);
        ASSERT_LT(frontRow, backRow);  // front to back
        EXPECT_EQ(backRow, ListView_GetSelectionMark(list));
        EXPECT_EQ(back.Hwnd(), d.Picker().Window());
        HWND children = d.GetItem(IDC_CHILD_LIST);
        EXPECT_EQ(3, RowCount(children));
        const int edit = ListView_GetSelectionMark(children);
        ASSERT_GE(edit, 0);
        EXPECT_EQ(HandleText(ToHandle(back.Edit())), Cell(children, edit, 3));
        EXPECT_NE(0, d.Picker().HighlightRect().right);
        EXPECT_TRUE(d.Picker().Image().HasImage());
    });
    EXPECT_EQ(IDCANCEL, dlg.DoModal(nullptr));
    EXPECT_TRUE(inspected);
}

// "データ再取得" refills the window list and marks the same window again by
// its handle, though its row moved; the chosen window stays.
TEST(WinExSelDlg, RefreshKeepsTheMarkedWindowByItsHandle) {
    CWindowSystemScope windows;
    CChildTarget target("再取得テスト", 60, 420);
    std::vector<CWinInf> first = CurrentWindows();
    std::vector<CWinInf> second = first;
    CWinInf extra;
    extra.hWnd = 0x7fff0010;
    extra.title = "前に来た窓";
    extra.exeName = "OTHER.EXE";
    second.insert(second.begin() + 1, extra);
    int calls = 0;
    CScriptedWinExSel dlg([&] { return ++calls == 1 ? first : second; });
    int before = -1, after = -1;
    std::string markedAfter;
    dlg.AddStep([&](CScriptedWinExSel& d) {
        HWND list = d.GetItem(IDC_WINEX_WINDOWS);
        before = RowOf(list, target.Hwnd());
        ClickListRow(d.GetHwnd(), IDC_WINEX_WINDOWS, before);
        PressButton(d.GetHwnd(), IDC_WINEX_REFRESH);
    });
    dlg.AddStep([&](CScriptedWinExSel& d) {
        HWND list = d.GetItem(IDC_WINEX_WINDOWS);
        after = ListView_GetSelectionMark(list);
        markedAfter = Cell(list, after, kColHandle);
        EXPECT_EQ(target.Hwnd(), d.Picker().Window());
    });
    EXPECT_EQ(IDCANCEL, dlg.DoModal(nullptr));
    EXPECT_EQ(2, calls);
    ASSERT_GE(before, 0);
    EXPECT_EQ(before + 1, after);
    EXPECT_EQ(HandleText(ToHandle(target.Hwnd())), markedAfter);
}

TEST(WinExSelDlg, AnAbsentProcessSelectsNothingAndOkReportsNoChild) {
    CWindowSystemScope windows;
    CChildTarget target("不在プロセステスト", 60, 420);
    CScriptedWinExSel dlg(CurrentWindows);
    dlg.m_processName = "NOSUCHPROGRAM.EXE";
    dlg.AddStep([&](CScriptedWinExSel& d) {
        EXPECT_EQ(-1, ListView_GetSelectionMark(d.GetItem(IDC_WINEX_WINDOWS)));
        EXPECT_EQ(0, RowCount(d.GetItem(IDC_CHILD_LIST)));
        EXPECT_FALSE(d.Picker().Image().HasImage());
        ClickListNowhere(d.GetHwnd(), IDC_WINEX_WINDOWS);
        PressButton(d.GetHwnd(), IDOK);
    });
    dlg.AddStep([&](CScriptedWinExSel& d) {
        // Choosing the window and a unique child gives its process.
        HWND list = d.GetItem(IDC_WINEX_WINDOWS);
        ClickListRow(d.GetHwnd(), IDC_WINEX_WINDOWS, RowOf(list, target.Hwnd()));
        ClickListRow(d.GetHwnd(), IDC_CHILD_LIST,
                     FindRowByText(d.GetItem(IDC_CHILD_LIST), 3, HandleText(ToHandle(target.Edit()))));
        PressButton(d.GetHwnd(), IDOK);
    });
    ASSERT_EQ(IDOK, dlg.DoModal(nullptr));
    EXPECT_EQ(std::vector<std::string>({"ウィンドウを一覧で選択してください",
                                        "子ウィンドウ（コンポーネント）が選択されていません"}),
              dlg.Boxes());
    EXPECT_EQ(wintest::OwnExeName(), dlg.m_processName);
    EXPECT_EQ("Edit", dlg.m_className);
    EXPECT_EQ(CChildTarget::kEditId, dlg.m_ctrlId);
}

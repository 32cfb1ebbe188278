// The window selection dialog, run modally on real windows and driven by
// clicks and keys.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "WinSelTestSupport.h"
#include "WinTestUtil.h"
#include "controller/WindowList.h"
#include "platform/WindowText.h"
#include "res/resource.h"

namespace {

constexpr char kNotice[] = "付箋を貼り付けるウィンドウを一覧で選択してください";

enum { kColTitle, kColProcess, kColHandle };

std::vector<CWinInf> RealWindowList() {
    std::vector<CWinInf> list;
    CWindowListBuilder(nullptr).Build(list);
    return list;
}

int RowOf(HWND list, HWND window) {
    const std::string handle = CWindowSelDlg::HandleText(ToHandle(window));
    for (int row = 0; row < RowCount(list); ++row) {
        if (CellText(list, row, kColHandle) == handle) return row;
    }
    return -1;
}

SIZE WindowSize(HWND hwnd) {
    RECT rect{};
    ::GetWindowRect(hwnd, &rect);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace

TEST(WindowSelDlg, ShowsTheGivenListWithIconsAndPreviewsTheFirstRow) {
    CPaintedWindow first("選択テスト 一", 60, 400, 300, 200, RGB(0, 120, 200));
    CPaintedWindow second("選択テスト 二", 380, 400, 260, 180, RGB(200, 120, 0));
    const std::vector<CWinInf> windows = RealWindowList();
    ASSERT_GE(windows.size(), 3u);

    CScriptedWindowSelDlg dlg;
    dlg.SetWindowList(windows);
    bool inspected = false;
    dlg.AddStep([&](CScriptedWindowSelDlg& d) {
        inspected = true;
        HWND list = d.List();
        EXPECT_EQ("ウィンドウ選択", WindowText(d.GetHwnd()));
        EXPECT_TRUE(::GetWindowLongA(d.GetHwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
        EXPECT_EQ(170, ListView_GetColumnWidth(list, kColTitle));
        EXPECT_EQ(100, ListView_GetColumnWidth(list, kColProcess));
        EXPECT_EQ(0, ListView_GetColumnWidth(list, kColHandle));

        ASSERT_EQ(static_cast<int>(windows.size()), RowCount(list));
        for (int row = 0; row < RowCount(list); ++row) {
            const CWinInf& w = windows[row];
            EXPECT_EQ(w.title, CellText(list, row, kColTitle)) << row;
            EXPECT_EQ(w.exeName, CellText(list, row, kColProcess)) << row;
            char handle[16];
            std::snprintf(handle, sizeof handle, "0x%08x", static_cast<unsigned>(w.hWnd));
            EXPECT_EQ(handle, CellText(list, row, kColHandle)) << row;
        }
        EXPECT_EQ("DESKTOP", CellText(list, 0, kColTitle));

        // Our two windows: one program, one image; the desktop has its own.
        const int rowFirst = RowOf(list, first.Hwnd());
        const int rowSecond = RowOf(list, second.Hwnd());
        ASSERT_GT(rowFirst, 0);
        ASSERT_GT(rowSecond, 0);
        EXPECT_EQ(wintest::OwnExeName(), CellText(list, rowFirst, kColProcess));
        EXPECT_EQ(RowImage(list, rowFirst), RowImage(list, rowSecond));
        EXPECT_GE(RowImage(list, 0), 0);
        EXPECT_GE(RowImage(list, rowFirst), 0);
        EXPECT_NE(RowImage(list, 0), RowImage(list, rowFirst));
        HIMAGELIST images = ListView_GetImageList(list, LVSIL_SMALL);
        ASSERT_NE(nullptr, images);
        // One image per distinct program.
        std::vector<std::string> paths;
        for (const CWinInf& w : windows) paths.push_back(w.exePath);
        std::sort(paths.begin(), paths.end());
        paths.erase(std::unique(paths.begin(), paths.end()), paths.end());
        EXPECT_EQ(static_cast<int>(paths.size()), ::ImageList_GetImageCount(images));

        // Row 0 is selected and marked, and the desktop is in the preview.
        EXPECT_EQ(0, ListView_GetSelectionMark(list));
        EXPECT_EQ(static_cast<UINT>(LVIS_SELECTED), ListView_GetItemState(list, 0, LVIS_SELECTED));
        const SIZE desktop = WindowSize(::GetDesktopWindow());
        EXPECT_EQ(desktop.cx, d.Preview().Image().Width());
        EXPECT_EQ(desktop.cy, d.Preview().Image().Height());
    });
    EXPECT_EQ(IDCANCEL, dlg.DoModal(nullptr));
    EXPECT_TRUE(inspected);
    EXPECT_TRUE(dlg.Notices().empty());
}

TEST(WindowSelDlg, RemoveWindowDropsOnlyThatCandidate) {
    CPaintedWindow target("削除テスト", 60, 400, 300, 200, RGB(0, 120, 200));
    const std::vector<CWinInf> windows = RealWindowList();
    CWindowSelDlg dlg;
    dlg.SetWindowList(windows);

    dlg.RemoveWindow(ToHandle(reinterpret_cast<HWND>(0x7fff0001)));
    EXPECT_EQ(windows.size(), dlg.WindowList().size());

    dlg.RemoveWindow(ToHandle(::GetDesktopWindow()));
    ASSERT_EQ(windows.size() - 1, dlg.WindowList().size());
    for (size_t i = 0; i < dlg.WindowList().size(); ++i) EXPECT_EQ(windows[i + 1].hWnd, dlg.WindowList()[i].hWnd);
}

// The preview follows clicks only; OK takes the row marked with the keys.
TEST(WindowSelDlg, ArrowKeysChooseWhatOkReturnsWhileThePreviewKeepsTheClickedRow) {
    CPaintedWindow first("矢印テスト 一", 60, 500, 300, 200, RGB(0, 120, 200));
    CPaintedWindow second("矢印テスト 二", 380, 500, 260, 180, RGB(200, 120, 0));
    std::vector<CWinInf> windows = RealWindowList();
    ASSERT_GE(windows.size(), 3u);
    static constexpr int kClicked = 1;
    HWND clickedWindow = ToHwnd(windows[kClicked].hWnd);

    CScriptedWindowSelDlg dlg;
    dlg.SetWindowList(windows);
    HWND previewAtOk = nullptr;
    SIZE imageAtOk{};
    dlg.AddStep([](CScriptedWindowSelDlg& d) { d.ClickRow(kClicked); });
    dlg.AddStep([](CScriptedWindowSelDlg& d) {
        EXPECT_EQ(kClicked, ListView_GetSelectionMark(d.List()));
        d.PressKey(VK_DOWN);
    });
    dlg.AddStep([&](CScriptedWindowSelDlg& d) {
        EXPECT_EQ(kClicked + 1, ListView_GetSelectionMark(d.List()));
        previewAtOk = d.Preview().TargetWindow();
        imageAtOk = SIZE{d.Preview().Image().Width(), d.Preview().Image().Height()};
        d.PressOK();
    });

    ASSERT_EQ(IDOK, dlg.DoModal(nullptr));
    EXPECT_EQ(windows[kClicked + 1].hWnd, dlg.GetSelectedWindow().hWnd);
    EXPECT_EQ(windows[kClicked + 1].title, dlg.GetSelectedWindow().title);
    EXPECT_EQ(clickedWindow, previewAtOk);
    const SIZE clickedSize = WindowSize(clickedWindow);
    EXPECT_EQ(clickedSize.cx, imageAtOk.cx);
    EXPECT_EQ(clickedSize.cy, imageAtOk.cy);
    EXPECT_TRUE(dlg.Notices().empty());
}

TEST(WindowSelDlg, EmptyListAsksForASelectionAndStaysOpen) {
    CScriptedWindowSelDlg dlg;
    bool openAfterOk = false;
    dlg.AddStep([](CScriptedWindowSelDlg& d) {
        EXPECT_EQ(0, RowCount(d.List()));
        EXPECT_EQ(-1, ListView_GetSelectionMark(d.List()));
        EXPECT_FALSE(d.Preview().Image().HasImage());
        d.ClickRow(-1);
    });
    dlg.AddStep([](CScriptedWindowSelDlg& d) { d.PressOK(); });
    dlg.AddStep([&](CScriptedWindowSelDlg& d) { openAfterOk = ::IsWindowVisible(d.GetHwnd()) != FALSE; });

    EXPECT_EQ(IDCANCEL, dlg.DoModal(nullptr));
    EXPECT_TRUE(openAfterOk);
    EXPECT_EQ(std::vector<std::string>({kNotice, kNotice}), dlg.Notices());
}

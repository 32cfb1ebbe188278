// The child window selection dialog on a real window with child controls.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include "ConditionTestSupport.h"
#include "res/resource.h"
#include "winsel/ChildSelDlg.h"
#include "platform/ListView.h"

using ListRows::FindRowByText;
using ListRows::HandleText;

namespace {

enum { kColClass, kColId, kColText, kColHandle };

constexpr char kNotUnique[] =
    "この組はユニーク（唯一の子ウィンドウ）ではありません.\r\n最初に条件が合致した子ウィンドウでマッチングを行います.\r\n"
    "よろしいですか？";

class CTestChildSelDlg : public CChildSelDlg {
public:
    using CChildSelDlg::Picker;
};
using CScriptedChildSel = CScripted<CTestChildSelDlg>;

int RowOf(HWND list, HWND child) { return FindRowByText(list, kColHandle, HandleText(ToHandle(child))); }

RECT RelativeRect(HWND child, HWND window) {
    RECT c{}, w{};
    ::GetWindowRect(child, &c);
    ::GetWindowRect(window, &w);
    return RECT{c.left - w.left, c.top - w.top, c.right - w.left, c.bottom - w.top};
}

COLORREF PixelOf(HWND dialog, int x, int y) {
    ::UpdateWindow(dialog);
    HDC dc = ::GetDC(dialog);
    const COLORREF color = ::GetPixel(dc, x, y);
    ::ReleaseDC(dialog, dc);
    return color;
}

}  // namespace

TEST(ChildSelDlg, OffersTheVisibleEnabledChildrenWithTextAndPreselectsTheCurrentOne) {
    CWindowSystemScope windows;
    CChildTarget target("子ウィンドウ選択テスト", 700, 80);
    CScriptedChildSel dlg;
    dlg.m_hTarget = target.Hwnd();
    dlg.m_className = "Edit";
    dlg.m_ctrlId = CChildTarget::kEditId;
    bool inspected = false;
    dlg.AddStep([&](CScriptedChildSel& d) {
        inspected = true;
        EXPECT_EQ("子ウィンドウ条件選択", ItemText(d.GetHwnd(), -1));
        HWND list = d.GetItem(IDC_CHILD_LIST);
        EXPECT_EQ(80, ListView_GetColumnWidth(list, kColClass));
        EXPECT_EQ(60, ListView_GetColumnWidth(list, kColId));
        EXPECT_EQ(300, ListView_GetColumnWidth(list, kColText));
        EXPECT_EQ(0, ListView_GetColumnWidth(list, kColHandle));
        EXPECT_EQ(10, ListView_GetColumnWidth(list, 4));
        // The edit and the two buttons; the hidden, disabled and empty ones
        // are not offered.
        ASSERT_EQ(3, RowCount(list));
        const int edit = RowOf(list, target.Edit());
        ASSERT_GE(edit, 0);
        EXPECT_EQ("Edit", Cell(list, edit, kColClass));
        EXPECT_EQ("100", Cell(list, edit, kColId));
        EXPECT_EQ("alpha", Cell(list, edit, kColText));
        const int first = RowOf(list, target.FirstButton());
        ASSERT_GE(first, 0);
        EXPECT_EQ("Button", Cell(list, first, kColClass));
        EXPECT_EQ("0", Cell(list, first, kColId));
        EXPECT_EQ("一番", Cell(list, first, kColText));
        // The current choice is marked and framed.
        EXPECT_EQ(edit, ListView_GetSelectionMark(list));
        const RECT expected = RelativeRect(target.Edit(), target.Hwnd());
        const PvRect& frame = d.Picker().HighlightRect();
        EXPECT_EQ(expected.left, frame.left);
        EXPECT_EQ(expected.top, frame.top);
        EXPECT_EQ(expected.right, frame.right);
        EXPECT_EQ(expected.bottom, frame.bottom);
        RECT window{};
        ::GetWindowRect(target.Hwnd(), &window);
        EXPECT_EQ(window.right - window.left, d.Picker().Image().Width());
        EXPECT_EQ(window.bottom - window.top, d.Picker().Image().Height());
    });
    EXPECT_EQ(IDCANCEL, dlg.DoModal(nullptr));
    EXPECT_TRUE(inspected);
}

// Two buttons of one class with control ID 0 are not told apart: OK asks,
// No keeps the dialog open, Yes takes the first of them by its values.
TEST(ChildSelDlg, ANonUniqueChoiceAsksAndOnlyYesTakesIt) {
    CWindowSystemScope windows;
    CChildTarget target("ユニーク確認テスト", 700, 80);
    CScriptedChildSel dlg;
    dlg.m_hTarget = target.Hwnd();
    dlg.Answer({IDNO, IDYES});
    bool openAfterNo = false;
    dlg.AddStep([&](CScriptedChildSel& d) {
        HWND list = d.GetItem(IDC_CHILD_LIST);
        EXPECT_EQ(-1, ListView_GetSelectionMark(list));  // nothing to preselect
        ClickListRow(d.GetHwnd(), IDC_CHILD_LIST, RowOf(list, target.SecondButton()));
        PressButton(d.GetHwnd(), IDOK);
    });
    dlg.AddStep([&](CScriptedChildSel& d) {
        openAfterNo = ::IsWindowVisible(d.GetHwnd()) != FALSE;
        PressButton(d.GetHwnd(), IDOK);
    });
    ASSERT_EQ(IDOK, dlg.DoModal(nullptr));
    EXPECT_TRUE(openAfterNo);
    EXPECT_EQ(std::vector<std::string>({kNotUnique, kNotUnique}), dlg.Boxes());
    EXPECT_EQ("Button", dlg.m_className);
    EXPECT_EQ(0, dlg.m_ctrlId);
    EXPECT_EQ("二番", dlg.m_text);
}

TEST(ChildSelDlg, AUniqueChoiceEndsAtOnceAndNoMarkIsReported) {
    CWindowSystemScope windows;
    CChildTarget target("ユニーク選択テスト", 700, 80);
    target.SetEditText("エディットの文字");
    CScriptedChildSel dlg;
    dlg.m_hTarget = target.Hwnd();
    dlg.AddStep([&](CScriptedChildSel& d) {
        ClickListNowhere(d.GetHwnd(), IDC_CHILD_LIST);
        PressButton(d.GetHwnd(), IDOK);
    });
    dlg.AddStep([&](CScriptedChildSel& d) {
        ClickListRow(d.GetHwnd(), IDC_CHILD_LIST, RowOf(d.GetItem(IDC_CHILD_LIST), target.Edit()));
        PressButton(d.GetHwnd(), IDOK);
    });
    ASSERT_EQ(IDOK, dlg.DoModal(nullptr));
    EXPECT_EQ(std::vector<std::string>({"子ウィンドウ（コンポーネント）が選択されていません"}), dlg.Boxes());
    EXPECT_EQ("Edit", dlg.m_className);
    EXPECT_EQ(CChildTarget::kEditId, dlg.m_ctrlId);
    EXPECT_EQ("エディットの文字", dlg.m_text);
}

// The image is drawn at (10, 20); a window larger than 200 x 170 is scaled
// to fit and the red frame is scaled with it.
TEST(ChildSelDlg, TheClickedChildIsFramedInRedOnTheScaledImage) {
    CWindowSystemScope windows;
    CChildTarget target("枠テスト", 700, 80, 420, 300);
    CScriptedChildSel dlg;
    dlg.m_hTarget = target.Hwnd();
    COLORREF corner = 0, inside = 0, image = 0;
    int frameLeft = 0, frameTop = 0;
    dlg.AddStep([&](CScriptedChildSel& d) {
        ClickListRow(d.GetHwnd(), IDC_CHILD_LIST, RowOf(d.GetItem(IDC_CHILD_LIST), target.FirstButton()));
    });
    dlg.AddStep([&](CScriptedChildSel& d) {
        const RECT child = RelativeRect(target.FirstButton(), target.Hwnd());
        // 420 x 300 into 200 x 170: scaled by 200 / 420.
        const double scale = 200.0 / 420.0;
        frameLeft = static_cast<int>(child.left * scale) + 10;
        frameTop = static_cast<int>(child.top * scale) + 20;
        corner = PixelOf(d.GetHwnd(), frameLeft, frameTop);
        inside = PixelOf(d.GetHwnd(), frameLeft + 1, frameTop + 1);
        // The target's background, well away from its children and frame.
        image = PixelOf(d.GetHwnd(), 10 + static_cast<int>(300 * scale), 20 + static_cast<int>(250 * scale));
    });
    EXPECT_EQ(IDCANCEL, dlg.DoModal(nullptr));
    EXPECT_EQ(RGB(255, 0, 0), corner) << frameLeft << "," << frameTop;
    EXPECT_NE(RGB(255, 0, 0), inside);
    EXPECT_EQ(CChildTarget::kColor, image);
}

// The row tip over a report list: the text of the row under the resting
// pointer, another row's text after a move, none off the rows.
#include "WinTestUtil.h"

#include "platform/ListRowTip.h"
#include "platform/ListView.h"
#include "WindowFinder.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

namespace {

void PointerTo(POINT p) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = p.x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = p.y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &input, sizeof input);
}

// The middle of `row`'s second cell, in screen coordinates.
POINT CellCentre(HWND list, int row) {
    RECT r{};
    r.top = 1;
    r.left = LVIR_LABEL;
    ::SendMessageA(list, LVM_GETSUBITEMRECT, row, reinterpret_cast<LPARAM>(&r));
    POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ::ClientToScreen(list, &p);
    return p;
}

// Waits for the tip to show (or not) and returns its text.
std::string ShownTip(HWND tip, DWORD ms = 4000) {
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < ms) {
        wintest::Pump(20);
        if (::IsWindowVisible(tip)) {
            return pvtest::ControlTextOf(tip);
        }
    }
    return std::string();
}

TEST(ListRowTip, ShowsTheTextOfTheRowUnderThePointer) {
    wintest::CTargetWindow host("PvRowTipHost", 100, 100, 420, 240);
    HWND list = ::CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 400, 200,
                                  host.Hwnd(), nullptr, ::GetModuleHandleA(nullptr), nullptr);
    ListRows::InitReportList(list, {{"a", 100}, {"b", 200}});
    for (int i = 0; i < 3; ++i) ListRows::AppendRow(list, "row");
    int asked = -1;
    CListRowTip tip;
    ASSERT_TRUE(tip.Attach(list, [&](int row) {
        asked = row;
        return row == 2 ? std::string() : "行" + std::to_string(row) + "\r\n二行目";
    }));

    PointerTo(CellCentre(list, 0));
    EXPECT_EQ(ShownTip(tip.TipWindow()), "行0\r\n二行目");
    PointerTo(CellCentre(list, 1));
    EXPECT_EQ(ShownTip(tip.TipWindow()), "行1\r\n二行目");
    EXPECT_EQ(asked, 1);
    // A row without a text, and the empty part of the list, show nothing.
    PointerTo(CellCentre(list, 2));
    EXPECT_EQ(ShownTip(tip.TipWindow(), 1500), "");
    EXPECT_EQ(asked, 2);
    PointerTo(POINT{200, 280});
    EXPECT_EQ(ShownTip(tip.TipWindow(), 1500), "");
}

}  // namespace

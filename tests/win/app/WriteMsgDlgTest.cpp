// CWriteMsgDlg: the writing window shown while saving.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "ButtonTestSupport.h"
#include "app/WriteMsgDlg.h"
#include "platform/WindowText.h"
#include "res/resource.h"

namespace {

std::string StaticText(HWND dialog) {
    return WindowText(::GetDlgItem(dialog, IDC_WRITEMSG_TEXT));
}

BYTE Alpha(HWND hwnd) {
    COLORREF key = 0;
    BYTE alpha = 123;
    DWORD flags = 0;
    EXPECT_TRUE(::GetLayeredWindowAttributes(hwnd, &key, &alpha, &flags));
    EXPECT_TRUE(flags & LWA_ALPHA);
    return alpha;
}

class WriteMsgDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dlg.Create());
        m_hwnd = m_dlg.GetHwnd();
        ASSERT_NE(m_hwnd, nullptr);
    }
    CWriteMsgDlg m_dlg;
    HWND m_hwnd = nullptr;
};

TEST_F(WriteMsgDlgTest, StartsHiddenLayeredCentredWithoutOwner) {
    EXPECT_FALSE(::IsWindowVisible(m_hwnd));
    EXPECT_TRUE(::GetWindowLongPtrA(m_hwnd, GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_EQ(Alpha(m_hwnd), 0);
    EXPECT_EQ(::GetWindow(m_hwnd, GW_OWNER), nullptr);
    EXPECT_EQ(StaticText(m_hwnd), "Pinvane：書き込み中！");
    EXPECT_EQ(m_dlg.Text(), "Pinvane：書き込み中！");

    RECT work{}, rc{};
    ASSERT_TRUE(::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    ::GetWindowRect(m_hwnd, &rc);
    EXPECT_NEAR((rc.left + rc.right) / 2, (work.left + work.right) / 2, 1);
    EXPECT_NEAR((rc.top + rc.bottom) / 2, (work.top + work.bottom) / 2, 1);
}

TEST_F(WriteMsgDlgTest, ShowMakesItVisibleAndOpaqueHideInvisibleAndTransparent) {
    m_dlg.Show();
    EXPECT_TRUE(::IsWindowVisible(m_hwnd));
    EXPECT_EQ(Alpha(m_hwnd), 255);
    m_dlg.Hide();
    EXPECT_FALSE(::IsWindowVisible(m_hwnd));
    EXPECT_EQ(Alpha(m_hwnd), 0);
    m_dlg.Show();
    EXPECT_TRUE(::IsWindowVisible(m_hwnd));
    EXPECT_EQ(Alpha(m_hwnd), 255);
}

TEST_F(WriteMsgDlgTest, SetTextShowsInTheStaticAtOnce) {
    m_dlg.Show();
    m_dlg.SetText("Pinvane：書き込み完了！");
    EXPECT_EQ(StaticText(m_hwnd), "Pinvane：書き込み完了！");
    EXPECT_EQ(m_dlg.Text(), "Pinvane：書き込み完了！");
    // Already painted: nothing is left to update in the static.
    EXPECT_FALSE(::GetUpdateRect(m_dlg.GetItem(IDC_WRITEMSG_TEXT), nullptr, FALSE));
}

TEST_F(WriteMsgDlgTest, EnterEscapeAndCloseDoNotCloseIt) {
    m_dlg.Show();
    ::SendMessageA(m_hwnd, WM_COMMAND, IDOK, 0);
    ::SendMessageA(m_hwnd, WM_COMMAND, IDCANCEL, 0);
    ::SendMessageA(m_hwnd, WM_CLOSE, 0, 0);
    // Keys through the dialog manager, as a user would press them.
    for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
        MSG msg{m_hwnd, WM_KEYDOWN, key, 0, 0, {}};
        ::IsDialogMessageA(m_hwnd, &msg);
    }
    Pump(30);
    EXPECT_TRUE(::IsWindow(m_hwnd));
    EXPECT_TRUE(::IsWindowVisible(m_hwnd));
    EXPECT_EQ(m_dlg.GetHwnd(), m_hwnd);
}

TEST_F(WriteMsgDlgTest, DispatchesOnlyItsOwnMessages) {
    HWND other = ::CreateWindowExA(0, "STATIC", "other", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(other, nullptr);
    Pump(20);
    m_dlg.Show();
    m_dlg.SetText("Pinvane：書き込み完了！");
    ::InvalidateRect(m_hwnd, nullptr, TRUE);
    const UINT probe = WM_APP + 7;
    ASSERT_TRUE(::PostMessageA(m_hwnd, probe, 0, 0));
    ASSERT_TRUE(::PostMessageA(other, probe, 0, 0));

    m_dlg.DispatchOwnMessages();

    MSG msg;
    EXPECT_FALSE(::PeekMessageA(&msg, m_hwnd, 0, 0, PM_NOREMOVE));
    EXPECT_FALSE(::GetUpdateRect(m_hwnd, nullptr, FALSE));  // painted
    EXPECT_TRUE(::PeekMessageA(&msg, other, probe, probe, PM_NOREMOVE));  // left alone
    ::DestroyWindow(other);
    Pump(20);
}

TEST_F(WriteMsgDlgTest, FailedOpacityIsTraced) {
    CTraceCapture trace;
    // Not layered any more: the system refuses the opacity.
    ::SetWindowLongPtrA(m_hwnd, GWL_EXSTYLE, ::GetWindowLongPtrA(m_hwnd, GWL_EXSTYLE) & ~WS_EX_LAYERED);
    m_dlg.Show();
    EXPECT_NE(trace.Text().find("SetLayeredWindowAttributes() Error="), std::string::npos) << trace.Text();
    EXPECT_TRUE(::IsWindowVisible(m_hwnd));
}

}  // namespace

// COwnerDrawButton on the real buttons of the main window's template.
#include <gtest/gtest.h>

#include <windows.h>

#include "ButtonTestSupport.h"
#include "platform/OwnerDrawButton.h"
#include "res/resource.h"

namespace {

class OwnerDrawButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(m_host.Hwnd(), nullptr);
        ::ShowWindow(m_host.Hwnd(), SW_SHOWNOACTIVATE);
        m_button = m_host.GetItem(IDC_BTN_EXPORTSTACK);
        m_other = m_host.GetItem(IDC_BTN_INPORTSTACK);
        ASSERT_NE(m_button, nullptr);
        ASSERT_NE(m_other, nullptr);
    }
    void TearDown() override { m_host.DestroyWindow(); }

    void MoveMouse(int x, int y) { ::SendMessageA(m_button, WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); }
    POINT Centre() const {
        RECT rc;
        ::GetClientRect(m_button, &rc);
        return POINT{rc.right / 2, rc.bottom / 2};
    }

    CHostDialog m_host{IDD_MOSSREL_DIALOG};
    HWND m_button = nullptr;
    HWND m_other = nullptr;
};

LONG_PTR ButtonType(HWND button) { return ::GetWindowLongPtrA(button, GWL_STYLE) & BS_TYPEMASK; }

TEST_F(OwnerDrawButtonTest, AttachMakesTheButtonOwnerDrawnAndDetachGivesItBack) {
    const LONG_PTR buttonProc = ::GetWindowLongPtrA(m_button, GWLP_WNDPROC);
    const LONG_PTR dialogProc = ::GetWindowLongPtrA(m_host.Hwnd(), GWLP_WNDPROC);
    const LONG_PTR type = ButtonType(m_button);
    ASSERT_NE(type, BS_OWNERDRAW);
    {
        COwnerDrawButton button;
        ASSERT_TRUE(button.Attach(m_button));
        EXPECT_TRUE(button.IsAttached());
        EXPECT_EQ(button.GetHwnd(), m_button);
        EXPECT_EQ(ButtonType(m_button), BS_OWNERDRAW);
        EXPECT_NE(::GetWindowLongPtrA(m_button, GWLP_WNDPROC), buttonProc);
        button.Detach();
        EXPECT_FALSE(button.IsAttached());
        EXPECT_EQ(ButtonType(m_button), type);
        EXPECT_EQ(::GetWindowLongPtrA(m_button, GWLP_WNDPROC), buttonProc);
        EXPECT_EQ(::GetWindowLongPtrA(m_host.Hwnd(), GWLP_WNDPROC), dialogProc);
        ASSERT_TRUE(button.Attach(m_button));
    }
    // The destructor lets go as well.
    EXPECT_EQ(ButtonType(m_button), type);
    EXPECT_EQ(::GetWindowLongPtrA(m_button, GWLP_WNDPROC), buttonProc);
    EXPECT_EQ(::GetWindowLongPtrA(m_host.Hwnd(), GWLP_WNDPROC), dialogProc);
}

TEST_F(OwnerDrawButtonTest, AttachRefusesWhatIsNoWindow) {
    COwnerDrawButton button;
    EXPECT_FALSE(button.Attach(nullptr));
    EXPECT_FALSE(button.IsAttached());
}

TEST_F(OwnerDrawButtonTest, NormalHotPressedAndDisabledLookDifferent) {
    COwnerDrawButton button;
    ASSERT_TRUE(button.Attach(m_button));
    ::SetFocus(m_other);  // the dialog gave the first button the focus
    const CPixels normal = PrintClient(m_button);
    ASSERT_GT(normal.width, 0);
    // The caption is drawn in dark text on the light face.
    EXPECT_GT(CountDarkPixels(normal, 90), 20);

    const POINT c = Centre();
    MoveMouse(c.x, c.y);
    EXPECT_TRUE(button.IsHot());
    const CPixels hot = PrintClient(m_button);
    MoveMouse(-5, c.y);  // a captured move from outside: no longer hot
    EXPECT_FALSE(button.IsHot());
    EXPECT_EQ(PrintClient(m_button), normal);

    ::SendMessageA(m_button, BM_SETSTATE, TRUE, 0);
    const CPixels pressed = PrintClient(m_button);
    ::SendMessageA(m_button, BM_SETSTATE, FALSE, 0);

    ::EnableWindow(m_button, FALSE);
    const CPixels disabled = PrintClient(m_button);
    ::EnableWindow(m_button, TRUE);

    EXPECT_NE(hot, normal);
    EXPECT_NE(pressed, normal);
    EXPECT_NE(pressed, hot);
    EXPECT_NE(disabled, normal);
    EXPECT_NE(disabled, hot);
    EXPECT_NE(disabled, pressed);
    // Disabled text is greyed: nothing dark is left.
    EXPECT_EQ(CountDarkPixels(disabled, 90), 0);
    EXPECT_EQ(PrintClient(m_button), normal);

    ::SetFocus(m_button);
    ASSERT_EQ(::GetFocus(), m_button);
    const CPixels focused = PrintClient(m_button);
    EXPECT_NE(focused, normal);
    EXPECT_NE(focused, hot);
}

TEST_F(OwnerDrawButtonTest, MouseLeaveAndDisablingEndTheHotLook) {
    COwnerDrawButton button;
    ASSERT_TRUE(button.Attach(m_button));
    const POINT c = Centre();
    MoveMouse(c.x, c.y);
    ASSERT_TRUE(button.IsHot());
    ::SendMessageA(m_button, WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(button.IsHot());
    MoveMouse(c.x, c.y);
    ASSERT_TRUE(button.IsHot());
    ::EnableWindow(m_button, FALSE);
    EXPECT_FALSE(button.IsHot());
}

TEST_F(OwnerDrawButtonTest, EachObjectDrawsOnlyItsOwnButton) {
    // Two buttons of one dialog: the dialog's WM_DRAWITEM reaches the right one.
    CPixels otherPlain;
    {
        COwnerDrawButton second;
        ASSERT_TRUE(second.Attach(m_other));
        otherPlain = PrintClient(m_other);
    }
    COwnerDrawButton first;
    COwnerDrawButton second;
    ASSERT_TRUE(first.Attach(m_button));
    ASSERT_TRUE(second.Attach(m_other));
    const POINT c = Centre();
    MoveMouse(c.x, c.y);
    ASSERT_TRUE(first.IsHot());
    EXPECT_FALSE(second.IsHot());
    EXPECT_EQ(PrintClient(m_other), otherPlain);
}

TEST_F(OwnerDrawButtonTest, HandCursorOnlyWhenAskedFor) {
    COwnerDrawButton button;
    ASSERT_TRUE(button.Attach(m_button));
    HCURSOR hand = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND));
    HCURSOR arrow = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    const LPARAM overClient = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);

    ::SendMessageA(m_button, WM_SETCURSOR, reinterpret_cast<WPARAM>(m_button), overClient);
    EXPECT_EQ(::GetCursor(), arrow);

    button.SetHandCursor(true);
    EXPECT_EQ(::SendMessageA(m_button, WM_SETCURSOR, reinterpret_cast<WPARAM>(m_button), overClient), TRUE);
    EXPECT_EQ(::GetCursor(), hand);

    button.SetHandCursor(false);
    ::SendMessageA(m_button, WM_SETCURSOR, reinterpret_cast<WPARAM>(m_button), overClient);
    EXPECT_EQ(::GetCursor(), arrow);
}

TEST_F(OwnerDrawButtonTest, MenuFontIsTheSystemMenuFont) {
    COwnerDrawButton button;
    ASSERT_TRUE(button.Attach(m_button));
    const HFONT dialogFont = reinterpret_cast<HFONT>(::SendMessageA(m_button, WM_GETFONT, 0, 0));
    EXPECT_EQ(button.CaptionFont(), dialogFont);

    button.SetMenuFont(true);
    HFONT menuFont = button.CaptionFont();
    ASSERT_NE(menuFont, dialogFont);
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    ASSERT_TRUE(::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0));
    LOGFONTA used{};
    ASSERT_TRUE(::GetObjectA(menuFont, sizeof used, &used));
    EXPECT_EQ(used.lfHeight, metrics.lfMenuFont.lfHeight);
    EXPECT_STREQ(used.lfFaceName, metrics.lfMenuFont.lfFaceName);
    // The button's own font is left as it was.
    EXPECT_EQ(reinterpret_cast<HFONT>(::SendMessageA(m_button, WM_GETFONT, 0, 0)), dialogFont);

    button.SetMenuFont(false);
    EXPECT_EQ(button.CaptionFont(), dialogFont);
}

TEST_F(OwnerDrawButtonTest, DestroyingTheDialogReleasesTheButton) {
    COwnerDrawButton button;
    ASSERT_TRUE(button.Attach(m_button));
    m_host.DestroyWindow();
    EXPECT_FALSE(button.IsAttached());
    EXPECT_EQ(button.GetHwnd(), nullptr);
}

}  // namespace

// COpaCheck on the main window template's check box "検索パネル".
#include <gtest/gtest.h>

#include <windows.h>

#include <set>

#include "ButtonTestSupport.h"
#include "dialogs/OpaCheck.h"
#include "res/resource.h"
#include "WindowFinder.h"

namespace {

class OpaCheckTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(m_host.Hwnd(), nullptr);
        ::ShowWindow(m_host.Hwnd(), SW_SHOWNOACTIVATE);
        m_check = m_host.GetItem(IDC_CHK_SEARCHPANEL);
        ASSERT_NE(m_check, nullptr);
    }
    void TearDown() override { m_host.DestroyWindow(); }

    CHostDialog m_host{IDD_MOSSREL_DIALOG};
    HWND m_check = nullptr;
};

// Distinct colours in the columns [left, right).
size_t ColoursIn(const CPixels& pixels, int left, int right) {
    std::set<uint32_t> colours;
    for (int y = 0; y < pixels.height; ++y)
        for (int x = left; x < right && x < pixels.width; ++x) colours.insert(pixels.At(x, y) & 0x00FFFFFFu);
    return colours.size();
}
size_t ColoursFrom(const CPixels& pixels, int left) { return ColoursIn(pixels, left, pixels.width); }

TEST_F(OpaCheckTest, AttachAndDetachRestoreTheWindowProcedure) {
    const LONG_PTR original = ::GetWindowLongPtrA(m_check, GWLP_WNDPROC);
    COpaCheck opa;
    ASSERT_TRUE(opa.Attach(m_check));
    EXPECT_TRUE(opa.IsAttached());
    EXPECT_NE(::GetWindowLongPtrA(m_check, GWLP_WNDPROC), original);
    // Attaching again to the same box changes nothing.
    ASSERT_TRUE(opa.Attach(m_check));
    opa.Detach();
    EXPECT_FALSE(opa.IsAttached());
    EXPECT_EQ(::GetWindowLongPtrA(m_check, GWLP_WNDPROC), original);
    opa.Detach();  // detaching twice is harmless
    EXPECT_EQ(::GetWindowLongPtrA(m_check, GWLP_WNDPROC), original);
}

TEST_F(OpaCheckTest, PaintsTheBoxAndItsCaption) {
    const CPixels ordinary = PaintInto(m_check);
    COpaCheck opa;
    ASSERT_TRUE(opa.Attach(m_check));
    const CPixels withCaption = PaintInto(m_check);
    ASSERT_GT(withCaption.width, 20);
    // The box and the caption are there: many colours right of the box.
    EXPECT_GT(ColoursIn(withCaption, 0, 14), 2u);
    EXPECT_GT(CountDarkPixels(withCaption, 100), 20);

    ::SetWindowTextA(m_check, "");
    const CPixels empty = PaintInto(m_check);
    EXPECT_NE(empty, withCaption);
    // Only the box is drawn: the caption area is one plain colour.
    EXPECT_EQ(ColoursFrom(empty, 20), 1u);
    EXPECT_GT(ColoursIn(empty, 0, 14), 2u);  // the box itself

    // Detached, the box paints as it did before.
    ::SetWindowTextW(m_check, L"検索パネル");
    opa.Detach();
    EXPECT_EQ(PaintInto(m_check), ordinary);
}

TEST_F(OpaCheckTest, RealPaintMessageValidatesTheBox) {
    COpaCheck opa;
    ASSERT_TRUE(opa.Attach(m_check));
    ::SendMessageA(m_check, BM_SETCHECK, BST_CHECKED, 0);
    ::InvalidateRect(m_check, nullptr, TRUE);
    ::UpdateWindow(m_check);
    EXPECT_FALSE(::GetUpdateRect(m_check, nullptr, FALSE));
    Pump(50);
    EXPECT_EQ(::SendMessageA(m_check, BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(OpaCheckTest, DestroyedBoxIsLetGo) {
    COpaCheck opa;
    ASSERT_TRUE(opa.Attach(m_check));
    ::DestroyWindow(m_check);
    EXPECT_FALSE(opa.IsAttached());
}

TEST(WindowTextWideTest, ConvertsWithTheAnsiCodePage) {
    HWND hwnd = ::CreateWindowExW(0, L"STATIC", L"検索パネル", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(WindowTextWide(hwnd), L"\u691c\u7d22\u30d1\u30cd\u30eb");
    ::DestroyWindow(hwnd);
}

}  // namespace

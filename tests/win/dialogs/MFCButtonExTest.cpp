// CMFCButtonEx: drawn like the base button, then opaque over its rectangle.
#include <gtest/gtest.h>

#include <windows.h>

#include "ButtonTestSupport.h"
#include "dialogs/MFCButtonEx.h"
#include "platform/DibSection.h"
#include "res/resource.h"

namespace {

// Both buttons with their content step in reach of the test.
class CPlainProbe : public COwnerDrawButton {
public:
    using COwnerDrawButton::OnDrawContent;
};
class CExProbe : public CMFCButtonEx {
public:
    using CMFCButtonEx::OnDrawContent;
};

constexpr int kWidth = 140;
constexpr int kHeight = 44;
constexpr RECT kContent{10, 6, 130, 38};

uint8_t Alpha(uint32_t p) { return static_cast<uint8_t>(p >> 24); }
uint32_t Colour(uint32_t p) { return p & 0x00FFFFFFu; }
bool Inside(int x, int y) { return x >= kContent.left && x < kContent.right && y >= kContent.top && y < kContent.bottom; }

class MFCButtonExTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(m_host.Hwnd(), nullptr);
        m_button = m_host.GetItem(IDC_BTN_EXPORTSTACK);
        ASSERT_NE(m_button, nullptr);
    }
    void TearDown() override { m_host.DestroyWindow(); }

    CHostDialog m_host{IDD_MOSSREL_DIALOG};
    HWND m_button = nullptr;
};

TEST_F(MFCButtonExTest, ContentStepLeavesItsRectangleOpaqueAndNothingElse) {
    // A surface that is transparent everywhere, with a mid-grey backdrop.
    CDibSection plain(kWidth, kHeight);
    CDibSection ex(kWidth, kHeight);
    ASSERT_TRUE(plain);
    ASSERT_TRUE(ex);
    for (int i = 0; i < kWidth * kHeight; ++i) plain.Bits()[i] = ex.Bits()[i] = 0x00808080u;

    CButtonDrawState state;
    CPlainProbe base;
    ASSERT_TRUE(base.Attach(m_button));
    base.OnDrawContent(plain.Dc(), kContent, state);
    base.Detach();
    CExProbe button;
    ASSERT_TRUE(button.Attach(m_button));
    button.OnDrawContent(ex.Dc(), kContent, state);
    ::GdiFlush();

    int textPixels = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const uint32_t p = ex.Pixel(x, y);
            // The colours are those of the base drawing.
            ASSERT_EQ(Colour(p), Colour(plain.Pixel(x, y))) << x << "," << y;
            if (Inside(x, y)) {
                ASSERT_EQ(Alpha(p), 255) << x << "," << y;
            } else {
                ASSERT_EQ(p, 0x00808080u) << x << "," << y;
            }
            if (Colour(plain.Pixel(x, y)) != 0x808080u) {
                ++textPixels;
                // Classic drawing alone leaves these see-through.
                EXPECT_EQ(Alpha(plain.Pixel(x, y)), 0);
            }
        }
    }
    EXPECT_GT(textPixels, 20);  // the caption was drawn at all
}

TEST_F(MFCButtonExTest, WholeButtonIsOpaqueWhenItPaints) {
    CMFCButtonEx button;
    ASSERT_TRUE(button.Attach(m_button));
    const CPixels pixels = PrintClient(m_button);
    ASSERT_GT(pixels.width, 0);
    for (uint32_t p : pixels.data) ASSERT_EQ(Alpha(p), 255);

    // The plain button, same state, same colours but transparent.
    button.Detach();
    COwnerDrawButton plain;
    ASSERT_TRUE(plain.Attach(m_button));
    const CPixels plainPixels = PrintClient(m_button);
    ASSERT_EQ(plainPixels.data.size(), pixels.data.size());
    int transparent = 0;
    for (size_t i = 0; i < pixels.data.size(); ++i) {
        ASSERT_EQ(Colour(plainPixels.data[i]), Colour(pixels.data[i]));
        if (Alpha(plainPixels.data[i]) == 0) ++transparent;
    }
    EXPECT_GT(transparent, 0);
}

}  // namespace

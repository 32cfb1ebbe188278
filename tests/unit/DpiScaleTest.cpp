#include <gtest/gtest.h>

#include "data/DpiScale.h"

TEST(DpiScale, ScalesDesignSizesToTheMonitor) {
    const struct {
        int value;
        unsigned dpi;
        int scaled;
    } cases[] = {
        {17, 96, 17},  {17, 120, 21},  {17, 144, 26},  {17, 192, 34},   {200, 144, 300},
        {60, 192, 120}, {-12, 144, -18}, {-13, 120, -16}, {5, 0, 5},     {1, 144, 2},
        {0, 288, 0},   {2000000000, 192, 2147483647},
    };
    for (const auto& c : cases) EXPECT_EQ(ScaleForDpi(c.value, c.dpi), c.scaled) << c.value << " @" << c.dpi;
}

TEST(DpiScale, UnscalingGivesBackWhatWasScaled) {
    for (unsigned dpi : {96u, 108u, 120u, 144u, 168u, 192u, 240u, 288u}) {
        for (int v = -200; v <= 200; ++v) {
            ASSERT_EQ(UnscaleForDpi(ScaleForDpi(v, dpi), dpi), v) << v << " @" << dpi;
        }
    }
}

TEST(DpiScale, FontsScaleOnlyTheirSize) {
    PvLogFont stored;
    stored.lfHeight = -12;
    stored.lfWidth = 6;
    stored.lfWeight = 700;
    stored.lfCharSet = kShiftJisCharset;
    stored.lfFaceName[0] = 'M';

    const PvLogFont shown = FontAtDpi(stored, 144);
    EXPECT_EQ(shown.lfHeight, -18);
    EXPECT_EQ(shown.lfWidth, 9);
    EXPECT_EQ(shown.lfWeight, 700);
    EXPECT_EQ(shown.lfCharSet, kShiftJisCharset);
    EXPECT_EQ(shown.lfFaceName[0], 'M');
    EXPECT_EQ(FontAt96(shown, 144), stored);
    EXPECT_EQ(FontAtDpi(stored, 96), stored);
}

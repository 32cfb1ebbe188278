// The summary texts and swatch colours of the note defaults dialog.
#include "dialogs/NoteDefaultsText.h"

#include <gtest/gtest.h>

namespace {

using namespace NoteDefaultsText;

TEST(NoteDefaultsText, SummaryTexts) {
    struct Case {
        std::string actual;
        const char* expected;
    };
    const Case cases[] = {
        {EarPosition(0), "右"},
        {EarPosition(2), "左"},
        {EarPosition(7), "下"},
        {Gradient(0, 3), "Gradation 無し"},
        {Gradient(1, 0), "Gradation 有り:上から下"},
        {Gradient(1, 7), "Gradation 有り:中央から左右"},
        {Gradient(1, 8), "Gradation 有り:"},
        {LeaderLine(1, 2), "あり　　線幅：太い"},
        {LeaderLine(0, 0), "なし　　線幅：細い"},
        {LeaderLine(2, 5), "なし　　線幅：Unknown"},
        {MouseHide(3), "マウス重なり透明化ON"},
        {MouseHide(0), "マウス重なり透明化OFF"},
        {Frame(1), "サイズ変更枠を付ける"},
        {Frame(0), "サイズ変更枠を外す"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.actual, c.expected);
}

TEST(NoteDefaultsText, FontSizeInPointsOrPixels) {
    struct Case {
        int height;
        int dpi;
        const char* label;
        const char* value;
    };
    const Case cases[] = {
        {-12, 96, "サイズ", "9"},
        {-16, 96, "サイズ", "12"},
        {-13, 96, "サイズ", "10"},  // 9.75 rounds up
        {-11, 96, "サイズ", "8"},   // 8.25 rounds down
        {-12, 120, "サイズ", "7"},
        {20, 96, "高さ", "20"},
        {0, 96, "サイズ", "デフォルト"},
    };
    for (const Case& c : cases) {
        FontSize size = FontSizeText(c.height, c.dpi);
        EXPECT_EQ(size.label, c.label) << c.height;
        EXPECT_EQ(size.value, c.value) << c.height << " at " << c.dpi;
    }
}

TEST(NoteDefaultsText, SwatchColoursWithTheirFallbacks) {
    EXPECT_EQ(TextColor(0), Rgb(0, 0, 0));
    EXPECT_EQ(TextColor(1), Rgb(255, 0, 0));
    EXPECT_EQ(TextColor(9), Rgb(0, 0, 255));
    EXPECT_EQ(EarColor(3), Rgb(253, 140, 2));
    EXPECT_EQ(EarColor(-1), Rgb(0, 0, 0));
    EXPECT_EQ(BackgroundColor(4), Rgb(255, 255, 180));
    EXPECT_EQ(BackgroundColor(0), Rgb(255, 255, 255));
    EXPECT_EQ(BackgroundColor(6), Rgb(150, 150, 150));
    EXPECT_EQ(Rgb(1, 2, 3), 0x030201u);
}

}  // namespace

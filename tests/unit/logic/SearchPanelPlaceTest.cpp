#include <gtest/gtest.h>

#include "collections/SearchPanelPlace.h"

namespace {

constexpr PvRect kWork{0, 0, 1280, 994};           // a screen above a 30-pixel taskbar
constexpr PvRect kLeftWork{-1920, 0, 0, 1040};      // a second monitor left of it

// A visible frame seven pixels inside the window at the sides and bottom,
// as extended frame bounds report it.
PvRect FrameOf(const PvRect& r) { return PvRect{r.left + 7, r.top, r.right - 7, r.bottom - 7}; }

TEST(SearchPanelPlace, AboveIfItFitsElseBelowElseClampedToTheWorkArea) {
    const struct {
        const char* name;
        PvRect window;
        int height;
        PvRect work;
        PvRect placed;
    } cases[] = {
        {"above, where the main window opens", {700, 600, 1280, 994}, 180, kWork, {700, 420, 1280, 600}},
        {"above, touching the top", {700, 180, 1280, 600}, 180, kWork, {700, 0, 1280, 180}},
        {"one pixel short above: below", {700, 179, 1280, 600}, 180, kWork, {700, 593, 1280, 773}},
        {"main window at the top: below", {700, 10, 1280, 400}, 181, kWork, {700, 393, 1280, 574}},
        {"below, touching the bottom", {700, 10, 1280, 821}, 180, kWork, {700, 814, 1280, 994}},
        {"room on neither side: clamped", {0, 100, 1280, 900}, 180, kWork, {0, 0, 1280, 180}},
        {"higher than the work area", {700, 600, 1280, 994}, 1200, kWork, {700, 0, 1280, 1200}},
        {"main window past the right edge", {1000, 600, 1580, 994}, 180, kWork, {700, 420, 1280, 600}},
        {"main window past the left edge", {-100, 600, 480, 994}, 180, kWork, {0, 420, 580, 600}},
        {"main window above the screen", {700, -300, 1280, 100}, 180, kWork, {700, 93, 1280, 273}},
        {"on the left monitor, at its top", {-800, 20, -200, 500}, 180, kLeftWork, {-800, 493, -200, 673}},
        {"on the left monitor, above", {-800, 520, -200, 1000}, 180, kLeftWork, {-800, 340, -200, 520}},
    };
    for (const auto& c : cases) {
        const PvRect placed = SearchPanelRect(c.window, FrameOf(c.window), c.height, c.work);
        EXPECT_EQ(placed, c.placed) << c.name << ": " << placed.left << "," << placed.top << "," << placed.right << ","
                                    << placed.bottom;
        EXPECT_EQ(placed.Width(), c.window.Width()) << c.name;
        EXPECT_EQ(placed.Height(), c.height) << c.name;
    }
}

TEST(SearchPanelPlace, NeverLeavesTheWorkAreaWhileItFits) {
    // The main window dragged over the whole screen, step by step.
    for (int top = -400; top <= 1200; top += 7) {
        for (int left = -600; left <= 1400; left += 97) {
            const PvRect window{left, top, left + 580, top + 394};
            const PvRect placed = SearchPanelRect(window, FrameOf(window), 181, kWork);
            ASSERT_GE(placed.top, kWork.top) << left << "," << top;
            ASSERT_LE(placed.bottom, kWork.bottom) << left << "," << top;
            ASSERT_GE(placed.left, kWork.left) << left << "," << top;
            ASSERT_LE(placed.right, kWork.right) << left << "," << top;
        }
    }
}

}  // namespace

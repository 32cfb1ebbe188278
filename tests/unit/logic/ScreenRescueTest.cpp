#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "controller/ScreenRescue.h"

namespace {

constexpr PvRect kLeftScreen{0, 0, 1280, 984};      // a work area above a taskbar
constexpr PvRect kRightScreen{1280, 0, 3200, 1080};

struct Case {
    const char* name;
    PvRect note;
    std::vector<PvRect> areas;
    std::optional<PvRect> moved;
};

TEST(ScreenRescue, MovesIntoTheNearestWorkAreaKeepingTheSize) {
    const Case cases[] = {
        {"wholly inside", {100, 100, 300, 160}, {kLeftScreen}, std::nullopt},
        {"20 x 20 left inside", {1260, 100, 1460, 160}, {kLeftScreen}, std::nullopt},
        {"19 pixels wide inside", {1261, 100, 1461, 160}, {kLeftScreen}, PvRect{1080, 100, 1280, 160}},
        {"19 pixels high inside", {100, 965, 300, 1025}, {kLeftScreen}, PvRect{100, 924, 300, 984}},
        {"saved at x = 2500 on one screen", {2500, 300, 2700, 360}, {kLeftScreen}, PvRect{1080, 300, 1280, 360}},
        {"above and left of the screen", {-500, -300, -300, -240}, {kLeftScreen}, PvRect{0, 0, 200, 60}},
        {"on the second screen", {2500, 300, 2700, 360}, {kLeftScreen, kRightScreen}, std::nullopt},
        {"the nearer of two", {3300, 300, 3500, 360}, {kLeftScreen, kRightScreen}, PvRect{3000, 300, 3200, 360}},
        {"below both: the nearer", {1200, 1200, 1400, 1260}, {kLeftScreen, kRightScreen},
         PvRect{1280, 1020, 1480, 1080}},
        {"split 10 / 10 across two screens", {1270, 100, 1290, 160}, {kLeftScreen, kRightScreen},
         PvRect{1260, 100, 1280, 160}},
        {"larger than the area", {-100, -100, 1500, 1100}, {kLeftScreen}, std::nullopt},
        {"larger and off screen", {2000, 0, 3600, 100}, {kLeftScreen}, PvRect{0, 0, 1600, 100}},
        {"no work area", {2500, 300, 2700, 360}, {}, std::nullopt},
    };
    for (const Case& c : cases) {
        const std::optional<PvRect> moved = RescuedRect(c.note, c.areas);
        EXPECT_EQ(moved.has_value(), c.moved.has_value()) << c.name;
        if (moved && c.moved) {
            EXPECT_EQ(*moved, *c.moved) << c.name;
            EXPECT_EQ(moved->Width(), c.note.Width()) << c.name;
            EXPECT_EQ(moved->Height(), c.note.Height()) << c.name;
        }
    }
}

}  // namespace

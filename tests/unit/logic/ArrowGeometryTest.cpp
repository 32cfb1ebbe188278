// Leader-line geometry: arrowhead, pen, clamping, default placement.
#include <gtest/gtest.h>

#include "notewin/ArrowGeometry.h"

namespace {

using namespace ArrowGeometry;

TEST(ArrowGeometry, HeadAndPenFollowTheWidthIndex) {
    const struct {
        int index;
        int pen;
        PvPoint wing1;
        PvPoint wing2;
    } cases[] = {
        {0, 1, {90, 4}, {90, -4}},   // 10-pixel head
        {1, 2, {88, 4}, {88, -4}},   // 12 pixels, wings 4.8 truncated
        {2, 3, {85, 6}, {85, -6}},   // 15 pixels
        {7, 2, {98, 0}, {98, 0}},    // any other index: 2 pixels
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PenWidth(c.index), c.pen) << c.index;
        const CArrowHead head = Head({0, 0}, {100, 0}, c.index);
        ASSERT_TRUE(head.drawn) << c.index;
        EXPECT_EQ(head.tip, (PvPoint{100, 0})) << c.index;
        EXPECT_EQ(head.wing1, c.wing1) << c.index;
        EXPECT_EQ(head.wing2, c.wing2) << c.index;
    }
}

TEST(ArrowGeometry, WingsStandAcrossTheLineInEveryDirection) {
    // Pointing down: the base lies 10 pixels above the tip.
    const CArrowHead down = Head({50, 0}, {50, 100}, 0);
    ASSERT_TRUE(down.drawn);
    EXPECT_EQ(down.wing1, (PvPoint{46, 90}));
    EXPECT_EQ(down.wing2, (PvPoint{54, 90}));
    // Pointing up and left along the diagonal.
    const CArrowHead diagonal = Head({100, 100}, {40, 20}, 2);  // length 100
    ASSERT_TRUE(diagonal.drawn);
    EXPECT_EQ(diagonal.wing1, (PvPoint{53, 28}));  // base (49, 32), wings (53.8, 28.4) and (44.2, 35.6)
    EXPECT_EQ(diagonal.wing2, (PvPoint{44, 35}));
}

TEST(ArrowGeometry, ALineShorterThanItsHeadHasNone) {
    EXPECT_FALSE(Head({0, 0}, {5, 0}, 0).drawn);
    EXPECT_FALSE(Head({0, 0}, {0, 14}, 2).drawn);
    EXPECT_FALSE(Head({3, 3}, {3, 3}, 1).drawn);
    EXPECT_TRUE(Head({0, 0}, {10, 0}, 0).drawn);  // exactly as long as the head
}

TEST(ArrowGeometry, StartHandleIsKeptOnTheNote) {
    const PvRect note{100, 100, 300, 200};
    const struct {
        PvRect handle;
        PvRect expected;
        bool moved;
    } cases[] = {
        {{150, 120, 165, 135}, {150, 120, 165, 135}, false},  // inside
        {{350, 150, 365, 165}, {293, 150, 308, 165}, true},   // right of it: centre on the right edge
        {{20, 20, 35, 35}, {93, 93, 108, 108}, true},         // above left: the corner
        {{200, 300, 215, 315}, {200, 193, 215, 208}, true},   // below
        {{293, 193, 308, 208}, {293, 193, 308, 208}, false},  // centre exactly on the corner
    };
    for (const auto& c : cases) {
        bool moved = !c.moved;
        const PvRect r = ClampIntoNote(c.handle, note, &moved);
        EXPECT_EQ(r, c.expected) << c.handle.left << "," << c.handle.top;
        EXPECT_EQ(moved, c.moved) << c.handle.left << "," << c.handle.top;
    }
}

TEST(ArrowGeometry, DefaultPlacementDropsTheEndInsideTheWorkArea) {
    const PvRect note{100, 100, 301, 201};
    EXPECT_EQ(DefaultStart(note), (PvPoint{100, 50}));
    EXPECT_EQ(DefaultEndPoint(note, {0, 0, 1280, 1000}), (PvPoint{200, 250}));
    EXPECT_EQ(DefaultEndPoint(note, {0, 0, 1280, 220}), (PvPoint{200, 210}));
    EXPECT_EQ(DefaultEndPoint(note, {0, 0, 150, 1000}), (PvPoint{140, 250}));
}

TEST(ArrowGeometry, LineWindowEnclosesBothHandles) {
    EXPECT_EQ(Enclosure({100, 200, 115, 215}, {50, 300, 65, 315}), (PvRect{40, 190, 125, 325}));
    EXPECT_EQ(Centre({100, 200, 115, 215}), (PvPoint{107, 207}));
    EXPECT_TRUE(Contains({0, 0, 10, 10}, {0, 9}));
    EXPECT_FALSE(Contains({0, 0, 10, 10}, {10, 5}));
}

}  // namespace

TEST(ArrowGeometry, SizesFollowTheMonitorScaling) {
    using namespace ArrowGeometry;
    const struct {
        unsigned dpi;
        int handle;
        int thinPen;
        int normalPen;
        int thickHead;
    } cases[] = {{96, 15, 1, 2, 15}, {144, 23, 2, 3, 23}, {192, 30, 2, 4, 30}};
    for (const auto& c : cases) {
        EXPECT_EQ(HandleSize(c.dpi), c.handle) << c.dpi;
        EXPECT_EQ(PenWidth(0, c.dpi), c.thinPen) << c.dpi;
        EXPECT_EQ(PenWidth(1, c.dpi), c.normalPen) << c.dpi;
        EXPECT_EQ(HeadLength(2, c.dpi), c.thickHead) << c.dpi;
    }
    EXPECT_EQ(Enclosure({100, 200, 130, 230}, {50, 300, 80, 330}, 192), (PvRect{30, 180, 150, 350}));
    // A head twice as long at twice the DPI: a 20-pixel line carries a thin
    // head at 96 DPI but none at 192.
    EXPECT_TRUE(Head({0, 0}, {20, 0}, 0).drawn);
    EXPECT_FALSE(Head({0, 0}, {19, 0}, 0, 192).drawn);
}

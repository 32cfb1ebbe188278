#include <gtest/gtest.h>

#include <vector>

#include "notewin/NoteFade.h"

namespace {
using Action = CNoteFade::Action;
}  // namespace

TEST(NoteFade, AlphaFromPercent) {
    const struct {
        int percent;
        int alpha;
    } cases[] = {{-10, 0}, {0, 0}, {20, 51}, {70, 178}, {100, 255}, {150, 255}};
    for (const auto& c : cases) EXPECT_EQ(CNoteFade::AlphaFromPercent(c.percent), c.alpha) << c.percent;
}

TEST(NoteFade, FadeAlphaFollowsTheStepFactors) {
    const struct {
        int counter;
        int base;
        int alpha;
    } cases[] = {{9, 255, 255}, {9, 200, 200}, {8, 255, 220}, {5, 200, 78}, {4, 255, 60},
                 {3, 255, 0},   {0, 200, 0},   {12, 200, 200}, {-3, 200, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(CNoteFade::FadeAlpha(c.counter, static_cast<std::uint8_t>(c.base)), c.alpha)
            << c.counter << " " << c.base;
    }
}

TEST(NoteFade, MouseOver) {
    const struct {
        int mouseHide;
        int bkTransparent;
        bool ctrl;
        bool in;
        int counter;
        Action action;
    } cases[] = {
        {1, 0, false, true, CNoteFade::kSteps, Action::None},
        {1, 1, false, true, CNoteFade::kSteps, Action::None},
        {0, 0, false, true, 0, Action::None},
        {0, 1, false, false, 0, Action::None},
        {0, 1, true, true, 0, Action::MakeOpaque},
    };
    for (const auto& c : cases) {
        CNoteFade fade;
        EXPECT_EQ(fade.MouseOver(c.mouseHide, c.bkTransparent, c.ctrl), c.action) << c.mouseHide << c.bkTransparent;
        EXPECT_EQ(fade.MouseIn(), c.in) << c.mouseHide << c.bkTransparent << c.ctrl;
        EXPECT_EQ(fade.Counter(), c.counter) << c.mouseHide << c.bkTransparent << c.ctrl;
        // A second move while in changes nothing.
        EXPECT_EQ(fade.MouseOver(c.mouseHide, c.bkTransparent, true), c.in ? Action::None : Action::MakeOpaque);
    }
}

TEST(NoteFade, MouseOutStep) {
    const struct {
        bool wasIn;
        int bkTransparent;
        bool inside;
        bool ctrl;
        bool editFocus;
        bool in;
        Action action;
    } cases[] = {
        {false, 0, true, false, false, true, Action::None},
        {false, 1, true, false, false, false, Action::None},
        {false, 1, true, true, false, true, Action::MakeOpaque},
        {false, 2, true, true, false, false, Action::None},
        {true, 0, false, false, false, false, Action::RestoreAlpha},
        {true, 0, false, false, true, false, Action::MakeOpaque},
        {true, 1, true, false, false, true, Action::None},
        {false, 0, false, false, false, false, Action::None},
    };
    for (const auto& c : cases) {
        CNoteFade fade;
        if (c.wasIn) fade.MouseOver(0, 0, false);
        EXPECT_EQ(fade.MouseOutStep(c.bkTransparent, c.inside, c.ctrl, c.editFocus), c.action)
            << c.wasIn << c.bkTransparent << c.inside << c.ctrl << c.editFocus;
        EXPECT_EQ(fade.MouseIn(), c.in) << c.wasIn << c.bkTransparent << c.inside << c.ctrl << c.editFocus;
    }
}

TEST(NoteFade, FadeStepsDownOnlyWhileTheMouseIsIn) {
    CNoteFade fade;
    EXPECT_FALSE(fade.FadeStep(200).has_value());  // mouse not in

    fade.MouseOver(1, 0, false);
    std::vector<int> alphas;
    while (auto alpha = fade.FadeStep(200)) alphas.push_back(*alpha);
    EXPECT_EQ(alphas, (std::vector<int>{200, 172, 141, 117, 78, 47, 0, 0, 0, 0}));
    EXPECT_EQ(fade.Counter(), 0);

    fade.MouseOutStep(0, false, false, false);
    fade.MouseOver(1, 0, false);
    fade.ResetCounter();
    EXPECT_FALSE(fade.FadeStep(200).has_value());  // reset: nothing pending
}

#include "data/TackletData.h"

#include <gtest/gtest.h>

#include "FakeWindows.h"
#include "data/NoteDate.h"

namespace {

constexpr PvHandle kTarget = 0x100;

class TackletDataTest : public ::testing::Test {
protected:
    TackletDataTest() { system.windows[kTarget] = {200, 100, 800, 500}; }

    // A record attached to kTarget with a window.
    CTackletData Attached() {
        CTackletData n;
        n.SetNoteRect({10, 20, 110, 70});
        n.StartTacklet(kTarget);
        return n;
    }

    FakeWindowSystem system;
};

TEST_F(TackletDataTest, StartHandsOverEveryValueInOrder) {
    CTackletData n;
    n.EXENAME = "DESKTOP";
    n.TEXT = "body";
    n.READONLY = 1;
    n.TRANSPARENT_ = 40;
    n.GRAFLG = 0;
    n.GRAPTN = 3;
    n.m_reserve.enable = 0;
    n.SetNoteRect({10, 20, 110, 70});
    n.SetTargetRect({1, 2, 3, 4});
    n.m_arrow.ARWFLAG = 1;
    n.ARLINEWIDTH = 2;
    n.StartTacklet(kTarget);

    const std::vector<std::string> order = {
        "Create", "SetTarget", "SetText", "SetReadOnly", "SetBkTransparent", "SetTransparent",
        "SetMouseHideCtl", "SetColor", "SetFrame", "SetPickPos", "SetBkColor", "SetTxColor",
        "SetGradient", "SetEditFont", "SetReserve", "MoveWindow", "SetTargetRect", "SetArrow",
        "CompleteStart"};
    EXPECT_EQ(system.log, order);
    FakeTackletWindow* w = system.LastWindow();
    ASSERT_EQ(n.m_pWin, w);
    EXPECT_EQ(system.owners[0], kTarget);
    EXPECT_EQ(n.m_bAttached, 1);
    EXPECT_EQ(n.hTargetWnd, kTarget);
    EXPECT_TRUE(w->desktop);
    EXPECT_EQ(w->target, kTarget);
    EXPECT_EQ(w->text, "body");
    EXPECT_EQ(w->readOnly, 1);
    EXPECT_EQ(w->transparent, 40);
    EXPECT_EQ(w->graFlg, 0);
    EXPECT_EQ(w->graPtn, 3);
    EXPECT_EQ(w->reserve.enable, 0);
    EXPECT_EQ(w->rect, (PvRect{10, 20, 110, 70}));
    EXPECT_EQ(w->targetRect, (PvRect{1, 2, 3, 4}));
    EXPECT_EQ(w->arrow.ARWFLAG, 1);
    EXPECT_EQ(w->lineWidth, 2);
}

TEST_F(TackletDataTest, StartDoesNothingWhenAttachedOrTheTargetIsGone) {
    CTackletData n;
    n.StartTacklet(0x555);  // not a window
    EXPECT_EQ(n.m_bAttached, 0);
    n.StartTacklet(kTarget);
    n.StartTacklet(kTarget);
    EXPECT_EQ(system.created.size(), 1u);
}

struct PlacementCase {
    PvRect owner;
    PvRect expected;
};

TEST_F(TackletDataTest, NoteWithoutPositionOpensAtInitialSizeCentredOverItsTarget) {
    const PlacementCase cases[] = {
        {{200, 100, 800, 500}, {400, 270, 600, 330}},  // centred
        {{-300, 0, 100, 200}, {0, 70, 200, 130}},      // kept inside the work area on the left
        {{900, 700, 1300, 900}, {824, 708, 1024, 768}},  // and on the right and bottom
    };
    for (const auto& c : cases) {
        system.windows[kTarget] = c.owner;
        CTackletData n;  // REC_LEFT == REC_RIGHT
        n.StartTacklet(kTarget);
        EXPECT_EQ(system.LastWindow()->rect, c.expected);
    }
}

TEST_F(TackletDataTest, FailedCreationLeavesTheRecordAttachedUntilTheNextMatch) {
    system.failCreate = true;
    CTackletData n;
    n.StartTacklet(kTarget);
    EXPECT_EQ(n.m_bAttached, 1);
    EXPECT_EQ(n.m_pWin, nullptr);
    std::vector<CWinInf> none;
    n.MatchWindows(none);
    EXPECT_EQ(n.m_bAttached, 0);
    EXPECT_EQ(system.notifications, 0);  // no window, nothing collected
}

TEST_F(TackletDataTest, EndCollectsDestroysMarksAndNotifies) {
    CTackletData n = Attached();
    FakeTackletWindow* w = system.LastWindow();
    w->text = std::string(3999, 'x') + "あ" + "tail";  // over 4000 bytes in the code page
    w->rectWin = {1, 2, 3, 4};
    w->targetRect = {5, 6, 7, 8};
    w->readOnly = 1; w->bkTransparent = 1; w->transparent = 90; w->mouseHide = 1; w->color = 3;
    w->frame = 1; w->pickPos = 2; w->bkColor = 4; w->txColor = 2; w->graFlg = 0; w->graPtn = 5;
    w->font.lfWeight = 700;
    w->reserve.type = 2;
    w->arrow = {1, 9, 9, 9, 9};
    w->lineWidth = 0;
    n.EndTacklet();

    EXPECT_TRUE(w->destroyed);
    EXPECT_EQ(n.m_pWin, nullptr);
    EXPECT_EQ(n.m_bAttached, 0);
    EXPECT_EQ(n.m_bModified, 1);
    EXPECT_EQ(system.notifications, 1);
    EXPECT_EQ(n.TEXT, std::string(3999, 'x'));  // cut to 4000 code-page bytes, not inside a character
    EXPECT_EQ(n.NoteRect(), (PvRect{1, 2, 3, 4}));
    EXPECT_EQ(n.TargetRect(), (PvRect{5, 6, 7, 8}));
    EXPECT_EQ(n.READONLY, 1);
    EXPECT_EQ(n.BKTRANSPARENT, 1);
    EXPECT_EQ(n.MOUSEHIDECTL, 1);
    EXPECT_EQ(n.FRAME, 1);
    EXPECT_EQ(n.TRANSPARENT_, 90);
    EXPECT_EQ(n.COLOR, 3);
    EXPECT_EQ(n.PICKPOS, 2);
    EXPECT_EQ(n.BKCOLOR, 4);
    EXPECT_EQ(n.TXCOLOR, 2);
    EXPECT_EQ(n.GRAFLG, 0);
    EXPECT_EQ(n.GRAPTN, 5);
    EXPECT_EQ(n.m_logFont.lfWeight, 700);
    EXPECT_EQ(n.m_reserve.type, 2);
    EXPECT_EQ(n.m_arrow, (CArrowData{1, 9, 9, 9, 9}));
    EXPECT_EQ(n.ARLINEWIDTH, 0);

    n.EndTacklet();  // detached: nothing more happens
    EXPECT_EQ(system.notifications, 1);
}

TEST_F(TackletDataTest, TextGoesToTheWindowWhileThereIsOne) {
    CTackletData n = Attached();
    n.TEXT = "stored";
    n.SetText(std::string(4100, 'y'));
    EXPECT_EQ(n.TEXT, "stored");
    EXPECT_EQ(n.GetText(), std::string(4000, 'y'));
    n.EndTacklet();
    EXPECT_EQ(n.TEXT, std::string(4000, 'y'));
    n.SetText("new");
    EXPECT_EQ(n.TEXT, "new");
    EXPECT_EQ(n.GetText(), "new");
}

TEST_F(TackletDataTest, CopiesShareTheWindowUntilDetachedByACopyOperation) {
    CTackletData n = Attached();
    FakeTackletWindow* w = system.LastWindow();
    w->text = "live";
    w->rectWin = {10, 20, 110, 70};

    CTackletData dup = n;
    EXPECT_EQ(dup.m_pWin, w);
    dup.CopyWindowForDuplicate();
    EXPECT_EQ(dup.NoteRect(), (PvRect{15, 25, 115, 75}));
    EXPECT_EQ(dup.TEXT, "live");
    EXPECT_EQ(dup.m_pWin, nullptr);
    EXPECT_EQ(dup.m_bAttached, 0);

    CTackletData exported = n;
    exported.CopyWindowForExport();
    EXPECT_EQ(exported.NoteRect(), (PvRect{10, 20, 110, 70}));
    EXPECT_EQ(exported.m_bAttached, 0);

    CTackletData kept = n;
    kept.CopyWindow();
    EXPECT_EQ(kept.TEXT, "live");
    EXPECT_EQ(kept.m_pWin, w);
    EXPECT_EQ(kept.m_bAttached, 1);

    EXPECT_FALSE(w->destroyed);
    EXPECT_EQ(n.m_pWin, w);

    CTackletData detached;
    detached.SetNoteRect({1, 1, 2, 2});
    detached.CopyWindowForDuplicate();  // no window: unchanged
    EXPECT_EQ(detached.NoteRect(), (PvRect{1, 1, 2, 2}));
}

struct CentreCase {
    PvRect target;
    PvRect expected;
};

TEST_F(TackletDataTest, CentringOnTargetTruncates) {
    const CentreCase cases[] = {
        {{200, 100, 800, 500}, {450, 275, 550, 325}},
        {{-301, -101, 0, 0}, {-200, -75, -100, -25}},  // (-301)/2 = -150 truncated
        {{0, 0, 101, 51}, {0, 0, 100, 50}},
    };
    for (const auto& c : cases) {
        system.windows[kTarget] = c.target;
        CTackletData n = Attached();  // note 100 x 50
        n.CenterOnTarget();
        EXPECT_EQ(system.LastWindow()->rect, c.expected);
    }
}

TEST_F(TackletDataTest, CentringOnMonitorUsesTheWorkArea) {
    CTackletData n = Attached();
    system.workArea = {0, 0, 1920, 1040};
    n.CenterOnTargetMonitor();
    EXPECT_EQ(system.LastWindow()->rect, (PvRect{910, 495, 1010, 545}));

    system.hasMonitor = false;
    system.workArea = {0, 0, 100, 100};
    n.CenterOnTargetMonitor();
    EXPECT_EQ(system.LastWindow()->rect, (PvRect{910, 495, 1010, 545}));

    system.hasMonitor = true;
    system.windows.erase(kTarget);  // target gone
    n.CenterOnTarget();
    n.CenterOnTargetMonitor();
    EXPECT_EQ(system.LastWindow()->rect, (PvRect{910, 495, 1010, 545}));
}

TEST_F(TackletDataTest, DetachTouchesTheAccessTime) {
    CTackletData n = Attached();
    n.ACSDATE = 0;
    const PvTime before = NowTime();
    n.Detach();
    EXPECT_GE(n.ACSDATE, before);
    EXPECT_EQ(n.m_bAttached, 0);

    n.ACSDATE = 0;
    n.TouchAccessTime();  // only while attached
    EXPECT_EQ(n.ACSDATE, 0);
}

// The record holds its strings plus well under a kilobyte.
static_assert(sizeof(CTackletData) <= 1024);

}  // namespace

// Windowless rules of the condition and preset dialogs: where an image and
// its highlight frame are drawn, what OK of a preset checks, and what the
// match condition dialog hands back to a note.
#include "collections/PresetRules.h"
#include "controller/NoteList.h"
#include "winsel/ImageFit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(ImageFit, SmallerInBothDirectionsIsDrawnUnscaled) {
    const CImageFit fit = FitImageInto(200, 170, 199, 169);
    EXPECT_FALSE(fit.scaled);
    EXPECT_EQ(199, fit.width);
    EXPECT_EQ(169, fit.height);
    EXPECT_DOUBLE_EQ(1.0, fit.scale);
    EXPECT_EQ(200, fit.frameLimitWidth);
    EXPECT_EQ(170, fit.frameLimitHeight);
}

TEST(ImageFit, ReachingTheAreaInOneDirectionIsScaledWithItsAspectKept) {
    struct Case {
        int w, h;
        int drawnW, drawnH;
    };
    const Case cases[] = {
        {200, 100, 200, 100},   // equal width: scaled by 1 along the width
        {400, 170, 200, 85},    // wide: fills the width
        {100, 340, 50, 170},    // tall: fills the height
        {800, 600, 200, 150},
        {1280, 1024, 200, 160},
    };
    for (const Case& c : cases) {
        const CImageFit fit = FitImageInto(200, 170, c.w, c.h);
        EXPECT_TRUE(fit.scaled) << c.w << "x" << c.h;
        EXPECT_EQ(c.drawnW, fit.width) << c.w << "x" << c.h;
        EXPECT_EQ(c.drawnH, fit.height) << c.w << "x" << c.h;
        EXPECT_EQ(fit.width, fit.frameLimitWidth);
        EXPECT_EQ(fit.height, fit.frameLimitHeight);
    }
}

TEST(ImageFit, TheFrameIsScaledWithTheImageMovedToItAndNeverBeyondIt) {
    // 800 x 600 into 200 x 170: a quarter, drawn 200 x 150 at (10, 20).
    const CImageFit fit = FitImageInto(200, 170, 800, 600);
    PvRect frame;
    ASSERT_TRUE(HighlightFrame(PvRect{40, 80, 403, 202}, 10, 20, fit, &frame));
    EXPECT_EQ((PvRect{20, 40, 110, 70}), frame);
    // A child reaching past the window's right and bottom edges.
    ASSERT_TRUE(HighlightFrame(PvRect{700, 500, 1000, 900}, 10, 20, fit, &frame));
    EXPECT_EQ((PvRect{185, 145, 210, 170}), frame);
    // Unscaled: moved only, limited by the area.
    const CImageFit small = FitImageInto(150, 120, 100, 80);
    ASSERT_TRUE(HighlightFrame(PvRect{5, 6, 300, 70}, 20, 150, small, &frame));
    EXPECT_EQ((PvRect{25, 156, 170, 220}), frame);
}

TEST(ImageFit, AnEmptyHighlightDrawsNoFrame) {
    const CImageFit fit = FitImageInto(200, 170, 100, 100);
    PvRect frame;
    EXPECT_FALSE(HighlightFrame(PvRect{}, 10, 20, fit, &frame));
    EXPECT_FALSE(HighlightFrame(PvRect{5, 5, 5, 30}, 10, 20, fit, &frame));
    EXPECT_FALSE(HighlightFrame(PvRect{5, 5, 30, 5}, 10, 20, fit, &frame));
}

CPreSetCondData Complete() {
    CPreSetCondData p;
    p.CONDNAME = "メモ帳";
    p.EXENAME = "NOTEPAD.EXE";
    p.EXCLASS = "Edit";
    return p;
}

TEST(PresetRules, OkNamesTheFirstMissingValueBeforeAnyQuestion) {
    struct Case {
        void (*change)(CPreSetCondData&);
        const char* notice;
    };
    const Case cases[] = {
        {[](CPreSetCondData& p) { p.CONDNAME.clear(); p.EXENAME.clear(); }, "条件名が設定されていません"},
        {[](CPreSetCondData& p) { p.EXENAME.clear(); p.EXCLASS.clear(); }, "プロセス名が設定されていません"},
        {[](CPreSetCondData& p) { p.EXCLASS.clear(); p.TITLEFLAG = 0; }, "ウィンドウクラス名が設定されていません"},
    };
    for (const Case& c : cases) {
        CPreSetCondData p = Complete();
        c.change(p);
        const CPresetOkCheck check = CheckPresetForOk(p);
        ASSERT_NE(nullptr, check.notice);
        EXPECT_STREQ(c.notice, check.notice);
        EXPECT_TRUE(check.questions.empty());
    }
}

TEST(PresetRules, OkAsksAboutEachConditionSwitchedOffInOrder) {
    CPreSetCondData p = Complete();
    EXPECT_EQ(nullptr, CheckPresetForOk(p).notice);
    EXPECT_TRUE(CheckPresetForOk(p).questions.empty());

    p.TITLEFLAG = 0;
    p.EXTENTFLAG = 0;
    p.PROCESSFLAG = 0;
    const CPresetOkCheck check = CheckPresetForOk(p);
    EXPECT_EQ(nullptr, check.notice);
    ASSERT_EQ(3u, check.questions.size());
    EXPECT_STREQ("拡張条件がチェックされていません.よろしいですか？", check.questions[0]);
    EXPECT_STREQ("タイトル条件がチェックされていません.よろしいですか？", check.questions[1]);
    EXPECT_STREQ("プロセス名条件がチェックされていません.よろしいですか？", check.questions[2]);
}

TEST(PresetRules, ProcessesAreFoundByTheirExactName) {
    std::vector<CPreSetCondData> presets(3);
    presets[0].EXENAME = "A.EXE";
    presets[1].EXENAME = "B.EXE";
    presets[2].EXENAME = "B.EXE";
    EXPECT_EQ(1, FindPresetForProcess(presets, "B.EXE"));
    EXPECT_EQ(-1, FindPresetForProcess(presets, "b.exe"));
    EXPECT_EQ(-1, FindPresetForProcess(presets, "C.EXE"));
    EXPECT_EQ("プロセス名：B.EXE の設定は既に存在します.\r\n設定を破棄しましか？", DuplicateProcessQuestion("B.EXE"));
}

TEST(TakeMatchCondition, CopiesTheConditionAndKeepsTheNoteAsItIsNow) {
    CTackletData note;
    note.TEXT = "今の本文";
    note.TITLE = "今のタイトル";
    note.m_bAttached = 1;
    note.hTargetWnd = 0x1234;
    note.SetNoteRect(PvRect{1, 2, 3, 4});
    note.m_bModified = 0;

    CTackletData edited;
    edited.TEXT = "古い本文";
    edited.TITLE = "古いタイトル";
    edited.m_bAttached = 0;
    edited.hTargetWnd = 0;
    edited.TITLEFLAG = 0;
    edited.PRECESSEFLAG = 1;
    edited.FULL = 0;
    edited.PART = "部分";
    edited.EXTENTFLAG = 1;
    edited.EXFULLFLAG = 0;
    edited.EXTEXT = "alpha";
    edited.EXPART = "lph";
    edited.EXCLASS = "Edit";
    edited.EXCTLID = 100;

    TakeMatchCondition(note, edited);
    EXPECT_EQ(0, note.TITLEFLAG);
    EXPECT_EQ(1, note.PRECESSEFLAG);
    EXPECT_EQ(0, note.FULL);
    EXPECT_EQ("部分", note.PART);
    EXPECT_EQ(1, note.EXTENTFLAG);
    EXPECT_EQ(0, note.EXFULLFLAG);
    EXPECT_EQ("alpha", note.EXTEXT);
    EXPECT_EQ("lph", note.EXPART);
    EXPECT_EQ("Edit", note.EXCLASS);
    EXPECT_EQ(100, note.EXCTLID);
    EXPECT_EQ(1, note.m_bModified);
    EXPECT_EQ("今の本文", note.TEXT);
    EXPECT_EQ("今のタイトル", note.TITLE);
    EXPECT_EQ(1, note.m_bAttached);
    EXPECT_EQ(PvHandle{0x1234}, note.hTargetWnd);
    EXPECT_EQ((PvRect{1, 2, 3, 4}), note.NoteRect());
}

}  // namespace

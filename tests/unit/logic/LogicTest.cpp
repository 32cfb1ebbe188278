// Controller logic that needs no window: list bookkeeping, re-targeting,
// hotkey latches, panel rows and extension requests.
#include "controller/ExtensionRequest.h"
#include "controller/HotkeyLatch.h"
#include "controller/NoteList.h"
#include "controller/NoteRows.h"
#include "controller/UpdateBatch.h"
#include "data/ValueBounds.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <utility>
#include <ctime>

namespace {

CTackletData Named(const char* title) {
    CTackletData note;
    note.TITLE = title;
    return note;
}

TEST(NoteList, InsertAtHeadMarksEveryRecordThatMoved) {
    CNoteList list;
    list.InsertAtHead(Named("a"));
    list[0].m_bModified = 0;
    list.InsertAtHead(Named("b"));
    ASSERT_EQ(list.Size(), 2u);
    EXPECT_EQ(list[0].TITLE, "b");
    EXPECT_EQ(list[1].m_bModified, 1);
}

TEST(NoteList, RemoveAtMarksTheFollowingRecordsAndKeepsIdentities) {
    CNoteList list;
    for (const char* t : {"e", "d", "c", "b", "a"}) list.InsertAtHead(Named(t));
    for (auto& n : list.Items()) n.m_bModified = 0;
    const auto idOfD = list.IdAt(3);
    const auto idOfC = list.IdAt(2);
    list.RemoveAt(2);
    ASSERT_EQ(list.Size(), 4u);
    EXPECT_EQ(list[2].TITLE, "d");
    EXPECT_EQ(list[3].TITLE, "e");
    EXPECT_EQ(list[1].m_bModified, 0);
    EXPECT_EQ(list[2].m_bModified, 1);
    EXPECT_EQ(list[3].m_bModified, 1);
    EXPECT_EQ(list.IndexOf(idOfD), 2);
    EXPECT_EQ(list.IndexOf(idOfC), -1);
    list.InsertAtHead(Named("new"));
    EXPECT_EQ(list.IndexOf(idOfD), 3);
    list.RemoveAt(99);  // out of range: nothing
    EXPECT_EQ(list.Size(), 5u);
}

TEST(NoteList, FindByWindowOnlyMatchesAttachedRecords) {
    CNoteList list;
    list.InsertAtHead(Named("x"));
    EXPECT_EQ(list.FindByWindow(0x1234, false), -1);
    EXPECT_EQ(list.FindByWindow(0, false), -1);
}

TEST(Retarget, CentresKeepsSizeAndResetsTheCondition) {
    CTackletData defaults;
    defaults.TITLEFLAG = 0;
    defaults.EXTENTFLAG = 1;
    defaults.EXCLASS = "Edit";
    defaults.m_arrow.ARWFLAG = 0;
    defaults.m_arrow.ARWENDX = 7;

    CTackletData note;
    note.SetNoteRect({10, 20, 110, 60});
    note.hTargetWnd = 0x55;
    note.PART = "keep";
    note.EXTEXT = "old";
    note.m_arrow.ARWFLAG = 1;
    note.m_arrow.ARWSATRTX = 30;
    RetargetRecord(note, {-101, 0, 200, 301}, "T", "APP.EXE", "C:\\app.exe", defaults);
    // left = -101 + (301 - 100) / 2 = -1; top = 0 + (301 - 40) / 2 = 130
    EXPECT_EQ(note.NoteRect(), (PvRect{-1, 130, 99, 170}));
    EXPECT_EQ(note.TargetRect(), (PvRect{-101, 0, 200, 301}));
    EXPECT_EQ(note.hTargetWnd, 0u);
    EXPECT_EQ(note.TITLE, "T");
    EXPECT_EQ(note.EXENAME, "APP.EXE");
    EXPECT_EQ(note.EXEPATH, "C:\\app.exe");
    EXPECT_EQ(note.TITLEFLAG, 0);
    EXPECT_EQ(note.EXTENTFLAG, 1);
    EXPECT_EQ(note.EXCLASS, "Edit");
    EXPECT_EQ(note.EXTEXT, "");
    EXPECT_EQ(note.PART, "keep");
    EXPECT_EQ(note.m_arrow.ARWFLAG, 0);
    EXPECT_EQ(note.m_arrow.ARWSATRTX, defaults.m_arrow.ARWSATRTX);
    EXPECT_EQ(note.m_arrow.ARWENDX, 7);
}

TEST(Retarget, RectCentredOnAPointTruncates) {
    EXPECT_EQ(RectCentredOn(100, 50, 201, 61), (PvRect{0, 20, 200, 80}));
}

// Numbers from files and requests: no overflow (the tests run with the
// undefined-behaviour sanitizer) and a rectangle within the note bounds.
TEST(Retarget, ExtremeNumbersStayWithinTheNoteBounds) {
    struct Case {
        PvRect note;
        PvRect target;
    };
    const Case cases[] = {
        {{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, {0, 0, 800, 600}},
        {{INT_MAX, INT_MAX, INT_MIN, INT_MIN}, {INT_MIN, INT_MIN, INT_MAX, INT_MAX}},
        {{0, 0, 100, 40}, {INT_MAX - 5, INT_MAX - 5, INT_MAX, INT_MAX}},
    };
    for (const Case& c : cases) {
        CTackletData note;
        note.SetNoteRect(c.note);
        RetargetRecord(note, c.target, "T", "APP.EXE", "C:\\app.exe", CTackletData());
        const PvRect r = note.NoteRect();
        EXPECT_GE(r.left, -kMaxCoordinate);
        EXPECT_LE(r.right, kMaxCoordinate);
        EXPECT_GE(r.Width(), 0);
        EXPECT_LE(r.Width(), kMaxNoteExtent);
        EXPECT_LE(r.Height(), kMaxNoteExtent);
    }
    const std::pair<int, int> points[] = {{INT_MAX, INT_MAX}, {INT_MIN, INT_MIN}, {0, INT_MAX}};
    for (const auto& [x, y] : points) {
        const PvRect r = RectCentredOn(x, y, 600, 400);
        EXPECT_EQ(r.Width(), 600);
        EXPECT_EQ(r.Height(), 400);
        EXPECT_GE(r.left, -kMaxCoordinate);
        EXPECT_LE(r.bottom, kMaxCoordinate);
    }
}

TEST(HotkeyLatch, OnePressActsOnceUntilFivePollsWithTheKeyUp) {
    CHotkeyLatch latch;
    EXPECT_TRUE(latch.OnHotkey());
    EXPECT_FALSE(latch.OnHotkey()) << "auto-repeat while held";
    for (int i = 0; i < 20; ++i) EXPECT_FALSE(latch.OnPoll(true));
    EXPECT_FALSE(latch.OnHotkey());
    for (int i = 0; i < 4; ++i) EXPECT_FALSE(latch.OnPoll(false));
    EXPECT_FALSE(latch.OnHotkey()) << "pressed again within half a second";
    EXPECT_FALSE(latch.OnPoll(true)) << "down again: the count starts over";
    for (int i = 0; i < 4; ++i) EXPECT_FALSE(latch.OnPoll(false));
    EXPECT_TRUE(latch.OnPoll(false));
    EXPECT_FALSE(latch.Armed());
    EXPECT_TRUE(latch.OnHotkey());
}

PvTime LocalTime(int y, int mo, int d, int h, int mi) {
    std::tm tm{};
    tm.tm_year = y - 1900;
    tm.tm_mon = mo - 1;
    tm.tm_mday = d;
    tm.tm_hour = h;
    tm.tm_min = mi;
    tm.tm_isdst = -1;
    return static_cast<PvTime>(std::mktime(&tm));
}

TEST(NoteRows, DatesHaveASpacePaddedMonth) {
    EXPECT_EQ(FormatListDate(LocalTime(2011, 3, 5, 9, 7)), "2011/ 3/05 09:07");
    EXPECT_EQ(FormatListDate(LocalTime(2024, 12, 31, 23, 59)), "2024/12/31 23:59");
}

TEST(NoteRows, ColumnsFollowTheFlagsAndTheMode) {
    CTackletData note;
    note.EXENAME = "NOTEPAD.EXE";
    note.TITLE = "whole";
    note.PART = "part";
    auto row = NoteRowTexts(note, ListMode::Title, "live");
    EXPECT_EQ(row[0], "NOTEPAD.EXE");
    EXPECT_EQ(row[1], "whole");
    EXPECT_EQ(row[4], "");
    note.FULL = 0;
    EXPECT_EQ(NoteRowTexts(note, ListMode::Title, "live")[1], "part");
    note.TITLEFLAG = 0;
    note.PRECESSEFLAG = 0;
    row = NoteRowTexts(note, ListMode::Title, "live");
    EXPECT_EQ(row[0], "");
    EXPECT_EQ(row[1], "");
    EXPECT_EQ(NoteRowTexts(note, ListMode::Text, "live")[1], "live");
}

TEST(ExtensionRequest, ReadsTheFieldsAtTheirOffsets) {
    unsigned char block[116] = {};
    const int32_t head[2] = {1, 1};
    std::memcpy(block, head, 8);
    const int32_t values[6] = {-5, 7, 4, 3, 2, 1};
    std::memcpy(block + 24, values, sizeof values);
    const int32_t height = -16, weight = 700;
    std::memcpy(block + 48, &height, 4);
    std::memcpy(block + 64, &weight, 4);
    block[68] = 1;  // italic
    std::memcpy(block + 76, "Face", 4);
    CExtensionRequest r;
    ASSERT_EQ(ParseExtensionRequest(block, sizeof block, &r), ExtensionParse::Ok);
    EXPECT_EQ(r.x, -5);
    EXPECT_EQ(r.y, 7);
    EXPECT_EQ(r.COLOR, 4);
    EXPECT_EQ(r.PICKPOS, 3);
    EXPECT_EQ(r.BKCOLOR, 2);
    EXPECT_EQ(r.TXCOLOR, 1);
    EXPECT_EQ(r.font.lfHeight, -16);
    EXPECT_EQ(r.font.lfWeight, 700);
    EXPECT_EQ(r.font.lfItalic, 1);
    EXPECT_STREQ(r.font.lfFaceName, "Face");
    EXPECT_EQ(ParseExtensionRequest(nullptr, 116, &r), ExtensionParse::TooShort);
}

// The rate of the extension utility's paste requests: a burst at once,
// then one each period; a refused request costs nothing.
TEST(RequestRate, AdmitsABurstThenOneEachPeriod) {
    struct Step {
        std::uint64_t now;
        int asked;
        int admitted;
    };
    const Step steps[] = {
        {5000, 15, 10},  // a burst of 10 out of a flood of 15
        {5999, 3, 0},    // nothing paid off within the period
        {6000, 3, 1},    // one period later: one more
        {8000, 5, 2},    // two periods later: two more
        {30000, 50, 10}, // after a long pause the whole burst again
        {30000, 1, 0},
    };
    CRequestRate rate(10, 1000);
    for (const Step& step : steps) {
        int admitted = 0;
        for (int i = 0; i < step.asked; ++i) admitted += rate.Admit(step.now) ? 1 : 0;
        EXPECT_EQ(admitted, step.admitted) << "at " << step.now;
    }
    CRequestRate none(0, 1000);
    EXPECT_FALSE(none.Admit(0));
}

TEST(UpdateBatch, OutsideABatchEveryChangeActsAtOnce) {
    CUpdateBatch batch;
    EXPECT_TRUE(batch.Changed());
    EXPECT_TRUE(batch.Changed());
    CUpdateBatch::Owed owed = batch.End();  // unbalanced end owes nothing
    EXPECT_FALSE(owed.refresh);
    EXPECT_FALSE(owed.save);
}

TEST(UpdateBatch, NestedBatchesOweOneRefreshAndOneSaveAtTheOutermostEnd) {
    CUpdateBatch batch;
    batch.Begin();
    for (int i = 0; i < 1000; ++i) EXPECT_FALSE(batch.Changed());
    batch.Begin();
    EXPECT_FALSE(batch.Changed());
    CUpdateBatch::Owed inner = batch.End();
    EXPECT_FALSE(inner.refresh);
    EXPECT_FALSE(inner.save);
    EXPECT_TRUE(batch.Active());
    CUpdateBatch::Owed outer = batch.End();
    EXPECT_TRUE(outer.refresh);
    EXPECT_TRUE(outer.save);
    EXPECT_FALSE(batch.Active());
    batch.Begin();
    CUpdateBatch::Owed quiet = batch.End();  // settled: nothing left over
    EXPECT_FALSE(quiet.refresh);
    EXPECT_FALSE(quiet.save);
}

TEST(UpdateBatch, AWriteInsideTheBatchSettlesTheSaveOnlyForEarlierChanges) {
    struct Case {
        bool changeAfterWrite;
        bool saveOwed;
    };
    for (Case c : {Case{false, false}, Case{true, true}}) {
        CUpdateBatch batch;
        batch.Begin();
        batch.Changed();
        batch.Saved();
        if (c.changeAfterWrite) batch.Changed();
        CUpdateBatch::Owed owed = batch.End();
        EXPECT_TRUE(owed.refresh);
        EXPECT_EQ(owed.save, c.saveOwed) << c.changeAfterWrite;
    }
}

}  // namespace

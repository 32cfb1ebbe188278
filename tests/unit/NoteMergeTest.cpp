// Identity, change detection and the three-way merge of note lists.
#include "data/NoteMerge.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "TestUtil.h"
#include "data/IniFile.h"
#include "data/NoteDate.h"
#include "data/NoteFile.h"
#include "data/NoteIdentity.h"
#include "data/RecordList.h"
#include "data/TextProtect.h"

namespace {

CTackletData Note(const char* text, const char* id = "") {
    CTackletData n;
    n.TITLE = "memo";
    n.EXENAME = "NOTEPAD.EXE";
    n.TEXT = text;
    n.NOTEID = id;
    n.SetNoteRect({10, 10, 210, 70});
    return n;
}

std::vector<std::string> Texts(const std::vector<CTackletData>& notes) {
    std::vector<std::string> texts;
    for (const CTackletData& n : notes) texts.push_back(n.TEXT);
    std::sort(texts.begin(), texts.end());
    return texts;
}

// Lines of `bytes` that are not the identity or change time.
std::string WithoutSyncKeys(const std::string& bytes) {
    std::string out;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        end = end == std::string::npos ? bytes.size() : end + 1;
        const std::string line = bytes.substr(start, end - start);
        if (line.rfind("NOTEID=", 0) != 0 && line.rfind("CHGDATE=", 0) != 0) out += line;
        start = end;
    }
    return out;
}

TEST(NoteIdentityTest, AnOlderFileGivesTheSameIdentitiesOnEveryReadAndTwinsDifferentOnes) {
    TempDir dir;
    const std::string path = dir.File("PinvaneData.ini");
    std::vector<CTackletData> notes{Note("a"), Note("b"), Note("a")};  // the third is a twin of the first
    ASSERT_TRUE(WriteDataFile(path, notes, kTextPlain, 0));
    EXPECT_EQ(ReadBytes(path).find("NOTEID"), std::string::npos) << "notes without identity write none";
    const std::vector<CTackletData> first = ReadNoteFile(path, 0);
    const std::vector<CTackletData> second = ReadNoteFile(path, 0);  // "the other PC"
    ASSERT_EQ(first.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(first[i].NOTEID.size(), 16u);
        EXPECT_EQ(first[i].NOTEID, second[i].NOTEID);
    }
    EXPECT_NE(first[0].NOTEID, first[1].NOTEID);
    EXPECT_NE(first[0].NOTEID, first[2].NOTEID);
    // A derived identity is not written: the file keeps its bytes.
    std::vector<CTackletData> again = first;
    const std::string before = ReadBytes(path);
    ASSERT_TRUE(WriteDataFile(path, again, kTextPlain, 0));
    EXPECT_EQ(ReadBytes(path), before);
}

// The added keys come after every key of today's section, the added text
// keys included; without them the bytes are today's.
TEST(NoteIdentityTest, IdentityAndChangeTimeFollowEveryOtherKey) {
    TempDir dir;
    CTackletData n = Note("body");
    n.EXTEXT = "two\r\nlines";  // has an added text key (EXTEXTW)
    std::vector<CTackletData> plain{n};
    n.NOTEID = "0123456789abcdef";
    ASSERT_TRUE(ParseNoteDate("202612111230", &n.CHGDATE));
    std::vector<CTackletData> marked{n};
    const std::string a = dir.File("a.ini"), b = dir.File("b.ini");
    ASSERT_TRUE(WriteDataFile(a, plain, kTextScrambled, 7));
    ASSERT_TRUE(WriteDataFile(b, marked, kTextScrambled, 7));
    const std::string bytes = ReadBytes(b);
    EXPECT_EQ(WithoutSyncKeys(bytes), ReadBytes(a));
    EXPECT_NE(bytes.find("EXTEXTW=", 0), std::string::npos);
    EXPECT_LT(bytes.find("EXTEXTW="), bytes.find("NOTEID=0123456789abcdef"));
    EXPECT_LT(bytes.find("NOTEID="), bytes.find("CHGDATE=202612111230"));
    const std::vector<CTackletData> read = ReadNoteFile(b, 7);
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].NOTEID, "0123456789abcdef");
    EXPECT_EQ(read[0].CHGDATE, n.CHGDATE);
    EXPECT_FALSE(read[0].m_derivedId);
}

TEST(NoteIdentityTest, AChangeIsWhatTheUserChangesNotWhatTheProgramKeeps) {
    const CTackletData n = Note("body", "id");
    const std::uint64_t h = NoteContentHash(n);
    CTackletData kept = n;
    kept.ACSDATE += 3600;
    kept.EXEPATH = "C:\\other\\notepad.exe";
    kept.CHGDATE = 99;
    // Followed its target: both rectangles moved together.
    kept.SetTargetRect({100, 100, 900, 700});
    kept.SetNoteRect({110, 110, 310, 170});
    kept.m_reserve.since = 5;
    EXPECT_EQ(NoteContentHash(kept), h);
    for (auto change : std::vector<void (*)(CTackletData&)>{
             [](CTackletData& t) { t.TEXT += "!"; }, [](CTackletData& t) { t.COLOR = 3; },
             [](CTackletData& t) { t.SetNoteRect({12, 10, 212, 70}); }, [](CTackletData& t) { t.TITLE = "x"; },
             [](CTackletData& t) { t.m_logFont.lfHeight = -20; }}) {
        CTackletData t = n;
        change(t);
        EXPECT_NE(NoteContentHash(t), h);
    }
}

// Each case of the merge: base, theirs (the file now), ours (the notes here).
TEST(NoteMergeTest, MergeTable) {
    const CTackletData a = Note("a", "A"), b = Note("b", "B"), c = Note("c", "C"), d = Note("d", "D"),
                       e = Note("e", "E");
    const NoteVersions base = VersionsOf({a, b, c, d, e});
    CTackletData b2 = Note("b there", "B");    // changed there only
    CTackletData c2 = Note("c there", "C");    // changed on both sides
    CTackletData c3 = Note("c here", "C");
    CTackletData d3 = Note("d here", "D");     // deleted there, changed here
    CTackletData f = Note("f", "F");           // added there
    CTackletData g = Note("g", "G");           // added here
    // theirs: a unchanged, b changed, c changed, d deleted, e deleted, f added
    const std::vector<CTackletData> theirs{a, b2, c2, f};
    // ours: a, b unchanged, c changed, d changed, e unchanged, g added
    const std::vector<CTackletData> ours{a, b, c3, d3, e, g};
    const CNoteMergePlan plan = PlanNoteMerge(base, ours, theirs, MergeKind::ThreeWay);

    ASSERT_EQ(plan.remove.size(), 1u);
    EXPECT_EQ(ours[plan.remove[0]].NOTEID, "E") << "deleted there and unchanged here";
    ASSERT_EQ(plan.take.size(), 1u);
    EXPECT_EQ(ours[plan.take[0].first].NOTEID, "B");
    EXPECT_EQ(theirs[plan.take[0].second].TEXT, "b there");
    ASSERT_EQ(plan.add.size(), 2u);
    EXPECT_EQ(plan.conflicts, 1u);
    EXPECT_EQ(Texts(plan.add), (std::vector<std::string>{"f", std::string(kConflictMark) + "\r\nc there"}));
    for (const CTackletData& added : plan.add) {
        if (added.TEXT == "f") EXPECT_EQ(added.NOTEID, "F");
        else EXPECT_TRUE(added.NOTEID.empty()) << "a conflict note is a new note";
    }
    EXPECT_TRUE(plan.fileBehind);

    // Deleted here: gone for good unless changed there.
    const NoteVersions withH = VersionsOf({a, Note("h", "H")});
    const CNoteMergePlan gone = PlanNoteMerge(withH, {a}, {a, Note("h", "H")}, MergeKind::ThreeWay);
    EXPECT_TRUE(gone.Empty());
    EXPECT_TRUE(gone.fileBehind) << "the file still holds the note deleted here";
    const CNoteMergePlan back = PlanNoteMerge(withH, {a}, {a, Note("h there", "H")}, MergeKind::ThreeWay);
    ASSERT_EQ(back.add.size(), 1u);
    EXPECT_EQ(back.add[0].TEXT, "h there");

    // Nothing new: nothing to do, nothing to write.
    const CNoteMergePlan same = PlanNoteMerge(base, {a, b, c, d, e}, {e, d, c, b, a}, MergeKind::ThreeWay);
    EXPECT_TRUE(same.Empty());
    EXPECT_FALSE(same.fileBehind);
}

// A conflict copy adds what it has and deletes nothing.
TEST(NoteMergeTest, AUnionDeletesNothingAndTakesNothingOver) {
    const CTackletData a = Note("a", "A"), b = Note("b", "B");
    const NoteVersions base = VersionsOf({a, b});
    const CNoteMergePlan plan =
        PlanNoteMerge(base, {a, b}, {Note("a old", "A"), Note("x", "X")}, MergeKind::Union);
    EXPECT_TRUE(plan.remove.empty());
    EXPECT_TRUE(plan.take.empty());
    EXPECT_EQ(Texts(plan.add), (std::vector<std::string>{"x", std::string(kConflictMark) + "\r\na old"}));
}

// Two PCs that read the same older file (no identities) and each change a
// different note merge without conflict.
TEST(NoteMergeTest, RecordsWithoutIdentityFromAnOlderFileMergeOnBothPCs) {
    TempDir dir;
    const std::string path = dir.File("PinvaneData.ini");
    std::vector<CTackletData> old{Note("one"), Note("two"), Note("three")};
    for (CTackletData& n : old) n.NOTEID.clear();
    ASSERT_TRUE(WriteDataFile(path, old, kTextPlain, 0));
    std::vector<CTackletData> pcA = ReadNoteFile(path, 0);
    std::vector<CTackletData> pcB = ReadNoteFile(path, 0);
    const NoteVersions base = VersionsOf(pcA);
    pcA[0].TEXT = "one by A";
    pcA[0].m_derivedId = false;
    pcB[2].TEXT = "three by B";
    pcB[2].m_derivedId = false;
    pcB.erase(pcB.begin() + 1);  // B deleted "two"
    // B wrote its file; A merges it.
    ASSERT_TRUE(WriteDataFile(path, pcB, kTextPlain, 0));
    const std::vector<CTackletData> theirs = ReadNoteFile(path, 0);
    const CNoteMergePlan plan = PlanNoteMerge(base, pcA, theirs, MergeKind::ThreeWay);
    EXPECT_EQ(plan.conflicts, 0u);
    ASSERT_EQ(plan.remove.size(), 1u);
    EXPECT_EQ(pcA[plan.remove[0]].TEXT, "two");
    ASSERT_EQ(plan.take.size(), 1u);
    EXPECT_EQ(theirs[plan.take[0].second].TEXT, "three by B");
    EXPECT_TRUE(plan.add.empty());
}

}  // namespace

namespace {

// A merge adds and deletes many notes at once: one shift of the list each,
// identities kept, every moved record marked for writing.
TEST(NoteMergeTest, TheListTakesAddsAndDeletesInOneStep) {
    CRecordList list;
    list.Assign({Note("a"), Note("b"), Note("c"), Note("d")});
    const std::uint64_t b = list.IdAt(1), d = list.IdAt(3);
    for (CTackletData& n : list.Items()) n.m_bModified = 0;
    list.InsertAtHead(std::vector<CTackletData>{Note("x"), Note("y")});
    ASSERT_EQ(list.Size(), 6u);
    EXPECT_EQ(list[0].TEXT, "x");
    EXPECT_EQ(list[1].TEXT, "y");
    EXPECT_EQ(list.IndexOf(b), 3);
    EXPECT_EQ(list[2].m_bModified, 1);
    for (CTackletData& n : list.Items()) n.m_bModified = 0;
    list.RemoveIds({b, d, 12345});
    ASSERT_EQ(list.Size(), 4u);
    EXPECT_EQ(list[0].TEXT, "x");
    EXPECT_EQ(list[3].TEXT, "c");
    EXPECT_EQ(list.IndexOf(b), -1);
    EXPECT_EQ(list[2].m_bModified, 0) << "before the first removed one: not moved";
    EXPECT_EQ(list[3].m_bModified, 1);
}

}  // namespace

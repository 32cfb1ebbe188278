// Logic of the collection panels that needs no window: record lists with
// identities, the import checks and the search.
#include "collections/ImportCheck.h"
#include "collections/NoteSearch.h"
#include "data/RecordList.h"
#include "data/TackletWindow.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

CTackletData Note(const char* title, const char* text = "", const char* exe = "NOTEPAD.EXE") {
    CTackletData note;
    note.TITLE = title;
    note.TEXT = text;
    note.EXENAME = exe;
    return note;
}

TEST(RecordList, IdentitiesSurviveChangesAroundThemAndRecordsCarryNoWindow) {
    CRecordList list(RecordEntry::WithoutWindow);
    CTackletData attached = Note("b");
    attached.m_bAttached = 1;
    attached.hTargetWnd = 0x1234;
    attached.m_pWin = reinterpret_cast<ITackletWindow*>(0x10);
    list.Append(Note("a"));
    list.Append(attached);
    const auto idOfB = list.IdAt(1);
    list.InsertAtHead(Note("front"));
    EXPECT_EQ(list.IndexOf(idOfB), 2);
    EXPECT_EQ(list[1].m_bModified, 1);
    EXPECT_EQ(list[2].m_pWin, nullptr);
    EXPECT_EQ(list[2].m_bAttached, 0);
    EXPECT_EQ(list[2].hTargetWnd, 0u);
    list.RemoveAt(0);
    EXPECT_EQ(list.IndexOf(idOfB), 1);
    list.RemoveAt(1);
    EXPECT_EQ(list.IndexOf(idOfB), -1);
}

// ------------------------------------------------------------------ import

std::string Header(const char* app, const char* version, const char* format, const char* count) {
    std::string text = "[SYSTEM]\r\n";
    if (app) text += std::string("APPNAME=") + app + "\r\n";
    if (version) text += std::string("VERSION=") + version + "\r\n";
    if (format) text += std::string("SAVEFORMAT=") + format + "\r\n";
    if (count) text += std::string("TACKLETNUM=") + count + "\r\n";
    return text;
}
const std::string kItem0 = "[TACKLETITEM0]\r\nTITLE=one\r\nTEXTFORMAT=0\r\nTEXT=616263\r\n";
const std::string kItem1 = "[TACKLETITEM1]\r\nTITLE=two\r\nTEXT=\r\n";
constexpr char kVersion[] = "Ver.:1.1.6.193";

struct ImportCase {
    const char* name;
    std::string file;
    const char* refusal;
    std::vector<const char*> questions;
};

TEST(ImportCheck, RefusalsAndQuestionsComeInTheirOrder) {
    const ImportCase cases[] = {
        {"same version", Header("Pinvane", kVersion, "0", "2") + kItem0 + kItem1, nullptr, {}},
        {"other version", Header("Pinvane", "Ver.:1.0", "0", "1") + kItem0, nullptr, {kImportOtherVersion}},
        {"older product", Header("Mossrel", kVersion, "0", "1") + "[TACKLETITEM0]\r\nTITLE=old\r\n", nullptr,
         {kImportOlderProduct}},
        {"not a note file", "just some text\r\n", kImportWrongProduct, {}},
        {"product names are case-sensitive", Header("pinvane", kVersion, "0", "1") + kItem0, kImportWrongProduct, {}},
        {"encrypted", Header("Pinvane", kVersion, "1", "1") + kItem0, kImportEncrypted, {}},
        {"format missing", Header("Pinvane", kVersion, nullptr, "1") + kItem0, kImportEncrypted, {}},
        {"product before format", Header("Other", kVersion, "1", "1"), kImportWrongProduct, {}},
        {"empty", Header("Pinvane", kVersion, "0", "0"), kImportEmpty, {}},
        {"negative count", Header("Mossrel", kVersion, "0", "-3"), kImportEmpty, {}},
        {"a section missing", Header("Pinvane", kVersion, "0", "2") + kItem0, kImportCutShort, {}},
        {"cut before the body", Header("Pinvane", kVersion, "0", "1") + "[TACKLETITEM0]\r\nTITLE=one\r\n",
         kImportCutShort, {}},
        {"cut inside the body", Header("Pinvane", kVersion, "0", "1") + "[TACKLETITEM0]\r\nTEXT=61626\r\n",
         kImportCutShort, {}},
        {"huge count", Header("Pinvane", kVersion, "0", "999999999") + kItem0, kImportCutShort, {}},
    };
    for (const ImportCase& c : cases) {
        const CImportPlan plan = PlanImport(CIniFile::Parse(c.file), kVersion);
        if (c.refusal) {
            EXPECT_STREQ(plan.refusal, c.refusal) << c.name;
        } else {
            EXPECT_EQ(plan.refusal, nullptr) << c.name << ": " << plan.refusal;
        }
        EXPECT_EQ(plan.questions, c.questions) << c.name;
    }
}

TEST(ImportCheck, NotesAreReadPlainInFileOrderWithMissingKeysAtTheirDefaults) {
    const auto ini = CIniFile::Parse(Header("Mossrel", kVersion, "0", "2") + kItem0 +
                                     "[TACKLETITEM1]\r\nTITLE=two\r\nTEXTFORMAT=1\r\nTEXT=6263\r\n");
    const std::vector<CTackletData> notes = ReadImportNotes(ini);
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(notes[0].TITLE, "one");
    EXPECT_EQ(notes[0].TEXT, "abc");
    EXPECT_EQ(notes[0].m_arrow.ARWSATRTX, CTackletData().m_arrow.ARWSATRTX);
    EXPECT_EQ(notes[0].TRANSPARENT_, 70);
    // Read with key 0: a scrambled body comes out shifted by its position.
    EXPECT_EQ(notes[1].TEXT, std::string("b") + static_cast<char>('c' - 1));
}

// ------------------------------------------------------------------ search

constexpr PvTime kNow = 1700000000;

TEST(NoteSearch, NoticesStopASearchInTheirOrder) {
    CSearchConditions c;
    EXPECT_STREQ(SearchNotice(c), "検索条件がいずれも選択されていません");
    c.shownOn = true;
    EXPECT_EQ(SearchNotice(c), nullptr) << "only shown notes is a valid search";
    c.textOn = c.titleOn = c.exeOn = true;
    EXPECT_STREQ(SearchNotice(c), "本文テキスト条件がチェックされていますが,検索文字列が設定されていません.");
    c.text = "x";
    EXPECT_STREQ(SearchNotice(c), "WindowTitle条件がチェックされていますが,検索文字列が設定されていません");
    c.title = "x";
    EXPECT_STREQ(SearchNotice(c), "ProgramName条件がチェックされていますが,検索文字列が設定されていません");
    c.exe = "X";
    EXPECT_EQ(SearchNotice(c), nullptr);
}

struct SearchCase {
    const char* name;
    CSearchConditions conditions;
    bool match;
};

TEST(NoteSearch, EachConditionAloneAndCombined) {
    CTackletData note = Note("Untitled - Notepad", "Meeting at 10\r\n議題", "NOTEPAD.EXE");
    note.ACSDATE = kNow - (89 * 86400 + 23 * 3600);
    note.m_bAttached = 1;
    auto text = [](const char* t, bool cs = false) {
        CSearchConditions c;
        c.textOn = true;
        c.text = t;
        c.textCaseSensitive = cs;
        return c;
    };
    auto title = [](const char* t, bool cs = false) {
        CSearchConditions c;
        c.titleOn = true;
        c.title = t;
        c.titleCaseSensitive = cs;
        return c;
    };
    auto exe = [](const char* t) {
        CSearchConditions c;
        c.exeOn = true;
        c.exe = t;
        return c;
    };
    auto days = [](int d) {
        CSearchConditions c;
        c.daysOn = true;
        c.days = d;
        return c;
    };
    CSearchConditions shown;
    shown.shownOn = true;
    CSearchConditions both = text("meeting");
    both.exeOn = true;
    both.exe = "NOTEPAD";
    CSearchConditions bothOneFails = both;
    bothOneFails.exe = "WORD";
    const SearchCase cases[] = {
        {"text, any case", text("meeting"), true},
        {"text, case-sensitive", text("meeting", true), false},
        {"text, double-byte", text("議題"), true},
        {"title", title("notepad"), true},
        {"title, case-sensitive", title("notepad", true), false},
        {"program name", exe("NOTEPAD"), true},
        {"program name, other", exe("WORD"), false},
        {"89 days 23 hours is not 90 days", days(90), false},
        {"but 89 days", days(89), true},
        {"shown", shown, true},
        {"two conditions", both, true},
        {"two conditions, one fails", bothOneFails, false},
    };
    for (const SearchCase& c : cases) EXPECT_EQ(MatchesSearch(c.conditions, note, kNow), c.match) << c.name;
}

TEST(NoteSearch, FlagsOffAndNotShownNeverMatch) {
    CTackletData note = Note("Untitled - Notepad", "", "NOTEPAD.EXE");
    note.TITLEFLAG = 0;
    note.PRECESSEFLAG = 0;
    CSearchConditions title;
    title.titleOn = true;
    title.title = "Notepad";
    CSearchConditions exe;
    exe.exeOn = true;
    exe.exe = "NOTEPAD";
    CSearchConditions shown;
    shown.shownOn = true;
    EXPECT_FALSE(MatchesSearch(title, note, kNow));
    EXPECT_FALSE(MatchesSearch(exe, note, kNow));
    EXPECT_FALSE(MatchesSearch(shown, note, kNow));
}

TEST(NoteSearch, MatchesWholeCharactersInEitherCase) {
    CTackletData note = Note("t", "アB");
    CSearchConditions c;
    c.textOn = true;
    c.text = "AB";
    EXPECT_FALSE(MatchesSearch(c, note, kNow));
    c.text = "アb";
    EXPECT_TRUE(MatchesSearch(c, note, kNow));
    // Full-width letters match in either case: "ａｂ" finds "ＡＢ".
    CTackletData wide = Note("t", "ＡＢ");
    c.text = "ａｂ";
    EXPECT_TRUE(MatchesSearch(c, wide, kNow));
    // Characters outside the code page are told apart.
    CTackletData emoji = Note("t", "Report 😀 draft");
    c.text = "😃";
    EXPECT_FALSE(MatchesSearch(c, emoji, kNow));
    c.text = "😀";
    EXPECT_TRUE(MatchesSearch(c, emoji, kNow));
}

TEST(NoteSearch, ResultsWalkWithWrappingAndLabel) {
    CSearchResults results;
    EXPECT_EQ(results.Label(), "該当データなし");
    EXPECT_FALSE(results.Next());
    results.Set({3, 5, 9});
    EXPECT_EQ(results.Label(), "3件中 1番目のデータ");
    EXPECT_EQ(results.CurrentPosition(), 3);
    EXPECT_TRUE(results.Previous());
    EXPECT_EQ(results.CurrentPosition(), 9);
    EXPECT_TRUE(results.Next());
    EXPECT_TRUE(results.Next());
    EXPECT_EQ(results.Label(), "3件中 2番目のデータ");
    results.Set({4});
    EXPECT_FALSE(results.Next());
    EXPECT_FALSE(results.Previous());
    EXPECT_EQ(results.CurrentPosition(), 4);
    results.Set({});
    EXPECT_EQ(results.Current(), -1);
}

TEST(NoteSearch, RerunKeepsTheCurrentResultOnItsNote) {
    // Notes 11, 22, 33 found at positions 0, 2, 5; the user walked to 33.
    const struct {
        const char* name;
        std::vector<int> positions;
        std::vector<std::uint64_t> identities;
        int current;
    } cases[] = {
        {"a note added in front: the same note, one row down", {1, 3, 6}, {11, 22, 33}, 2},
        {"an earlier hit deleted", {1, 4}, {22, 33}, 1},
        {"a new hit in front of it", {0, 1, 2, 5}, {44, 11, 22, 33}, 3},
        {"nothing changed", {0, 2, 5}, {11, 22, 33}, 2},
        {"its note gone: the same place, the last one left", {0, 2}, {11, 22}, 1},
        {"its note gone, more after it: the same place", {0, 2, 4, 7}, {11, 22, 55, 66}, 2},
        {"nothing found any more", {}, {}, -1},
    };
    for (const auto& c : cases) {
        CSearchResults results;
        results.Set({0, 2, 5}, {11, 22, 33});
        results.Next();
        results.Next();
        ASSERT_EQ(results.CurrentPosition(), 5);
        results.Rerun(c.positions, c.identities);
        EXPECT_EQ(results.Current(), c.current) << c.name;
        if (c.current >= 0)
            EXPECT_EQ(results.CurrentPosition(), c.positions[static_cast<std::size_t>(c.current)]) << c.name;
    }
}

TEST(NoteSearch, RunSearchGivesPositionsInListOrder) {
    std::vector<CTackletData> notes{Note("a", "memo"), Note("b", "other"), Note("c", "MEMO 2")};
    CSearchConditions c;
    c.textOn = true;
    c.text = "memo";
    EXPECT_EQ(RunSearch(c, notes, kNow), (std::vector<int>{0, 2}));
}

}  // namespace

#include "data/NoteFile.h"

#include <gtest/gtest.h>

#include "TestUtil.h"
#include "data/AtomicFile.h"
#include "data/NoteDate.h"
#include "data/ReminderRule.h"
#include "data/TextProtect.h"
#include "data/VersionText.h"
#include "data/VolumeKey.h"
#include "data/WriteIniFile.h"

namespace {

PvTime Date(const char* text) {
    PvTime t = 0;
    EXPECT_TRUE(ParseNoteDate(text, &t)) << text;
    return t;
}

class NoteFileTest : public ::testing::Test {
protected:
    void SetUp() override { SetVersionText("Ver.:1.1.6.193"); }
    void TearDown() override { SetVersionText(""); }

    static CTackletData SampleNote() {
        CTackletData n;
        n.TITLE = "無題 - メモ帳";
        n.FULL = 0;
        n.PART = "メモ帳";
        n.EXENAME = "NOTEPAD.EXE";
        n.EXEPATH = "C:\\Windows\\notepad.exe";
        n.GENDATE = Date("201204221530");
        n.ACSDATE = Date("201305010905");
        n.SetNoteRect({10, 20, 210, 80});
        n.SetTargetRect({-5, 0, 800, 600});
        n.TRANSPARENT_ = 85;
        n.COLOR = 2;
        n.m_arrow.ARWFLAG = 1;
        n.m_arrow.ARWSATRTX = 3;
        n.TEXT = "abc";
        return n;
    }

    TempDir dir;
};

TEST_F(NoteFileTest, DataFileBytes) {
    std::vector<CTackletData> notes{SampleNote()};
    const std::string path = dir.File("PinvaneData.ini");
    ASSERT_TRUE(WriteDataFile(path, notes, kTextPlain, 0));
    const std::string expected = IniLines({
        "[SYSTEM]", "APPNAME=Pinvane", "MESSAGE=このファイルのデータは直接編集しないでください",
        "VERSION=Ver.:1.1.6.193", "SAVEFORMAT=0", "TACKLETNUM=1",
        "[TACKLETITEM0]", "TITLEFLAG=1", "PRECESSEFLAG=1", "EXTENTFLAG=0", "EXFULLFLAG=1",
        "TITLE=無題 - メモ帳", "FULL=0", "PART=メモ帳", "EXENAME=NOTEPAD.EXE",
        "EXEPATH=C:\\Windows\\notepad.exe", "EXCTLID=0", "EXCLASS=", "EXTEXT=", "EXPART=",
        "GENDATE=201204221530", "ACSDATE=201305010905",
        "REC_TOP=20", "REC_BOTTOM=80", "REC_LEFT=10", "REC_RIGHT=210",
        "TGT_TOP=0", "TGT_BOTTOM=600", "TGT_LEFT=-5", "TGT_RIGHT=800",
        "READONLY=0", "TRANSPARENT=85", "MOUSEHIDECTL=0", "COLOR=2", "FRAME=0", "BKCOLOR=5",
        "TXCOLOR=0", "BKTRANSPARENT=0", "PICKPOS=0", "GRAFLG=1", "GRAPTN=0",
        "FONTFACENAME=ＭＳ Ｐゴシック", "FONTHEIGHT=-12", "FONTWEIGHT=400", "FONTITALIC=0",
        "ARWFLAG=1", "ARWSATRTX=3", "ARWSTARTY=-200", "ARWENDX=0", "ARWENDY=0", "ARLINEWIDTH=1",
        "TEXTFORMAT=0", "TEXT=616263",
    });
    EXPECT_EQ(ReadBytes(path), expected);
}

// A note with a reminder has the reminder's keys after TEXT; a note without
// one has none (its section is as DataFileBytes shows).
TEST_F(NoteFileTest, ReminderKeysFollowTheBodyOnlyWhenThereIsAReminder) {
    CTackletData with = SampleNote();
    with.m_reserve = CReminderRule::Once(2026, 12, 24, 18, 5, 29951520);
    std::vector<CTackletData> notes{with, SampleNote()};
    const std::string path = dir.File("r.ini");
    ASSERT_TRUE(WriteDataFile(path, notes, kTextPlain, 0));
    const std::string bytes = ReadBytes(path);
    const std::string reminder = IniLines({"TEXT=616263", "RSVTYPE=1", "RSVYEAR=2026", "RSVMONTH=12", "RSVDAY=24",
                                           "RSVHOUR=18", "RSVMINUTE=5", "RSVWEEKDAY=0", "RSVENABLE=1", "RSVDUE=0",
                                           "RSVSINCE=29951520", "[TACKLETITEM1]"});
    EXPECT_NE(bytes.find(reminder), std::string::npos) << bytes;
    EXPECT_EQ(bytes.find("RSVTYPE"), bytes.rfind("RSVTYPE")) << "only the note with a reminder has the keys";

    // Read back, the note without the keys has no reminder.
    const std::vector<CTackletData> read = ReadNoteFile(path, 0);
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0].m_reserve, with.m_reserve);
    EXPECT_EQ(read[1].m_reserve, CReserveData{});
}

TEST_F(NoteFileTest, VersionTextIsStoredWithReplacements) {
    SetVersionText("Ver.:1,1;6,193");
    EXPECT_EQ(StoredVersionText(), "Ver.:1-1.6-193");
    std::vector<CTackletData> none;
    const std::string path = dir.File("v.ini");
    ASSERT_TRUE(WriteDataFile(path, none, kTextPlain, 0));
    EXPECT_EQ(ReadNoteFileHeader(CIniFile::Load(path)).VERSION, "Ver.:1-1.6-193");
}

TEST_F(NoteFileTest, FilesRoundTripByteForByte) {
    FakeVolumeSerial serial(0x5A000000);
    CTackletData second = SampleNote();
    second.TEXT = "一行目\r\n二行目 with \"quotes\"";
    second.m_logFont.lfItalic = 255;
    second.m_logFont.lfHeight = -15;
    second.m_reserve = CReminderRule::Weekly(0x2a, 9, 30, 29951520);
    CTackletData third;
    third.m_reserve = CReminderRule::Once(2026, 12, 10, 9, 0, 29951520);
    third.m_reserve.due = 1;
    std::vector<CTackletData> notes{SampleNote(), second, third, CTackletData()};
    for (int format : {kTextPlain, kTextScrambled}) {
        const std::string first = dir.File("a.ini");
        const std::string again = dir.File("b.ini");
        ASSERT_TRUE(WriteDataFile(first, notes, format, VolumeKeyForPath(first)));
        std::vector<CTackletData> read = ReadNoteFile(first, VolumeKeyForPath(first));
        ASSERT_EQ(read.size(), 4u);
        EXPECT_EQ(read[1].TEXT, second.TEXT);
        EXPECT_EQ(read[1].m_reserve, second.m_reserve);
        EXPECT_EQ(read[2].m_reserve, third.m_reserve);
        EXPECT_EQ(read[3].m_reserve, CReserveData{});
        ASSERT_TRUE(WriteDataFile(again, read, format, VolumeKeyForPath(again)));
        EXPECT_EQ(ReadBytes(first), ReadBytes(again)) << "format " << format;
    }
}

// Texts the line form cannot hold come back exactly, through the added
// keys; the usual keys keep today's form, and the added keys follow every
// other key of the section.
TEST_F(NoteFileTest, TextsTheLineFormCannotHoldReadBackExactly) {
    const std::string longTitle = std::string(9000, 'a') + "表";  // past the reader's 8191 bytes
    const std::string cutInside = std::string(8190, 'b') + "表";  // 8192 bytes, the cut falls inside 表
    const std::string hugeText(200000, 'c');
    struct Case {
        const char* name;
        const char* key;
        std::string CTackletData::*field;
        std::string value;
    };
    const Case cases[] = {
        {"child text with a line break", "EXTEXT", &CTackletData::EXTEXT, "OK\r\n押してください"},
        {"child text fragment with LF", "EXPART", &CTackletData::EXPART, "a\nb"},
        {"title with CR LF", "TITLE", &CTackletData::TITLE, "行1\r\n行2"},
        {"title past the read limit", "TITLE", &CTackletData::TITLE, longTitle},
        {"title cut inside a character", "TITLE", &CTackletData::TITLE, cutInside},
        {"path with a zero byte", "EXEPATH", &CTackletData::EXEPATH, std::string("C:\\a\0b", 6)},
        {"class of 200000 bytes", "EXCLASS", &CTackletData::EXCLASS, hugeText},
        {"fragment with line break and blanks", "PART", &CTackletData::PART, " \r\n\"x\" "},
    };
    for (int format : {kTextPlain, kTextScrambled}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + " format " + std::to_string(format));
            CTackletData note = SampleNote();
            note.*c.field = c.value;
            std::vector<CTackletData> notes{note, SampleNote()};
            const std::string path = dir.File("x.ini");
            ASSERT_TRUE(WriteDataFile(path, notes, format, 0x5A000000));
            const std::string bytes = ReadBytes(path);
            // The added key sits after the last key of the first note.
            const std::size_t added = bytes.find(std::string(c.key) + "W=");
            ASSERT_NE(added, std::string::npos);
            EXPECT_LT(bytes.find("ARLINEWIDTH=", bytes.find("[TACKLETITEM0]")), added);
            EXPECT_LT(added, bytes.find("[TACKLETITEM1]"));
            const std::vector<CTackletData> read = ReadNoteFile(path, 0x5A000000);
            ASSERT_EQ(read.size(), 2u);
            EXPECT_TRUE(read[0].*c.field == c.value);
            EXPECT_EQ(read[1].TITLE, SampleNote().TITLE);
            // The usual key keeps today's form of the value.
            EXPECT_EQ(CIniFile::Load(path).GetString("TACKLETITEM0", c.key, "?"),
                      CWriteIniFile::UsualFormAsRead(c.value));
        }
    }
}

// Another program that does not know the added key and changes the usual
// key wins, and damaged digits are passed by.
TEST_F(NoteFileTest, AnEditOfTheUsualKeyWinsOverTheAddedKey) {
    CTackletData note = SampleNote();
    note.EXTEXT = "line1\r\nline2";
    std::vector<CTackletData> notes{note};
    const std::string path = dir.File("e.ini");
    ASSERT_TRUE(WriteDataFile(path, notes, kTextPlain, 0));
    std::string bytes = ReadBytes(path);
    ASSERT_NE(bytes.find("EXTEXT=line1  line2\r\r\n"), std::string::npos);
    ASSERT_NE(bytes.find("EXTEXTW=6c696e65310d0a6c696e6532-"), std::string::npos);
    EXPECT_EQ(ReadNoteFile(path, 0)[0].EXTEXT, "line1\r\nline2");
    bytes.replace(bytes.find("EXTEXT=line1  line2"), 19, "EXTEXT=edited");
    WriteBytes(path, bytes);
    EXPECT_EQ(ReadNoteFile(path, 0)[0].EXTEXT, "edited");
    // Damaged digits are passed by as well.
    bytes.replace(bytes.find("EXTEXT=edited"), 13, "EXTEXT=line1  line2");
    bytes.replace(bytes.find("EXTEXTW=6c"), 10, "EXTEXTW=zz");
    WriteBytes(path, bytes);
    EXPECT_EQ(ReadNoteFile(path, 0)[0].EXTEXT, "line1  line2");
}

// A stored file whose values all fit the line form is written again byte
// for byte, without any added key.
TEST_F(NoteFileTest, AStoredFileIsWrittenAgainByteForByte) {
    const std::string fixture = ReadBytes(std::string(PV_FIXTURES) + "/PinvaneData.ini");
    ASSERT_FALSE(fixture.empty());
    std::vector<CTackletData> notes = ReadNotes(CIniFile::Parse(fixture), 0x43000000);
    ASSERT_EQ(notes.size(), 3u);
    const std::string path = dir.File("PinvaneData.ini");
    ASSERT_TRUE(WriteDataFile(path, notes, kTextScrambled, 0x43000000));
    EXPECT_EQ(ReadBytes(path), fixture);
    EXPECT_EQ(fixture.find("W="), std::string::npos);
}

TEST_F(NoteFileTest, ScrambledBodiesNeedTheirVolumeKey) {
    std::vector<CTackletData> notes{SampleNote()};
    const std::string path = dir.File("d.ini");
    ASSERT_TRUE(WriteDataFile(path, notes, kTextScrambled, 0x12345678));
    EXPECT_EQ(ReadNoteFileHeader(CIniFile::Load(path)).SAVEFORMAT, "1");
    EXPECT_EQ(ReadNoteFile(path, 0x12345678)[0].TEXT, "abc");
    EXPECT_NE(ReadNoteFile(path, 0x5A000000)[0].TEXT, "abc");
}

TEST_F(NoteFileTest, UnknownTextFormatIsWrittenPlainSoNoBodyIsLost) {
    std::vector<CTackletData> notes{SampleNote()};
    const std::string path = dir.File("f.ini");
    ASSERT_TRUE(WriteDataFile(path, notes, 7, 0x11223344));
    const CIniFile ini = CIniFile::Load(path);
    EXPECT_EQ(ReadNoteFileHeader(ini).SAVEFORMAT, "0");
    EXPECT_EQ(ini.GetString("TACKLETITEM0", "TEXTFORMAT", ""), "0");
    EXPECT_EQ(ReadNotes(ini, 0)[0].TEXT, "abc");
}

TEST_F(NoteFileTest, WritingClearsModifiedMarksOnlyOnSuccess) {
    std::vector<CTackletData> notes(2);
    for (auto& n : notes) n.m_bModified = 1;
    EXPECT_FALSE(WriteDataFile(dir.File("missing-dir/x.ini"), notes, kTextPlain, 0));
    EXPECT_EQ(notes[0].m_bModified, 1);
    EXPECT_EQ(notes[1].m_bModified, 1);
    // Every note is written, marked or not: the file is rewritten whole.
    notes[1].m_bModified = 0;
    const std::string path = dir.File("x.ini");
    EXPECT_TRUE(WriteDataFile(path, notes, kTextPlain, 0));
    EXPECT_EQ(notes[0].m_bModified, 0);
    EXPECT_EQ(notes[1].m_bModified, 0);
    EXPECT_TRUE(CIniFile::Load(path).HasSection("TACKLETITEM1"));
}

TEST_F(NoteFileTest, ExportFilesArePlainAndLeaveRecordsAlone) {
    FakeVolumeSerial serial(0x12345678);
    CTackletData note = SampleNote();
    note.m_bModified = 1;
    CTackletData reminded = note;
    reminded.m_reserve = CReminderRule::Weekly(0x41, 18, 0, 29951520);
    std::vector<CTackletData> notes{note, reminded};
    const std::string path = dir.File("out.qnb");
    ASSERT_TRUE(WriteExportFile(path, notes));
    EXPECT_EQ(notes[0].m_bModified, 1);
    const CIniFile ini = CIniFile::Load(path);
    const CNoteFileHeader header = ReadNoteFileHeader(ini);
    EXPECT_EQ(header.APPNAME, "Pinvane");
    EXPECT_EQ(header.SAVEFORMAT, "0");
    EXPECT_EQ(header.TACKLETNUM, 2);
    EXPECT_EQ(ini.GetString("TACKLETITEM1", "TEXT", ""), "616263");
    // The reminder travels with the exported note.
    const std::vector<CTackletData> back = ReadNoteFile(path, 0);
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[1].m_reserve, reminded.m_reserve);
    EXPECT_EQ(back[0].m_reserve, CReserveData{});
}

struct CountCase {
    const char* header;  // null: no SYSTEM section
    std::size_t notes;
};

TEST_F(NoteFileTest, NoteCountIsBounded) {
    const CountCase cases[] = {
        {nullptr, 0},
        {"TACKLETNUM=0", 0},
        {"TACKLETNUM=-3", 0},
        {"TACKLETNUM=x", 0},
        {"TACKLETNUM=3", 3},  // missing sections give default records
        {"TACKLETNUM=2147483647", static_cast<std::size_t>(kMaxNoteCount)},
    };
    for (const auto& c : cases) {
        std::string contents = c.header ? IniLines({"[SYSTEM]", c.header}) : std::string();
        contents += IniLines({"[TACKLETITEM0]", "TITLE=t"});
        const std::vector<CTackletData> notes = ReadNotes(CIniFile::Parse(contents), 0);
        ASSERT_EQ(notes.size(), c.notes) << (c.header ? c.header : "(none)");
        if (notes.size() == 3) {
            EXPECT_EQ(notes[0].TITLE, "t");
            EXPECT_EQ(notes[2].TITLE, "");
            EXPECT_EQ(notes[2].TRANSPARENT_, 70);
        }
    }
}

TEST_F(NoteFileTest, AFileOfMoreThanTenThousandNotesComesBackWhole) {
    std::vector<CTackletData> notes(static_cast<std::size_t>(kMaxNoteCount) + 1);
    for (std::size_t i = 0; i < notes.size(); ++i) notes[i].TEXT = "n" + std::to_string(i);
    const std::string path = dir.File("PinvaneData.ini");
    ASSERT_TRUE(WriteDataFile(path, notes, kTextPlain, 0));
    const CStartupNoteFile read = ReadStartupNoteFile(path, 0);
    EXPECT_EQ(read.contents.state, NoteFileState::Read);
    ASSERT_EQ(read.contents.notes.size(), notes.size());
    EXPECT_EQ(read.contents.notes.back().TEXT, "n10000");
}

TEST_F(NoteFileTest, ADamagedCountLeavesNoNoteSectionUnread) {
    // The count says far more than the file holds: the notes up to the
    // bound, then the sections beyond it; the file is reported damaged.
    const std::string contents = IniLines({"[SYSTEM]", "TACKLETNUM=2147483647", "[TACKLETITEM0]", "TITLE=first",
                                           "[TACKLETITEM70000]", "TITLE=far", "[tackletitem20000]", "TITLE=near",
                                           "[TACKLETITEM020]", "TITLE=not a note section"});
    const CIniFile ini = CIniFile::Parse(contents);
    const std::vector<CTackletData> notes = ReadNotes(ini, 0);
    ASSERT_EQ(notes.size(), static_cast<std::size_t>(kMaxNoteCount) + 2);
    EXPECT_EQ(notes[0].TITLE, "first");
    EXPECT_EQ(notes[20].TITLE, "");
    EXPECT_EQ(notes[kMaxNoteCount].TITLE, "near");
    EXPECT_EQ(notes[kMaxNoteCount + 1].TITLE, "far");
    EXPECT_TRUE(IsDamagedNoteFile(ini));
}

TEST_F(NoteFileTest, VolumeKeyComesFromTheDriveLetter) {
    {
        TraceCapture trace;
        FakeVolumeSerial serial(0x5A000000);
        EXPECT_EQ(VolumeKeyForPath("Z:\\notes\\PinvaneData.ini"), 0x5A000000u);
        EXPECT_EQ(FakeVolumeSerial::LastDrive(), 'Z');
        EXPECT_EQ(trace.Text(), "VolumeSerialNumber=0x5a000000\n");
    }
    FakeVolumeSerial unavailable(0x5A000000, false);
    EXPECT_EQ(VolumeKeyForPath("Q:\\x.ini"), 0u);
    EXPECT_EQ(VolumeKeyForPath(""), 0u);
}

// ----------------------------------------------------- reading at start

// A data file of `count` notes whose texts are `prefix` and a number.
std::string DataFileBytes(const std::string& path, int count, const std::string& prefix) {
    std::vector<CTackletData> notes;
    for (int i = 0; i < count; ++i) {
        CTackletData n;
        n.TEXT = prefix + std::to_string(i);
        notes.push_back(n);
    }
    return RenderDataFile(path, notes, kTextPlain, 0);
}

std::vector<std::string> Texts(const std::vector<CTackletData>& notes) {
    std::vector<std::string> texts;
    for (const CTackletData& n : notes) texts.push_back(n.TEXT);
    return texts;
}

TEST_F(NoteFileTest, ADamagedFileIsRestoredFromItsNewestGoodBackup) {
    struct Case {
        const char* name;
        std::string (*damage)(const std::string& good);
    };
    const Case cases[] = {
        {"cut in the middle", [](const std::string& good) { return good.substr(0, good.size() / 2); }},
        {"cut inside the last line", [](const std::string& good) { return good.substr(0, good.size() - 3); }},
        {"empty", [](const std::string&) { return std::string(); }},
        {"header missing", [](const std::string& good) { return good.substr(good.find("[TACKLETITEM0]")); }},
        {"last note missing", [](const std::string& good) { return good.substr(0, good.find("[TACKLETITEM2]")); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir scratch;
        const std::string path = scratch.File("PinvaneData.ini");
        const std::string current = DataFileBytes(path, 3, "new");
        WriteBytes(path, c.damage(current));
        WriteBytes(BackupPath(path, 1), current.substr(0, 40));  // damaged as well
        WriteBytes(BackupPath(path, 2), DataFileBytes(path, 2, "old"));
        const CStartupNoteFile read = ReadStartupNoteFile(path, 0);
        EXPECT_EQ(read.contents.state, NoteFileState::Damaged);
        EXPECT_TRUE(read.restored);
        EXPECT_EQ(Texts(read.contents.notes), (std::vector<std::string>{"old0", "old1"}));
        // The damaged file is kept, and may be replaced now.
        EXPECT_EQ(ReadBytes(path + ".damaged"), c.damage(current));
        EXPECT_FALSE(AreFileWritesBlocked(path));
    }
}

TEST_F(NoteFileTest, SoundFilesAndDamagedFilesWithoutBackupAreReadAsTheyAre) {
    const std::string path = dir.File("PinvaneData.ini");
    const std::string good = DataFileBytes(path, 3, "n");
    WriteBytes(path, good);
    CStartupNoteFile read = ReadStartupNoteFile(path, 0);
    EXPECT_EQ(read.contents.state, NoteFileState::Read);
    EXPECT_FALSE(read.restored);
    EXPECT_EQ(Texts(read.contents.notes), (std::vector<std::string>{"n0", "n1", "n2"}));

    WriteBytes(path, good.substr(0, good.find("[TACKLETITEM2]")));
    read = ReadStartupNoteFile(path, 0);
    EXPECT_EQ(read.contents.state, NoteFileState::Damaged);
    EXPECT_FALSE(read.restored);
    EXPECT_EQ(Texts(read.contents.notes), (std::vector<std::string>{"n0", "n1", ""}));

    EXPECT_EQ(ReadStartupNoteFile(dir.File("none.ini"), 0).contents.state, NoteFileState::Missing);
}

TEST_F(NoteFileTest, AFileThatCannotBeReadIsNeverReplacedUntilItIsReadAgain) {
    // A directory in the file's place exists but cannot be read as a file.
    const std::string path = dir.File("PinvaneData.ini");
    std::filesystem::create_directory(path);
    const CStartupNoteFile read = ReadStartupNoteFile(path, 0);
    EXPECT_EQ(read.contents.state, NoteFileState::Unreadable);
    EXPECT_TRUE(read.contents.notes.empty());
    EXPECT_TRUE(AreFileWritesBlocked(path));
    std::filesystem::remove(path);
    WriteBytes(path, "the user's notes");
    std::vector<CTackletData> notes(1);
    notes[0].m_bModified = 1;
    EXPECT_FALSE(WriteDataFile(path, notes, kTextPlain, 0));
    EXPECT_EQ(notes[0].m_bModified, 1);
    EXPECT_EQ(ReadBytes(path), "the user's notes");
    UnblockFileWrites(path);
    EXPECT_TRUE(WriteDataFile(path, notes, kTextPlain, 0));
    EXPECT_EQ(ReadBytes(BackupPath(path, 1)), "the user's notes");
}

TEST_F(NoteFileTest, ABlockedFileIsReadAgainBeforeAWriteAndItsNotesHandedBack) {
    const std::string path = dir.File("MossrelPendingList.ini");
    std::filesystem::create_directory(path);
    ASSERT_EQ(ReadStartupNoteFile(path, 0).contents.state, NoteFileState::Unreadable);
    std::vector<CTackletData> older{CTackletData()};
    EXPECT_FALSE(RereadBlockedNoteFile(path, 0, &older));
    EXPECT_TRUE(older.empty());
    EXPECT_TRUE(AreFileWritesBlocked(path));

    std::filesystem::remove(path);
    WriteBytes(path, DataFileBytes(path, 2, "kept"));
    EXPECT_TRUE(RereadBlockedNoteFile(path, 0, &older));
    EXPECT_EQ(Texts(older), (std::vector<std::string>{"kept0", "kept1"}));
    EXPECT_FALSE(AreFileWritesBlocked(path));
    // Not blocked: nothing to read, nothing handed back.
    EXPECT_TRUE(RereadBlockedNoteFile(path, 0, &older));
    EXPECT_TRUE(older.empty());
}

}  // namespace

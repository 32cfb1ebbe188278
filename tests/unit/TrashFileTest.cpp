#include "data/TrashFile.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "TestUtil.h"
#include "data/AtomicFile.h"
#include "data/IniFile.h"
#include "data/NoteDate.h"
#include "data/NoteFile.h"
#include "data/SettingsFile.h"
#include "data/TextProtect.h"

namespace {

PvTime At(const char* date) {
    PvTime t = 0;
    EXPECT_TRUE(ParseNoteDate(date, &t)) << date;
    return t;
}

CTackletData Note(const std::string& text, const std::string& exe = "NOTEPAD.EXE") {
    CTackletData note;
    note.TEXT = text;
    note.EXENAME = exe;
    note.TITLE = "title of " + text;
    return note;
}

std::vector<std::string> Texts(const CTrash& trash) {
    std::vector<std::string> texts;
    for (const CTrashItem& item : trash.Items()) texts.push_back(item.note.TEXT);
    return texts;
}

class TrashFileTest : public ::testing::Test {
protected:
    TempDir dir;
    std::string path = dir.File("PinvaneTrash.ini");
    PvTime now = At("202612011200");
};

TEST_F(TrashFileTest, NotesComeBackWithTheirDeletionTimesAfterARestart) {
    CTrash trash;
    ASSERT_TRUE(trash.Load(path, 30, now));  // no file yet
    EXPECT_EQ(trash.Size(), 0u);
    CTackletData multiline = Note("first line\r\nsecond line");
    multiline.m_bAttached = 1;
    multiline.m_pWin = reinterpret_cast<ITackletWindow*>(0x10);  // never followed: the trash cuts the tie
    trash.Add({Note("older")}, now - 3 * kSecondsPerDay);
    trash.Add({multiline, Note("second", "EXCEL.EXE")}, now);
    EXPECT_EQ(trash.Items()[0].note.m_pWin, nullptr);
    EXPECT_EQ(trash.Items()[0].note.m_bAttached, 0);
    ASSERT_TRUE(trash.Save(30, now, kTextScrambled));

    CTrash again;
    ASSERT_TRUE(again.Load(path, 30, now));
    EXPECT_EQ(Texts(again), (std::vector<std::string>{"first line\r\nsecond line", "second", "older"}));
    EXPECT_EQ(again.Items()[1].note.EXENAME, "EXCEL.EXE");
    EXPECT_EQ(again.Items()[1].note.TITLE, "title of second");
    EXPECT_EQ(again.Items()[0].deleted, now);
    EXPECT_EQ(again.Items()[2].deleted, now - 3 * kSecondsPerDay);

    // A note file as any other: readers that do not know the deletion time
    // read the notes, and the time is the last key of each section.
    const CIniFile ini = CIniFile::Load(path);
    EXPECT_EQ(ini.GetString("SYSTEM", "APPNAME", ""), "Pinvane");
    EXPECT_EQ(ini.GetInt("SYSTEM", "TACKLETNUM", 0), 3);
    EXPECT_EQ(ReadNoteFile(path, VolumeKeyForPath(path)).at(1).TEXT, "second");
    const std::string bytes = ReadBytes(path);
    const std::size_t date = bytes.find("DELDATE=202612011200\r\r\n[TACKLETITEM1]");
    EXPECT_NE(date, std::string::npos);
    EXPECT_LT(bytes.find("TEXT=", bytes.find("[TACKLETITEM0]")), date);
}

TEST_F(TrashFileTest, ItemsStayTheirDaysAndAreDroppedAtStartAndAtTheNextWrite) {
    struct Case {
        std::int64_t ageSeconds;
        std::int32_t days;
        bool kept;
    };
    const Case cases[] = {
        {0, 30, true},
        {29 * kSecondsPerDay, 30, true},
        {30 * kSecondsPerDay, 30, true},
        {30 * kSecondsPerDay + 60, 30, false},
        {31 * kSecondsPerDay, 30, false},
        {2 * kSecondsPerDay, 1, false},
        {-kSecondsPerDay, 30, true},  // a clock set back keeps the item
    };
    for (const Case& c : cases)
        EXPECT_EQ(!TrashItemExpired(now - c.ageSeconds, c.days, now), c.kept) << c.ageSeconds << " " << c.days;

    CTrash trash;
    ASSERT_TRUE(trash.Load(path, 30, now));
    trash.Add({Note("40 days")}, now - 40 * kSecondsPerDay);
    trash.Add({Note("20 days")}, now - 20 * kSecondsPerDay);
    // Kept by a trash of 60 days.
    ASSERT_TRUE(trash.Save(60, now, kTextPlain));
    EXPECT_EQ(Texts(trash), (std::vector<std::string>{"20 days", "40 days"}));

    // At start with 30 days: the older item is dropped.
    CTrash atStart;
    ASSERT_TRUE(atStart.Load(path, 30, now));
    EXPECT_EQ(Texts(atStart), (std::vector<std::string>{"20 days"}));

    // The next write, 11 days later: the other one goes too.
    trash.Add({Note("new")}, now + 11 * kSecondsPerDay);
    ASSERT_TRUE(trash.Save(30, now + 11 * kSecondsPerDay, kTextPlain));
    EXPECT_EQ(Texts(trash), (std::vector<std::string>{"new"}));
    CTrash read;
    ASSERT_TRUE(read.Load(path, 30, now + 11 * kSecondsPerDay));
    EXPECT_EQ(Texts(read), (std::vector<std::string>{"new"}));
}

TEST_F(TrashFileTest, TakeRemovesOneItemByIdentity) {
    CTrash trash;
    trash.Load(path, 30, now);
    trash.Add({Note("a"), Note("b"), Note("c")}, now);
    const std::uint64_t b = trash.Items()[1].id;
    CTackletData taken;
    ASSERT_TRUE(trash.Take(b, &taken));
    EXPECT_EQ(taken.TEXT, "b");
    EXPECT_EQ(Texts(trash), (std::vector<std::string>{"a", "c"}));
    EXPECT_FALSE(trash.Take(b, &taken));
    EXPECT_EQ(trash.IndexOf(b), -1);
}

TEST_F(TrashFileTest, AnUnreadableTrashFileIsNeverReplacedUntilItIsReadAgain) {
    // A folder in the file's place exists but cannot be read as a file.
    std::filesystem::create_directory(path);
    CTrash trash;
    EXPECT_FALSE(trash.Load(path, 30, now));
    EXPECT_EQ(trash.Size(), 0u);
    trash.Add({Note("deleted now")}, now);
    // Still unreadable: nothing is written, the item stays.
    EXPECT_FALSE(trash.Save(30, now, kTextPlain));
    EXPECT_TRUE(std::filesystem::is_directory(path));
    EXPECT_EQ(Texts(trash), (std::vector<std::string>{"deleted now"}));

    // Readable again: its items join behind the new ones, then it is written.
    std::filesystem::remove(path);
    {
        CTrash earlier;
        earlier.Load(dir.File("earlier.ini"), 30, now);
        earlier.Add({Note("deleted before")}, now - kSecondsPerDay);
        ASSERT_TRUE(earlier.Save(30, now, kTextPlain));
        std::filesystem::copy_file(dir.File("earlier.ini"), path);
    }
    ASSERT_TRUE(trash.Save(30, now, kTextPlain));
    EXPECT_FALSE(AreFileWritesBlocked(path));
    EXPECT_EQ(Texts(trash), (std::vector<std::string>{"deleted now", "deleted before"}));
    CTrash read;
    ASSERT_TRUE(read.Load(path, 30, now));
    EXPECT_EQ(Texts(read), (std::vector<std::string>{"deleted now", "deleted before"}));
    EXPECT_EQ(read.Items()[1].deleted, now - kSecondsPerDay);
}

TEST(TrashSettingTest, KeptDaysAreReadWithinTheirBounds) {
    struct Case {
        const char* line;
        std::int32_t days;
    };
    const Case cases[] = {{nullptr, 30}, {"KEEPDAYS=7", 7}, {"KEEPDAYS=0", 1}, {"KEEPDAYS=-5", 1},
                          {"KEEPDAYS=100000", 3650}};
    for (const Case& c : cases) {
        TempDir dir;
        const std::string path = dir.File("MossrelPropaty.ini");
        if (c.line) WriteBytes(path, IniLines({"[SYSTEM]", "INIWIDTH=200", "[TRASH]", c.line}));
        else WriteBytes(path, IniLines({"[SYSTEM]", "INIWIDTH=200"}));
        CSettingsData settings;
        settings.TRASHDAYS = 99;
        CTackletData templ;
        ASSERT_TRUE(PropatyReadFile(path, settings, templ));
        EXPECT_EQ(settings.TRASHDAYS, c.days) << (c.line ? c.line : "(none)");
    }
}

}  // namespace

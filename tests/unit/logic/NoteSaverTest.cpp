// The saver of the data file: what autosave writes and when it tells of a
// failure.
#include "controller/NoteSaver.h"

#include "TestUtil.h"
#include "data/AtomicFile.h"
#include "data/NoteFile.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

CTackletData Note(const char* text) {
    CTackletData note;
    note.TITLE = "memo";
    note.TEXT = text;
    return note;
}

class NoteSaverTest : public ::testing::Test {
protected:
    void StartWith(std::vector<CTackletData> notes) {
        notes_.Assign(std::move(notes));
        ASSERT_TRUE(WriteDataFile(path_, notes_.Items(), 0, 0));
        saver_.Start(path_, notes_.Items(), 0, false);
    }

    TempDir dir_;
    const std::string path_ = dir_.File("PinvaneData.ini");
    CRecordList notes_;
    CNoteSaver saver_;
};

TEST_F(NoteSaverTest, AutosaveWritesOnlyWhatDiffersFromTheFile) {
    StartWith({Note("one"), Note("two")});
    std::filesystem::remove(path_);
    CNoteSaver::AutoSaveResult result = saver_.AutoSave(notes_, 0);
    EXPECT_TRUE(result.current);
    EXPECT_FALSE(std::filesystem::exists(path_)) << "nothing changed, nothing written";

    notes_[1].SetText("two, edited");
    result = saver_.AutoSave(notes_, 0);
    EXPECT_TRUE(result.current);
    EXPECT_FALSE(result.tell);
    const CStartupNoteFile read = ReadStartupNoteFile(path_, 0);
    ASSERT_EQ(read.contents.notes.size(), 2u);
    EXPECT_EQ(read.contents.notes[1].TEXT, "two, edited");
}

TEST_F(NoteSaverTest, NotesRestoredFromABackupAreWrittenByTheFirstAutosave) {
    notes_.Assign({Note("restored")});
    saver_.Start(path_, notes_.Items(), 0, true);
    EXPECT_TRUE(saver_.AutoSave(notes_, 0).current);
    EXPECT_EQ(ReadStartupNoteFile(path_, 0).contents.notes.size(), 1u);
}

TEST_F(NoteSaverTest, AFailureIsToldOncePerRunOfFailures) {
    StartWith({Note("one")});
    // A directory in the file's place: every write fails.
    std::filesystem::remove(path_);
    std::filesystem::create_directory(path_);
    notes_[0].SetText("changed");
    CNoteSaver::AutoSaveResult first = saver_.AutoSave(notes_, 0);
    EXPECT_FALSE(first.current);
    EXPECT_TRUE(first.tell);
    CNoteSaver::AutoSaveResult second = saver_.AutoSave(notes_, 0);
    EXPECT_FALSE(second.current);
    EXPECT_FALSE(second.tell);

    std::filesystem::remove(path_);
    EXPECT_TRUE(saver_.AutoSave(notes_, 0).current);
    notes_[0].SetText("changed again");
    std::filesystem::remove(path_);
    std::filesystem::create_directory(path_);
    EXPECT_TRUE(saver_.AutoSave(notes_, 0).tell) << "a new run of failures is told again";
}

TEST_F(NoteSaverTest, AFileUnreadableAtStartIsNeitherWrittenNorToldAgainUntilItCanBeRead) {
    std::filesystem::create_directory(path_);
    const CStartupNoteFile read = ReadStartupNoteFile(path_, 0);
    ASSERT_TRUE(AreFileWritesBlocked(path_));
    notes_.Assign({Note("made since start")});
    saver_.Start(path_, read.contents.notes, 0, false);
    const CNoteSaver::AutoSaveResult blocked = saver_.AutoSave(notes_, 0);
    EXPECT_FALSE(blocked.current);
    EXPECT_FALSE(blocked.tell) << "told at start already";

    // Readable now: its notes go behind the ones made since start.
    std::filesystem::remove(path_);
    // (Written as the user's other copy would be: the program itself may not.)
    WriteBytes(path_, RenderDataFile(path_, {Note("older")}, 0, 0));
    bool grew = false;
    EXPECT_TRUE(saver_.Write(notes_, 0, &grew));
    EXPECT_TRUE(grew);
    ASSERT_EQ(notes_.Size(), 2u);
    EXPECT_EQ(notes_[1].TEXT, "older");
    EXPECT_EQ(ReadStartupNoteFile(path_, 0).contents.notes.size(), 2u);
}

}  // namespace

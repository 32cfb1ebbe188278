// The saver of the data file: what autosave writes and when it tells of a
// failure.
#include "controller/NoteSaver.h"

#include "TestUtil.h"
#include "data/AtomicFile.h"
#include "data/NoteFile.h"

#include <gtest/gtest.h>

#include <algorithm>
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
    CStartupNoteFile read = ReadStartupNoteFile(path_, 0);
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

namespace {

std::vector<std::string> TextsOf(const CRecordList& notes) {
    std::vector<std::string> texts;
    for (const CTackletData& n : notes.Items()) texts.push_back(n.TEXT);
    std::sort(texts.begin(), texts.end());
    return texts;
}

// Another PC's version of the file, written aside and renamed over it. That
// PC's saver writes the identity of every note it changed.
void WriteTheirs(const std::string& path, std::vector<CTackletData> notes) {
    for (CTackletData& n : notes) n.m_derivedId = false;
    const std::string aside = path + ".other";
    ASSERT_TRUE(WriteDataFile(aside, notes, 0, 0));
    std::filesystem::rename(aside, path);
}

}  // namespace

TEST_F(NoteSaverTest, AChangedNoteGetsItsChangeTimeWhenSavedAndAnUnchangedOneNone) {
    StartWith({Note("one"), Note("two")});
    notes_[1].SetText("two, edited");
    ASSERT_TRUE(saver_.AutoSave(notes_, 0).current);
    const std::vector<CTackletData> read = ReadNoteFile(path_, 0);
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0].CHGDATE, 0) << "unchanged";
    EXPECT_NE(read[1].CHGDATE, 0);
    EXPECT_EQ(read[1].NOTEID, notes_[1].NOTEID) << "the identity derived at start is kept";
    EXPECT_FALSE(read[1].m_derivedId);
}

// Before a write, the file another PC wrote is merged, never written over.
TEST_F(NoteSaverTest, AWriteMergesWhatAnotherPCWroteFirst) {
    StartWith({Note("kept"), Note("deleted there"), Note("changed there")});
    std::vector<CTackletData> theirs = ReadNoteFile(path_, 0);
    theirs.erase(theirs.begin() + 1);
    theirs[1].TEXT = "changed there, by the other PC";
    theirs.push_back(Note("added there"));
    WriteTheirs(path_, theirs);
    std::vector<std::uint64_t> removed;
    saver_.SetRemover([&](const std::vector<std::uint64_t>& ids) {
        removed = ids;
        for (std::uint64_t id : ids) notes_.RemoveAt(static_cast<std::size_t>(notes_.IndexOf(id)));
    });
    const std::uint64_t deletedId = notes_.IdAt(1);
    notes_.InsertAtHead(Note("made here"));
    bool grew = false;
    ASSERT_TRUE(saver_.Write(notes_, 0, &grew));
    EXPECT_TRUE(grew);
    EXPECT_EQ(removed, std::vector<std::uint64_t>{deletedId}) << "deleted through the remover";
    const std::vector<std::string> expected{"added there", "changed there, by the other PC", "kept", "made here"};
    EXPECT_EQ(TextsOf(notes_), expected);
    CRecordList onDisk;
    onDisk.Assign(ReadNoteFile(path_, 0));
    EXPECT_EQ(TextsOf(onDisk), expected);
    // Merged once: the file now is the version remembered.
    EXPECT_FALSE(saver_.MergeFile(notes_, 0).read);
}

TEST_F(NoteSaverTest, AnEditOnBothSidesKeepsBothAndAFileThatAddsNothingNewIsNotWrittenBack) {
    StartWith({Note("shared")});
    std::vector<CTackletData> theirs = ReadNoteFile(path_, 0);
    theirs[0].TEXT = "shared, there";
    WriteTheirs(path_, theirs);
    notes_[0].SetText("shared, here");
    const CNoteSaver::SyncResult sync = saver_.Sync(notes_, 0);
    EXPECT_EQ(sync.merge.conflicts, 1u);
    EXPECT_TRUE(sync.written);
    const std::vector<std::string> expected{"shared, here", std::string(kConflictMark) + "\r\nshared, there"};
    EXPECT_EQ(TextsOf(notes_), expected);

    // The other PC's next version only takes ours: nothing to write back.
    std::vector<CTackletData> next = ReadNoteFile(path_, 0);
    std::reverse(next.begin(), next.end());
    const std::string written = ReadBytes(path_);
    WriteTheirs(path_, next);
    const std::string reordered = ReadBytes(path_);
    ASSERT_NE(reordered, written);
    const CNoteSaver::SyncResult quiet = saver_.Sync(notes_, 0);
    EXPECT_TRUE(quiet.merge.read);
    EXPECT_FALSE(quiet.merge.changed);
    EXPECT_FALSE(quiet.written);
    EXPECT_EQ(ReadBytes(path_), reordered);
    EXPECT_TRUE(saver_.AutoSave(notes_, 0).current);
    EXPECT_EQ(ReadBytes(path_), reordered) << "no write back and forth between the PCs";
}

// The pending list under Wine: moving notes in and out, its commands and
// questions, and its file, which follows every change and every full save.
#include "CollectionsFixture.h"

#include "collections/PendingDlg.h"
#include "platform/NotifyBridge.h"
#include "data/NoteFile.h"
#include "data/VolumeKey.h"
#include "res/resource.h"
#include "WindowFinder.h"

#include <gtest/gtest.h>

using wintest::CMessageBoxAnswerer;
using wintest::CTargetWindow;

namespace {

class PendingDlgTest : public CCollectionsFixture {
protected:
    void SetUp() override {
        CCollectionsFixture::SetUp();
        path = scratch.Path() + "\\MossrelPendingList.ini";
        ASSERT_TRUE(pending.CreateHidden());
        pending.Start(path, {});
    }
    void TearDown() override {
        pending.DestroyWindow();
        CCollectionsFixture::TearDown();
    }
    HWND List() const { return pending.GetItem(IDC_PENDING_LIST); }
    std::string Count() const {
        return pvtest::ItemText(pending.GetHwnd(), IDC_PENDING_COUNT);
    }
    // The titles of the pending-list file, in file order.
    std::vector<std::string> FileTitles() const {
        std::vector<std::string> titles;
        for (const CTackletData& r : ReadNoteFile(path, VolumeKeyForPath(path))) titles.push_back(r.TITLE);
        return titles;
    }
    // Moves active note `row` to the pending list through the main panel.
    void MoveFromPanel(int row) {
        ListView_SetSelectionMark(control.GetItem(IDC_PANEL_LIST), row);
        Command(control.GetHwnd(), IDC_PANEL_PENDING);
    }

    std::string path;
    CPendingDlg pending;
};

using Titles = std::vector<std::string>;

TEST_F(PendingDlgTest, ANoteMovedFromThePanelLeadsTheListAndTheFileAtOnce) {
    control.AddNote(Record("older"));
    control.AddNote(Record("newer"));
    MoveFromPanel(1);  // "older"
    MoveFromPanel(0);  // "newer"
    EXPECT_EQ(control.Notes().Size(), 0u);
    ASSERT_EQ(Rows(List()), 2);
    EXPECT_EQ(Cell(List(), 0, 0), "NOTEPAD.EXE");
    EXPECT_EQ(Cell(List(), 0, 1), "newer");
    EXPECT_EQ(Cell(List(), 0, 2), "text of newer");
    EXPECT_EQ(Cell(List(), 1, 1), "older");
    EXPECT_EQ(Count(), "2");
    EXPECT_EQ(FileTitles(), (Titles{"newer", "older"}));
    EXPECT_FALSE(pending.SaveNeeded());
}

TEST_F(PendingDlgTest, TheRecordsReadAtStartAreListedAndKeptByAFullSave) {
    std::vector<CTackletData> atStart{Record("parked one"), Record("parked two")};
    CPendingDlg restarted;
    ASSERT_TRUE(restarted.CreateHidden());
    restarted.Start(path, std::move(atStart));
    EXPECT_TRUE(atStart.empty()) << "the start-up records are taken over";
    EXPECT_EQ(Rows(restarted.GetItem(IDC_PENDING_LIST)), 2);
    CNotifyBridge::SetPendingList(&restarted);
    control.SaveAll();
    EXPECT_EQ(FileTitles(), (Titles{"parked one", "parked two"}));
    restarted.DestroyWindow();
    CNotifyBridge::SetPendingList(&pending);
}

TEST_F(PendingDlgTest, ReturnToActivePutsTheRecordFirstInTheMainPanel) {
    control.AddNote(Record("active"));
    control.AddNote(Record("parked"));
    MoveFromPanel(0);
    Mark(List(), 0);
    Command(pending.GetHwnd(), IDC_PENDING_TOACTIVE);
    ASSERT_EQ(control.Notes().Size(), 2u);
    EXPECT_EQ(control.Notes()[0].TITLE, "parked");
    EXPECT_EQ(control.Notes()[0].TEXT, "text of parked");
    EXPECT_EQ(control.Notes()[1].m_bModified, 1) << "the note after it moved";
    EXPECT_EQ(Rows(List()), 0);
    EXPECT_EQ(Count(), "0");
    EXPECT_EQ(FileTitles(), Titles{});
}

TEST_F(PendingDlgTest, DeleteAsksFirstAndKeepsAskingPastTheEnd) {
    pending.AddRecord(Record("b"));
    pending.AddRecord(Record("a"));
    Mark(List(), 1);
    {
        CMessageBoxAnswerer answerer({IDNO});
        Command(pending.GetHwnd(), IDC_PENDING_DELETE);
        EXPECT_EQ(answerer.Texts(), Titles{"選択したデータを削除してよろしいですか.？"});
    }
    EXPECT_EQ(Rows(List()), 2);
    {
        CMessageBoxAnswerer answerer({IDYES});
        Command(pending.GetHwnd(), IDC_PENDING_DELETE);
    }
    ASSERT_EQ(Rows(List()), 1);
    EXPECT_EQ(Cell(List(), 0, 1), "a");
    EXPECT_EQ(FileTitles(), Titles{"a"});
    {
        // The mark now lies past the end: the question comes, nothing else.
        CMessageBoxAnswerer answerer({IDYES});
        Command(pending.GetHwnd(), IDC_PENDING_DELETE);
        EXPECT_EQ(answerer.Texts().size(), 1u);
    }
    EXPECT_EQ(Rows(List()), 1);
}

TEST_F(PendingDlgTest, DeleteRemovesTheAskedRecordEvenWhenANoteArrivedMeanwhile) {
    pending.AddRecord(Record("keep"));
    pending.AddRecord(Record("delete me"));
    Mark(List(), 0);
    control.AddNote(Record("arriving"));
    {
        // While the question is open a note is parked in front.
        CMessageBoxAnswerer answerer({IDYES});
        ::PostMessageA(control.GetHwnd(), WM_COMMAND, MAKEWPARAM(IDC_PANEL_PENDING, BN_CLICKED), 0);
        ListView_SetSelectionMark(control.GetItem(IDC_PANEL_LIST), 0);
        Command(pending.GetHwnd(), IDC_PENDING_DELETE);
    }
    Titles titles;
    for (const CTackletData& r : pending.Records().Items()) titles.push_back(r.TITLE);
    EXPECT_EQ(titles, (Titles{"arriving", "keep"}));
}

TEST_F(PendingDlgTest, EveryCommandWithoutARowShowsTheNotice) {
    pending.AddRecord(Record("one"));
    CMessageBoxAnswerer answerer;
    for (int id : {IDC_PENDING_DELETE, IDC_PENDING_EXPORT, IDC_PENDING_REPASTE, IDC_PENDING_TOACTIVE})
        Command(pending.GetHwnd(), id);
    EXPECT_EQ(answerer.Texts(), Titles(4, "データを選択してください"));
    EXPECT_EQ(Rows(List()), 1);
}

TEST_F(PendingDlgTest, RepasteResetsTheConditionFromTheDefaultsAndKeepsThePart) {
    CTargetWindow target("PvTarget pending", 200, 150, 400, 300);
    control.MatchTick();
    CTackletData record = Record("elsewhere");
    record.EXTENTFLAG = 1;
    record.EXCLASS = "Edit";
    record.FULL = 0;
    record.PART = "kept part";
    record.m_arrow.ARWFLAG = 1;
    record.REC_LEFT = 0, record.REC_TOP = 0, record.REC_RIGHT = 100, record.REC_BOTTOM = 40;
    pending.AddRecord(record);
    Mark(List(), 0);
    {
        wintest::CWindowChooser chooser(nullptr);  // Cancel changes nothing
        Command(pending.GetHwnd(), IDC_PENDING_REPASTE);
    }
    EXPECT_EQ(Rows(List()), 1);
    {
        wintest::CWindowChooser chooser("PvTarget pending");
        Command(pending.GetHwnd(), IDC_PENDING_REPASTE);
    }
    EXPECT_EQ(Rows(List()), 0);
    ASSERT_EQ(control.Notes().Size(), 1u);
    const CTackletData& note = control.Notes()[0];
    EXPECT_EQ(note.TITLE, "PvTarget pending");
    EXPECT_EQ(note.EXTENTFLAG, control.DefaultNote().EXTENTFLAG);
    EXPECT_EQ(note.EXCLASS, control.DefaultNote().EXCLASS);
    EXPECT_EQ(note.FULL, control.DefaultNote().FULL);
    EXPECT_EQ(note.PART, "kept part");
    EXPECT_EQ(note.m_arrow.ARWFLAG, 0);
    RECT r = target.Rect();
    EXPECT_EQ(note.REC_LEFT, r.left + (r.right - r.left - 100) / 2);
    EXPECT_EQ(FileTitles(), Titles{});
}

TEST_F(PendingDlgTest, AFileUnreadableAtStartIsLeftAloneUntilItCanBeReadAgain) {
    const std::uint32_t key = VolumeKeyForPath(path);
    std::vector<CTackletData> earlier{Record("parked earlier")};
    ASSERT_TRUE(WriteDataFile(path, earlier, 0, key));
    const std::string onDisk = FileText(path);
    // Locked by another program while the start-up store reads it.
    HANDLE lock = ::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    CStartupNoteFile read = ReadStartupNoteFile(path, key);
    EXPECT_EQ(read.contents.state, NoteFileState::Unreadable);
    CPendingDlg locked;
    ASSERT_TRUE(locked.CreateHidden());
    locked.Start(path, std::move(read.contents.notes));

    // Still locked: neither a change nor a full save replaces the file, and
    // the full save says that it failed (so that exit asks first).
    locked.AddRecord(Record("parked now"));
    EXPECT_TRUE(locked.SaveNeeded());
    EXPECT_FALSE(control.SaveAll(false));
    ::CloseHandle(lock);
    EXPECT_EQ(FileText(path), onDisk);

    // Readable again: the next save reads it first and keeps its record
    // behind the one parked since start.
    EXPECT_TRUE(control.SaveAll(false));
    EXPECT_FALSE(locked.SaveNeeded());
    EXPECT_EQ(FileTitles(), (Titles{"parked now", "parked earlier"}));
    EXPECT_EQ(Rows(locked.GetItem(IDC_PENDING_LIST)), 2);
    locked.DestroyWindow();
    CNotifyBridge::SetPendingList(&pending);
}

TEST_F(PendingDlgTest, AFullSaveThatCannotWriteThePendingListFails) {
    pending.AddRecord(Record("parked"));
    // Another program holds the file (reading, not letting it be replaced):
    // the file cannot be written.
    const HANDLE holder = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(control.SaveAll(false));
    EXPECT_TRUE(pending.SaveNeeded());
    EXPECT_EQ(FileTitles(), (Titles{"parked"}));
    ::CloseHandle(holder);
    EXPECT_TRUE(control.SaveAll(false));
    EXPECT_FALSE(pending.SaveNeeded());
}

}  // namespace

TEST_F(PendingDlgTest, OnAMonitorOfAnotherScalingTheColumnsFollowAndThePanelTakesTheSuggestedPlace) {
    const HWND list = List();
    const int before = ListView_GetColumnWidth(list, 0);
    ASSERT_GT(before, 0);
    const RECT suggested{40, 50, 40 + 900, 50 + 600};
    ::SendMessageA(pending.GetHwnd(), WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(ListView_GetColumnWidth(list, 0), 2 * before);
    RECT now{};
    ::GetWindowRect(pending.GetHwnd(), &now);
    EXPECT_TRUE(::EqualRect(&now, &suggested));
    // And back: the widths return to what they were.
    const RECT back{40, 50, 40 + 450, 50 + 300};
    ::SendMessageA(pending.GetHwnd(), WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&back));
    EXPECT_EQ(ListView_GetColumnWidth(list, 0), before);
}

// The trash under Wine: every deletion of active notes lands there, the
// panel lists it, "元に戻す" brings a note back and "完全に削除" deletes it
// for good; the trash file follows every change.
#include "CollectionsFixture.h"

#include "collections/TrashDlg.h"
#include "data/TrashFile.h"
#include "data/NoteDate.h"
#include "platform/NotifyBridge.h"
#include "platform/WinConvert.h"
#include "res/resource.h"

#include <gtest/gtest.h>

using wintest::CMessageBoxAnswerer;
using wintest::CTargetWindow;

namespace {

using Texts = std::vector<std::string>;

class TrashDlgTest : public CCollectionsFixture {
protected:
    void SetUp() override {
        CCollectionsFixture::SetUp();
        ASSERT_TRUE(panel.CreateHidden());
        panel.Start(&control);
    }
    void TearDown() override {
        panel.Start(nullptr);
        panel.DestroyWindow();
        CCollectionsFixture::TearDown();
    }
    HWND List() const { return panel.GetItem(IDC_TRASH_LIST); }
    std::string Count() const {
        char text[32] = {};
        ::GetDlgItemTextA(panel.GetHwnd(), IDC_TRASH_COUNT, text, sizeof text);
        return text;
    }
    std::string TrashPath() const { return scratch.Path() + "\\PinvaneTrash.ini"; }
    // The texts in the trash file, in file order.
    Texts FileTexts() const {
        CTrash read;
        read.Load(TrashPath(), 30, NowTime());
        Texts texts;
        for (const CTrashItem& item : read.Items()) texts.push_back(item.note.TEXT);
        return texts;
    }
    Texts ActiveTexts() {
        Texts texts;
        for (const CTackletData& note : control.Notes().Items()) texts.push_back(note.TEXT);
        return texts;
    }
    void MarkPanelRow(int row) { ListView_SetSelectionMark(control.GetItem(IDC_PANEL_LIST), row); }

    CTrashDlg panel;
};

TEST_F(TrashDlgTest, EveryDeletionLandsInTheTrashAndItsFile) {
    for (const char* t : {"d", "c", "b", "a"}) control.AddNote(Record(t, std::string("text ") + t));
    ASSERT_EQ(ActiveTexts(), (Texts{"text a", "text b", "text c", "text d"}));
    {
        // The main panel's "1件削除", its question answered No, then Yes.
        CMessageBoxAnswerer answerer({IDNO, IDYES});
        MarkPanelRow(1);
        Command(control.GetHwnd(), IDC_PANEL_DELETE);
        EXPECT_EQ(Rows(List()), 0) << "No keeps the note out of the trash";
        MarkPanelRow(1);
        Command(control.GetHwnd(), IDC_PANEL_DELETE);
        EXPECT_EQ(answerer.Texts(), (Texts{"選択したデータを削除しますか？", "選択したデータを削除しますか？"}));
    }
    EXPECT_EQ(FileTexts(), (Texts{"text b"}));
    // The note's own "はがす" (after its question) deletes by identity.
    CNotifyBridge::DeleteNote(control.NoteIdentityAt(1));
    EXPECT_EQ(FileTexts(), (Texts{"text c", "text b"}));
    {
        CMessageBoxAnswerer answerer({IDYES, IDYES});
        Command(control.GetHwnd(), IDC_PANEL_DELETEALL);
    }
    EXPECT_TRUE(control.Notes().Empty());
    EXPECT_EQ(FileTexts(), (Texts{"text a", "text d", "text c", "text b"}));
    ASSERT_EQ(Rows(List()), 4);
    EXPECT_EQ(Cell(List(), 0, 0), "text a");
    EXPECT_EQ(Cell(List(), 0, 1), "NOTEPAD.EXE / a");
    EXPECT_EQ(Cell(List(), 0, 2).size(), 16u) << Cell(List(), 0, 2);  // "YYYY/MM/DD hh:mm"
    EXPECT_EQ(Count(), "4");
}

TEST_F(TrashDlgTest, AShownNoteGoesWithItsCurrentTextAndComesBackShownByTheNextTick) {
    CTargetWindow target("PvTrash target", 100, 100, 400, 300);
    control.PasteToWindow(target.Hwnd());
    control.MatchTick();
    ASSERT_EQ(control.Notes().Size(), 1u);
    ASSERT_EQ(control.Notes()[0].m_bAttached, 1);
    control.Notes()[0].SetText("typed into the window");
    control.RemoveNotes({control.NoteIdentityAt(0)});
    EXPECT_TRUE(control.Notes().Empty());
    EXPECT_EQ(FileTexts(), (Texts{"typed into the window"}));

    ASSERT_EQ(Rows(List()), 1);
    ListView_SetSelectionMark(List(), 0);
    Command(panel.GetHwnd(), IDC_TRASH_RESTORE);
    EXPECT_EQ(Rows(List()), 0);
    EXPECT_EQ(Count(), "0");
    EXPECT_TRUE(FileTexts().empty());
    ASSERT_EQ(ActiveTexts(), (Texts{"typed into the window"}));
    EXPECT_EQ(control.Notes()[0].m_bAttached, 0);
    control.MatchTick();
    EXPECT_EQ(control.Notes()[0].m_bAttached, 1) << "the next tick shows it on its window";
    EXPECT_EQ(::GetWindow(ToHwnd(control.Notes()[0].m_pWin->Handle()), GW_OWNER), target.Hwnd());
}

TEST_F(TrashDlgTest, DeleteForGoodAsksFirst) {
    control.AddNote(Record("kept"));
    control.AddNote(Record("gone"));
    control.RemoveNotes({control.NoteIdentityAt(0), control.NoteIdentityAt(1)});
    ASSERT_EQ(Rows(List()), 2);
    {
        CMessageBoxAnswerer answerer;
        Command(panel.GetHwnd(), IDC_TRASH_PURGE);
        Command(panel.GetHwnd(), IDC_TRASH_RESTORE);
        EXPECT_EQ(answerer.Texts(), (Texts{"データを選択してください", "データを選択してください"}));
    }
    ListView_SetSelectionMark(List(), 0);
    {
        CMessageBoxAnswerer answerer({IDNO});
        Command(panel.GetHwnd(), IDC_TRASH_PURGE);
        EXPECT_EQ(answerer.Texts(), (Texts{"選択したデータを完全に削除しますか？"}));
    }
    EXPECT_EQ(FileTexts(), (Texts{"text of gone", "text of kept"}));
    {
        CMessageBoxAnswerer answerer({IDYES});
        Command(panel.GetHwnd(), IDC_TRASH_PURGE);
    }
    EXPECT_EQ(FileTexts(), (Texts{"text of kept"}));
    ASSERT_EQ(Rows(List()), 1);
    EXPECT_EQ(Cell(List(), 0, 0), "text of kept");
    EXPECT_TRUE(control.Notes().Empty()) << "nothing comes back";
}

TEST_F(TrashDlgTest, AnUnreadableTrashFileIsKeptAndItsFailureToldOnce) {
    // A folder in the file's place exists but cannot be read as a file.
    ASSERT_TRUE(::CreateDirectoryA(TrashPath().c_str(), nullptr));
    wintest::LoadStartupNotes(control, scratch.Path() + "\\PinvaneData.ini");
    control.AddNote(Record("one"));
    control.AddNote(Record("two"));
    {
        CMessageBoxAnswerer answerer;
        control.RemoveNotes({control.NoteIdentityAt(0)});
        control.RemoveNotes({control.NoteIdentityAt(0)});
        EXPECT_EQ(answerer.Texts(), (Texts{"ゴミ箱のファイルに書き込めません."}));
    }
    EXPECT_TRUE(control.Notes().Empty());
    EXPECT_EQ(Rows(List()), 2) << "the trash keeps them while the program runs";
    const DWORD attributes = ::GetFileAttributesA(TrashPath().c_str());
    EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) << "left alone";
    // Readable again: the next change writes the file. "one", deleted
    // last, leads and is put back; "two" stays.
    ASSERT_TRUE(::RemoveDirectoryA(TrashPath().c_str()));
    ListView_SetSelectionMark(List(), 0);
    Command(panel.GetHwnd(), IDC_TRASH_RESTORE);
    EXPECT_EQ(ActiveTexts(), (Texts{"text of one"}));
    EXPECT_EQ(FileTexts(), (Texts{"text of two"}));
}

}  // namespace

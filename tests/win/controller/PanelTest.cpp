// The main panel under Wine: rows, marks, command availability and the
// notices of the row commands.
#include "ControllerFixture.h"
#include "WinTestUtil.h"

#include "controller/ControlDlg.h"
#include "platform/NotifyBridge.h"
#include "notewin/WindowSystem.h"
#include "platform/WindowText.h"
#include "res/resource.h"
#include "WindowFinder.h"
#include "platform/ListView.h"

#include <commctrl.h>
#include <gtest/gtest.h>

using wintest::CMessageBoxAnswerer;
using wintest::CTargetWindow;

namespace {

class PanelTest : public CControllerFixture {
protected:
    void AddNote(const char* title, const char* exe = "NOTEPAD.EXE") {
        CTackletData note;
        note.TITLE = title;
        note.EXENAME = exe;
        note.TEXT = std::string("text of ") + title;
        control.AddNote(note);
    }
    void Command(int id) { ::SendMessageA(control.GetHwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    HWND List() { return control.GetItem(IDC_PANEL_LIST); }
    int Rows() { return ListView_GetItemCount(List()); }
    std::string Cell(int row, int column) {
        return ListRows::CellText(List(), row, column);
    }
    void Mark(int row) { ListView_SetSelectionMark(List(), row); }
    bool Enabled(int id) { return ::IsWindowEnabled(control.GetItem(id)) != FALSE; }

};

TEST_F(PanelTest, EveryRowCommandWithoutARowShowsItsNotice) {
    struct Case {
        int id;
        const char* notice;
    };
    const Case cases[] = {
        {IDC_PANEL_DELETE, "削除するデータを一覧で選択してください"},
        {IDC_PANEL_EXPORT, "エクスポートするデータを一覧で選択してください"},
        {IDC_PANEL_REPASTE, "貼り替えする付箋を一覧で選択してください"},
        {IDC_PANEL_PENDING, "保留リストへ移動するデータを一覧で選択してください"},
        {IDC_PANEL_MATCHCOND, "条件変更するデータを一覧で選択してください"},
        {IDC_PANEL_CENTERWINDOW, "表示を移動する付箋データを一覧で選択してください"},
        {IDC_PANEL_CENTERMONITOR, "表示を移動する付箋データを一覧で選択してください"},
        {IDC_PANEL_EDITTEXT, "編集するデータを一覧で選択してください"},
    };
    EXPECT_EQ(pvtest::ItemText(control.GetHwnd(), IDC_PANEL_COUNT), "現在：0 枚");
    CMessageBoxAnswerer answerer;
    for (const Case& k : cases) Command(k.id);
    std::vector<std::string> texts = answerer.Texts();
    ASSERT_EQ(texts.size(), std::size(cases));
    for (size_t i = 0; i < texts.size(); ++i) EXPECT_EQ(texts[i], cases[i].notice) << i;
}

TEST_F(PanelTest, RowsShowTheNotesNewestFirstWithTheirColumns) {
    AddNote("first");
    AddNote("second", "DESKTOP");
    control.Notes()[0].PRECESSEFLAG = 0;
    control.Notes()[1].FULL = 0;
    control.Notes()[1].PART = "fir";
    control.RefreshNoteList();
    ASSERT_EQ(Rows(), 2);
    EXPECT_EQ(Cell(0, 0), "");
    EXPECT_EQ(Cell(0, 1), "second");
    EXPECT_EQ(Cell(1, 0), "NOTEPAD.EXE");
    EXPECT_EQ(Cell(1, 1), "fir");
    EXPECT_EQ(Cell(1, 3).size(), std::string("2011/ 3/05 09:07").size());
    EXPECT_EQ(pvtest::ItemText(control.GetHwnd(), IDC_PANEL_COUNT), "現在：2 枚");

    ::CheckRadioButton(control.GetHwnd(), IDC_PANEL_MODE_TITLE, IDC_PANEL_MODE_TEXT, IDC_PANEL_MODE_TEXT);
    Command(IDC_PANEL_MODE_TEXT);
    EXPECT_EQ(Cell(1, 1), "text of first");
}

TEST_F(PanelTest, DeletingKeepsTheMarkByIndex) {
    AddNote("c");
    AddNote("b");
    AddNote("a");
    Mark(1);
    {
        CMessageBoxAnswerer answerer({IDYES});
        Command(IDC_PANEL_DELETE);
        ASSERT_EQ(answerer.Texts(), std::vector<std::string>{"選択したデータを削除しますか？"});
    }
    ASSERT_EQ(control.Notes().Size(), 2u);
    EXPECT_EQ(control.Notes()[1].TITLE, "c");
    EXPECT_EQ(control.Notes()[1].m_bModified, 1);
    EXPECT_EQ(ListView_GetSelectionMark(List()), 1);
    EXPECT_EQ(ListView_GetItemState(List(), 1, LVIS_SELECTED), static_cast<UINT>(LVIS_SELECTED));

    {
        CMessageBoxAnswerer answerer({IDNO});
        Command(IDC_PANEL_DELETE);
    }
    EXPECT_EQ(control.Notes().Size(), 2u) << "No keeps the note";

    Mark(1);
    {
        CMessageBoxAnswerer answerer({IDYES, IDYES});
        Command(IDC_PANEL_DELETE);  // the last row
        Command(IDC_PANEL_DELETE);  // the mark is past the end now: asks, then nothing
        EXPECT_EQ(answerer.Texts().size(), 2u);
    }
    EXPECT_EQ(control.Notes().Size(), 1u);
    EXPECT_EQ(control.Notes()[0].TITLE, "a");
}

TEST_F(PanelTest, DeleteAllAsksTwice) {
    AddNote("x");
    AddNote("y");
    {
        CMessageBoxAnswerer answerer({IDYES, IDNO});
        Command(IDC_PANEL_DELETEALL);
        EXPECT_EQ(answerer.Texts(),
                  (std::vector<std::string>{"全件データを削除しますか？", "本当に全件データを削除しますか？"}));
    }
    EXPECT_EQ(control.Notes().Size(), 2u);
    {
        CMessageBoxAnswerer answerer({IDYES, IDYES});
        Command(IDC_PANEL_DELETEALL);
    }
    EXPECT_EQ(control.Notes().Size(), 0u);
    EXPECT_EQ(Rows(), 0);
}

TEST_F(PanelTest, CommandAvailabilityFollowsTheRow) {
    CTargetWindow target("PvTarget panel", 100, 100, 400, 300);
    AddNote("desk", "DESKTOP");
    control.Notes()[0].TITLE = "DESKTOP";
    control.Notes()[0].EXEPATH = "DESKTOP";
    AddNote("hidden note");
    control.SelectNoteRow(1);
    EXPECT_FALSE(Enabled(IDC_PANEL_MATCHCOND)) << "desktop note";
    control.SelectNoteRow(0);
    EXPECT_TRUE(Enabled(IDC_PANEL_MATCHCOND));
    EXPECT_TRUE(Enabled(IDC_PANEL_EDITTEXT)) << "not shown: editable";
    EXPECT_FALSE(Enabled(IDC_PANEL_CENTERWINDOW));
    control.MatchTick();  // the desktop note is shown now
    control.SelectNoteRow(1);
    EXPECT_TRUE(Enabled(IDC_PANEL_CENTERWINDOW));
    EXPECT_TRUE(Enabled(IDC_PANEL_CENTERMONITOR));
    EXPECT_FALSE(Enabled(IDC_PANEL_EDITTEXT));
    control.SelectNoteRow(-1);
    for (int id : {IDC_PANEL_EDITTEXT, IDC_PANEL_MATCHCOND, IDC_PANEL_CENTERWINDOW, IDC_PANEL_CENTERMONITOR})
        EXPECT_FALSE(Enabled(id)) << id;

    Mark(1);
    CMessageBoxAnswerer answerer;
    Command(IDC_PANEL_MATCHCOND);
    EXPECT_EQ(answerer.Texts(), std::vector<std::string>{"デスクトップ付箋は条件変更できません。"});
}

TEST_F(PanelTest, MovingToAPendingListThatIsNotThereKeepsTheNote) {
    AddNote("kept");
    Mark(0);
    Command(IDC_PANEL_PENDING);
    ASSERT_EQ(control.Notes().Size(), 1u);

    struct CCollect : INoteCollection {
        std::vector<CTackletData> records;
        void AddRecord(const CTackletData& r) override { records.push_back(r); }
    } pending;
    CNotifyBridge::SetPendingList(&pending);
    Command(IDC_PANEL_PENDING);
    CNotifyBridge::SetPendingList(nullptr);
    EXPECT_EQ(control.Notes().Size(), 0u);
    ASSERT_EQ(pending.records.size(), 1u);
    EXPECT_EQ(pending.records[0].TITLE, "kept");
}

TEST_F(PanelTest, BodyEditReplacesTheTextOfANoteThatIsNotShown) {
    AddNote("edited");
    control.Notes()[0].READONLY = 1;
    Mark(0);
    {
        // A read-only note asks first; No leaves it alone.
        CMessageBoxAnswerer answerer({IDNO});
        Command(IDC_PANEL_EDITTEXT);
        EXPECT_EQ(answerer.Texts(), std::vector<std::string>{"書き込み禁止状態ですが編集しますか？"});
    }
    std::string shown;
    {
        CMessageBoxAnswerer answerer({IDYES});
        wintest::CDialogDriver driver("本文編集", [&shown](HWND dialog) {
            shown = WindowText(::GetDlgItem(dialog, IDC_BODYEDIT_TEXT));
            ::SetDlgItemTextW(dialog, IDC_BODYEDIT_TEXT, L"新しい本文");
            ::PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        });
        Command(IDC_PANEL_EDITTEXT);
        EXPECT_TRUE(driver.Done());
    }
    EXPECT_EQ(shown, "text of edited");
    EXPECT_EQ(control.Notes()[0].TEXT, "新しい本文");
}

}  // namespace

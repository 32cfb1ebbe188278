// The match condition dialog: what it shows, what its buttons fill in,
// what OK refuses and what it hands back.
#include <gtest/gtest.h>

#include "ConditionTestSupport.h"
#include "res/resource.h"
#include "platform/ListView.h"

using ListRows::FindRowByText;
using ListRows::HandleText;
#include "winsel/MatchConditionDlg.h"

namespace {

using CScriptedMatch = CScripted<CMatchConditionDlg>;

CTackletData NoteOn(HWND target) {
    CTackletData note;
    note.TITLE = "照合テストの窓";
    note.EXENAME = "TEST.EXE";
    note.hTargetWnd = ToHandle(target);
    note.FULL = 1;
    note.EXFULLFLAG = 1;
    note.EXTEXT = "元の子テキスト";
    return note;
}

}  // namespace

TEST(MatchConditionDlg, ShowsTheRecordAndFillsAnEmptyFragmentWithTheOriginal) {
    CScriptedMatch dlg;
    dlg.m_record = NoteOn(nullptr);
    dlg.m_record.TITLEFLAG = 0;
    dlg.m_record.EXCLASS = "Edit";
    dlg.m_record.EXCTLID = 0;
    dlg.m_record.EXPART = "部分";
    dlg.AddStep([](CScriptedMatch& d) {
        HWND h = d.GetHwnd();
        EXPECT_EQ("マッチング条件設定", ItemText(h, -1));
        EXPECT_TRUE(IsChecked(h, IDC_MC_PROCESS));
        EXPECT_FALSE(IsChecked(h, IDC_MC_TITLE));
        EXPECT_FALSE(IsChecked(h, IDC_MC_EXTENT));
        EXPECT_TRUE(IsChecked(h, IDC_MC_FULL));
        EXPECT_EQ("Edit", ItemText(h, IDC_MC_EXCLASS));
        EXPECT_EQ("", ItemText(h, IDC_MC_EXCTLID));  // control ID 0 shows empty
        EXPECT_EQ("元の子テキスト", ItemText(h, IDC_MC_EXTEXT));
        EXPECT_EQ("部分", ItemText(h, IDC_MC_EXPART));
        EXPECT_TRUE(::IsWindowEnabled(d.GetItem(IDC_MC_CHOOSE)));
        // Unchecking "完全一致" with an empty fragment puts the title there;
        // checking it again leaves the box alone.
        ::CheckDlgButton(h, IDC_MC_FULL, BST_UNCHECKED);
        ::SendMessageA(h, WM_COMMAND, MAKEWPARAM(IDC_MC_FULL, BN_CLICKED), 0);
        EXPECT_EQ("照合テストの窓", ItemText(h, IDC_MC_PART));
        ::SetDlgItemTextA(h, IDC_MC_PART, "");
        ::CheckDlgButton(h, IDC_MC_FULL, BST_CHECKED);
        ::SendMessageA(h, WM_COMMAND, MAKEWPARAM(IDC_MC_FULL, BN_CLICKED), 0);
        EXPECT_EQ("", ItemText(h, IDC_MC_PART));
        // The child text's fragment box is not empty: unchecking keeps it.
        ::CheckDlgButton(h, IDC_MC_EXFULL, BST_UNCHECKED);
        ::SendMessageA(h, WM_COMMAND, MAKEWPARAM(IDC_MC_EXFULL, BN_CLICKED), 0);
        EXPECT_EQ("部分", ItemText(h, IDC_MC_EXPART));
        ::SendMessageA(h, WM_COMMAND, MAKEWPARAM(IDC_MC_EXTEXTSRC, BN_CLICKED), 0);
        EXPECT_EQ("元の子テキスト", ItemText(h, IDC_MC_EXPART));
    });
    EXPECT_EQ(IDCANCEL, dlg.DoModal(nullptr));
}

// OK refuses a condition without process and title, and an extended
// condition without a child; then stores the flags and fragments.
TEST(MatchConditionDlg, OkRefusesIncompleteConditionsThenStoresTheControls) {
    CScriptedMatch dlg;
    dlg.m_record = NoteOn(nullptr);
    dlg.AddStep([](CScriptedMatch& d) {
        ::CheckDlgButton(d.GetHwnd(), IDC_MC_PROCESS, BST_UNCHECKED);
        ::CheckDlgButton(d.GetHwnd(), IDC_MC_TITLE, BST_UNCHECKED);
        PressButton(d.GetHwnd(), IDOK);
    });
    dlg.AddStep([](CScriptedMatch& d) {
        ::CheckDlgButton(d.GetHwnd(), IDC_MC_TITLE, BST_CHECKED);
        ::CheckDlgButton(d.GetHwnd(), IDC_MC_EXTENT, BST_CHECKED);
        PressButton(d.GetHwnd(), IDOK);
    });
    dlg.AddStep([](CScriptedMatch& d) {
        ::CheckDlgButton(d.GetHwnd(), IDC_MC_EXTENT, BST_UNCHECKED);
        ::CheckDlgButton(d.GetHwnd(), IDC_MC_FULL, BST_UNCHECKED);
        ::CheckDlgButton(d.GetHwnd(), IDC_MC_EXFULL, BST_UNCHECKED);
        ::SetDlgItemTextW(d.GetHwnd(), IDC_MC_PART, L"タイトルの一部");
        ::SetDlgItemTextW(d.GetHwnd(), IDC_MC_EXPART, L"子の一部");
        PressButton(d.GetHwnd(), IDOK);
    });
    ASSERT_EQ(IDOK, dlg.DoModal(nullptr));
    EXPECT_EQ(std::vector<std::string>({"プロセス名かウィンドウタイトルいずれかをチェックしてください.",
                                        "拡張条件が選択されていますが子ウィンドウ（コンポーネント）が選択されていません"}),
              dlg.Boxes());
    EXPECT_EQ(0, dlg.m_record.PRECESSEFLAG);
    EXPECT_EQ(1, dlg.m_record.TITLEFLAG);
    EXPECT_EQ(0, dlg.m_record.EXTENTFLAG);
    EXPECT_EQ(0, dlg.m_record.FULL);
    EXPECT_EQ(0, dlg.m_record.EXFULLFLAG);
    EXPECT_EQ("タイトルの一部", dlg.m_record.PART);
    EXPECT_EQ("子の一部", dlg.m_record.EXPART);
}

// "条件選択" opens the child selection on the note's target; its choice is
// shown and taken with the extended condition.
TEST(MatchConditionDlg, TheChildChoiceComesFromTheTargetWindow) {
    CWindowSystemScope windows;
    CChildTarget target("条件選択テスト", 700, 80);
    target.SetEditText("選ばれる文字");
    CScriptedMatch dlg;
    dlg.m_record = NoteOn(target.Hwnd());
    dlg.AddStep([](CScriptedMatch& d) { PressButton(d.GetHwnd(), IDC_MC_CHOOSE); });
    dlg.AddStepOn("子ウィンドウ条件選択", [&](HWND child) {
        HWND list = ::GetDlgItem(child, IDC_CHILD_LIST);
        ClickListRow(child, IDC_CHILD_LIST, FindRowByText(list, 3, HandleText(ToHandle(target.Edit()))));
        PressButton(child, IDOK);
    });
    dlg.AddStep([](CScriptedMatch& d) {
        EXPECT_EQ("Edit", ItemText(d.GetHwnd(), IDC_MC_EXCLASS));
        EXPECT_EQ("100", ItemText(d.GetHwnd(), IDC_MC_EXCTLID));
        EXPECT_EQ("選ばれる文字", ItemText(d.GetHwnd(), IDC_MC_EXTEXT));
        ::CheckDlgButton(d.GetHwnd(), IDC_MC_EXTENT, BST_CHECKED);
        PressButton(d.GetHwnd(), IDOK);
    });
    ASSERT_EQ(IDOK, dlg.DoModal(nullptr));
    EXPECT_TRUE(dlg.Boxes().empty());
    EXPECT_EQ(1, dlg.m_record.EXTENTFLAG);
    EXPECT_EQ("Edit", dlg.m_record.EXCLASS);
    EXPECT_EQ(CChildTarget::kEditId, dlg.m_record.EXCTLID);
    EXPECT_EQ("選ばれる文字", dlg.m_record.EXTEXT);
}

TEST(MatchConditionDlg, WithoutChildChoiceTheButtonIsDisabled) {
    CScriptedMatch dlg;
    dlg.m_record = NoteOn(nullptr);
    dlg.m_childChoiceAllowed = false;
    bool enabled = true;
    dlg.AddStep([&](CScriptedMatch& d) { enabled = ::IsWindowEnabled(d.GetItem(IDC_MC_CHOOSE)) != FALSE; });
    dlg.DoModal(nullptr);
    EXPECT_FALSE(enabled);
}

// The note closed while the dialog was open: OK ends as Cancel.
TEST(MatchConditionDlg, OkAfterTheOwnerNoteClosedEndsAsCancel) {
    wintest::CTargetWindow note("閉じる付箋", 10, 10, 100, 50);
    CScriptedMatch dlg;
    dlg.m_record = NoteOn(nullptr);
    dlg.SetOwnerCheck(note.Hwnd());
    dlg.AddStep([&](CScriptedMatch& d) {
        note.Close();
        PressButton(d.GetHwnd(), IDOK);
    });
    dlg.AddStep([](CScriptedMatch& d) { PressButton(d.GetHwnd(), IDOK); });
    EXPECT_EQ(IDCANCEL, dlg.DoModal(nullptr));
    EXPECT_TRUE(dlg.Boxes().empty());
}

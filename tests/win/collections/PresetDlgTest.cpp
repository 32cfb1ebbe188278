// The preset list and the preset dialog.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include "ConditionTestSupport.h"
#include "collections/PoreSetSettingDlg.h"
#include "collections/PreSetMatchConditionDlg.h"
#include "controller/WindowList.h"
#include "res/resource.h"
#include "platform/ListView.h"

using ListRows::FindRowByText;
using ListRows::HandleText;

namespace {

std::vector<CWinInf> CurrentWindows() {
    std::vector<CWinInf> list;
    CWindowListBuilder(nullptr).Build(list);
    return list;
}

CPreSetCondData Preset(const char* name, const char* exe) {
    CPreSetCondData p;
    p.CONDNAME = name;
    p.EXENAME = exe;
    p.EXCLASS = "Edit";
    p.EXCTLID = 100;
    return p;
}

// The list dialog with the preset dialog replaced by a script of results:
// each run records what it was given and returns the next result (a
// missing result is a Cancel).
class CListWithScriptedEdits : public CPreSetMatchConditionDlg {
public:
    using CPreSetMatchConditionDlg::CPreSetMatchConditionDlg;
    using CPreSetMatchConditionDlg::List;
    std::vector<CPreSetCondData> results;
    std::vector<std::pair<CPreSetCondData, bool>> given;

protected:
    bool EditPreset(CPreSetCondData& preset, bool newPreset) override {
        given.emplace_back(preset, newPreset);
        if (given.size() > results.size()) return false;
        preset = results[given.size() - 1];
        return true;
    }
};
using CScriptedList = CScripted<CListWithScriptedEdits>;

std::vector<std::string> ListedNames(HWND list) {
    std::vector<std::string> names;
    for (int row = 0; row < RowCount(list); ++row) names.push_back(Cell(list, row, 0) + "/" + Cell(list, row, 1));
    return names;
}

constexpr char kDuplicate[] = "プロセス名：A.EXE の設定は既に存在します.\r\n設定を破棄しましか？";

}  // namespace

// A new preset for a process that has one asks whether to discard it: No
// reopens the preset dialog with what was entered, Yes discards it.
TEST(PreSetMatchConditionDlg, AddingForAKnownProcessAsksAndNoReopensWithTheEnteredValues) {
    CScriptedList dlg(std::vector<CPreSetCondData>{Preset("既存", "A.EXE")}, WindowListSource());
    dlg.results = {Preset("新しい", "A.EXE"), Preset("直した", "A.EXE"), Preset("別の", "B.EXE")};
    dlg.Answer({IDNO, IDYES});
    std::vector<std::string> afterFirstAdd;
    dlg.AddStep([](CScriptedList& d) { PressButton(d.GetHwnd(), IDC_PRESET_ADD); });
    dlg.AddStep([&](CScriptedList& d) {
        afterFirstAdd = ListedNames(d.List());
        PressButton(d.GetHwnd(), IDC_PRESET_ADD);
    });
    std::vector<std::string> listed;
    dlg.AddStep([&](CScriptedList& d) {
        listed = ListedNames(d.List());
        PressButton(d.GetHwnd(), IDOK);
    });
    ASSERT_EQ(IDOK, dlg.DoModal(nullptr));
    EXPECT_EQ(std::vector<std::string>({kDuplicate, kDuplicate}), dlg.Boxes());
    // First add: default preset, then (No) the entered one again, then Yes.
    ASSERT_EQ(3u, dlg.given.size());
    EXPECT_EQ(CPreSetCondData(), dlg.given[0].first);
    EXPECT_TRUE(dlg.given[0].second);
    EXPECT_EQ(Preset("新しい", "A.EXE"), dlg.given[1].first);
    EXPECT_EQ(CPreSetCondData(), dlg.given[2].first);
    EXPECT_EQ(std::vector<std::string>({"既存/A.EXE"}), afterFirstAdd);
    ASSERT_EQ(2u, dlg.Presets().size());
    EXPECT_EQ(Preset("別の", "B.EXE"), dlg.Presets()[1]);
    EXPECT_EQ(std::vector<std::string>({"既存/A.EXE", "別の/B.EXE"}), listed);
}

TEST(PreSetMatchConditionDlg, ChangeAndDeleteActOnTheMarkedRowAndNeedOne) {
    CScriptedList dlg(std::vector<CPreSetCondData>{Preset("一", "A.EXE"), Preset("二", "B.EXE"), Preset("三", "C.EXE")},
                      WindowListSource());
    dlg.results = {Preset("二改", "B.EXE")};
    dlg.AddStep([](CScriptedList& d) {
        EXPECT_EQ(100, ListView_GetColumnWidth(d.List(), 0));
        EXPECT_EQ("アプリケーション別マッチング条件プリセット", ItemText(d.GetHwnd(), -1));
        PressButton(d.GetHwnd(), IDC_PRESET_CHANGE);
    });
    dlg.AddStep([](CScriptedList& d) { PressButton(d.GetHwnd(), IDC_PRESET_DELETE); });
    dlg.AddStep([](CScriptedList& d) {
        ClickListRow(d.GetHwnd(), IDC_PRESET_LIST, 1);
        PressButton(d.GetHwnd(), IDC_PRESET_CHANGE);
    });
    dlg.AddStep([](CScriptedList& d) {
        EXPECT_EQ(1, ListView_GetSelectionMark(d.List()));  // kept on the row number
        ClickListRow(d.GetHwnd(), IDC_PRESET_LIST, 0);
        PressButton(d.GetHwnd(), IDC_PRESET_DELETE);
    });
    std::vector<std::string> listed;
    dlg.AddStep([&](CScriptedList& d) { listed = ListedNames(d.List()); });
    ASSERT_EQ(IDCANCEL, dlg.DoModal(nullptr));
    EXPECT_EQ(std::vector<std::string>({"変更する条件を選択してください", "削除する条件を選択してください"}), dlg.Boxes());
    ASSERT_EQ(1u, dlg.given.size());
    EXPECT_EQ(Preset("二", "B.EXE"), dlg.given[0].first);
    EXPECT_FALSE(dlg.given[0].second);
    EXPECT_EQ(std::vector<CPreSetCondData>({Preset("二改", "B.EXE"), Preset("三", "C.EXE")}), dlg.Presets());
    EXPECT_EQ(std::vector<std::string>({"二改/B.EXE", "三/C.EXE"}), listed);
}

using CScriptedSetting = CScripted<CPoreSetSettingDlg>;

// A new preset: all three conditions on, only the title one can change;
// the process and child come from a running window, the name from the
// process; OK asks about the title condition switched off.
TEST(PoreSetSettingDlg, ANewPresetTakesItsProcessAndChildFromARunningWindow) {
    CWindowSystemScope windows;
    CChildTarget target("プリセット元の窓", 60, 420);
    CScriptedSetting dlg(CurrentWindows);
    dlg.Answer({IDOK, IDNO, IDYES});
    dlg.AddStep([](CScriptedSetting& d) {
        HWND h = d.GetHwnd();
        EXPECT_EQ("プリセット条件設定", ItemText(h, -1));
        EXPECT_TRUE(IsChecked(h, IDC_PS_PROCESSFLAG) && IsChecked(h, IDC_PS_TITLEFLAG) && IsChecked(h, IDC_PS_EXTENTFLAG));
        EXPECT_FALSE(::IsWindowEnabled(d.GetItem(IDC_PS_PROCESSFLAG)));
        EXPECT_TRUE(::IsWindowEnabled(d.GetItem(IDC_PS_TITLEFLAG)));
        EXPECT_FALSE(::IsWindowEnabled(d.GetItem(IDC_PS_EXTENTFLAG)));
        EXPECT_EQ("0", ItemText(h, IDC_PS_CTLID));
        PressButton(h, IDOK);  // no name yet
    });
    dlg.AddStep([](CScriptedSetting& d) { PressButton(d.GetHwnd(), IDC_PS_FROMWINDOW); });
    dlg.AddStepOn("プロセス＆拡張条件選択", [&](HWND sel) {
        HWND list = ::GetDlgItem(sel, IDC_WINEX_WINDOWS);
        ClickListRow(sel, IDC_WINEX_WINDOWS, FindRowByText(list, 2, HandleText(ToHandle(target.Hwnd()))));
        ClickListRow(sel, IDC_CHILD_LIST,
                     FindRowByText(::GetDlgItem(sel, IDC_CHILD_LIST), 3, HandleText(ToHandle(target.Edit()))));
        PressButton(sel, IDOK);
    });
    dlg.AddStep([](CScriptedSetting& d) {
        HWND h = d.GetHwnd();
        EXPECT_EQ(wintest::OwnExeName(), ItemText(h, IDC_PS_NAME));
        EXPECT_EQ(wintest::OwnExeName(), ItemText(h, IDC_PS_PROCESS));
        EXPECT_EQ("Edit", ItemText(h, IDC_PS_CLASS));
        EXPECT_EQ("100", ItemText(h, IDC_PS_CTLID));
        ::SetDlgItemTextW(h, IDC_PS_NAME, L"テスト用");
        ::CheckDlgButton(h, IDC_PS_TITLEFLAG, BST_UNCHECKED);
        PressButton(h, IDOK);  // asked, No
    });
    dlg.AddStep([](CScriptedSetting& d) { PressButton(d.GetHwnd(), IDOK); });  // asked, Yes
    ASSERT_EQ(IDOK, dlg.DoModal(nullptr));
    EXPECT_EQ(std::vector<std::string>({"条件名が設定されていません", "タイトル条件がチェックされていません.よろしいですか？",
                                        "タイトル条件がチェックされていません.よろしいですか？"}),
              dlg.Boxes());
    CPreSetCondData expected;
    expected.CONDNAME = "テスト用";
    expected.TITLEFLAG = 0;
    expected.EXENAME = wintest::OwnExeName();
    expected.EXCLASS = "Edit";
    expected.EXCTLID = 100;
    EXPECT_EQ(expected, dlg.m_preset);
}

// Changing a preset's child needs a running window of its process.
TEST(PoreSetSettingDlg, AChangedPresetChoosesItsChildOnARunningWindowOfItsProcess) {
    CWindowSystemScope windows;
    CChildTarget target("変更元の窓", 60, 420);
    CScriptedSetting absent(CurrentWindows);
    absent.m_newPreset = false;
    absent.m_preset = Preset("無い", "NOSUCHPROGRAM.EXE");
    absent.AddStep([](CScriptedSetting& d) { PressButton(d.GetHwnd(), IDC_PS_FROMWINDOW); });
    absent.DoModal(nullptr);
    EXPECT_EQ(std::vector<std::string>({"現在該当プロセスのウィンドウが存在しません"}), absent.Boxes());

    CScriptedSetting present(CurrentWindows);
    present.m_newPreset = false;
    CPreSetCondData mine = Preset("ある", wintest::OwnExeName().c_str());
    present.m_preset = mine;
    bool preselected = false;
    present.AddStep([](CScriptedSetting& d) { PressButton(d.GetHwnd(), IDC_PS_FROMWINDOW); });
    present.AddStepOn("子ウィンドウ条件選択", [&](HWND sel) {
        HWND list = ::GetDlgItem(sel, IDC_CHILD_LIST);
        const int edit = FindRowByText(list, 3, HandleText(ToHandle(target.Edit())));
        preselected = edit >= 0 && ListView_GetSelectionMark(list) == edit;
        ClickListRow(sel, IDC_CHILD_LIST, FindRowByText(list, 3, HandleText(ToHandle(target.FirstButton()))));
        PressButton(sel, IDOK);  // not unique: answered Yes
    });
    present.AddStep([](CScriptedSetting& d) { PressButton(d.GetHwnd(), IDOK); });
    present.Answer({IDYES});
    ASSERT_EQ(IDOK, present.DoModal(nullptr));
    EXPECT_TRUE(preselected);
    mine.EXCLASS = "Button";
    mine.EXCTLID = 0;
    EXPECT_EQ(mine, present.m_preset);
}

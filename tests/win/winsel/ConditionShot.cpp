// Screens of the condition and preset dialogs for a person to look at.
// Usage: pvconditionshot <scene> <ready file> <done file>; scenes:
// child-select, process-select, match-condition, preset-list.
#include <windows.h>

#include <cstdio>
#include <string>

#include "ConditionTestSupport.h"
#include "collections/PreSetMatchConditionDlg.h"
#include "controller/WindowList.h"
#include "res/resource.h"
#include "winsel/ChildSelDlg.h"
#include "platform/ListView.h"

using ListRows::FindRowByText;
using ListRows::HandleText;
#include "winsel/MatchConditionDlg.h"
#include "winsel/WinExSelDlg.h"

namespace {

wintest::CShotFiles g_files;

std::vector<CWinInf> CurrentWindows() {
    std::vector<CWinInf> list;
    CWindowListBuilder(nullptr).Build(list);
    return list;
}

int ChildRow(HWND dialog, HWND child) {
    return FindRowByText(::GetDlgItem(dialog, IDC_CHILD_LIST), 3, HandleText(ToHandle(child)));
}

// Adds the last steps: say the scene is set, hold until the picture is
// taken, then close `nested` (a dialog opened over the scripted one).
template <class D>
void HoldScene(D& dlg, const char* nested = nullptr) {
    dlg.AddStep([](D&) { g_files.MarkReady(); });
    dlg.AddStep([nested](D& d) {
        if (!g_files.Done()) {
            d.RunAgain();
            return;
        }
        if (HWND inner = nested ? FindThreadDialog(nested) : nullptr) ::PostMessageA(inner, WM_COMMAND, IDCANCEL, 0);
    });
}

}  // namespace

int main(int argc, char** argv) {
    if (!g_files.Parse(argc, argv, 4, "pvconditionshot <scene> <ready file> <done file>")) return 2;
    const std::string scene = argv[1];
    CWindowSystemScope windows;
    CChildTarget target("拡張条件の対象ウィンドウ", 40, 40, 460, 320);
    target.SetEditText("ここの文字で照合");

    if (scene == "child-select") {
        CScripted<CChildSelDlg> dlg;
        dlg.m_hTarget = target.Hwnd();
        dlg.m_className = "Edit";
        dlg.m_ctrlId = CChildTarget::kEditId;
        HoldScene(dlg);
        dlg.DoModal(nullptr);
    } else if (scene == "process-select") {
        CScripted<CWinExSelDlg> dlg(CurrentWindows);
        dlg.m_processName = "PVCONDITIONSHOT.EXE";
        dlg.AddStep([&](CScripted<CWinExSelDlg>& d) {
            ClickListRow(d.GetHwnd(), IDC_CHILD_LIST, ChildRow(d.GetHwnd(), target.SecondButton()));
        });
        HoldScene(dlg);
        dlg.DoModal(nullptr);
    } else if (scene == "match-condition") {
        CScripted<CMatchConditionDlg> dlg;
        dlg.m_record.TITLE = "拡張条件の対象ウィンドウ";
        dlg.m_record.hTargetWnd = ToHandle(target.Hwnd());
        dlg.m_record.EXTENTFLAG = 1;
        dlg.m_record.EXCLASS = "Edit";
        dlg.m_record.EXCTLID = CChildTarget::kEditId;
        dlg.m_record.EXTEXT = "ここの文字で照合";
        dlg.AddStep([](CScripted<CMatchConditionDlg>& d) { PressButton(d.GetHwnd(), IDC_MC_CHOOSE); });
        dlg.AddStep([](CScripted<CMatchConditionDlg>& d) {
            HWND inner = FindThreadDialog("子ウィンドウ条件選択");
            if (!inner) {
                d.RunAgain();
                return;
            }
            // Below the target, beside the condition dialog, so that both
            // can be seen.
            ::SetWindowPos(d.GetHwnd(), nullptr, 20, 380, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
            RECT outer{};
            ::GetWindowRect(d.GetHwnd(), &outer);
            ::SetWindowPos(inner, nullptr, outer.right + 8, outer.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        });
        HoldScene(dlg, "子ウィンドウ条件選択");
        dlg.DoModal(nullptr);
    } else if (scene == "preset-list") {
        std::vector<CPreSetCondData> presets(2);
        presets[0].CONDNAME = "メモ帳の本文";
        presets[0].EXENAME = "NOTEPAD.EXE";
        presets[0].EXCLASS = "Edit";
        presets[0].EXCTLID = 15;
        presets[1].CONDNAME = "条件の対象";
        presets[1].EXENAME = "PVCONDITIONSHOT.EXE";
        presets[1].EXCLASS = "Edit";
        presets[1].EXCTLID = CChildTarget::kEditId;
        CScripted<CPreSetMatchConditionDlg> dlg(presets, CurrentWindows);
        dlg.AddStep([](CScripted<CPreSetMatchConditionDlg>& d) {
            ClickListRow(d.GetHwnd(), IDC_PRESET_LIST, 1);
            PressButton(d.GetHwnd(), IDC_PRESET_CHANGE);
        });
        dlg.AddStep([](CScripted<CPreSetMatchConditionDlg>& d) {
            HWND inner = FindThreadDialog("プリセット条件設定");
            if (!inner) {
                d.RunAgain();
                return;
            }
            RECT outer{};
            ::GetWindowRect(d.GetHwnd(), &outer);
            ::SetWindowPos(inner, nullptr, outer.right + 8, outer.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        });
        HoldScene(dlg, "プリセット条件設定");
        dlg.DoModal(nullptr);
    } else {
        return 2;
    }
    return 0;
}

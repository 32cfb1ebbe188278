// pvcollectshot: one collection panel filled with notes, for a screenshot.
// Usage: pvcollectshot <pending|export|import|search> <ready file> <done file>
// Touches <ready file> once the panel is painted, then waits (at most 60 s)
// until <done file> exists.
#include "WinTestUtil.h"

#include "collections/ExportStackDlg.h"
#include "collections/InportStackDlg.h"
#include "collections/PendingDlg.h"
#include "collections/SerchDlg.h"
#include "controller/ControlDlg.h"
#include "platform/NotifyBridge.h"
#include "notewin/WindowSystem.h"
#include "data/NoteFile.h"
#include "data/VersionText.h"
#include "res/resource.h"

#include <commctrl.h>

#include <cstdio>
#include <string>

namespace {

CTackletData Sample(const char* exe, const char* title, const char* text) {
    CTackletData note;
    note.EXENAME = exe;
    note.TITLE = title;
    note.TEXT = text;
    return note;
}

const CTackletData kSamples[] = {
    Sample("NOTEPAD.EXE", "議事録.txt - メモ帳", "次回の会議までに資料を用意する"),
    Sample("EXCEL.EXE", "売上集計 2024年度.xlsx - Excel", "4月分の数字を確認"),
    Sample("DESKTOP", "DESKTOP", "買い物: 牛乳, パン"),
    Sample("CHROME.EXE", "Pinvane - Google Chrome", "Memo: check the release notes"),
};

void Place(HWND panel) {
    ::SetWindowPos(panel, HWND_TOP, 60, 60, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    ::UpdateWindow(panel);
}

}  // namespace

int main(int argc, char** argv) {
    wintest::CShotFiles files;
    if (!files.Parse(argc, argv, 4, "pvcollectshot <pending|export|import|search> <ready file> <done file>")) return 2;
    const std::string which = argv[1];
    INITCOMMONCONTROLSEX icc{sizeof icc, 0xFF};
    ::InitCommonControlsEx(&icc);
    SetVersionText("Ver.:1.1.6.193");

    wintest::CScratchDir scratch;
    CWindowSystemScope windowSystem;
    wintest::CTargetWindow host("Pinvane", 60, 300, 720, 420, WS_OVERLAPPEDWINDOW);
    CControlDlg control;
    if (!control.Create(host.Hwnd())) return 1;
    wintest::LoadStartupNotes(control, scratch.Path() + "\\PinvaneData.ini");
    ::KillTimer(control.GetHwnd(), 103);
    for (const CTackletData& note : kSamples) control.AddNote(note);

    CExportStackDlg exportStack;
    CInportStackDlg importStack;
    CPendingDlg pending;
    CSerchDlg search;
    exportStack.CreateHidden();
    importStack.CreateHidden();
    pending.CreateHidden();
    pending.Start(scratch.Path() + "\\MossrelPendingList.ini", {});
    search.SetSource(&control);
    search.CreateHidden(host.Hwnd());

    HWND shown = nullptr;
    if (which == "pending") {
        for (const CTackletData& note : kSamples) pending.AddRecord(note);
        ListView_SetSelectionMark(pending.GetItem(IDC_PENDING_LIST), 1);
        ListView_SetItemState(pending.GetItem(IDC_PENDING_LIST), 1, LVIS_SELECTED, LVIS_SELECTED);
        shown = pending.GetHwnd();
    } else if (which == "export") {
        ::SendMessageA(exportStack.GetHwnd(), WM_COMMAND, IDC_EXPORT_GETALL, 0);
        shown = exportStack.GetHwnd();
    } else if (which == "import") {
        const std::string file = scratch.Path() + "\\sample.qnb";
        WriteExportFile(file, std::vector<CTackletData>(std::begin(kSamples), std::end(kSamples)));
        importStack.ReadFile(file);
        shown = importStack.GetHwnd();
    } else if (which == "search") {
        ::ShowWindow(host.Hwnd(), SW_SHOW);
        search.Open();
        ::CheckDlgButton(search.GetHwnd(), IDC_SEARCH_TEXT_ON, BST_CHECKED);
        ::SetDlgItemTextA(search.GetHwnd(), IDC_SEARCH_TEXT, "memo");
        ::CheckDlgButton(search.GetHwnd(), IDC_SEARCH_SHOWN_ON, BST_UNCHECKED);
        ::SendMessageA(search.GetHwnd(), WM_COMMAND, IDC_SEARCH_RUN, 0);
        RECT r{};
        ::GetWindowRect(search.GetHwnd(), &r);
        ::SetWindowPos(search.GetHwnd(), HWND_TOP, 60, 300 - (r.bottom - r.top), 720, r.bottom - r.top,
                       SWP_SHOWWINDOW);
        ::SetWindowPos(control.GetHwnd(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
        shown = search.GetHwnd();
    }
    if (!shown) return 2;
    if (which != "search") Place(shown);
    wintest::Pump(500);
    files.Hold();
    search.DestroyWindow();
    pending.DestroyWindow();
    importStack.DestroyWindow();
    exportStack.DestroyWindow();
    control.DestroyWindow();
    return 0;
}

// pvtrashshot: the trash panel filled with deleted notes, for a screenshot.
// Usage: pvtrashshot <panel|question> <ready file> <done file>
// "panel": the list with a marked row; "question": the question of
// "完全に削除" open over it. Touches <ready file> once the scene is painted,
// then waits (at most 60 s) until <done file> exists.
#include "WinTestUtil.h"

#include "collections/TrashDlg.h"
#include "controller/ControlDlg.h"
#include "notewin/WindowSystem.h"
#include "res/resource.h"

#include <commctrl.h>

#include <string>
#include <vector>

namespace {

CTackletData Sample(const char* exe, const char* title, const char* text) {
    CTackletData note;
    note.EXENAME = exe;
    note.TITLE = title;
    note.TEXT = text;
    return note;
}

const CTackletData kSamples[] = {
    Sample("NOTEPAD.EXE", "議事録.txt - メモ帳", "次回の会議までに資料を用意する\r\n・売上表\r\n・予定表"),
    Sample("EXCEL.EXE", "売上集計 2024年度.xlsx - Excel", "4月分の数字を確認"),
    Sample("DESKTOP", "DESKTOP", "買い物: 牛乳, パン"),
    Sample("CHROME.EXE", "Pinvane - Google Chrome", "Memo: check the release notes"),
};

const wintest::CShotFiles* g_files = nullptr;
HWND g_panel = nullptr;

// The message box the panel opened (a dialog it owns), or null.
HWND QuestionBox() {
    for (HWND w = ::FindWindowExW(nullptr, nullptr, L"#32770", nullptr); w;
         w = ::FindWindowExW(nullptr, w, L"#32770", nullptr))
        if (::GetWindow(w, GW_OWNER) == g_panel && ::IsWindowVisible(w)) return w;
    return nullptr;
}

// While the question is open: ready once it is up, answered No once done.
void CALLBACK WatchQuestion(HWND, UINT, UINT_PTR, DWORD) {
    HWND box = QuestionBox();
    if (!box) return;
    static bool ready = false;
    if (!ready) {
        ::RedrawWindow(box, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        g_files->MarkReady();
        ready = true;
        return;
    }
    if (g_files->Done()) ::PostMessageW(box, WM_COMMAND, IDNO, 0);
}

}  // namespace

int main(int argc, char** argv) {
    wintest::CShotFiles files;
    if (!files.Parse(argc, argv, 4, "pvtrashshot <panel|question> <ready file> <done file>")) return 2;
    const std::string which = argv[1];
    if (which != "panel" && which != "question") return 2;
    INITCOMMONCONTROLSEX icc{sizeof icc, 0xFF};
    ::InitCommonControlsEx(&icc);

    wintest::CScratchDir scratch;
    CWindowSystemScope windowSystem;
    wintest::CTargetWindow host("Pinvane", 60, 300, 720, 420, WS_OVERLAPPEDWINDOW);
    CControlDlg control;
    if (!control.Create(host.Hwnd())) return 1;
    wintest::LoadStartupNotes(control, scratch.Path() + "\\PinvaneData.ini");
    ::KillTimer(control.GetHwnd(), 103);
    for (const CTackletData& note : kSamples) control.AddNote(note);

    CTrashDlg panel;
    if (!panel.CreateHidden()) return 1;
    panel.Start(&control);
    // Deleted one by one, the last first: the newest deletion leads.
    for (int i = static_cast<int>(control.Notes().Size()) - 1; i >= 0; --i)
        control.RemoveNotes({control.NoteIdentityAt(i)});
    HWND list = panel.GetItem(IDC_TRASH_LIST);
    ListView_SetSelectionMark(list, 1);
    ListView_SetItemState(list, 1, LVIS_SELECTED, LVIS_SELECTED);
    ::SetWindowPos(panel.GetHwnd(), HWND_TOP, 60, 60, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    ::UpdateWindow(panel.GetHwnd());
    wintest::Pump(500);
    if (which == "panel") {
        files.Hold();
    } else {
        g_files = &files;
        g_panel = panel.GetHwnd();
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 200, WatchQuestion);
        ::SendMessageW(panel.GetHwnd(), WM_COMMAND, MAKEWPARAM(IDC_TRASH_PURGE, BN_CLICKED), 0);
        ::KillTimer(nullptr, timer);
    }
    panel.Start(nullptr);
    panel.DestroyWindow();
    control.DestroyWindow();
    return 0;
}

// pvbuttonshot: the main window's template with its three glass buttons
// (CMFCButtonEx) and the "検索パネル" check box under COpaCheck, the main
// panel's template with every push button owner-drawn (hand cursor, menu
// font) in the normal, hot, pressed, focused and disabled states, the
// writing window and the version dialog, for a screenshot.
// Usage: pvbuttonshot <ready file> <done file>
// Touches <ready file> once everything is painted, then waits (at most 60 s)
// until <done file> exists.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "ButtonTestSupport.h"
#include "app/AboutDlg.h"
#include "app/WriteMsgDlg.h"
#include "dialogs/MFCButtonEx.h"
#include "dialogs/OpaCheck.h"
#include "platform/OwnerDrawButton.h"
#include "platform/Platform.h"
#include "res/resource.h"

namespace {


const int kPanelButtons[] = {IDC_PANEL_DELETE,       IDC_PANEL_DELETEALL,   IDC_PANEL_EXPORT,
                             IDC_PANEL_REPASTE,      IDC_PANEL_PENDING,     IDC_PANEL_MATCHCOND,
                             IDC_PANEL_CENTERWINDOW, IDC_PANEL_CENTERMONITOR, IDC_PANEL_EDITTEXT,
                             IDC_PANEL_PRESET,       IDC_PANEL_DEFAULTS,    IDC_PANEL_PROPATY};

// Places the child dialog `panel` at dialog position (3, 40) of `main`.
void PlacePanel(HWND main, HWND panel) {
    RECT at{3, 40, 0, 0};
    ::MapDialogRect(main, &at);
    ::SetWindowPos(panel, nullptr, at.left, at.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::ShowWindow(panel, SW_SHOWNA);
}

}  // namespace

int main(int argc, char** argv) {
    wintest::CShotFiles files;
    if (!files.Parse(argc, argv, 3, "pvbuttonshot <ready file> <done file>")) return 2;

    CHostDialog main(IDD_MOSSREL_DIALOG);
    CHostDialog panel(IDD_CONTROL_PANEL, main.Hwnd());
    if (!main.Hwnd() || !panel.Hwnd()) {
        std::fprintf(stderr, "pvbuttonshot: the dialogs could not be created\n");
        return 1;
    }
    ::SetWindowTextW(main.Hwnd(), L"Pinvane ボタン");
    PlacePanel(main.Hwnd(), panel.Hwnd());
    ::SetWindowPos(main.Hwnd(), nullptr, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ::ShowWindow(main.Hwnd(), SW_SHOW);

    // The main window's own row: glass buttons and the glowing check box.
    CMFCButtonEx glass[3];
    const int glassIds[] = {IDC_BTN_EXPORTSTACK, IDC_BTN_INPORTSTACK, IDC_BTN_PENDING};
    for (int i = 0; i < 3; ++i) glass[i].Attach(main.GetItem(glassIds[i]));
    COpaCheck check;
    check.Attach(main.GetItem(IDC_CHK_SEARCHPANEL));
    ::SendMessageA(main.GetItem(IDC_CHK_SEARCHPANEL), BM_SETCHECK, BST_CHECKED, 0);

    // The panel's buttons, as the main panel sets them up.
    std::vector<std::unique_ptr<COwnerDrawButton>> buttons;
    for (int id : kPanelButtons) {
        auto button = std::make_unique<COwnerDrawButton>();
        if (button->Attach(panel.GetItem(id))) {
            button->SetHandCursor(true);
            button->SetMenuFont(true);
            buttons.push_back(std::move(button));
        }
    }
    ::EnableWindow(panel.GetItem(IDC_PANEL_EDITTEXT), FALSE);
    ::EnableWindow(panel.GetItem(IDC_PANEL_CENTERMONITOR), FALSE);
    ::SendMessageA(panel.GetItem(IDC_PANEL_DELETEALL), BM_SETSTATE, TRUE, 0);

    CWriteMsgDlg writing;
    writing.Create();
    writing.Show();
    writing.DispatchOwnMessages();

    CAboutDlg about(ReadVersionText());
    about.Create(main.Hwnd());
    ::SetWindowPos(about.GetHwnd(), nullptr, 760, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::ShowWindow(about.GetHwnd(), SW_SHOWNA);
    // Focus marks show once the keyboard has been used: as if it had been.
    // (After the version dialog, which takes the focus when it starts.)
    ::SetActiveWindow(main.Hwnd());
    ::SendMessageA(main.Hwnd(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
    ::SetFocus(panel.GetItem(IDC_PANEL_MATCHCOND));
    Pump(300);

    // The pointer over "1件削除": that button is hot.
    RECT hot{};
    ::GetWindowRect(panel.GetItem(IDC_PANEL_DELETE), &hot);
    ::SetCursorPos((hot.left + hot.right) / 2, (hot.top + hot.bottom) / 2);
    Pump(500);

    files.Hold();

    about.DestroyWindow();
    writing.DestroyWindow();
    return 0;
}

#include "dialogs/AppearanceDlg.h"

BOOL CAppearanceDlg::OnInitDialog() {
    ShowValues();
    // Opened from a note's menu the dialog has no owner: bring it forward.
    ::SetForegroundWindow(GetHwnd());
    return TRUE;
}

bool CAppearanceDlg::OnCommand(WORD id, WORD code, HWND) {
    switch (id) {
    case IDOK:
        if (m_forNote && !::IsWindow(m_hNoteWnd)) {
            EndDialog(IDCANCEL);  // the note has gone: nothing to apply
            return true;
        }
        if (!ControlsValid()) return true;
        ReadControls();
        EndDialog(IDOK);
        return true;
    case IDCANCEL:
        EndDialog(IDCANCEL);
        return true;
    default:
        OnControl(id, code);
        return true;
    }
}

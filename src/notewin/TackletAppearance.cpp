// The note's appearance commands: the colour / leader-line dialog and the
// transparency dialog, opened for this note and applied on OK.
#include "notewin/TackletWin.h"

#include "dialogs/TackletColorDlg.h"
#include "dialogs/TransparentDlg.h"

void CTackletWin::ChooseColors() {
    const HWND hwnd = GetHwnd();
    CTackletColorDlg dlg;
    dlg.COLOR = COLOR;
    dlg.PICKPOS = PICKPOS;
    dlg.BKCOLOR = BKCOLOR;
    dlg.TXCOLOR = TXCOLOR;
    dlg.ARWFLAG = m_arrow.ARWFLAG;
    dlg.GRAFLG = GRAFLG;
    dlg.GRAPTN = GRAPTN;
    dlg.ARLINEWIDTH = ARLINEWIDTH;
    dlg.SetNoteWindow(hwnd);
    // The dialog runs its own message loop: this window may be closed
    // meanwhile (the object itself lives until this message returns).
    if (dlg.Run() != IDOK || !IsAlive()) return;

    COLOR = dlg.COLOR;
    if (dlg.PICKPOS != PICKPOS) {
        PICKPOS = dlg.PICKPOS;
        NudgeSize(0);  // the ear and the edit control are laid out again
    }
    SetBkColor(dlg.BKCOLOR);
    TXCOLOR = dlg.TXCOLOR;
    SetGradient(dlg.GRAFLG, dlg.GRAPTN);
    ARLINEWIDTH = dlg.ARLINEWIDTH;
    if (m_arrow.ARWFLAG != 1 && dlg.ARWFLAG == 1) {
        m_arrow.ARWFLAG = 1;
        CreateLeaderLine();
    } else if (m_arrow.ARWFLAG == 1 && dlg.ARWFLAG != 1) {
        RemoveLeaderLine();
    }
    SetLeaderLineColors();
    UpdateLeaderLine();  // the ear may have moved
    Repaint();
}

void CTackletWin::ChooseTransparency() {
    CTransparentDlg dlg;
    dlg.TRANSPARENT_ = TRANSPARENT_;
    dlg.MOUSEHIDECTL = MOUSEHIDECTL;
    dlg.BKTRANSPARENT = BKTRANSPARENT;
    dlg.SetNoteWindow(GetHwnd());
    if (dlg.Run() != IDOK || !IsAlive()) return;
    BKTRANSPARENT = dlg.BKTRANSPARENT;
    MOUSEHIDECTL = dlg.MOUSEHIDECTL;
    SyncEditPainting();
    SetTransparent(dlg.TRANSPARENT_);
    Repaint();
}

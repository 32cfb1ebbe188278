// The note's appearance commands: the colour / leader-line dialog, the
// transparency dialog and the reminder dialog, opened for this note and
// applied on OK; the ear's blinking when a reminder falls due.
#include "notewin/TackletWin.h"

#include "dialogs/TackletColorDlg.h"
#include "dialogs/ReminderDlg.h"
#include "dialogs/TransparentDlg.h"
#include "data/Trace.h"
#include "res/resource.h"

void CTackletWin::ChooseColors() {
    const HWND hwnd = GetHwnd();
    CTackletColorDlg dlg;
    dlg.SetValues({COLOR, PICKPOS, BKCOLOR, TXCOLOR, m_arrow.ARWFLAG, GRAFLG, GRAPTN, ARLINEWIDTH});
    dlg.SetNoteWindow(hwnd);
    // The dialog runs its own message loop: this window may be closed
    // meanwhile (the object itself lives until this message returns).
    if (dlg.Run() != IDOK || !IsAlive()) return;

    COLOR = dlg.COLOR;
    m_earBrush.Set(NoteColors::Ear(COLOR));  // the ear is painted with this brush
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

void CTackletWin::ChooseReminder() {
    CReminderDlg dlg;
    dlg.m_reserve = m_reserve;
    dlg.SetNoteWindow(GetHwnd());
    if (dlg.Run() != IDOK || !IsAlive()) return;
    m_reserve = dlg.m_reserve;
    Trace("CTackletWin::ChooseReminder() type=%d %04d-%02d-%02d %02d:%02d week=0x%02x\n", m_reserve.type,
          m_reserve.year, m_reserve.month, m_reserve.day, m_reserve.hour, m_reserve.minute, m_reserve.weekdayMask);
}

namespace {
constexpr int kEarBlinks = 4;       // the ear goes and comes back this many times
constexpr UINT kEarBlinkPeriod = 300;
}  // namespace

void CTackletWin::FlashEar() {
    if (!IsAlive()) return;
    m_earFlashes = 2 * kEarBlinks;
    ::SetTimer(GetHwnd(), TIMER_EAR_FLASH, kEarBlinkPeriod, nullptr);
    EarFlashStep();
}

void CTackletWin::EarFlashStep() {
    if (m_earFlashes > 0) --m_earFlashes;
    if (m_earFlashes == 0 && IsAlive()) ::KillTimer(GetHwnd(), TIMER_EAR_FLASH);
    if (m_hEar) ::InvalidateRect(m_hEar, nullptr, TRUE);
}

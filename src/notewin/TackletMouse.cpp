// The note under the mouse: opacity, fading while the mouse is over it,
// the desktop note's topmost check, clicks and the wheel.
#include "notewin/TackletWin.h"

#include <windowsx.h>

#include <algorithm>

#include "data/Trace.h"
#include "platform/NotifyBridge.h"
#include "platform/WinConvert.h"
#include "res/resource.h"

namespace {

// Text prefix that keeps a desktop note above every other window.
constexpr char kTopmostPrefix[] = "~#&";

}  // namespace

// --- Opacity ------------------------------------------------------------------------

void CTackletWin::ApplyAlpha(BYTE alpha) {
    if (!IsAlive()) return;
    const bool keyed = BKTRANSPARENT == 1;
    const BOOL ok = ::SetLayeredWindowAttributes(GetHwnd(), keyed ? BackgroundRgb() : 0, alpha,
                                                 keyed ? (LWA_COLORKEY | LWA_ALPHA) : LWA_ALPHA);
    if (!ok) Trace("SetLayeredWindowAttributes() Error=%d\n", static_cast<int>(::GetLastError()));
    SetLeaderLineAlpha(alpha);
}

void CTackletWin::RestoreAlpha() {
    m_fade.ResetCounter();
    ApplyAlpha(m_baseAlpha);
    Repaint();
}

void CTackletWin::MakeOpaque() {
    m_fade.ResetCounter();
    if (!IsAlive()) return;
    // Without colour key, so that a keyed-out background becomes visible.
    if (!::SetLayeredWindowAttributes(GetHwnd(), 0, 255, LWA_ALPHA)) {
        Trace("SetLayeredWindowAttributes() Error=%d\n", static_cast<int>(::GetLastError()));
    }
    Repaint();
    SetLeaderLineAlpha(255);
}

// --- Mouse ------------------------------------------------------------------------

void CTackletWin::MouseOver(UINT keys) {
    WatchMouse();  // watches for the mouse leaving (and for Ctrl)
    ApplyFadeAction(m_fade.MouseOver(MOUSEHIDECTL, BKTRANSPARENT, (keys & MK_CONTROL) != 0));
    if (m_fade.Counter() > 0) ArmFadeTimer();
}

void CTackletWin::MouseOutStep(POINT cursor, bool ctrlDown) {
    RECT r;
    if (!IsAlive() || !::GetWindowRect(GetHwnd(), &r)) {
        StopWatchingMouse();
        return;
    }
    const bool inside = ::PtInRect(&r, cursor) != FALSE;
    ApplyFadeAction(m_fade.MouseOutStep(BKTRANSPARENT, inside, ctrlDown, m_editFocus != 0));
    CheckDesktopTopmost();
    // Nobody over the note and nothing to restore: the watch ends until
    // the mouse comes back.
    if (inside || m_fade.MouseIn()) WatchMouse();
    else StopWatchingMouse();
}

void CTackletWin::ApplyFadeAction(CNoteFade::Action action) {
    if (action == CNoteFade::Action::MakeOpaque) MakeOpaque();
    else if (action == CNoteFade::Action::RestoreAlpha) RestoreAlpha();
}

void CTackletWin::CheckDesktopTopmost() {
    if (!m_desktop || !IsAlive()) return;
    const bool wanted = ReadEditText().starts_with(kTopmostPrefix);
    if (wanted == (m_topmost != 0)) return;
    // Only the z-order changes, once per change of the prefix.
    ::SetWindowPos(GetHwnd(), wanted ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    m_topmost = wanted ? 1 : 0;
}

void CTackletWin::FadeStep() {
    const std::optional<std::uint8_t> alpha = m_fade.FadeStep(m_baseAlpha);
    if (alpha) {
        ApplyAlpha(*alpha);
        Trace("Alpha=%d\n", *alpha);
    }
    if (!alpha || m_fade.Counter() == 0) StopFadeTimer();
}

void CTackletWin::WatchMouse() {
    if (IsAlive()) CNoteMouseWatch::Instance().Add(this);
}

void CTackletWin::StopWatchingMouse() { CNoteMouseWatch::Instance().Remove(this); }

void CTackletWin::ArmFadeTimer() {
    if (m_fadeTimer || !IsAlive()) return;
    m_fadeTimer = ::SetTimer(GetHwnd(), TIMER_FADE, kFadePeriod, nullptr) != 0;
}

void CTackletWin::StopFadeTimer() {
    if (m_fadeTimer && GetHwnd()) ::KillTimer(GetHwnd(), TIMER_FADE);
    m_fadeTimer = false;
}

void CTackletWin::OnLButtonDown(UINT, POINT point) {
    Trace("CTackletWin::OnLButtonDown()\n");
    if (MOUSEHIDECTL == 1) MakeOpaque();
    // A press outside the edit control moves the whole note, as a press on
    // a caption would. Posted, not sent: the system's move loop then starts
    // after this handler has returned, with the button press completed,
    // instead of running nested inside the dialog procedure.
    POINT screen = point;
    ::ClientToScreen(GetHwnd(), &screen);
    ::PostMessageW(GetHwnd(), WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(screen.x, screen.y));
}

void CTackletWin::OnRButtonDown() {
    Trace("CTackletWin::OnRButtonDown()\n");
    if (MOUSEHIDECTL == 1) MakeOpaque();
}

void CTackletWin::MouseWheel(UINT keys, short delta) {
    Trace("MouseWheel Delta=%d \n", delta);
    RECT r;
    if (!IsAlive() || !::GetWindowRect(GetHwnd(), &r)) return;
    const int step = -delta / WHEEL_DELTA;  // one pixel per notch, towards the user enlarges
    int width = r.right - r.left;
    int height = r.bottom - r.top;
    if (keys & MK_CONTROL) width = std::max(width + step, Scaled(CNotifyBridge::MinNoteWidth()));
    if (keys & MK_SHIFT) height = std::max(height + step, Scaled(CNotifyBridge::MinNoteHeight()));
    Trace("x=%d, y=%d, cx=%d, cy=%d\n", static_cast<int>(r.left), static_cast<int>(r.top), width, height);
    if (keys & (MK_CONTROL | MK_SHIFT)) MoveWindow(r.left, r.top, width, height);
}

void CTackletWin::OnEditMouseWheel(UINT, short, POINT) {
    // Plain turns scroll the text; Ctrl/Shift turns reach MouseWheel through
    // the edit control forwarding them to this window.
}

void CTackletWin::OnEditMouseMove(UINT keys, POINT) { MouseOver(keys); }

void CTackletWin::OnEditButtonDown(UINT, POINT) {
    if (MOUSEHIDECTL == 1) MakeOpaque();
}

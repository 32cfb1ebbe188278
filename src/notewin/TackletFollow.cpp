// Following the target window: the note moves by as much as its target
// moved.
#include "notewin/TackletWin.h"

#include "data/Trace.h"
#include "platform/WinConvert.h"
#include "platform/WindowPlace.h"
#include "res/resource.h"

void CTackletWin::OnFollowTimer() {
    if (!IsAlive()) return;
    // A note has no follow timer of its own (the controller follows every
    // target with one); one that was armed is stopped here.
    ::KillTimer(GetHwnd(), TIMER_FOLLOW);
    FollowTargetOnce();
}

void CTackletWin::FollowTargetOnce() {
    RECT now;
    if (m_desktop || !IsAlive() || !FollowableRect(m_hTargetWnd, now)) return;
    FollowTargetTo(ToPvRect(now));
}

std::optional<POINT> CTackletWin::TakeTargetShift(const RECT& now) {
    if (::EqualRect(&now, &m_rectTarget)) return std::nullopt;  // nothing moved: no trace, no work
    Trace("newr top=%d, left=%d, bottom=%d, right=%d\n", static_cast<int>(now.top), static_cast<int>(now.left),
          static_cast<int>(now.bottom), static_cast<int>(now.right));
    const POINT shift{now.left - m_rectTarget.left, now.top - m_rectTarget.top};
    m_rectTarget = now;
    if (shift.x == 0 && shift.y == 0) return std::nullopt;
    Trace("MoveX=%d, MoveY=%d\n", static_cast<int>(shift.x), static_cast<int>(shift.y));
    return shift;
}

void CTackletWin::TraceNoteMove(const RECT& moved) {
    Trace("MoveWindow() top =%d, left=%d, bottom=%d, right=%d\n", static_cast<int>(moved.top),
          static_cast<int>(moved.left), static_cast<int>(moved.bottom), static_cast<int>(moved.right));
}

void CTackletWin::FollowTargetTo(const PvRect& targetNow) {
    if (m_desktop || !IsAlive()) return;
    const std::optional<POINT> shift = TakeTargetShift(ToRect(targetNow));
    if (!shift) return;
    RECT moved;
    if (!::GetWindowRect(GetHwnd(), &moved)) return;
    ::OffsetRect(&moved, shift->x, shift->y);
    TraceNoteMove(moved);
    m_followMove = true;
    ::MoveWindow(GetHwnd(), moved.left, moved.top, moved.right - moved.left, moved.bottom - moved.top, TRUE);
    m_followMove = false;
    OnMovedOrSized();
    Repaint();
}

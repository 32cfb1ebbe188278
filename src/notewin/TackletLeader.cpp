// The note window's side of its leader line: creating and removing the line
// window and handing it every change of the note (geometry, opacity,
// colours, visibility).
#include "notewin/TackletWin.h"

#include "notewin/ArrowGeometry.h"
#include "notewin/ArrowWin.h"
#include "platform/WinConvert.h"

namespace {

// The client area of `hwnd` in screen coordinates.
RECT ClientOnScreen(HWND hwnd) {
    RECT r{};
    ::GetClientRect(hwnd, &r);
    ::MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

}  // namespace

void CTackletWin::CreateLeaderLine() {
    const HWND hwnd = GetHwnd();
    if (!IsAlive() || m_pArrowWin) return;
    RECT window{};
    ::GetWindowRect(hwnd, &window);
    const bool targetExists = ::IsWindow(m_hTargetWnd) != FALSE;
    if (m_arrow.ARWSATRTX == CArrowData::kUnplaced) {
        // Never placed: from the middle of the note to 100 pixels below it,
        // kept inside the work area of the monitor there.
        const PvPoint start = ArrowGeometry::DefaultStart(ToPvRect(window));
        m_arrow.ARWSATRTX = start.x;
        m_arrow.ARWSTARTY = start.y;
        const POINT below{window.left + start.x, window.top + start.y + ArrowGeometry::kDefaultDrop};
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        RECT work{LONG_MIN / 2, LONG_MIN / 2, LONG_MAX / 2, LONG_MAX / 2};
        if (::GetMonitorInfoW(::MonitorFromPoint(below, MONITOR_DEFAULTTONEAREST), &monitor)) work = monitor.rcWork;
        if (targetExists) {
            const PvPoint p = ArrowGeometry::DefaultEndPoint(ToPvRect(window), ToPvRect(work));
            const RECT target = ClientOnScreen(m_hTargetWnd);
            m_arrow.ARWENDX = p.x - target.left;
            m_arrow.ARWENDY = p.y - target.top;
        }
    }
    if (!targetExists) return;  // nothing to point at: no leader line
    CArrowWin::CStart start;
    start.block = m_arrow;
    start.alpha = m_baseAlpha;
    start.noteClient = ClientOnScreen(hwnd);
    ::GetWindowRect(m_hEar, &start.ear);
    start.targetClient = ClientOnScreen(m_hTargetWnd);
    start.offEarColor = BackgroundRgb();
    start.earColor = NoteColors::Ear(COLOR);
    start.widthIndex = ARLINEWIDTH;
    m_pArrowWin = CArrowWin::CreateFor(hwnd, start, this);
}

void CTackletWin::RemoveLeaderLine() {
    if (m_arrow.ARWFLAG != 1 || !m_pArrowWin) return;
    m_arrow = m_pArrowWin->Block();
    m_arrow.ARWFLAG = 0;
    CArrowWin* line = m_pArrowWin;
    m_pArrowWin = nullptr;
    line->Destroy();
}

void CTackletWin::OnArrowWinGone(const CArrowData& last) {
    // Gone with this window or on request: its points stay in the block, the
    // flag stays as it is.
    m_arrow.ARWSATRTX = last.ARWSATRTX;
    m_arrow.ARWSTARTY = last.ARWSTARTY;
    m_arrow.ARWENDX = last.ARWENDX;
    m_arrow.ARWENDY = last.ARWENDY;
    m_pArrowWin = nullptr;
}

void CTackletWin::UpdateLeaderLine() {
    if (!m_pArrowWin || !IsAlive() || !::IsWindow(m_hTargetWnd)) return;
    RECT ear{};
    ::GetWindowRect(m_hEar, &ear);
    m_pArrowWin->UpdateGeometry(ClientOnScreen(m_hTargetWnd), ClientOnScreen(GetHwnd()), ear);
}

void CTackletWin::SetLeaderLineAlpha(BYTE alpha) {
    if (m_pArrowWin) m_pArrowWin->SetAlpha(alpha);
}

void CTackletWin::SetLeaderLineColors() {
    if (m_pArrowWin) m_pArrowWin->SetColors(BackgroundRgb(), NoteColors::Ear(COLOR), ARLINEWIDTH);
}

void CTackletWin::ShowLeaderLine(bool show) {
    if (m_pArrowWin && m_pArrowWin->GetHwnd()) ::ShowWindow(m_pArrowWin->GetHwnd(), show ? SW_SHOWNOACTIVATE : SW_HIDE);
}

CArrowData CTackletWin::GetArrow() {
    if (m_arrow.ARWFLAG == 1 && m_pArrowWin) {
        const CArrowData now = m_pArrowWin->Block();
        m_arrow.ARWSATRTX = now.ARWSATRTX;
        m_arrow.ARWSTARTY = now.ARWSTARTY;
        m_arrow.ARWENDX = now.ARWENDX;
        m_arrow.ARWENDY = now.ARWENDY;
    }
    return m_arrow;
}

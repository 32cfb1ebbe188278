// The note window's layout: the edit control and the ear inside the note,
// the frame's border, the margins, and the note on a monitor of another
// scaling.
#include "notewin/TackletWin.h"

#include "data/Trace.h"
#include "platform/Dpi.h"
#include "platform/WinConvert.h"
#include "platform/WindowPlace.h"

void CTackletWin::OnSize(UINT type, int cx, int cy) {
    // A starting note is laid out when its start completes.
    if (type == SIZE_RESTORED && EditHwnd() && !m_starting) LayoutChildren(cx, cy);
    OnMovedOrSized();
}

void CTackletWin::RelayoutNow() {
    RECT client;
    if (!m_starting && IsAlive() && ::GetClientRect(GetHwnd(), &client)) LayoutChildren(client.right, client.bottom);
    OnMovedOrSized();
}

void CTackletWin::LayoutChildren(int cx, int cy) {
    MoveChildren(cx, cy);
    // Never narrower (ear left or right) or flatter (ear top or bottom)
    // than the frame plus the ear.
    const HWND hwnd = GetHwnd();
    RECT window;
    RECT client;
    if (!::GetWindowRect(hwnd, &window) || !::GetClientRect(hwnd, &client)) return;
    RECT wanted = window;
    KeepEarRoom(wanted, SIZE{(window.right - window.left) - client.right, (window.bottom - window.top) - client.bottom});
    if (!::EqualRect(&wanted, &window)) {
        ::SetWindowPos(hwnd, nullptr, 0, 0, wanted.right - wanted.left, wanted.bottom - wanted.top,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void CTackletWin::KeepEarRoom(RECT& window, SIZE border) const {
    const int ear = Scaled(kEarThickness);
    if (PICKPOS == 0 || PICKPOS == 2) {
        window.right = std::max<LONG>(window.right, window.left + border.cx + ear);
    } else {
        window.bottom = std::max<LONG>(window.bottom, window.top + border.cy + ear);
    }
}

SIZE CTackletWin::FrameBorder() const {
    RECT frame{};
    ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongPtrW(GetHwnd(), GWL_STYLE)), FALSE,
                         static_cast<DWORD>(::GetWindowLongPtrW(GetHwnd(), GWL_EXSTYLE)));
    return SIZE{frame.right - frame.left, frame.bottom - frame.top};
}

void CTackletWin::MoveChildren(int cx, int cy) {
    const int ear = Scaled(kEarThickness);
    const ChildLayout layout{cx, cy, PICKPOS, ear};
    if (layout == m_laidOut) return;  // the children are there already
    m_laidOut = layout;
    RECT earRect;   // left, top, width, height
    RECT editRect;
    switch (PICKPOS) {
    case 0: earRect = {cx - ear, 0, ear, cy}; editRect = {0, 0, cx - ear, cy}; break;
    case 1: earRect = {0, 0, cx, ear}; editRect = {0, ear, cx, cy - ear}; break;
    case 2: earRect = {0, 0, ear, cy}; editRect = {ear, 0, cx - ear, cy}; break;
    case 3: earRect = {0, cy - ear, cx, ear}; editRect = {0, 0, cx, cy - ear}; break;
    default: return;
    }
    const BOOL redraw = Shown() ? TRUE : FALSE;  // a hidden note is drawn when it is shown
    ::MoveWindow(m_hEar, earRect.left, earRect.top, std::max<LONG>(earRect.right, 0),
                 std::max<LONG>(earRect.bottom, 0), redraw);
    ::MoveWindow(EditHwnd(), editRect.left, editRect.top, std::max<LONG>(editRect.right, 0),
                 std::max<LONG>(editRect.bottom, 0), redraw);
}

void CTackletWin::ApplyEditMargins() {
    const int margin = Scaled(kEditMargin);
    ::SendMessageW(EditHwnd(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(margin, margin));
}

void CTackletWin::OnDpiChanged(UINT dpi, const RECT& suggested) {
    if (!IsAlive() || dpi == 0) return;
    const PvLogFont font = ReadEditFont();  // at 96 DPI, measured with the old scaling
    m_dpi = dpi;
    SetEditFont(font);
    ApplyEditMargins();
    RECT place = suggested;
    RECT now;
    if (m_followMove && ::GetWindowRect(GetHwnd(), &now)) {
        ::OffsetRect(&place, now.left - place.left, now.top - place.top);
    }
    ::SetWindowPos(GetHwnd(), nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    RelayoutNow();
    Repaint();
}

void CTackletWin::OnMovedOrSized() {
    RECT r;
    if (IsAlive() && ::GetWindowRect(GetHwnd(), &r)) m_rectWin = r;
    UpdateLeaderLine();
}

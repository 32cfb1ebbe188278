#include "notewin/ArrowWin.h"

#include <initializer_list>

#include "data/Trace.h"
#include "notewin/ArrowGeometry.h"
#include "platform/Dpi.h"
#include "platform/WinConvert.h"
#include "platform/WindowPlace.h"
#include "res/resource.h"

namespace {

constexpr UINT kFirstRepaintDelay = 10;

}  // namespace

CArrowWin::CArrowWin(const CStart& start, CArrowWinListener* listener)
    : CDialog(IDD_ARROWWIN),
      m_arrow(start.block),
      m_rectTarget(start.targetClient),
      m_rectNote(start.noteClient),
      m_rectEar(start.ear),
      m_offEarColor(start.offEarColor),
      m_earColor(start.earColor),
      m_widthIndex(start.widthIndex),
      m_alpha(start.alpha),
      m_listener(listener) {
    m_lineColor = m_offEarColor;
}

CArrowWin* CArrowWin::CreateFor(HWND note, const CStart& start, CArrowWinListener* listener) {
    auto* win = new CArrowWin(start, listener);
    if (!win->Create(note)) {
        delete win;
        return nullptr;
    }
    win->SetColors(start.offEarColor, start.earColor, start.widthIndex);
    ::ShowWindow(win->GetHwnd(), SW_SHOWNOACTIVATE);
    ::EnableWindow(win->GetHwnd(), TRUE);
    return win;
}

void CArrowWin::Destroy() {
    if (GetHwnd()) ::DestroyWindow(GetHwnd());  // the object goes with its window
}

BOOL CArrowWin::OnInitDialog() {
    const HWND hwnd = GetHwnd();
    // Everything in the colour key is see-through and lets the mouse pass.
    SetStyleBits(hwnd, GWL_EXSTYLE, WS_EX_LAYERED, true);
    m_dpi = DpiOfWindow(hwnd);
    ApplyLayered();
    m_hStart = CPointWin::CreateFor(hwnd, kStartPoint, this);
    if (m_hStart) ::EnableWindow(m_hStart, TRUE);
    m_hEnd = CPointWin::CreateFor(hwnd, kEndPoint, this);
    if (m_hEnd) ::EnableWindow(m_hEnd, TRUE);
    PlaceHandles();
    ::InvalidateRect(hwnd, nullptr, TRUE);
    ::SetTimer(hwnd, TIMER_ARROW_REPAINT, kFirstRepaintDelay, nullptr);
    return FALSE;
}

void CArrowWin::PlaceHandles() {
    const int size = ArrowGeometry::HandleSize(m_dpi);
    constexpr UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    const RECT& n = m_rectNote;
    const RECT& t = m_rectTarget;
    // The first move reports back and reads both points: take them before.
    const CArrowData points = m_arrow;
    if (m_hStart) ::SetWindowPos(m_hStart, nullptr, n.left + points.ARWSATRTX, n.top + points.ARWSTARTY, size, size, flags);
    if (m_hEnd) ::SetWindowPos(m_hEnd, nullptr, t.left + points.ARWENDX, t.top + points.ARWENDY, size, size, flags);
    const RECT s = HandleRect(m_hStart);
    const RECT e = HandleRect(m_hEnd);
    Trace("STARTPOINT top=%d, bottom=%d, left=%d, right=%d\n", static_cast<int>(s.top), static_cast<int>(s.bottom),
          static_cast<int>(s.left), static_cast<int>(s.right));
    Trace("ENDPOINT top=%d, bottom=%d, left=%d, right=%d\n", static_cast<int>(e.top), static_cast<int>(e.bottom),
          static_cast<int>(e.left), static_cast<int>(e.right));
}

void CArrowWin::UpdateGeometry(const RECT& targetClient, const RECT& noteClient, const RECT& ear) {
    m_rectTarget = targetClient;
    m_rectNote = noteClient;
    m_rectEar = ear;
    Trace("TARTGET WIN top=%d, bottom=%d, left=%d, right=%d\n", static_cast<int>(targetClient.top),
          static_cast<int>(targetClient.bottom), static_cast<int>(targetClient.left),
          static_cast<int>(targetClient.right));
    Trace("TARGET x=%d, y=%d\n", static_cast<int>(targetClient.left), static_cast<int>(targetClient.top));
    Trace("EndPoint x=%d, y=%d\n", m_arrow.ARWENDX, m_arrow.ARWENDY);
    // Both handles keep the start handle's size.
    const RECT s = HandleRect(m_hStart);
    const int w = s.right - s.left;
    const int h = s.bottom - s.top;
    constexpr UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    // The points are taken before the first move reports back and changes them.
    const CArrowData points = m_arrow;
    if (m_hStart) ::SetWindowPos(m_hStart, nullptr, noteClient.left + points.ARWSATRTX, noteClient.top + points.ARWSTARTY, w, h, flags);
    if (m_hEnd) ::SetWindowPos(m_hEnd, nullptr, targetClient.left + points.ARWENDX, targetClient.top + points.ARWENDY, w, h, flags);
    ClampStart();
    Recolor();
    ::InvalidateRect(GetHwnd(), nullptr, TRUE);
}

void CArrowWin::SetAlpha(BYTE alpha) {
    m_alpha = alpha;
    ApplyLayered();
}

void CArrowWin::ApplyLayered() {
    // A failure is not reported: the line keeps the opacity it has.
    if (GetHwnd()) ::SetLayeredWindowAttributes(GetHwnd(), kColorKey, m_alpha, LWA_COLORKEY | LWA_ALPHA);
}

void CArrowWin::SetColors(COLORREF offEarColor, COLORREF earColor, int widthIndex) {
    m_offEarColor = offEarColor;
    m_earColor = earColor;
    m_widthIndex = widthIndex;
    Recolor();
    if (GetHwnd()) ::InvalidateRect(GetHwnd(), nullptr, TRUE);
}

CArrowData CArrowWin::Block() { return m_arrow; }

RECT CArrowWin::HandleRect(HWND handle) const {
    RECT r{};
    if (handle) ::GetWindowRect(handle, &r);
    return r;
}

bool CArrowWin::ClampStart() {
    if (!m_hStart) return false;
    bool moved = false;
    const PvRect r = ArrowGeometry::ClampIntoNote(ToPvRect(HandleRect(m_hStart)), ToPvRect(m_rectNote), &moved);
    if (moved) ::SetWindowPos(m_hStart, nullptr, r.left, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return moved;
}

void CArrowWin::Recolor() {
    const PvPoint c = ArrowGeometry::Centre(ToPvRect(HandleRect(m_hStart)));
    // A line leaving from the ear has the ear's colour.
    const COLORREF color = ArrowGeometry::Contains(ToPvRect(m_rectEar), c) ? m_earColor : m_offEarColor;
    if (color == m_lineColor) return;
    m_lineColor = color;
    if (GetHwnd()) ::InvalidateRect(GetHwnd(), nullptr, TRUE);
}

void CArrowWin::OnPointMoved(int pointId) {
    if (!GetHwnd() || !m_hStart || !m_hEnd) return;  // still being set up
    if (pointId == kStartPoint) {
        // A clamp moves the handle again, which reports here once more.
        if (ClampStart()) return;
        Recolor();
    }
    FitToHandles();
    ReadPoints();
}

void CArrowWin::OnPointDoubleClicked(int, UINT, POINT) { ShowHandles(false); }

void CArrowWin::FitToHandles() {
    const HWND hwnd = GetHwnd();
    if (!hwnd || !m_hStart || !m_hEnd) return;
    const RECT s = HandleRect(m_hStart);
    const RECT e = HandleRect(m_hEnd);
    const PvRect box = ArrowGeometry::Enclosure(ToPvRect(s), ToPvRect(e), m_dpi);
    ::SetWindowPos(hwnd, nullptr, box.left, box.top, box.Width(), box.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    // Repainted in full: the line moved within the window.
    ::InvalidateRect(hwnd, nullptr, TRUE);
}

void CArrowWin::ReadPoints() {
    const RECT s = HandleRect(m_hStart);
    const RECT e = HandleRect(m_hEnd);
    m_arrow.ARWSATRTX = s.left - m_rectNote.left;
    m_arrow.ARWSTARTY = s.top - m_rectNote.top;
    m_arrow.ARWENDX = e.left - m_rectTarget.left;
    m_arrow.ARWENDY = e.top - m_rectTarget.top;
}

void CArrowWin::ShowHandles(bool show) {
    for (HWND handle : {m_hStart, m_hEnd}) {
        if (!handle) continue;
        ::ShowWindow(handle, show ? SW_SHOWNOACTIVATE : SW_HIDE);
        if (show) ::EnableWindow(handle, TRUE);
    }
}

void CArrowWin::ToggleHandles() { ShowHandles(!(m_hStart && ::IsWindowVisible(m_hStart))); }

void CArrowWin::Paint(HDC dc) {
    RECT window;
    ::GetWindowRect(GetHwnd(), &window);
    const PvPoint s = ArrowGeometry::Centre(ToPvRect(HandleRect(m_hStart)));
    const PvPoint d = ArrowGeometry::Centre(ToPvRect(HandleRect(m_hEnd)));
    const PvPoint from{s.x - window.left, s.y - window.top};
    const PvPoint to{d.x - window.left, d.y - window.top};
    HPEN pen = ::CreatePen(PS_SOLID, ArrowGeometry::PenWidth(m_widthIndex, m_dpi), m_lineColor);
    HGDIOBJ oldPen = ::SelectObject(dc, pen);
    ::MoveToEx(dc, from.x, from.y, nullptr);
    ::LineTo(dc, to.x, to.y);
    ::SelectObject(dc, oldPen);
    ::DeleteObject(pen);
    const ArrowGeometry::CArrowHead head = ArrowGeometry::Head(from, to, m_widthIndex, m_dpi);
    if (!head.drawn) return;
    // Filled with the line colour, through the DC pen and brush.
    const POINT tri[3] = {{head.tip.x, head.tip.y}, {head.wing1.x, head.wing1.y}, {head.wing2.x, head.wing2.y}};
    ::SetDCPenColor(dc, m_lineColor);
    ::SetDCBrushColor(dc, m_lineColor);
    HGDIOBJ p = ::SelectObject(dc, ::GetStockObject(DC_PEN));
    HGDIOBJ b = ::SelectObject(dc, ::GetStockObject(DC_BRUSH));
    ::Polygon(dc, tri, 3);
    ::SelectObject(dc, b);
    ::SelectObject(dc, p);
}

bool CArrowWin::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
    case WM_ERASEBKGND: {
        RECT client;
        ::GetClientRect(GetHwnd(), &client);
        const HDC dc = reinterpret_cast<HDC>(wParam);
        ::SetDCBrushColor(dc, kColorKey);
        ::FillRect(dc, &client, static_cast<HBRUSH>(::GetStockObject(DC_BRUSH)));
        result = TRUE;
        return true;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        const HDC dc = ::BeginPaint(GetHwnd(), &ps);
        if (m_hStart && m_hEnd) Paint(dc);
        ::EndPaint(GetHwnd(), &ps);
        return true;
    }
    case WM_TIMER:
        if (wParam != TIMER_ARROW_REPAINT) return false;
        ::KillTimer(GetHwnd(), TIMER_ARROW_REPAINT);  // once
        ::InvalidateRect(GetHwnd(), nullptr, TRUE);
        return true;
    case WM_DPICHANGED:
        // The line window's place follows its handles, not the suggestion:
        // handles of the new size, then the window around them.
        m_dpi = LOWORD(wParam);
        PlaceHandles();
        FitToHandles();
        return true;
    case WM_LBUTTONDOWN:
        Trace("CArrowWin::OnLButtonDown()\n");
        ToggleHandles();
        return true;
    case WM_SHOWWINDOW:
        Trace("CArrowWin::OnShowWindow(bShow=%d, nStatus=%d\n", static_cast<int>(wParam), static_cast<int>(lParam));
        if (!wParam) ShowHandles(false);
        return false;
    case WM_DESTROY: {
        // The handles go first, without reporting moves any more.
        for (HWND handle : {m_hStart, m_hEnd}) {
            if (handle && ::IsWindow(handle)) ::DestroyWindow(handle);
        }
        m_hStart = m_hEnd = nullptr;
        if (CArrowWinListener* listener = m_listener) {
            m_listener = nullptr;
            listener->OnArrowWinGone(m_arrow);
        }
        return false;
    }
    default:
        return false;
    }
}

void CArrowWin::OnFinalMessage() { delete this; }

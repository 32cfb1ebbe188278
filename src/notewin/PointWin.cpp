#include "notewin/PointWin.h"

#include "data/Trace.h"
#include "notewin/ArrowGeometry.h"
#include "platform/Dpi.h"
#include "platform/WinConvert.h"
#include "res/resource.h"

CPointWin::CPointWin(int pointId, CPointWinListener* listener)
    : CDialog(IDD_POINTWIN), m_listener(listener), m_pointId(pointId) {}

HWND CPointWin::CreateFor(HWND owner, int pointId, CPointWinListener* listener) {
    auto* win = new CPointWin(pointId, listener);
    if (!win->Create(owner)) {
        delete win;
        return nullptr;
    }
    return win->GetHwnd();
}

BOOL CPointWin::OnInitDialog() {
    const HWND hwnd = GetHwnd();
    Trace("TackletWin Create!\n");
    ::EnableWindow(hwnd, FALSE);  // the line window enables it right after creation
    Resize(DpiOfWindow(hwnd));
    return FALSE;
}

void CPointWin::Resize(UINT dpi) {
    const HWND hwnd = GetHwnd();
    const int size = ArrowGeometry::HandleSize(dpi);
    ::SetWindowPos(hwnd, nullptr, 0, 0, size, size, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // A round dot; the window owns the region from here on and deletes it.
    ::SetWindowRgn(hwnd, ::CreateEllipticRgn(0, 0, size, size), TRUE);
}

bool CPointWin::OnCommand(WORD, WORD, HWND) {
    return true;  // Enter and Esc do nothing
}

bool CPointWin::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
    case WM_ERASEBKGND: {
        RECT client;
        ::GetClientRect(GetHwnd(), &client);
        const HDC dc = reinterpret_cast<HDC>(wParam);
        // The DC brush: no GDI object per handle.
        ::SetDCBrushColor(dc, kColor);
        ::FillRect(dc, &client, static_cast<HBRUSH>(::GetStockObject(DC_BRUSH)));
        result = TRUE;
        return true;
    }
    case WM_LBUTTONDOWN: {
        // Dragged as a window is by its caption.
        POINT screen = PointOf(lParam);
        ::ClientToScreen(GetHwnd(), &screen);
        ::PostMessageW(GetHwnd(), WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(screen.x, screen.y));
        return true;
    }
    case WM_LBUTTONDBLCLK:
        if (m_listener) {
            m_listener->OnPointDoubleClicked(m_pointId, static_cast<UINT>(wParam),
                                             PointOf(lParam));
        }
        return true;
    case WM_MOVE:
        if (m_listener) m_listener->OnPointMoved(m_pointId);
        return false;
    case WM_DPICHANGED:
        // Keeps its top-left corner (the point the line is anchored to).
        Resize(LOWORD(wParam));
        return true;
    case WM_DESTROY:
        m_listener = nullptr;  // nothing is reported while going away
        return false;
    default:
        return false;
    }
}

void CPointWin::OnFinalMessage() { delete this; }

#include "notewin/EditTacklet.h"

#include <commctrl.h>
#include <windowsx.h>

namespace {

constexpr UINT_PTR kSubclassId = 1005;

POINT PointOf(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

}  // namespace

CEditTacklet::~CEditTacklet() { Detach(); }

bool CEditTacklet::Attach(HWND edit) {
    Detach();
    if (!edit) return false;
    // The subclass carries `this` as its reference data: no handle lookup.
    if (!::SetWindowSubclass(edit, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) return false;
    m_hWnd = edit;
    return true;
}

void CEditTacklet::Detach() {
    if (m_hWnd) {
        ::RemoveWindowSubclass(m_hWnd, SubclassProc, kSubclassId);
        m_hWnd = nullptr;
    }
}

void CEditTacklet::Repaint() const {
    if (m_hWnd) ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

void CEditTacklet::OnTextChangedOrScrolled() const {
    if (m_background.Gradient()) Repaint();
}

LRESULT CALLBACK CEditTacklet::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                            DWORD_PTR refData) {
    auto* self = reinterpret_cast<CEditTacklet*>(refData);
    if (msg == WM_NCDESTROY) {
        self->Detach();
        return ::DefSubclassProc(hwnd, msg, wParam, lParam);
    }
    return self->OnMessage(msg, wParam, lParam);
}

LRESULT CEditTacklet::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    const HWND hwnd = m_hWnd;
    switch (msg) {
    case WM_ERASEBKGND: {
        RECT client;
        ::GetClientRect(hwnd, &client);
        m_background.Paint(reinterpret_cast<HDC>(wParam), client);
        return TRUE;
    }
    case WM_MOUSEWHEEL: {
        const UINT keys = GET_KEYSTATE_WPARAM(wParam);
        if (m_listener) m_listener->OnEditMouseWheel(keys, GET_WHEEL_DELTA_WPARAM(wParam), PointOf(lParam));
        // Ctrl and Shift turns resize the note; the control does not use them.
        if (keys & (MK_CONTROL | MK_SHIFT)) {
            ::SendMessageA(::GetParent(hwnd), WM_MOUSEWHEEL, wParam, lParam);
            return 0;
        }
        break;
    }
    case WM_MOUSEMOVE:
        if (m_listener) m_listener->OnEditMouseMove(static_cast<UINT>(wParam), PointOf(lParam));
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        if (m_listener) m_listener->OnEditButtonDown(static_cast<UINT>(wParam), PointOf(lParam));
        break;
    default:
        break;
    }
    return ::DefSubclassProc(hwnd, msg, wParam, lParam);
}

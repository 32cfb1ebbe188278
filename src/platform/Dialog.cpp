#include "platform/Dialog.h"

#include "platform/Dpi.h"
#include "platform/ListView.h"

#include "data/Trace.h"

#include <exception>

HINSTANCE AppInstance() { return ::GetModuleHandleW(nullptr); }

CDialog::CDialog(int templateId) : m_templateId(templateId) {}

CDialog::~CDialog() {
    // A dialog object never outlives its window silently: destroy what is left.
    if (m_hWnd && ::IsWindow(m_hWnd)) {
        ::SetWindowLongPtrW(m_hWnd, DWLP_USER, 0);
        if (!m_modal) ::DestroyWindow(m_hWnd);
    }
}

INT_PTR CDialog::DoModal(HWND owner) {
    m_modal = true;
    INT_PTR r = ::DialogBoxParamW(AppInstance(), MAKEINTRESOURCEW(m_templateId), owner, DialogProc,
                                  reinterpret_cast<LPARAM>(this));
    m_modal = false;
    return r;
}

bool CDialog::Create(HWND owner) {
    m_modal = false;
    HWND h = ::CreateDialogParamW(AppInstance(), MAKEINTRESOURCEW(m_templateId), owner, DialogProc,
                                  reinterpret_cast<LPARAM>(this));
    return h != nullptr;
}

void CDialog::EndDialog(INT_PTR result) {
    if (m_hWnd) ::EndDialog(m_hWnd, result);
}

void CDialog::DestroyWindow() {
    if (m_hWnd) ::DestroyWindow(m_hWnd);
}

bool CDialog::OnCommand(WORD id, WORD, HWND) {
    if (id == IDOK || id == IDCANCEL) {
        if (m_modal) EndDialog(id);
        else DestroyWindow();
        return true;
    }
    return false;
}

bool CDialog::OnMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    CDialog* self = nullptr;
    if (msg == WM_INITDIALOG) {
        self = reinterpret_cast<CDialog*>(lParam);
        self->m_hWnd = hwnd;
        ::SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
    } else {
        self = reinterpret_cast<CDialog*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
    }
    if (!self) return FALSE;

    if (msg == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hwnd, DWLP_USER, 0);
        self->m_hWnd = nullptr;
        // Destroyed from inside one of its own handlers: the final hook runs
        // when that handler has returned (below), never under its feet.
        if (self->m_messageDepth > 0) {
            self->m_finalPending = true;
            return FALSE;
        }
        self->RunFinalMessage();
        return FALSE;
    }

    INT_PTR r = FALSE;
    ++self->m_messageDepth;
    // No C++ exception may unwind through the window manager.
    try {
        r = self->Dispatch(hwnd, msg, wParam, lParam);
    } catch (const std::exception& e) {
        Trace("unhandled exception in dialog %d: %s\n", self->m_templateId, e.what());
    } catch (...) {
        Trace("unhandled exception in dialog %d\n", self->m_templateId);
    }
    --self->m_messageDepth;
    if (self->m_messageDepth == 0 && self->m_finalPending) {
        self->m_finalPending = false;
        self->RunFinalMessage();  // may delete the object: nothing follows
    }
    return r;
}

void CDialog::RunFinalMessage() {
    try {
        OnFinalMessage();
    } catch (const std::exception& e) {
        Trace("unhandled exception in dialog %d: %s\n", m_templateId, e.what());
    } catch (...) {
        Trace("unhandled exception in dialog %d\n", m_templateId);
    }
}

INT_PTR CDialog::Dispatch(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG:
        m_dpiSeen = DpiOfWindow(hwnd);
        return OnInitDialog();
    case WM_COMMAND:
        return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)) ? TRUE : FALSE;
    default:
        break;
    }
    LRESULT result = 0;
    if (!OnMessage(msg, wParam, lParam, result)) {
        if (msg != WM_DPICHANGED) return FALSE;
        OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
    }
    switch (msg) {
    // These messages return their value directly from a dialog procedure.
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
        return static_cast<INT_PTR>(result);
    default:
        // The handler may have destroyed the window: use the handle the
        // message came with (a dead handle just makes the call fail).
        ::SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
        return TRUE;
    }
}

void CDialog::OnDpiChanged(UINT dpi, const RECT& suggested) {
    // The dialog manager rescales the template's controls and fonts; the
    // list columns, set in pixels, follow here, and the window takes the
    // place the system suggests.
    const UINT old = m_dpiSeen ? m_dpiSeen : kBaseDpi;
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        ListRows::RescaleColumns(child, old, dpi);
    }
    m_dpiSeen = dpi;
    ::SetWindowPos(m_hWnd, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

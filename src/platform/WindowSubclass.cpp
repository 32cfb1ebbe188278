#include "platform/WindowSubclass.h"

#include "data/Trace.h"

#include <exception>
#include <utility>

namespace {

// Where a sole subclass that could not be taken off (another procedure was
// put over it) leaves the procedure it replaced, for the messages still to
// come. Only then: ordinarily nothing is looked up per message.
constexpr wchar_t kOrphanedProc[] = L"PvSubclassNext";

}  // namespace

bool CWindowSubclass::Install(HWND hwnd, Handler handler) {
    Remove();
    if (!hwnd || !::IsWindow(hwnd)) return false;
    // The holder's own address is both the subclass id and the reference
    // data: several holders may subclass one window side by side.
    const auto self = reinterpret_cast<UINT_PTR>(this);
    if (!::SetWindowSubclass(hwnd, Proc, self, static_cast<DWORD_PTR>(self))) return false;
    m_hWnd = hwnd;
    m_handler = std::move(handler);
    return true;
}

bool CWindowSubclass::InstallSole(HWND hwnd, Handler handler) {
    Remove();
    if (!hwnd || !::IsWindow(hwnd)) return false;
    if (::GetWindowLongPtrW(hwnd, GWLP_USERDATA) != 0) return Install(hwnd, std::move(handler));
    m_handler = std::move(handler);
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    m_previous = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWindowSubclass::SoleProc)));
    if (!m_previous) {
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        return false;
    }
    m_hWnd = hwnd;
    return true;
}

void CWindowSubclass::Remove() {
    if (!m_hWnd) return;
    if (m_previous) {
        ::SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, 0);
        if (::GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&CWindowSubclass::SoleProc)) {
            ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_previous));
        } else {
            // Another procedure sits over ours and still calls it: it
            // passes every message on to the procedure we replaced.
            ::SetPropW(m_hWnd, kOrphanedProc, reinterpret_cast<HANDLE>(m_previous));
        }
        m_previous = nullptr;
    } else {
        ::RemoveWindowSubclass(m_hWnd, Proc, reinterpret_cast<UINT_PTR>(this));
    }
    // The handler stays: Remove() may run inside it (a window being
    // destroyed), and a running std::function must not be destroyed.
    m_hWnd = nullptr;
}

bool CWindowSubclass::Handle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    try {
        return m_handler && m_handler(hwnd, msg, wParam, lParam, result);
    } catch (const std::exception& e) {
        Trace("CWindowSubclass: unhandled exception: %s\n", e.what());
    } catch (...) {
        Trace("CWindowSubclass: unhandled exception\n");
    }
    return false;
}

LRESULT CALLBACK CWindowSubclass::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                       DWORD_PTR refData) {
    auto* self = reinterpret_cast<CWindowSubclass*>(refData);
    LRESULT result = 0;
    const bool handled = self->Handle(hwnd, msg, wParam, lParam, result);
    if (msg == WM_NCDESTROY) {
        // The window is going: the subclass goes with it (the handler has
        // already seen the message and may have removed it itself).
        self->Remove();
        return ::DefSubclassProc(hwnd, msg, wParam, lParam);
    }
    return handled ? result : ::DefSubclassProc(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK CWindowSubclass::SoleProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<CWindowSubclass*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self || !self->m_previous) {
        const auto next = reinterpret_cast<WNDPROC>(::GetPropW(hwnd, kOrphanedProc));
        if (msg == WM_NCDESTROY) ::RemovePropW(hwnd, kOrphanedProc);
        return next ? ::CallWindowProcW(next, hwnd, msg, wParam, lParam) : ::DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    const WNDPROC next = self->m_previous;
    LRESULT result = 0;
    const bool handled = self->Handle(hwnd, msg, wParam, lParam, result);
    if (msg == WM_NCDESTROY) {
        // Handed back before the window's own last message: the holder
        // may be gone once it returns.
        self->Remove();
        return ::CallWindowProcW(next, hwnd, msg, wParam, lParam);
    }
    return handled ? result : ::CallWindowProcW(next, hwnd, msg, wParam, lParam);
}

#include "platform/WindowSubclass.h"

#include "data/Trace.h"

#include <exception>
#include <utility>

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

void CWindowSubclass::Remove() {
    if (!m_hWnd) return;
    ::RemoveWindowSubclass(m_hWnd, Proc, reinterpret_cast<UINT_PTR>(this));
    // The handler stays: Remove() may run inside it (a window being
    // destroyed), and a running std::function must not be destroyed.
    m_hWnd = nullptr;
}

LRESULT CALLBACK CWindowSubclass::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                       DWORD_PTR refData) {
    auto* self = reinterpret_cast<CWindowSubclass*>(refData);
    LRESULT result = 0;
    bool handled = false;
    // No C++ exception may unwind through the window manager.
    try {
        if (self->m_handler) handled = self->m_handler(hwnd, msg, wParam, lParam, result);
    } catch (const std::exception& e) {
        Trace("CWindowSubclass: unhandled exception: %s\n", e.what());
    } catch (...) {
        Trace("CWindowSubclass: unhandled exception\n");
    }
    if (msg == WM_NCDESTROY) {
        // The window is going: the subclass goes with it (the handler has
        // already seen the message and may have removed it itself).
        self->Remove();
        return ::DefSubclassProc(hwnd, msg, wParam, lParam);
    }
    return handled ? result : ::DefSubclassProc(hwnd, msg, wParam, lParam);
}

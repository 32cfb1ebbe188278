// One subclass of one window, installed with the common controls'
// SetWindowSubclass. The handler object travels as the subclass's reference
// data, so no handle-to-object lookup is needed. The subclass removes itself
// when the window is destroyed, and when the holder goes away first.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <functional>

class CWindowSubclass {
public:
    // Sees every message of the window first. Returns true when it has
    // handled the message (its result in `result`); false passes it on to
    // the window's own procedure.
    using Handler = std::function<bool(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)>;

    CWindowSubclass() = default;
    ~CWindowSubclass() { Remove(); }
    CWindowSubclass(const CWindowSubclass&) = delete;
    CWindowSubclass& operator=(const CWindowSubclass&) = delete;

    // Subclasses `hwnd` (removing an earlier subclass of this holder first).
    bool Install(HWND hwnd, Handler handler);
    // Takes the subclass off the window; the window's procedure is restored
    // once no other subclass remains.
    void Remove();

    HWND Hwnd() const { return m_hWnd; }
    bool Installed() const { return m_hWnd != nullptr; }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR refData);

    HWND m_hWnd = nullptr;
    Handler m_handler;
};

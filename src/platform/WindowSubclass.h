// One subclass of one window. The handler object is found without a
// handle-to-object table, and the subclass removes itself when the window
// is destroyed, and when the holder goes away first.
//
// Two ways in:
// - Install(): the common controls' SetWindowSubclass, with the holder as
//   the subclass's reference data. Several holders may subclass one window
//   side by side, in any order. The common controls find their subclass
//   data through a window property on every message, which under Wine is a
//   round trip to the window server each time.
// - InstallSole(): the holder replaces the window procedure itself and is
//   kept in the window's user data (GWLP_USERDATA): nothing is looked up
//   per message. For a window with many messages whose user data is the
//   application's (every system control's is), subclassed by nobody else
//   through this holder. Where the user data is already taken it falls
//   back to Install().
// Either way the handler sees the messages in UTF-16 (the window stays a
// Unicode window).
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
    // The same, replacing the window procedure (see above).
    bool InstallSole(HWND hwnd, Handler handler);
    // Takes the subclass off the window; the window's procedure is restored
    // once no other subclass remains.
    void Remove();

    HWND Hwnd() const { return m_hWnd; }
    bool Installed() const { return m_hWnd != nullptr; }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR refData);
    static LRESULT CALLBACK SoleProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // The handler's answer, guarded: no C++ exception may unwind through
    // the window manager.
    bool Handle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

    HWND m_hWnd = nullptr;
    WNDPROC m_previous = nullptr;  // set while installed by InstallSole()
    Handler m_handler;
};

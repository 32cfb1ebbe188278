// A note window made directly for a test, released (Destroy) at scope end.
#pragma once

#include <memory>
#include <string>

#include "notewin/TackletWin.h"
#include "platform/WindowText.h"

struct CNoteRelease {
    void operator()(CTackletWin* note) const {
        if (note) note->Destroy();
    }
};
using CNotePtr = std::unique_ptr<CTackletWin, CNoteRelease>;

inline CNotePtr MakeNote(HWND owner) { return CNotePtr(CTackletWin::CreateFor(owner)); }

// Layered attributes as the system reports them.
struct CLayered {
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
};
inline CLayered LayeredOf(HWND hwnd) {
    CLayered l;
    ::GetLayeredWindowAttributes(hwnd, &l.key, &l.alpha, &l.flags);
    return l;
}

// Rectangle of a child window in its parent's client coordinates.
inline RECT ChildRect(HWND child) {
    RECT r;
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(nullptr, ::GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Sizes the note so that its client area is cx x cy.
inline void SetClientSize(CTackletWin& note, int cx, int cy) {
    RECT window;
    RECT client;
    ::GetWindowRect(note.GetHwnd(), &window);
    ::GetClientRect(note.GetHwnd(), &client);
    note.MoveWindow(window.left, window.top, cx + (window.right - window.left - client.right),
                    cy + (window.bottom - window.top - client.bottom));
}

// The text shown on the note's ear (" R" while read-only).
inline std::string EarText(const CTackletWin& note) {
    return WindowText(note.EarHwnd());
}

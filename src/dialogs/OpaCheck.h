// The check box over the glass frame: painted through a 32-bit paint buffer
// with its caption drawn again as composited text with a glow, so that it
// stays readable where classic drawing would leave it transparent.
// Attached while desktop composition is on; detached, the check box draws
// normally.
#pragma once

#include <windows.h>

#include <string>

#include "platform/UxThemeApi.h"
#include "platform/WindowSubclass.h"

class COpaCheck {
public:
    COpaCheck() = default;
    ~COpaCheck() { Detach(); }
    COpaCheck(const COpaCheck&) = delete;
    COpaCheck& operator=(const COpaCheck&) = delete;

    // Subclasses the check box `check`; attaching to the box it already
    // holds does nothing, another box is taken over instead.
    bool Attach(HWND check);
    // Gives the check box back to its own procedure (also on destruction).
    void Detach() { m_subclass.Remove(); }

    HWND GetHwnd() const { return m_subclass.Hwnd(); }
    bool IsAttached() const { return m_subclass.Installed(); }

    // Paints the check box into `dc` as on WM_PAINT.
    void Paint(HWND check, HDC dc) const;

private:
    bool OnMessage(HWND hwnd, UINT msg, WPARAM wParam, LRESULT& result) const;
    void DrawGlowCaption(HWND check, HDC dc, const RECT& client) const;

    CUxThemeApi m_uxTheme;
    CWindowSubclass m_subclass;
};

// The window text of `hwnd` in UTF-16, converted with the thread's ANSI
// code page.
std::wstring WindowTextWide(HWND hwnd);

// An owner-drawn push button: attaches to an existing push button of a
// dialog, makes it owner-drawn and paints it in a soft blue-grey gradient
// look with hot (pointer over it), pressed, focused and disabled states.
// Optionally it shows the hand cursor while the pointer is over it and uses
// the system's menu font.
//
// The button's WM_DRAWITEM goes to its parent; the object subclasses the
// parent as well and answers that message for its own button only, so the
// parent's code needs no forwarding.
#pragma once

#include <windows.h>

#include "platform/GdiHolders.h"
#include "platform/WindowSubclass.h"

// The state a button is drawn in.
struct CButtonDrawState {
    bool hot = false;         // the pointer is over the button
    bool pressed = false;     // pushed (mouse held down on it, or space bar)
    bool focused = false;     // keyboard focus
    bool disabled = false;
    bool hidePrefix = false;  // keyboard cues hidden: no underline for "&x"
};

class COwnerDrawButton {
public:
    COwnerDrawButton() = default;
    virtual ~COwnerDrawButton();
    COwnerDrawButton(const COwnerDrawButton&) = delete;
    COwnerDrawButton& operator=(const COwnerDrawButton&) = delete;

    // Takes over the push button `button` (a child of a dialog or window);
    // false when it is no window. Attaching again first lets go of the
    // previous button.
    bool Attach(HWND button);
    // Gives the button back: its original style and font, ordinary drawing.
    // Also happens by itself when the button is destroyed.
    void Detach();

    HWND GetHwnd() const { return m_button.Hwnd(); }
    bool IsAttached() const { return m_button.Installed(); }

    // Shows the hand cursor while the pointer is over the button.
    void SetHandCursor(bool on) { m_handCursor = on; }
    bool HandCursor() const { return m_handCursor; }

    // Draws the caption in the system's menu font (the font object is owned
    // here) instead of the button's own; off restores the button's font.
    void SetMenuFont(bool on);

    // The font the caption is drawn in: the menu font when chosen, else the
    // button's own.
    HFONT CaptionFont() const;

    // Whether the pointer is over the button now.
    bool IsHot() const { return m_hot; }

    // Repaints the button now.
    void Redraw() const;

    // Paints the whole button into `dc` over `rect` in the given state: the
    // face, the focus mark, then the content step.
    void DrawButton(HDC dc, const RECT& rect, const CButtonDrawState& state);

protected:
    // The content step: draws the button's image and caption into `rect`
    // (the button's whole face) in the given state. The default draws the
    // caption centred in the button's font.
    virtual void OnDrawContent(HDC dc, const RECT& rect, const CButtonDrawState& state);

private:
    bool OnButtonMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnParentMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void OnDrawItem(const DRAWITEMSTRUCT& item);
    void SetHot(bool hot);

    CWindowSubclass m_button;
    CWindowSubclass m_parent;
    LONG_PTR m_originalType = BS_PUSHBUTTON;  // BS_TYPEMASK bits before attaching
    bool m_handCursor = false;
    bool m_hot = false;
    CFont m_menuFont;                // the system menu font, while in use
};

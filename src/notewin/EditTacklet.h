// The edit control of a note: the dialog's control 1005, subclassed. It
// paints the note background when it erases, tells its listener (the note
// window) about the mouse, and hands Ctrl/Shift wheel turns to the note.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

#include "notewin/NoteBackground.h"
#include "platform/WindowSubclass.h"

// What the note window hears from its edit control.
class CEditTackletListener {
public:
    virtual ~CEditTackletListener() = default;
    virtual void OnEditMouseWheel(UINT keys, short delta, POINT point) = 0;
    virtual void OnEditMouseMove(UINT keys, POINT point) = 0;
    virtual void OnEditButtonDown(UINT keys, POINT point) = 0;
};

class CEditTacklet {
public:
    CEditTacklet() = default;
    ~CEditTacklet();
    CEditTacklet(const CEditTacklet&) = delete;
    CEditTacklet& operator=(const CEditTacklet&) = delete;

    // Subclasses the edit control `edit`; false when that failed.
    bool Attach(HWND edit);
    HWND GetHwnd() const { return m_subclass.Hwnd(); }

    void SetListener(CEditTackletListener* listener) { m_listener = listener; }

    // Painting values: gradient on/off, pattern and background colour.
    void SetGradient(bool on) { m_background.SetGradient(on); }
    void SetPattern(int pattern) { m_background.SetPattern(pattern); }
    void SetBackgroundColor(COLORREF color) { m_background.SetColor(color); }
    const CNoteBackground& Background() const { return m_background; }

    // Invalidates and erases the whole control.
    void Repaint() const;

    // Longest text in bytes the user can enter (also the control's limit).
    void SetByteLimit(std::size_t bytes);
    // Puts `text` in the control as it is (no limit applies to it) and the
    // caret after its last character, scrolled into view.
    void SetText(const std::string& text);
    // The control's whole text.
    std::string GetText() const;
    // The caret after the last character, scrolled into view.
    void PutCaretAtEnd() const;

    // The parent reflects the control's change notification here: input
    // beyond the byte limit is taken out again, and over a gradient the
    // whole control is redrawn.
    void OnTextChanged();
    // The parent reflects the control's scroll notification here: over a
    // gradient the whole control is redrawn, so the gradient stays
    // continuous under moved text.
    void OnScrolled() const;

private:
    // The subclass's handler: true when the message was handled (result
    // in `result`), false to pass it on to the control.
    bool OnMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void EnforceByteLimit();
    // Position of byte offset `bytes` of `text` in the control's own units
    // (characters where the control counts characters, else bytes).
    int ControlPosition(const std::string& text, std::size_t bytes) const;

    std::size_t m_byteLimit = 0;    // 0: none
    std::string m_lastText;         // the text after the last change
    bool m_settingText = false;
    CNoteBackground m_background;
    CEditTackletListener* m_listener = nullptr;  // not owned
    CWindowSubclass m_subclass;  // the control while attached; removed first
};

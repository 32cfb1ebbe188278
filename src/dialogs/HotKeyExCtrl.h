// The hotkey field: a hotkey control that captures any key combination,
// including those the system or other programs would act on, by watching
// the keyboard system-wide (a low-level keyboard hook) while it has the
// focus. It draws the combination itself and answers WM_GETTEXT with it.
#pragma once

#include "dialogs/HotKeyText.h"
#include "platform/WindowSubclass.h"

#include <windows.h>

#include <string>

class CHotKeyExCtrl {
public:
    // Posted by the hook to the capturing field, the virtual-key code as
    // wParam.
    static constexpr UINT kKeyDownMessage = WM_USER + 0x100;
    static constexpr UINT kKeyUpMessage = WM_USER + 0x101;

    CHotKeyExCtrl() = default;
    ~CHotKeyExCtrl();
    CHotKeyExCtrl(const CHotKeyExCtrl&) = delete;
    CHotKeyExCtrl& operator=(const CHotKeyExCtrl&) = delete;

    // Takes over the hotkey control `control` (a dialog item).
    bool Attach(HWND control);
    HWND Hwnd() const { return m_subclass.Hwnd(); }

    // Shows a combination (modifiers in system hotkey form) as complete.
    void SetHotKey(int virtualKey, int systemModifiers);
    // The combination shown, modifiers in system hotkey form.
    void GetHotKey(int* virtualKey, int* systemModifiers) const;
    std::string Text() const;

    // Whether a field captures the keyboard at the moment.
    static bool Capturing();

private:
    bool OnMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    LRESULT AnswerGetText(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) const;
    void Paint(HWND hwnd);
    void Repaint();
    void StartCapture(HWND hwnd);
    void StopCapture(HWND hwnd);
    static LRESULT CALLBACK KeyboardHook(int code, WPARAM wParam, LPARAM lParam);

    // Only the focused field captures: one hook and one target per program.
    static inline HHOOK s_hook = nullptr;
    static inline HWND s_target = nullptr;

    CWindowSubclass m_subclass;
    CHotKeyCapture m_capture;
};

// The keyboard layout's name of a key.
std::string LayoutKeyName(int virtualKey, bool extended);

// Display text of a combination with modifiers in system hotkey form
// (used by the fields and the tray tip).
std::string HotkeyDisplayText(int systemModifiers, int virtualKey);

// Hotkey combinations without any window code: the two forms of the
// modifier flags, the display text of a combination and the capture state
// of a hotkey field fed with key-down and key-up events.
#pragma once

#include <functional>
#include <string>

namespace HotkeyFlags {
// System hotkey form (as for registering a system-wide hotkey).
constexpr int kSysAlt = 1, kSysCtrl = 2, kSysShift = 4, kSysWin = 8;
// The hotkey field's own form; bit 8 marks an extended key.
constexpr int kFieldShift = 1, kFieldCtrl = 2, kFieldAlt = 4, kFieldExtended = 8, kFieldWin = 16;
}  // namespace HotkeyFlags

// Alt 1 <-> 4, Ctrl 2 <-> 2, Shift 4 <-> 1, Win 8 <-> 16; the field's
// extended-key bit has no system counterpart and is dropped.
int SystemToFieldModifiers(int systemModifiers);
int FieldToSystemModifiers(int fieldModifiers);

// The keyboard layout's name of a key (virtual-key code, extended flag).
using KeyNameFn = std::function<std::string(int virtualKey, bool extended)>;

// "Ctrl + ", "Shift + ", "Alt + " (the layout's names) and "Win + " for the
// modifiers set, then the key's name; empty when both are 0.
std::string HotkeyFieldText(int fieldModifiers, int virtualKey, const KeyNameFn& keyName);

// The combination a hotkey field shows while it captures keys. Modifier
// keys (either hand, and the Applications key as Win) build the modifier
// flags; the first ordinary key held with them completes a combination,
// which stays shown once every key is up; the next key press starts anew.
class CHotKeyCapture {
public:
    // Shows a combination given in system form, as complete.
    void Set(int virtualKey, int systemModifiers);
    int Key() const { return m_key; }
    int FieldModifiers() const { return m_modifiers; }
    int SystemModifiers() const { return FieldToSystemModifiers(m_modifiers); }
    bool Complete() const { return m_complete; }

    // Capture starts (the field gained the focus).
    void Begin() { m_currentKey = 0; }
    // One key event.
    void OnKey(int virtualKey, bool down);

    // Field-form bit of a modifier key, 0 for an ordinary key.
    static int ModifierBit(int virtualKey);

private:
    int m_key = 0;
    int m_modifiers = 0;
    int m_currentKey = 0;
    int m_heldModifiers = 0;
    bool m_complete = false;
};

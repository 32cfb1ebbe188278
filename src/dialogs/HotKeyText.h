// Display text of a hotkey combination ("Ctrl + Shift + Alt + Win + key")
// and the conversion between the system's hotkey modifier bits and the
// hotkey field's own bits.
#pragma once

#include <string>

// System hotkey form: 1 Alt, 2 Ctrl, 4 Shift, 8 Win.
// Field form: 1 Shift, 2 Ctrl, 4 Alt, 8 extended key, 16 Win.
int SystemToFieldModifiers(int systemModifiers);
int FieldToSystemModifiers(int fieldModifiers);

// The text for modifiers in field form and a virtual-key code, with key
// names from the keyboard layout.
std::string HotkeyFieldText(int fieldModifiers, int virtualKey);

// The same for modifiers in system hotkey form.
std::string HotkeyDisplayText(int systemModifiers, int virtualKey);

#include "dialogs/RadioGroup.h"

void ShowRadio(HWND dialog, CRadioGroup group, int value) {
    for (const CRadioChoice& c : group) {
        ::CheckDlgButton(dialog, c.id, c.value == value ? BST_CHECKED : BST_UNCHECKED);
    }
}

int ReadRadio(HWND dialog, CRadioGroup group, int unchanged) {
    for (const CRadioChoice& c : group) {
        if (::IsDlgButtonChecked(dialog, c.id) == BST_CHECKED) return c.value;
    }
    return unchanged;
}

void EnableRadio(HWND dialog, CRadioGroup group, bool on) {
    for (const CRadioChoice& c : group) ::EnableWindow(::GetDlgItem(dialog, c.id), on ? TRUE : FALSE);
}

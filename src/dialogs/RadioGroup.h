// A group of radio buttons standing for one small integer value.
#pragma once

#include <windows.h>

#include <span>

struct CRadioChoice {
    int id;     // control id of the button
    int value;  // the value it stands for
};

using CRadioGroup = std::span<const CRadioChoice>;

// Checks the button of `value` and clears the others (none is checked when
// no button stands for `value`).
void ShowRadio(HWND dialog, CRadioGroup group, int value);

// The value of the checked button; `unchanged` when none is checked.
int ReadRadio(HWND dialog, CRadioGroup group, int unchanged);

// Enables or disables every button of the group.
void EnableRadio(HWND dialog, CRadioGroup group, bool on);

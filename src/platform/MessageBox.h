// The program's message boxes: notices with OK, questions with Yes and No.
#pragma once

#include <windows.h>

#include "platform/WinText.h"

inline constexpr char kMessageCaption[] = "Pinvane";

inline void ShowNotice(HWND owner, const char* text) {
    ::MessageBoxW(owner, WideOf(text).c_str(), WideOf(kMessageCaption).c_str(), MB_OK);
}

// True only for Yes.
inline bool AskYesNo(HWND owner, const char* text) {
    return ::MessageBoxW(owner, WideOf(text).c_str(), WideOf(kMessageCaption).c_str(), MB_YESNO) == IDYES;
}

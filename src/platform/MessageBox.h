// The program's message boxes: notices with OK, questions with Yes and No.
#pragma once

#include <windows.h>

inline constexpr char kMessageCaption[] = "Pinvane";

inline void ShowNotice(HWND owner, const char* text) { ::MessageBoxA(owner, text, kMessageCaption, MB_OK); }

// True only for Yes.
inline bool AskYesNo(HWND owner, const char* text) {
    return ::MessageBoxA(owner, text, kMessageCaption, MB_YESNO) == IDYES;
}

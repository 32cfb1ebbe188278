// The one conversion between the program's texts (UTF-8 std::string) and
// the UTF-16 texts of the wide Win32 functions. Every …W call takes its text
// through WideOf and hands its result back through TextOf.
#pragma once

#include <string>
#include <string_view>

std::wstring WideOf(std::string_view text);
std::string TextOf(std::wstring_view wide);

#include <windows.h>

// Sets the text of a window, or of the dialog item `id` of `dialog`.
bool SetWindowTextOf(HWND hwnd, std::string_view text);
bool SetItemText(HWND dialog, int id, std::string_view text);

// Copies `text` into a fixed buffer of `capacity` UTF-16 units (a tray
// tip, a balloon), cut to fit with its terminating zero, never between the
// two halves of a character beyond the BMP.
void CopyWideText(wchar_t* buffer, std::size_t capacity, std::string_view text);

#include "platform/WinText.h"

#include <windows.h>

#include "platform/CodePageSystem.h"

std::wstring WideOf(std::string_view text) { return Utf16Of(CP_UTF8, text); }

std::string TextOf(std::wstring_view wide) { return BytesOf(CP_UTF8, wide); }

bool SetWindowTextOf(HWND hwnd, std::string_view text) { return ::SetWindowTextW(hwnd, WideOf(text).c_str()) != FALSE; }

bool SetItemText(HWND dialog, int id, std::string_view text) {
    return ::SetDlgItemTextW(dialog, id, WideOf(text).c_str()) != FALSE;
}

void CopyWideText(wchar_t* buffer, std::size_t capacity, std::string_view text) {
    if (capacity == 0) return;
    const std::wstring wide = WideOf(text);
    std::size_t n = wide.size() < capacity - 1 ? wide.size() : capacity - 1;
    if (n > 0 && n < wide.size() && wide[n - 1] >= 0xD800 && wide[n - 1] <= 0xDBFF) --n;
    wide.copy(buffer, n);
    buffer[n] = L'\0';
}

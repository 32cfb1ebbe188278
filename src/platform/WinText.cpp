#include "platform/WinText.h"

#include <windows.h>

namespace {
constexpr UINT kTextCodePage = CP_UTF8;
}

std::wstring WideOf(std::string_view text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int n = ::MultiByteToWideChar(kTextCodePage, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) ::MultiByteToWideChar(kTextCodePage, 0, text.data(), size, wide.data(), n);
    return wide;
}

std::string TextOf(std::wstring_view wide) {
    if (wide.empty()) return {};
    const int size = static_cast<int>(wide.size());
    const int n = ::WideCharToMultiByte(kTextCodePage, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) ::WideCharToMultiByte(kTextCodePage, 0, wide.data(), size, text.data(), n, nullptr, nullptr);
    return text;
}

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

#include "platform/WindowText.h"

#include <algorithm>
#include <cwchar>

#include "platform/Dialog.h"
#include "platform/WinText.h"

namespace {
// A window's own answer to WM_GETTEXTLENGTH, within 0 and the most we read.
int BoundedLength(LONG_PTR length) {
    return static_cast<int>(std::clamp<LONG_PTR>(length, 0, kMaxWindowTextBytes));
}
}  // namespace

std::string WindowText(HWND hwnd) {
    // The text may grow between the two calls: read until it fits, or
    // until the most we read.
    int capacity = BoundedLength(::GetWindowTextLengthW(hwnd)) + 1;
    while (capacity > 1) {
        std::wstring text(static_cast<std::size_t>(capacity), L'\0');
        const int got = ::GetWindowTextW(hwnd, text.data(), capacity);
        const int now = BoundedLength(::GetWindowTextLengthW(hwnd)) + 1;
        if (got < capacity - 1 || now <= capacity) {
            text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
            return TextOf(text);
        }
        capacity = now;
    }
    return {};
}

std::string ControlText(HWND hwnd, UINT timeoutMs) {
    constexpr UINT kFlags = SMTO_BLOCK | SMTO_ABORTIFHUNG;
    DWORD_PTR length = 0;
    if (!::SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, kFlags, timeoutMs, &length)) return {};
    const int bounded = BoundedLength(static_cast<LONG_PTR>(length));
    if (bounded == 0) return {};
    std::wstring text(static_cast<std::size_t>(bounded) + 1, L'\0');
    if (!::SendMessageTimeoutW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), kFlags,
                               timeoutMs, nullptr)) {
        return {};
    }
    text.resize(std::wcslen(text.c_str()));
    return TextOf(text);
}

std::string LoadResourceString(UINT id) {
    for (int capacity = 256;; capacity *= 2) {
        std::wstring text(static_cast<std::size_t>(capacity), L'\0');
        const int got = ::LoadStringW(AppInstance(), id, text.data(), capacity);
        if (got < capacity - 1) {
            text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
            return TextOf(text);
        }
    }
}

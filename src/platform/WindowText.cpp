#include "platform/WindowText.h"

#include <algorithm>
#include <cstring>

#include "platform/Dialog.h"

namespace {
// A window's own answer to WM_GETTEXTLENGTH, within 0 and the most we read.
int BoundedLength(LONG_PTR length) {
    return static_cast<int>(std::clamp<LONG_PTR>(length, 0, kMaxWindowTextBytes));
}
}  // namespace

std::string WindowText(HWND hwnd) {
    // The length may be larger than the text (double-byte texts) and the
    // text may grow between the two calls: read until it fits, or until the
    // most we read.
    int capacity = BoundedLength(::GetWindowTextLengthA(hwnd)) + 1;
    while (capacity > 1) {
        std::string text(static_cast<std::size_t>(capacity), '\0');
        const int got = ::GetWindowTextA(hwnd, text.data(), capacity);
        const int now = BoundedLength(::GetWindowTextLengthA(hwnd)) + 1;
        if (got < capacity - 1 || now <= capacity) {
            text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
            return text;
        }
        capacity = now;
    }
    return {};
}

std::string ControlText(HWND hwnd, UINT timeoutMs) {
    constexpr UINT kFlags = SMTO_BLOCK | SMTO_ABORTIFHUNG;
    DWORD_PTR length = 0;
    if (!::SendMessageTimeoutA(hwnd, WM_GETTEXTLENGTH, 0, 0, kFlags, timeoutMs, &length)) return {};
    const int bounded = BoundedLength(static_cast<LONG_PTR>(length));
    if (bounded == 0) return {};
    std::string text(static_cast<std::size_t>(bounded) + 1, '\0');
    if (!::SendMessageTimeoutA(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), kFlags,
                               timeoutMs, nullptr)) {
        return {};
    }
    text.resize(std::strlen(text.c_str()));
    return text;
}

std::string LoadResourceString(UINT id) {
    for (int capacity = 256;; capacity *= 2) {
        std::string text(static_cast<std::size_t>(capacity), '\0');
        const int got = ::LoadStringA(AppInstance(), id, text.data(), capacity);
        if (got < capacity - 1) {
            text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
            return text;
        }
    }
}

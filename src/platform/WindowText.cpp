#include "platform/WindowText.h"

#include <cstring>

#include "platform/Dialog.h"

std::string WindowText(HWND hwnd) {
    // The length may be larger than the text (double-byte texts) and the
    // text may grow between the two calls: read until it fits.
    int capacity = ::GetWindowTextLengthA(hwnd) + 1;
    while (capacity > 1) {
        std::string text(static_cast<std::size_t>(capacity), '\0');
        const int got = ::GetWindowTextA(hwnd, text.data(), capacity);
        const int now = ::GetWindowTextLengthA(hwnd) + 1;
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
    if (!::SendMessageTimeoutA(hwnd, WM_GETTEXTLENGTH, 0, 0, kFlags, timeoutMs, &length) || length == 0) return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
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

// The code-page conversions of Windows: code page 932 with the system's
// best fit, through UTF-16.
#include "platform/CodePageSystem.h"

#include <windows.h>

namespace {
constexpr UINT kFileCodePage = 932;
}  // namespace

std::wstring Utf16Of(unsigned codePage, std::string_view in) {
    const int size = static_cast<int>(in.size());
    const int n = ::MultiByteToWideChar(codePage, 0, in.data(), size, nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) ::MultiByteToWideChar(codePage, 0, in.data(), size, out.data(), n);
    return out;
}

std::string BytesOf(unsigned codePage, std::wstring_view in) {
    const int size = static_cast<int>(in.size());
    const int n = ::WideCharToMultiByte(codePage, 0, in.data(), size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) ::WideCharToMultiByte(codePage, 0, in.data(), size, out.data(), n, nullptr, nullptr);
    return out;
}

std::string SystemCodePageOf(std::string_view text) { return BytesOf(kFileCodePage, Utf16Of(CP_UTF8, text)); }
std::string SystemTextOfCodePage(std::string_view bytes) { return BytesOf(CP_UTF8, Utf16Of(kFileCodePage, bytes)); }

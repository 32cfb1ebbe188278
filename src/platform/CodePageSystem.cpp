// The code-page conversions of Windows: code page 932 with the system's
// best fit, through UTF-16.
#include <windows.h>

#include <string>
#include <string_view>

namespace {
constexpr UINT kFileCodePage = 932;

std::wstring Utf16(UINT codePage, std::string_view in) {
    const int size = static_cast<int>(in.size());
    const int n = ::MultiByteToWideChar(codePage, 0, in.data(), size, nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) ::MultiByteToWideChar(codePage, 0, in.data(), size, out.data(), n);
    return out;
}

std::string Bytes(UINT codePage, std::wstring_view in) {
    const int size = static_cast<int>(in.size());
    const int n = ::WideCharToMultiByte(codePage, 0, in.data(), size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) ::WideCharToMultiByte(codePage, 0, in.data(), size, out.data(), n, nullptr, nullptr);
    return out;
}
}  // namespace

std::string SystemCodePageOf(std::string_view text) { return Bytes(kFileCodePage, Utf16(CP_UTF8, text)); }
std::string SystemTextOfCodePage(std::string_view bytes) { return Bytes(CP_UTF8, Utf16(kFileCodePage, bytes)); }

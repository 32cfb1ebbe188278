#include "Cp932.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>

#include <cerrno>
#endif

#ifdef _WIN32

namespace {

bool ToWide(UINT codePage, std::string_view in, std::wstring* out) {
    out->clear();
    if (in.empty()) return true;
    const int n = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, in.data(), static_cast<int>(in.size()), nullptr, 0);
    if (n <= 0) return false;
    out->resize(static_cast<size_t>(n));
    return MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, in.data(), static_cast<int>(in.size()), out->data(), n) == n;
}

bool FromWide(UINT codePage, const std::wstring& in, std::string* out) {
    out->clear();
    if (in.empty()) return true;
    // UTF-8 takes neither a default character nor the best-fit flag.
    const DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* usedDefaultPtr = codePage == CP_UTF8 ? nullptr : &usedDefault;
    const int n = WideCharToMultiByte(codePage, flags, in.data(), static_cast<int>(in.size()), nullptr, 0, nullptr, usedDefaultPtr);
    if (n <= 0 || usedDefault) return false;
    out->resize(static_cast<size_t>(n));
    return WideCharToMultiByte(codePage, flags, in.data(), static_cast<int>(in.size()), out->data(), n, nullptr,
                               usedDefaultPtr) == n &&
           !usedDefault;
}

bool Convert(UINT from, UINT to, std::string_view in, std::string* out) {
    std::wstring wide;
    return ToWide(from, in, &wide) && FromWide(to, wide, out);
}

}  // namespace

bool Cp932ToUtf8(std::string_view cp932, std::string* utf8) { return Convert(932, CP_UTF8, cp932, utf8); }
bool Utf8ToCp932(std::string_view utf8, std::string* cp932) { return Convert(CP_UTF8, 932, utf8, cp932); }

#else

namespace {

bool Convert(const char* to, const char* from, std::string_view in, std::string* out) {
    out->clear();
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    bool ok = true;
    char buf[4096];
    while (srcLeft > 0) {
        char* dst = buf;
        size_t dstLeft = sizeof buf;
        const size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out->append(buf, sizeof buf - dstLeft);
        if (r == static_cast<size_t>(-1) && errno != E2BIG) {
            ok = false;
            break;
        }
    }
    iconv_close(cd);
    return ok;
}

}  // namespace

bool Cp932ToUtf8(std::string_view cp932, std::string* utf8) { return Convert("UTF-8", "CP932", cp932, utf8); }
bool Utf8ToCp932(std::string_view utf8, std::string* cp932) { return Convert("CP932", "UTF-8", utf8, cp932); }

#endif

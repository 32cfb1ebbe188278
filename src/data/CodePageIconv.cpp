// The code-page conversions where there is no Windows: iconv's CP932,
// with '?' for each character the code page does not hold.
#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <string_view>

namespace {

class CIconv {
public:
    CIconv(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~CIconv() {
        if (m_cd != reinterpret_cast<iconv_t>(-1)) iconv_close(m_cd);
    }
    CIconv(const CIconv&) = delete;
    CIconv& operator=(const CIconv&) = delete;

    // Converts `in`; at an input that cannot be converted, appends
    // `replacement` and skips `skip(rest)` bytes.
    template <class Skip>
    std::string Convert(std::string_view in, std::string_view replacement, Skip skip) const {
        std::string out;
        if (m_cd == reinterpret_cast<iconv_t>(-1)) return std::string(in);
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(in.data());
        std::size_t left = in.size();
        char buffer[1024];
        while (left > 0) {
            char* dst = buffer;
            std::size_t room = sizeof buffer;
            const std::size_t r = iconv(m_cd, &src, &left, &dst, &room);
            out.append(buffer, static_cast<std::size_t>(dst - buffer));
            if (r == static_cast<std::size_t>(-1) && errno != E2BIG) {
                out += replacement;
                const std::size_t n = std::min(left, skip(std::string_view(src, left)));
                src += n;
                left -= n;
                iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
            }
        }
        return out;
    }

private:
    iconv_t m_cd;
};

std::size_t Utf8SequenceLength(std::string_view rest) {
    const unsigned char c = static_cast<unsigned char>(rest[0]);
    std::size_t len = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    std::size_t i = 1;
    while (i < len && i < rest.size() && (static_cast<unsigned char>(rest[i]) & 0xC0) == 0x80) ++i;
    return i;
}

std::size_t CodePageSequenceLength(std::string_view rest) {
    const unsigned char c = static_cast<unsigned char>(rest[0]);
    const bool lead = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
    return lead && rest.size() > 1 ? 2 : 1;
}

}  // namespace

std::string SystemCodePageOf(std::string_view text) {
    static const CIconv toCodePage("CP932", "UTF-8");
    return toCodePage.Convert(text, "?", Utf8SequenceLength);
}

std::string SystemTextOfCodePage(std::string_view bytes) {
    static const CIconv toText("UTF-8", "CP932");
    return toText.Convert(bytes, "\xEF\xBF\xBD", CodePageSequenceLength);
}

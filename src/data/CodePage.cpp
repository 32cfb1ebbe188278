#include "data/CodePage.h"

#include <algorithm>
#include <vector>

#include "data/MbString.h"

bool IsAsciiText(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The system's conversions (CodePageSystem*.cpp, one per platform).
std::string SystemCodePageOf(std::string_view text);
std::string SystemTextOfCodePage(std::string_view bytes);

std::string CodePageOf(std::string_view text) {
    if (IsAsciiText(text)) return std::string(text);
    return SystemCodePageOf(text);
}

std::string TextOfCodePage(std::string_view bytes) {
    if (IsAsciiText(bytes)) return std::string(bytes);
    return SystemTextOfCodePage(bytes);
}

std::size_t TextFitCodePageBytes(std::string_view text, std::size_t maxBytes) {
    // Every character takes at least one code-page byte.
    if (text.size() <= maxBytes || CodePageOf(text).size() <= maxBytes) return text.size();
    // A search over the character boundaries.
    std::vector<std::size_t> ends;
    for (std::size_t i = 0; i < text.size(); i += MbCharLength(text, i)) ends.push_back(i);
    ends.push_back(text.size());
    std::size_t fits = 0, over = ends.size() - 1;  // indexes into ends
    while (over - fits > 1) {
        const std::size_t mid = fits + (over - fits) / 2;
        if (CodePageOf(text.substr(0, ends[mid])).size() <= maxBytes) fits = mid;
        else over = mid;
    }
    return ends[fits];
}

bool FitsCodePage(std::string_view text) {
    return IsAsciiText(text) || (IsValidUtf8(text) && TextOfCodePage(CodePageOf(text)) == text);
}

bool IsValidUtf8(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        std::size_t len = 0;
        char32_t cp = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if (c >= 0xC2 && c <= 0xDF) {
            len = 2, cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            len = 3, cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            len = 4, cp = c & 0x07;
        } else {
            return false;
        }
        if (i + len > bytes.size()) return false;
        for (std::size_t k = 1; k < len; ++k) {
            const unsigned char t = static_cast<unsigned char>(bytes[i + k]);
            if ((t & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (t & 0x3F);
        }
        const char32_t least = len == 2 ? 0x80 : len == 3 ? 0x800 : 0x10000;
        if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        i += len;
    }
    return true;
}

std::size_t CodePageFitLength(std::string_view bytes, std::size_t maxBytes) {
    if (bytes.size() <= maxBytes) return bytes.size();
    std::size_t i = 0;
    while (i < maxBytes) {
        const std::size_t len = CodePageCharLength(bytes, i);
        if (i + len > maxBytes) break;
        i += len;
    }
    return i;
}

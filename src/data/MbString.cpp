#include "data/MbString.h"

#include <algorithm>
#include <vector>

std::size_t MbCharLength(std::string_view text, std::size_t pos) {
    const unsigned char c = static_cast<unsigned char>(text[pos]);
    const std::size_t len = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 ? 2 : 1;
    if (len == 1 || pos + len > text.size()) return 1;
    for (std::size_t k = 1; k < len; ++k) {
        if ((static_cast<unsigned char>(text[pos + k]) & 0xC0) != 0x80) return 1;
    }
    return len;
}

namespace {

// The upper-case bytes of a small letter of two or three bytes, in place.
void UpperLetter(char* ch, std::size_t len) {
    unsigned char* b = reinterpret_cast<unsigned char*>(ch);
    if (len == 2 && b[0] == 0xCE && b[1] >= 0xB1 && b[1] <= 0xBF) {  // Greek alpha-omicron
        b[1] = static_cast<unsigned char>(b[1] - 0x20);
    } else if (len == 2 && b[0] == 0xCF && b[1] >= 0x80 && b[1] <= 0x89 && b[1] != 0x82) {  // pi-omega
        b[0] = 0xCE;
        b[1] = static_cast<unsigned char>(b[1] + 0x20);
    } else if (len == 2 && b[0] == 0xD0 && b[1] >= 0xB0 && b[1] <= 0xBF) {  // Cyrillic a-pe
        b[1] = static_cast<unsigned char>(b[1] - 0x20);
    } else if (len == 2 && b[0] == 0xD1 && b[1] >= 0x80 && b[1] <= 0x8F) {  // Cyrillic er-ya
        b[0] = 0xD0;
        b[1] = static_cast<unsigned char>(b[1] + 0x20);
    } else if (len == 2 && b[0] == 0xD1 && b[1] == 0x91) {  // Cyrillic io
        b[0] = 0xD0;
        b[1] = 0x81;
    } else if (len == 3 && b[0] == 0xEF && b[1] == 0xBD && b[2] >= 0x81 && b[2] <= 0x9A) {  // full-width a-z
        b[1] = 0xBC;
        b[2] = static_cast<unsigned char>(b[2] + 0x20);
    }
}

}  // namespace

std::size_t MbFindLast(std::string_view text, char c) { return text.rfind(c); }

std::string MbToUpper(std::string_view text) {
    std::string out(text);
    for (std::size_t i = 0; i < out.size();) {
        const std::size_t len = MbCharLength(out, i);
        if (len == 1 && out[i] >= 'a' && out[i] <= 'z') {
            out[i] = static_cast<char>(out[i] - 'a' + 'A');
        } else if (len > 1) {
            UpperLetter(&out[i], len);
        }
        i += len;
    }
    return out;
}

std::size_t MbFind(std::string_view haystack, std::string_view needle) {
    if (needle.empty()) return 0;
    if (needle.size() > haystack.size()) return std::string_view::npos;
    // Knuth-Morris-Pratt over the bytes: linear in both lengths whatever
    // the texts (a title of a megabyte of one letter included). Byte
    // matches are found in order; the first that starts on a character
    // boundary is the answer.
    const std::size_t m = needle.size();
    std::vector<std::size_t> border(m, 0);  // longest proper border of needle[0..i]
    for (std::size_t i = 1, k = 0; i < m; ++i) {
        while (k > 0 && needle[i] != needle[k]) k = border[k - 1];
        if (needle[i] == needle[k]) ++k;
        border[i] = k;
    }
    std::size_t boundary = 0;  // the first character boundary not before a match's start
    for (std::size_t i = 0, k = 0; i < haystack.size(); ++i) {
        while (k > 0 && haystack[i] != needle[k]) k = border[k - 1];
        if (haystack[i] == needle[k]) ++k;
        if (k < m) continue;
        const std::size_t start = i + 1 - m;
        while (boundary < start) boundary += MbCharLength(haystack, boundary);
        if (boundary == start) return start;
        k = border[k - 1];
    }
    return std::string_view::npos;
}

std::size_t MbFitLength(std::string_view text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) return text.size();
    std::size_t i = 0;
    while (i < maxBytes) {
        const std::size_t len = MbCharLength(text, i);
        if (i + len > maxBytes) break;
        i += len;
    }
    return i;
}

std::string MbCut(std::string_view text, std::size_t maxBytes) {
    return std::string(text.substr(0, MbFitLength(text, maxBytes)));
}

namespace {
std::vector<std::string_view> MbCharacters(std::string_view text) {
    std::vector<std::string_view> chars;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t len = MbCharLength(text, i);
        chars.push_back(text.substr(i, len));
        i += len;
    }
    return chars;
}
}  // namespace

std::size_t MbEditDistance(std::string_view from, std::string_view to, bool anywhereInTo) {
    const std::vector<std::string_view> a = MbCharacters(from);
    const std::vector<std::string_view> b = MbCharacters(to);
    // One row per character of `from`; column j: the first j characters of
    // `to`. For a part of `to`, row 0 is all zeros (the part may start
    // anywhere) and the answer is the smallest value of the last row (it
    // may end anywhere).
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) row[j] = anywhereInTo ? 0 : j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            const std::size_t replace = diagonal + (a[i - 1] == b[j - 1] ? 0 : 1);
            row[j] = std::min({replace, above + 1, row[j - 1] + 1});
            diagonal = above;
        }
    }
    if (!anywhereInTo) return row[b.size()];
    return *std::min_element(row.begin(), row.end());
}

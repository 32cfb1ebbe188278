#include "data/MbString.h"

std::size_t MbCharLength(std::string_view text, std::size_t pos) {
    if (MbIsLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size()) return 2;
    return 1;
}

std::string MbToUpper(std::string_view text) {
    std::string out(text);
    for (std::size_t i = 0; i < out.size();) {
        const std::size_t len = MbCharLength(out, i);
        if (len == 1 && out[i] >= 'a' && out[i] <= 'z') out[i] = static_cast<char>(out[i] - 'a' + 'A');
        i += len;
    }
    return out;
}

std::size_t MbFind(std::string_view haystack, std::string_view needle) {
    if (needle.empty()) return 0;
    for (std::size_t i = 0; i + needle.size() <= haystack.size(); i += MbCharLength(haystack, i)) {
        if (haystack.compare(i, needle.size(), needle) == 0) return i;
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

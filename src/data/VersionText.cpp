#include "data/VersionText.h"

namespace {
std::string& Text() {
    static std::string text;
    return text;
}
}  // namespace

void SetVersionText(const std::string& text) { Text() = text; }

const std::string& VersionText() { return Text(); }

std::string StoredVersionText() {
    std::string out = Text();
    for (char& c : out) {
        if (c == ',') c = '-';
        else if (c == ';') c = '.';
    }
    return out;
}

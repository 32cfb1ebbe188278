#include "data/ConflictCopy.h"

#include <algorithm>
#include <cctype>

namespace {

bool SameLetters(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

bool StartsWith(std::string_view text, std::string_view start) {
    return text.size() >= start.size() && SameLetters(text.substr(0, start.size()), start);
}

bool EndsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && SameLetters(text.substr(text.size() - end.size()), end);
}

bool Contains(std::string_view text, std::string_view part) {
    for (std::size_t i = 0; i + part.size() <= text.size(); ++i) {
        if (SameLetters(text.substr(i, part.size()), part)) return true;
    }
    return false;
}

}  // namespace

bool IsConflictCopyName(std::string_view fileName, std::string_view name) {
    const std::size_t dot = fileName.rfind('.');
    const std::string_view stem = fileName.substr(0, dot);
    const std::string_view ext = dot == std::string_view::npos ? std::string_view() : fileName.substr(dot);
    if (!StartsWith(name, stem) || !EndsWith(name, ext) || name.size() <= stem.size() + ext.size()) return false;
    // What the service put between the name and its extension.
    const std::string_view mark = name.substr(stem.size(), name.size() - stem.size() - ext.size());
    if (mark.size() > 1 && mark[0] == '-') return true;  // OneDrive: "-<PC>"
    if (StartsWith(mark, ".sync-conflict-")) return true;  // Syncthing
    if (mark.size() >= 4 && mark[0] == ' ' && mark[1] == '(' && mark.back() == ')') {
        const std::string_view inside = mark.substr(2, mark.size() - 3);
        if (Contains(inside, "conflicted copy")) return true;  // Dropbox
        // Google Drive: " (<n>)"
        return !inside.empty() && std::all_of(inside.begin(), inside.end(), [](char c) { return c >= '0' && c <= '9'; });
    }
    return false;
}

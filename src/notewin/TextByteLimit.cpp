#include "notewin/TextByteLimit.h"

#include "data/CodePage.h"
#include "data/MbString.h"

namespace {

// Largest character boundary of `text` at or below `pos`.
std::size_t BoundaryAtOrBelow(std::string_view text, std::size_t pos) {
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t next = at + MbCharLength(text, at);
        if (next > pos) break;
        at = next;
    }
    return at;
}

// Smallest character boundary of `text` at or above `pos`.
std::size_t BoundaryAtOrAbove(std::string_view text, std::size_t pos) {
    std::size_t at = 0;
    while (at < pos && at < text.size()) at += MbCharLength(text, at);
    return at < text.size() ? at : text.size();
}

}  // namespace

std::optional<TextSpan> FindTextOverflow(std::string_view before, std::string_view after, std::size_t limit) {
    if (after.size() <= before.size()) return std::nullopt;
    // Every character takes at least one byte in the code page.
    if (after.size() <= limit || CodePageOf(after).size() <= limit) return std::nullopt;

    // The changed region: what lies between the common beginning and the
    // common end, widened to whole characters.
    std::size_t prefix = 0;
    while (prefix < before.size() && before[prefix] == after[prefix]) ++prefix;
    const std::size_t begin = BoundaryAtOrBelow(after, prefix);
    std::size_t suffix = 0;
    while (suffix < before.size() - begin && before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) {
        ++suffix;
    }
    const std::size_t end = BoundaryAtOrAbove(after, after.size() - suffix);

    const std::size_t inserted = end - begin;
    const std::size_t rest = CodePageOf(after.substr(0, begin)).size() + CodePageOf(after.substr(end)).size();
    const std::size_t room = rest < limit ? limit - rest : 0;
    const std::size_t keep = TextFitCodePageBytes(after.substr(begin, inserted), room);
    if (keep >= inserted) return std::nullopt;
    return TextSpan{begin + keep, end};
}

// The byte limit of a note's text, counted in the code page the files
// keep. The edit control counts its limit in characters, so text could grow
// past what a note can keep. After each change the inserted part is
// compared with the previous text and whatever lies beyond the limit is
// found here.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

struct TextSpan {
    std::size_t begin = 0;  // byte offsets into the new text
    std::size_t end = 0;
    bool operator==(const TextSpan&) const = default;
};

// The trailing part of the text inserted between `before` and `after`
// (UTF-8) that does not fit into `limit` bytes in the code page (never
// splitting a character), or nothing when `after` fits or did not grow.
std::optional<TextSpan> FindTextOverflow(std::string_view before, std::string_view after, std::size_t limit);

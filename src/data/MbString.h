// Shift-JIS (code page 932) aware string helpers.
//
// A lead byte (0x81-0x9F, 0xE0-0xFC) and the byte after it form one
// double-byte character. These helpers never treat a trail byte as a
// character of its own.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

inline bool MbIsLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Length in bytes of the character starting at `pos` (1 or 2).
std::size_t MbCharLength(std::string_view text, std::size_t pos);

// Upper-cases the single-byte letters a-z and the double-byte (full-width)
// Latin, Greek and Cyrillic small letters; every other character is kept.
// The length in bytes and every character boundary stay as they were.
std::string MbToUpper(std::string_view text);

// Position of the first occurrence of `needle` that starts on a character
// boundary of `haystack`, or npos. An empty needle is found at 0.
std::size_t MbFind(std::string_view haystack, std::string_view needle);
inline bool MbContains(std::string_view haystack, std::string_view needle) {
    return MbFind(haystack, needle) != std::string_view::npos;
}

// Position of the last single-byte character `c` (never the trail byte of
// a double-byte character, which can be 0x5C, the backslash), or npos.
std::size_t MbFindLast(std::string_view text, char c);

// Number of leading bytes of `text` that fit in `maxBytes` without cutting
// a double-byte character in half.
std::size_t MbFitLength(std::string_view text, std::size_t maxBytes);

// `text` cut to at most `maxBytes` bytes on a character boundary.
std::string MbCut(std::string_view text, std::size_t maxBytes);

// The fewest characters to insert, delete or replace to turn `from` into
// `to` (Levenshtein distance), counting a double-byte character as one
// character. With `anywhereInTo`, `from` only has to become some part of
// `to`: the characters of `to` before and after that part cost nothing.
std::size_t MbEditDistance(std::string_view from, std::string_view to, bool anywhereInTo = false);

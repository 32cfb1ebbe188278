// Helpers for the program's texts (UTF-8) that work on whole characters.
//
// A character is one UTF-8 sequence; a byte that starts no valid sequence
// counts as a character of its own. No helper ever cuts a character in half
// or finds a match inside one.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Length in bytes of the character starting at `pos` (1 to 4).
std::size_t MbCharLength(std::string_view text, std::size_t pos);

// Upper-cases a-z and the full-width Latin, Greek and Cyrillic small
// letters (the letters the Japanese code page has); every other character
// is kept. The length in bytes and every character boundary stay as they
// were.
std::string MbToUpper(std::string_view text);

// Position of the first occurrence of `needle` in `haystack`, or npos. An
// empty needle is found at 0. (A valid UTF-8 needle can only match on a
// character boundary.)
std::size_t MbFind(std::string_view haystack, std::string_view needle);
inline bool MbContains(std::string_view haystack, std::string_view needle) {
    return MbFind(haystack, needle) != std::string_view::npos;
}

// Position of the last ASCII character `c`, or npos.
std::size_t MbFindLast(std::string_view text, char c);

// Number of leading bytes of `text` that fit in `maxBytes` without cutting
// a character in half.
std::size_t MbFitLength(std::string_view text, std::size_t maxBytes);

// `text` cut to at most `maxBytes` bytes on a character boundary.
std::string MbCut(std::string_view text, std::size_t maxBytes);

// The fewest characters to insert, delete or replace to turn `from` into
// `to` (Levenshtein distance), counting each character as one. With
// `anywhereInTo`, `from` only has to become some part of `to`: the
// characters of `to` before and after that part cost nothing.
std::size_t MbEditDistance(std::string_view from, std::string_view to, bool anywhereInTo = false);

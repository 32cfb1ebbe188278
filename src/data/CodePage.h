// The program's texts are UTF-8. The files it shares with older versions
// and other programs hold Shift-JIS (code page 932): these are the one
// conversion between the two, and the byte helpers for file bytes in the
// code page.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The code-page form of `text`: every character the code page holds as
// itself, any other replaced as the system's best fit does (a close letter,
// else '?'). Text already in plain ASCII comes back unchanged.
std::string CodePageOf(std::string_view text);
// The text of code-page bytes. Bytes that are no character of the code
// page come back as U+FFFD.
std::string TextOfCodePage(std::string_view bytes);
// Number of leading bytes of `text` (whole characters) whose code-page form
// is at most `maxBytes` long: limits counted in the code page never cut a
// character of the text.
std::size_t TextFitCodePageBytes(std::string_view text, std::size_t maxBytes);
// Plain ASCII: the same bytes as text and in the code page.
bool IsAsciiText(std::string_view text);
// Whether the code page holds every character of `text` as itself.
bool FitsCodePage(std::string_view text);

// The bytes of `text` in their added-key form, and the text of such bytes.
// Keys written before the program kept UTF-8 hold code-page bytes: bytes
// that are no valid UTF-8 are read as code-page bytes.
bool IsValidUtf8(std::string_view bytes);

// Shift-JIS byte helpers for file bytes: a lead byte (0x81-0x9F,
// 0xE0-0xFC) and the byte after it form one double-byte character.
inline bool CodePageIsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
// Length in bytes of the code-page character starting at `pos` (1 or 2).
inline std::size_t CodePageCharLength(std::string_view bytes, std::size_t pos) {
    return CodePageIsLeadByte(static_cast<unsigned char>(bytes[pos])) && pos + 1 < bytes.size() ? 2 : 1;
}
// Number of leading bytes that fit in `maxBytes` without cutting a
// double-byte character in half.
std::size_t CodePageFitLength(std::string_view bytes, std::size_t maxBytes);

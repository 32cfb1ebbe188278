// Font description with exactly the layout of the Windows LOGFONTA.
#pragma once

#include <cstddef>
#include <cstdint>

struct PvLogFont {
    std::int32_t lfHeight = 0;
    std::int32_t lfWidth = 0;
    std::int32_t lfEscapement = 0;
    std::int32_t lfOrientation = 0;
    std::int32_t lfWeight = 0;
    std::uint8_t lfItalic = 0;
    std::uint8_t lfUnderline = 0;
    std::uint8_t lfStrikeOut = 0;
    std::uint8_t lfCharSet = 0;
    std::uint8_t lfOutPrecision = 0;
    std::uint8_t lfClipPrecision = 0;
    std::uint8_t lfQuality = 0;
    std::uint8_t lfPitchAndFamily = 0;
    char lfFaceName[32] = {};

    bool operator==(const PvLogFont&) const = default;
};
static_assert(sizeof(PvLogFont) == 60, "PvLogFont must match LOGFONTA");
static_assert(offsetof(PvLogFont, lfItalic) == 20, "PvLogFont must match LOGFONTA");
static_assert(offsetof(PvLogFont, lfFaceName) == 28, "PvLogFont must match LOGFONTA");

// Shift-JIS character set number of the font description.
constexpr std::uint8_t kShiftJisCharset = 128;
// Bytes of a face name that fit the field besides its terminating zero.
constexpr std::size_t kFaceNameMaxBytes = sizeof(PvLogFont::lfFaceName) - 1;

#include <string_view>

// The face name up to its terminating zero.
std::string_view FaceNameOf(const PvLogFont& font);
// Sets the face name to at most 31 bytes of `name`, never cutting a
// double-byte character.
void SetFaceName(PvLogFont& font, std::string_view name);

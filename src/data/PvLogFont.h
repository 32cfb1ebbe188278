// Font description: the members of the Windows LOGFONT, the face name in
// UTF-8.
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
    char lfFaceName[96] = {};  // at most 31 UTF-16 units, as LOGFONTW holds

    bool operator==(const PvLogFont&) const = default;
};

// Shift-JIS character set number of the font description.
constexpr std::uint8_t kShiftJisCharset = 128;
// Characters (UTF-16 units) of a face name besides its terminating zero.
constexpr std::size_t kFaceNameMaxUnits = 31;

#include <string_view>

// The face name up to its terminating zero.
std::string_view FaceNameOf(const PvLogFont& font);
// Sets the face name to at most 31 UTF-16 units of `name`, never cutting
// a character.
void SetFaceName(PvLogFont& font, std::string_view name);

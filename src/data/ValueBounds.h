// The bounds of the numbers a note record and the settings may hold, in one
// table: what the program's dialogs and windows let them be. Values from a
// file, an import or an extension request are brought into these bounds as
// they come in, so that no later sum of them overflows and no window is
// asked to be larger or farther away than any screen.
//
// Values the program shows for any number (colour indices, the ear position,
// flags) have no bound here: they keep what they are.
#pragma once

#include <cstdint>
#include <string_view>

#include "data/PvTypes.h"

class CTackletData;
struct CSettingsData;

// Screen coordinates of a window, and offsets between two of them, fit
// Windows' 16-bit window coordinates.
inline constexpr std::int32_t kMaxCoordinate = 32767;
// Widest and highest note (a note grows one pixel per wheel notch, with
// no upper limit of its own; this is beyond any screen).
inline constexpr std::int32_t kMaxNoteExtent = 16384;
// The initial note size offered by the note defaults.
inline constexpr std::int32_t kMinNoteWidth = 50;
inline constexpr std::int32_t kMinNoteHeight = 20;
inline constexpr std::int32_t kMaxNoteWidth = 600;
inline constexpr std::int32_t kMaxNoteHeight = 400;
// The font dialog's largest size, 1638 points, in pixels at 96 DPI.
inline constexpr std::int32_t kMaxFontHeight = 2184;

struct ValueBound {
    const char* key;  // the key in the files; the font's other parts by their own names
    std::int32_t min;
    std::int32_t max;
};

inline constexpr ValueBound kValueBounds[] = {
    // Note records (and the note template in the settings file).
    {"TRANSPARENT", 20, 100},
    {"REC_TOP", -kMaxCoordinate, kMaxCoordinate},
    {"REC_BOTTOM", -kMaxCoordinate, kMaxCoordinate},
    {"REC_LEFT", -kMaxCoordinate, kMaxCoordinate},
    {"REC_RIGHT", -kMaxCoordinate, kMaxCoordinate},
    {"TGT_TOP", -kMaxCoordinate, kMaxCoordinate},
    {"TGT_BOTTOM", -kMaxCoordinate, kMaxCoordinate},
    {"TGT_LEFT", -kMaxCoordinate, kMaxCoordinate},
    {"TGT_RIGHT", -kMaxCoordinate, kMaxCoordinate},
    {"ARWSATRTX", -kMaxCoordinate, kMaxCoordinate},
    {"ARWSTARTY", -kMaxCoordinate, kMaxCoordinate},
    {"ARWENDX", -kMaxCoordinate, kMaxCoordinate},
    {"ARWENDY", -kMaxCoordinate, kMaxCoordinate},
    {"FONTHEIGHT", -kMaxFontHeight, kMaxFontHeight},
    {"FONTWEIGHT", 0, 1000},
    {"FONTWIDTH", -kMaxFontHeight, kMaxFontHeight},  // not stored; from extension requests
    {"FONTESCAPEMENT", -3600, 3600},                 // likewise, tenths of a degree
    {"FONTORIENTATION", -3600, 3600},                // likewise
    // Settings.
    {"POSINTERVAL", 10, 50},  // the properties offer 10, 20 and 50 ms
    {"INIWIDTH", kMinNoteWidth, kMaxNoteWidth},
    {"INIHEIGHT", kMinNoteHeight, kMaxNoteHeight},
    {"MODIFIERS", 0, 15},  // Alt, Ctrl, Shift, Windows key
    {"KEY", 0, 255},       // a virtual-key code
    {"KEEPDAYS", 1, 3650},  // days in the trash: at least one, at most ten years
};

// `value` within the bounds of `key` (unchanged for a key without bounds).
std::int32_t BoundValue(std::string_view key, std::int32_t value);

// A note rectangle of at most kMaxNoteExtent in each direction (a negative
// size becomes 0) whose edges all lie within the coordinate bounds.
PvRect BoundNoteRect(std::int64_t left, std::int64_t top, std::int64_t width, std::int64_t height);

// Brings every number of `note` with a bound into it, and the note
// rectangle to BoundNoteRect.
void BoundRecord(CTackletData& note);
// The same for the settings and the note template read with them.
void BoundSettings(CSettingsData& settings, CTackletData& templ);

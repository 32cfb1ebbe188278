// Display scaling arithmetic. Sizes the program draws by itself are
// designed at 96 dots per inch and scaled to the DPI of the monitor a
// window is on. Note fonts are kept at 96 DPI in the note record, so a note
// written on one display looks the same size on another; rectangles stay in
// physical pixels and are never scaled here.
#pragma once

#include "data/PvLogFont.h"

inline constexpr unsigned kBaseDpi = 96;

// `value` (designed at 96 DPI) at `dpi`, rounded to the nearest pixel
// (halves away from zero). A DPI of 0 counts as 96.
int ScaleForDpi(int value, unsigned dpi);
// The inverse: a size at `dpi` expressed at 96 DPI. For every dpi >= 96,
// UnscaleForDpi(ScaleForDpi(v, dpi), dpi) == v.
int UnscaleForDpi(int value, unsigned dpi);

// A stored (96-DPI) font as it is created on a monitor of `dpi`: height and
// width scaled, everything else kept. FontAt96 is its inverse.
PvLogFont FontAtDpi(const PvLogFont& stored, unsigned dpi);
PvLogFont FontAt96(const PvLogFont& shown, unsigned dpi);

// The colours behind the colour indices of a note record.
#pragma once

#include <windows.h>

namespace NoteColors {

constexpr int kEarColorCount = 5;         // red, green, blue, orange, black
constexpr int kBackgroundColorCount = 6;  // white, red, green, blue, orange, grey (all pale)

// Ear colour (COLOR); any other index gives black.
COLORREF Ear(int index);
// Background colour (BKCOLOR); any other index gives grey.
COLORREF Background(int index);
// Text colour (TXCOLOR); any other index gives black.
COLORREF Text(int index);

// Index into the ear and background tables that `index` falls back to.
int EarSlot(int index);
int BackgroundSlot(int index);

}  // namespace NoteColors

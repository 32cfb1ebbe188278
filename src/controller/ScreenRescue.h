// Notes never lost off-screen: where a note goes when too little of it is
// left inside the monitors' work areas. No window code here.
#pragma once

#include "data/PvTypes.h"

#include <optional>
#include <vector>

// A note keeps enough of itself on screen while at least this many pixels
// of its width and of its height lie inside one work area.
inline constexpr int kRescueKeep = 20;

// Where `note` goes when no work area holds at least kRescueKeep ×
// kRescueKeep pixels of it (less when the note itself is smaller): moved,
// keeping its size, just far enough to lie wholly inside the nearest work
// area (the one at the shortest distance from the note, the first on a
// tie; a note larger than the area keeps its left or top edge on the
// area's). Nothing when it keeps enough on screen or there is no area.
std::optional<PvRect> RescuedRect(const PvRect& note, const std::vector<PvRect>& workAreas);

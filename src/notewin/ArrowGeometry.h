// Geometry of a note's leader line, without windows: handle placement,
// keeping the start handle on the note, the window around both handles,
// the pen and the arrowhead.
#pragma once

#include <cstdint>

#include "data/DpiScale.h"
#include "data/PvTypes.h"

struct PvPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const PvPoint&) const = default;
};

namespace ArrowGeometry {

// The sizes below are designed at 96 DPI; the functions taking `dpi`
// scale them to the monitor the line is on.
// Side of the square handle windows, in pixels.
inline constexpr int kHandleSize = 15;
// Space around both handles inside the line window.
inline constexpr int kMargin = 10;
// A new line ends this far below the note's start point...
inline constexpr int kDefaultDrop = 100;
// ...but at least this far inside the monitor's work area.
inline constexpr int kWorkAreaInset = 10;

// Centre of a rectangle, integer halves.
PvPoint Centre(const PvRect& r);

// The start point lies in the middle of the note window `note`; P lies 100
// pixels below it, limited to (right - 10, bottom - 10) of `workArea` (the
// work area of the monitor nearest to P).
PvPoint DefaultStart(const PvRect& note);
PvPoint DefaultEndPoint(const PvRect& note, const PvRect& workArea);

// The handle rectangle `handle` moved so that its centre lies within
// `note` (edges included); `moved` tells whether it had to move.
PvRect ClampIntoNote(const PvRect& handle, const PvRect& note, bool* moved);

// Side of a handle at `dpi`.
int HandleSize(unsigned dpi = kBaseDpi);

// The line window enclosing both handles with the margin on every side.
PvRect Enclosure(const PvRect& a, const PvRect& b, unsigned dpi = kBaseDpi);

// Pen width and arrowhead length for a width index (0 thin, 1 normal,
// 2 thick).
int PenWidth(int widthIndex, unsigned dpi = kBaseDpi);
int HeadLength(int widthIndex, unsigned dpi = kBaseDpi);

// The filled arrowhead at `to` of the line from `from`: the triangle tip,
// wing1, wing2. `drawn` is false when the line is shorter than the head.
struct CArrowHead {
    bool drawn = false;
    PvPoint tip;
    PvPoint wing1;
    PvPoint wing2;
};
CArrowHead Head(PvPoint from, PvPoint to, int widthIndex, unsigned dpi = kBaseDpi);

bool Contains(const PvRect& r, PvPoint p);

}  // namespace ArrowGeometry

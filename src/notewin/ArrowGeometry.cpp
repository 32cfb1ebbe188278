#include "notewin/ArrowGeometry.h"

#include <algorithm>
#include <cmath>

namespace ArrowGeometry {

PvPoint Centre(const PvRect& r) { return PvPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

PvPoint DefaultStart(const PvRect& note) { return PvPoint{note.Width() / 2, note.Height() / 2}; }

PvPoint DefaultEndPoint(const PvRect& note, const PvRect& workArea) {
    const PvPoint start = DefaultStart(note);
    PvPoint p{note.left + start.x, note.top + start.y + kDefaultDrop};
    p.x = std::min(p.x, workArea.right - kWorkAreaInset);
    p.y = std::min(p.y, workArea.bottom - kWorkAreaInset);
    return p;
}

PvRect ClampIntoNote(const PvRect& handle, const PvRect& note, bool* moved) {
    const PvPoint c = Centre(handle);
    PvPoint want = c;
    if (c.y < note.top) want.y = note.top;
    if (c.y > note.bottom) want.y = note.bottom;
    if (c.x < note.left) want.x = note.left;
    if (c.x > note.right) want.x = note.right;
    const int dx = want.x - c.x;
    const int dy = want.y - c.y;
    if (moved) *moved = dx != 0 || dy != 0;
    return PvRect{handle.left + dx, handle.top + dy, handle.right + dx, handle.bottom + dy};
}

int HandleSize(unsigned dpi) { return ScaleForDpi(kHandleSize, dpi); }

PvRect Enclosure(const PvRect& a, const PvRect& b, unsigned dpi) {
    const int margin = ScaleForDpi(kMargin, dpi);
    return PvRect{std::min(a.left, b.left) - margin, std::min(a.top, b.top) - margin,
                  std::max(a.right, b.right) + margin, std::max(a.bottom, b.bottom) + margin};
}

namespace {

int PenWidthAt96(int widthIndex) {
    switch (widthIndex) {
    case 0: return 1;
    case 2: return 3;
    default: return 2;
    }
}

int HeadLengthAt96(int widthIndex) {
    switch (widthIndex) {
    case 0: return 10;
    case 1: return 12;
    case 2: return 15;
    default: return 2;
    }
}

}  // namespace

int PenWidth(int widthIndex, unsigned dpi) { return ScaleForDpi(PenWidthAt96(widthIndex), dpi); }

int HeadLength(int widthIndex, unsigned dpi) { return ScaleForDpi(HeadLengthAt96(widthIndex), dpi); }

CArrowHead Head(PvPoint from, PvPoint to, int widthIndex, unsigned dpi) {
    CArrowHead head;
    const double h = HeadLength(widthIndex, dpi);
    const double dx = static_cast<double>(to.x) - from.x;
    const double dy = static_cast<double>(to.y) - from.y;
    const double length = std::sqrt(dx * dx + dy * dy);
    if (h <= 0 || h > length) return head;  // the line is shorter than its head
    const double g = h / length;
    const double bx = to.x - dx * g;
    const double by = to.y - dy * g;
    head.drawn = true;
    head.tip = to;
    head.wing1 = PvPoint{static_cast<std::int32_t>(bx - dy * g * 0.4), static_cast<std::int32_t>(by + dx * g * 0.4)};
    head.wing2 = PvPoint{static_cast<std::int32_t>(bx + dy * g * 0.4), static_cast<std::int32_t>(by - dx * g * 0.4)};
    return head;
}

bool Contains(const PvRect& r, PvPoint p) {
    // Like the window system's PtInRect: right and bottom edges are outside.
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

}  // namespace ArrowGeometry

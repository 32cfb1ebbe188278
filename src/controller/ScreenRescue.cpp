#include "controller/ScreenRescue.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

std::int64_t Gap(std::int32_t lowA, std::int32_t highA, std::int32_t lowB, std::int32_t highB) {
    if (highA <= lowB) return static_cast<std::int64_t>(lowB) - highA;
    if (highB <= lowA) return static_cast<std::int64_t>(lowA) - highB;
    return 0;
}

// Square of the distance between the closest points of the two rectangles.
std::int64_t DistanceSquared(const PvRect& a, const PvRect& b) {
    const std::int64_t dx = Gap(a.left, a.right, b.left, b.right);
    const std::int64_t dy = Gap(a.top, a.bottom, b.top, b.bottom);
    return dx * dx + dy * dy;
}

std::int32_t Overlap(std::int32_t lowA, std::int32_t highA, std::int32_t lowB, std::int32_t highB) {
    return std::max(0, std::min(highA, highB) - std::max(lowA, lowB));
}

bool KeepsEnough(const PvRect& note, const PvRect& area) {
    const std::int32_t needX = std::min(kRescueKeep, note.Width());
    const std::int32_t needY = std::min(kRescueKeep, note.Height());
    return Overlap(note.left, note.right, area.left, area.right) >= needX &&
           Overlap(note.top, note.bottom, area.top, area.bottom) >= needY;
}

// `low` moved so that [low, low + size) lies inside [areaLow, areaHigh).
std::int32_t Into(std::int32_t low, std::int32_t size, std::int32_t areaLow, std::int32_t areaHigh) {
    return std::max(areaLow, std::min(low, areaHigh - size));
}

}  // namespace

std::optional<PvRect> RescuedRect(const PvRect& note, const std::vector<PvRect>& workAreas) {
    const PvRect* nearest = nullptr;
    std::int64_t best = std::numeric_limits<std::int64_t>::max();
    for (const PvRect& area : workAreas) {
        if (KeepsEnough(note, area)) return std::nullopt;
        const std::int64_t d = DistanceSquared(note, area);
        if (d < best) {
            best = d;
            nearest = &area;
        }
    }
    if (!nearest) return std::nullopt;
    PvRect moved;
    moved.left = Into(note.left, note.Width(), nearest->left, nearest->right);
    moved.top = Into(note.top, note.Height(), nearest->top, nearest->bottom);
    moved.right = moved.left + note.Width();
    moved.bottom = moved.top + note.Height();
    return moved;
}

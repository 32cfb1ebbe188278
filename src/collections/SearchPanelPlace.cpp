#include "collections/SearchPanelPlace.h"

#include <algorithm>
#include <cstdint>

namespace {

// `start` moved just far enough that [start, start + length) lies inside
// [low, high); `low` when the length does not fit at all.
std::int32_t ClampInto(std::int32_t start, std::int32_t length, std::int32_t low, std::int32_t high) {
    return std::max(low, std::min(start, high - length));
}

}  // namespace

PvRect SearchPanelRect(const PvRect& mainWindow, const PvRect& mainFrame, int panelHeight, const PvRect& workArea) {
    const std::int32_t width = mainWindow.Width();
    const std::int32_t height = panelHeight;
    const std::int32_t above = mainFrame.top - height;
    const std::int32_t below = mainFrame.bottom;
    std::int32_t top;
    if (above >= workArea.top && above + height <= workArea.bottom) {
        top = above;
    } else if (below >= workArea.top && below + height <= workArea.bottom) {
        top = below;
    } else {
        top = ClampInto(above, height, workArea.top, workArea.bottom);
    }
    const std::int32_t left = ClampInto(mainWindow.left, width, workArea.left, workArea.right);
    return PvRect{left, top, left + width, top + height};
}

#include "platform/NoteColors.h"

namespace NoteColors {
namespace {

constexpr COLORREF kEar[kEarColorCount] = {
    RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(253, 140, 2), RGB(0, 0, 0),
};
constexpr COLORREF kBackground[kBackgroundColorCount] = {
    RGB(255, 255, 255), RGB(255, 200, 200), RGB(200, 255, 200),
    RGB(200, 200, 255), RGB(255, 255, 180), RGB(150, 150, 150),
};

}  // namespace

int EarSlot(int index) { return (index >= 0 && index < kEarColorCount) ? index : kEarColorCount - 1; }

int BackgroundSlot(int index) {
    return (index >= 0 && index < kBackgroundColorCount) ? index : kBackgroundColorCount - 1;
}

COLORREF Ear(int index) { return kEar[EarSlot(index)]; }

COLORREF Background(int index) { return kBackground[BackgroundSlot(index)]; }

COLORREF Text(int index) {
    switch (index) {
    case 1: return RGB(255, 0, 0);
    case 2: return RGB(0, 0, 255);
    default: return RGB(0, 0, 0);
    }
}

}  // namespace NoteColors

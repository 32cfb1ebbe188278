// Small facts about other windows' places and our own style bits.
#pragma once

#include <windows.h>

// Sets or clears `bits` in the style word at `index` (GWL_STYLE or
// GWL_EXSTYLE).
inline void SetStyleBits(HWND hwnd, int index, LONG_PTR bits, bool on) {
    const LONG_PTR style = ::GetWindowLongPtrW(hwnd, index);
    ::SetWindowLongPtrW(hwnd, index, on ? (style | bits) : (style & ~bits));
}

// Windows parks a minimised top-level window far above and left of every
// screen (at -32000, -32000), and some shells and virtual-desktop tools park
// hidden windows far below the screens instead. A rectangle wholly above
// kParkedAbove or starting below kParkedBelow is such a parked place, not one
// the user chose: notes do not follow a target there.
constexpr LONG kParkedAbove = 0;
constexpr LONG kParkedBelow = 5000;

// The screen rectangle of `target` when notes should follow it there: the
// window exists, is not minimised (Wine leaves minimised windows on the
// screen, so the iconic state is asked as well) and is not parked.
inline bool FollowableRect(HWND target, RECT& out) {
    RECT r;
    if (!::IsWindow(target) || !::GetWindowRect(target, &r)) return false;
    if (r.bottom < kParkedAbove || r.top >= kParkedBelow || ::IsIconic(target)) return false;
    out = r;
    return true;
}

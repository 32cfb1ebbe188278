// Basic portable types shared by the note records and their files.
#pragma once

#include <cstdint>

// A window handle, carried as an opaque integer (an HWND on Windows).
using PvHandle = std::uintptr_t;

// Seconds since 1970-01-01 UTC.
using PvTime = std::int64_t;

// A rectangle with the layout of the Windows RECT.
struct PvRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    std::int32_t Width() const { return right - left; }
    std::int32_t Height() const { return bottom - top; }
    bool operator==(const PvRect&) const = default;
};
static_assert(sizeof(PvRect) == 16, "PvRect must match RECT");

// Title, process name and path of the desktop entry in the window list, and
// the EXENAME of a note that sits on the desktop.
inline constexpr char kDesktopName[] = "DESKTOP";

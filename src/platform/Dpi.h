// The display scaling of windows and monitors. The program declares itself
// per-monitor aware: it is told the real DPI of each monitor and scales
// what it draws itself (see data/DpiScale.h for the arithmetic).
#pragma once

#include <windows.h>

#include "data/DpiScale.h"

// The DPI of the monitor `hwnd` is on (the system DPI where the system
// cannot tell per window).
UINT DpiOfWindow(HWND hwnd);
// The DPI of the monitor nearest to the screen point `point`.
UINT DpiAtPoint(POINT point);
// The DPI the system reports for the whole desktop.
UINT SystemDpi();

// `value`, designed at 96 DPI, at the DPI of `hwnd`.
inline int ScaledFor(HWND hwnd, int value) { return ScaleForDpi(value, DpiOfWindow(hwnd)); }

// Conversions between the portable record types and their Win32 forms.
#pragma once

#include <windows.h>
#include <windowsx.h>

#include "data/PvLogFont.h"
#include "data/PvTypes.h"

inline HWND ToHwnd(PvHandle h) { return reinterpret_cast<HWND>(h); }
inline PvHandle ToHandle(HWND h) { return reinterpret_cast<PvHandle>(h); }

inline PvRect ToPvRect(const RECT& r) { return PvRect{r.left, r.top, r.right, r.bottom}; }
inline RECT ToRect(const PvRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

// The signed client or screen point packed into a mouse message's lParam.
inline POINT PointOf(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

// A record's font description and the Windows LOGFONTW, member by member.
PvLogFont ToPvLogFont(const LOGFONTW& lf);
LOGFONTW ToLogFont(const PvLogFont& font);

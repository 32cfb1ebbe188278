// Where the search panel goes beside the main window. No window code here.
#pragma once

#include "data/PvTypes.h"

// The search panel's rectangle: as wide as the main window's rectangle
// `mainWindow` and `panelHeight` high, right above the main window's
// visible frame `mainFrame` when it fits there inside `workArea` (the work
// area of the main window's monitor), else right below that frame when it
// fits there, else where it comes closest to above while lying inside the
// work area. Its left edge is the main window's, moved only as far as
// needed to keep the panel inside the work area (a panel wider or higher
// than the work area keeps its left or top edge on the area's).
PvRect SearchPanelRect(const PvRect& mainWindow, const PvRect& mainFrame, int panelHeight, const PvRect& workArea);

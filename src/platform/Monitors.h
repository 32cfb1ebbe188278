// The monitors as they are now.
#pragma once

#include "data/PvTypes.h"

#include <vector>

// The work area of every display monitor (the screen without the taskbar
// and other desktop bars), as the system reports them at this moment.
std::vector<PvRect> MonitorWorkAreas();

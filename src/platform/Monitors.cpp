#include "platform/Monitors.h"

#include "platform/WinConvert.h"

#include <windows.h>

namespace {
BOOL CALLBACK AddWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM param) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (::GetMonitorInfoW(monitor, &info)) reinterpret_cast<std::vector<PvRect>*>(param)->push_back(ToPvRect(info.rcWork));
    return TRUE;
}
}  // namespace

std::vector<PvRect> MonitorWorkAreas() {
    std::vector<PvRect> areas;
    ::EnumDisplayMonitors(nullptr, nullptr, AddWorkArea, reinterpret_cast<LPARAM>(&areas));
    return areas;
}

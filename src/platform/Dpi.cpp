#include "platform/Dpi.h"

#include "platform/RuntimeDll.h"

namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetDpiForSystemFn = UINT(WINAPI*)();
// shcore's GetDpiForMonitor with MDT_EFFECTIVE_DPI (0).
using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);

const CRuntimeDll& Shcore() {
    static const CRuntimeDll dll("shcore.dll");
    return dll;
}

}  // namespace

UINT SystemDpi() {
    static const auto forSystem = CRuntimeDll::FindLoaded<GetDpiForSystemFn>("user32.dll", "GetDpiForSystem");
    if (forSystem) {
        if (const UINT dpi = forSystem()) return dpi;
    }
    UINT dpi = kBaseDpi;
    if (HDC dc = ::GetDC(nullptr)) {
        const int logPixels = ::GetDeviceCaps(dc, LOGPIXELSX);
        if (logPixels > 0) dpi = static_cast<UINT>(logPixels);
        ::ReleaseDC(nullptr, dc);
    }
    return dpi;
}

UINT DpiOfWindow(HWND hwnd) {
    static const auto forWindow = CRuntimeDll::FindLoaded<GetDpiForWindowFn>("user32.dll", "GetDpiForWindow");
    if (forWindow && hwnd) {
        if (const UINT dpi = forWindow(hwnd)) return dpi;
    }
    return SystemDpi();
}

UINT DpiAtPoint(POINT point) {
    static const auto forMonitor = Shcore().Find<GetDpiForMonitorFn>("GetDpiForMonitor");
    if (forMonitor) {
        UINT x = 0;
        UINT y = 0;
        if (SUCCEEDED(forMonitor(::MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST), 0, &x, &y)) && x) return x;
    }
    return SystemDpi();
}

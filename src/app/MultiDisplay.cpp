#include "app/MultiDisplay.h"

#include "data/Trace.h"

namespace {
CMultiDisplay* g_instance = nullptr;

void TraceRect(const char* format, const RECT& r) {
    Trace(format, static_cast<int>(r.top), static_cast<int>(r.left), static_cast<int>(r.bottom),
          static_cast<int>(r.right));
}
}  // namespace

CMultiDisplay& CMultiDisplay::Instance() {
    if (!g_instance) g_instance = new CMultiDisplay();
    return *g_instance;
}

void CMultiDisplay::Destroy() {
    delete g_instance;
    g_instance = nullptr;
}

void CMultiDisplay::Enumerate() {
    ::EnumDisplayMonitors(nullptr, nullptr, EnumProc, reinterpret_cast<LPARAM>(this));
}

void CMultiDisplay::Add(const CMonitorRecord& record) {
    if (record.info.dwFlags & MONITORINFOF_PRIMARY)
        m_monitors.insert(m_monitors.begin(), record);
    else
        m_monitors.push_back(record);
}

BOOL CALLBACK CMultiDisplay::EnumProc(HMONITOR monitor, HDC dc, LPRECT rect, LPARAM param) {
    auto* self = reinterpret_cast<CMultiDisplay*>(param);
    ++self->m_count;

    CMonitorRecord record;
    record.info.cbSize = sizeof(MONITORINFOEXW);  // 72 bytes
    ::GetMonitorInfoW(monitor, &record.info);
    record.monitor = monitor;
    record.dc = dc;
    self->Add(record);

    TraceRect("rcMonitor top=%d, left=%d, bottom=%d, right=%d\n", record.info.rcMonitor);
    TraceRect("rcWork top=%d, left=%d, bottom=%d, right=%d\n", record.info.rcWork);
    Trace("Flag = %d\n", static_cast<int>(record.info.dwFlags));
    if (rect) TraceRect("rcMonitor top=%d, left=%d, bottom=%d, right=%d\n", *rect);
    return TRUE;
}

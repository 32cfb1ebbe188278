// The monitors found at start, primary monitor first.
#pragma once

#include <windows.h>

#include <vector>

struct CMonitorRecord {
    MONITORINFOEXW info{};
    HMONITOR monitor = nullptr;
    HDC dc = nullptr;
};

class CMultiDisplay {
public:
    static CMultiDisplay& Instance();  // created on first use
    static void Destroy();

    // Enumerates every display monitor and traces what it finds.
    void Enumerate();

    // Adds one monitor: the primary monitor goes to the front, the others
    // are appended in the order reported.
    void Add(const CMonitorRecord& record);

    int Count() const { return m_count; }
    const std::vector<CMonitorRecord>& Monitors() const { return m_monitors; }

private:
    CMultiDisplay() = default;
    static BOOL CALLBACK EnumProc(HMONITOR monitor, HDC dc, LPRECT rect, LPARAM param);

    int m_count = 0;
    std::vector<CMonitorRecord> m_monitors;
};

// Soak run under Wine: 10,000 notes created through the extension request
// and peeled off again, then 1,000 cycles of a target window that hides and
// shows (its note detached and attached by the matching tick). Prints the
// process's memory and GDI and USER object counts before and after;
// nothing may grow beyond a few percent. Run it with wine.
//
// Wine 8 reports neither private bytes nor GetGuiResources (both 0), so the
// bench also prints what Wine does report: the committed memory
// (PagefileUsage) and working set, the GDI objects our own code holds
// (counted through its gdi32 imports) and the windows of this thread
// (every USER window object we own).
#include "controller/ControlDlg.h"
#include "controller/ExtensionRequest.h"
#include "notewin/WindowSystem.h"
#include "GdiCounter.h"

#include <commctrl.h>
#include <psapi.h>
#include <windows.h>

#include <cstdio>

namespace {

struct Usage {
    double privateKb = 0;
    double committedKb = 0;
    double workingSetKb = 0;
    DWORD gdi = 0;
    DWORD user = 0;
    long ownGdi = 0;
    long windows = 0;
};

BOOL CALLBACK CountChild(HWND, LPARAM count) {
    ++*reinterpret_cast<long*>(count);
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND hwnd, LPARAM count) {
    ++*reinterpret_cast<long*>(count);
    ::EnumChildWindows(hwnd, CountChild, count);
    return TRUE;
}

Usage Measure() {
    Usage u;
    PROCESS_MEMORY_COUNTERS_EX pmc{};
    pmc.cb = sizeof pmc;
    if (::GetProcessMemoryInfo(::GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&pmc), sizeof pmc)) {
        u.privateKb = static_cast<double>(pmc.PrivateUsage) / 1024.0;
        u.committedKb = static_cast<double>(pmc.PagefileUsage) / 1024.0;
        u.workingSetKb = static_cast<double>(pmc.WorkingSetSize) / 1024.0;
    }
    u.gdi = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    u.user = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
    u.ownGdi = GdiCounter::Live();
    ::EnumThreadWindows(::GetCurrentThreadId(), CountTopLevel, reinterpret_cast<LPARAM>(&u.windows));
    return u;
}

void Pump() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
}

double Percent(double before, double after) { return before > 0 ? (after - before) * 100.0 / before : 0.0; }

void Report(const char* phase, const Usage& a, const Usage& b) {
    std::printf("%s\n", phase);
    auto line = [](const char* what, double x, double y) {
        std::printf("  %-34s %10.0f -> %10.0f (%+.1f%%)\n", what, x, y, Percent(x, y));
    };
    line("private bytes, KB", a.privateKb, b.privateKb);
    line("committed memory, KB", a.committedKb, b.committedKb);
    line("working set, KB", a.workingSetKb, b.workingSetKb);
    line("GDI objects (GetGuiResources)", a.gdi, b.gdi);
    line("USER objects (GetGuiResources)", a.user, b.user);
    line("GDI objects of our own code", a.ownGdi, b.ownGdi);
    line("windows of this thread", a.windows, b.windows);
}

}  // namespace

int main() {
    if (!GdiCounter::Install()) std::printf("(our own GDI objects cannot be counted here)\n");
    INITCOMMONCONTROLSEX icc{sizeof icc, 0xFF};
    ::InitCommonControlsEx(&icc);
    char dir[MAX_PATH];
    ::GetTempPathA(MAX_PATH, dir);
    ::SetCurrentDirectoryA(dir);

    HWND host = ::CreateWindowExA(0, "STATIC", "host", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  ::GetModuleHandleA(nullptr), nullptr);
    HWND target = ::CreateWindowExA(0, "STATIC", "soak target", WS_POPUP | WS_VISIBLE, 100, 100, 400, 300, nullptr,
                                    nullptr, ::GetModuleHandleA(nullptr), nullptr);
    CWindowSystemScope windowSystem;
    CControlDlg control;
    control.Create(host);
    control.LoadNotes(std::string(dir) + "PvSoakData.ini", {});
    ::KillTimer(control.GetHwnd(), 103);
    ::KillTimer(control.GetHwnd(), 110);

    // Warm-up: the first note window loads fonts and classes once.
    auto pasteAndPeel = [&] {
        CExtensionRequest request;
        request.target = reinterpret_cast<PvHandle>(::GetDesktopWindow());
        request.x = 300;
        request.y = 300;
        control.PasteFromExtension(request);
        control.MatchTick();
        CTackletData& note = control.Notes()[0];
        if (note.m_pWin) control.notifyDeleteWindow(reinterpret_cast<HWND>(note.m_pWin->Handle()));
        Pump();
    };
    pasteAndPeel();
    const Usage start = Measure();
    for (int i = 0; i < 10000; ++i) pasteAndPeel();
    const Usage afterNotes = Measure();
    Report("10000 paste + peel", start, afterNotes);
    std::printf("notes left: %zu\n", control.Notes().Size());

    CTackletData note;
    note.TITLE = "soak target";
    note.EXENAME = "PV_SOAK_BENCH.EXE";
    control.AddNote(note);
    control.MatchTick();
    ::ShowWindow(target, SW_HIDE);
    control.MatchTick();
    ::ShowWindow(target, SW_SHOWNA);
    control.MatchTick();
    Pump();
    const Usage beforeCycles = Measure();
    int attached = 0;
    for (int i = 0; i < 1000; ++i) {
        ::ShowWindow(target, SW_HIDE);
        control.MatchTick();
        ::ShowWindow(target, SW_SHOWNA);
        control.MatchTick();
        attached += control.Notes()[0].m_bAttached == 1;
        Pump();
    }
    Report("1000 detach + attach", beforeCycles, Measure());
    std::printf("attached after %d of 1000 cycles\n", attached);

    for (CTackletData& n : control.Notes().Items()) n.EndTacklet();
    control.DestroyWindow();
    ::DestroyWindow(target);
    ::DestroyWindow(host);
    std::remove((std::string(dir) + "PvSoakData.ini").c_str());
    return 0;
}

// Soak run under Wine: 10,000 notes created through the extension request
// and peeled off again, then 1,000 cycles of a target window that hides and
// shows (its note detached and attached by the matching tick). Prints the
// process's private bytes and GDI and USER object counts before and after;
// nothing may grow beyond a few percent. Run it with wine.
#include "controller/ControlDlg.h"
#include "controller/ExtensionRequest.h"
#include "controller/WindowSystem.h"
#include "platform/StartupData.h"

#include <commctrl.h>
#include <psapi.h>
#include <windows.h>

#include <cstdio>

namespace {

struct Usage {
    double privateKb = 0;
    DWORD gdi = 0;
    DWORD user = 0;
};

Usage Measure() {
    Usage u;
    PROCESS_MEMORY_COUNTERS_EX pmc{};
    pmc.cb = sizeof pmc;
    if (::GetProcessMemoryInfo(::GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&pmc), sizeof pmc))
        u.privateKb = static_cast<double>(pmc.PrivateUsage) / 1024.0;
    u.gdi = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    u.user = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
    return u;
}

void Pump() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
}

double Percent(double before, double after) { return before > 0 ? (after - before) * 100.0 / before : 0.0; }

void Report(const char* phase, const Usage& a, const Usage& b) {
    std::printf("%-22s private %9.0f KB -> %9.0f KB (%+.1f%%)  GDI %4lu -> %4lu (%+.1f%%)  USER %4lu -> %4lu (%+.1f%%)\n",
                phase, a.privateKb, b.privateKb, Percent(a.privateKb, b.privateKb), a.gdi, b.gdi,
                Percent(a.gdi, b.gdi), a.user, b.user, Percent(a.user, b.user));
}

}  // namespace

int main() {
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
    control.LoadNotes(std::string(dir) + "PvSoakData.ini");
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
    CStartupData::Destroy();
    ::DestroyWindow(target);
    ::DestroyWindow(host);
    std::remove((std::string(dir) + "PvSoakData.ini").c_str());
    return 0;
}

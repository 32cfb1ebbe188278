// Cost of one matching tick under Wine: 100 eligible windows, 0, 100 and
// 1000 notes that match none of them, with and without the per-process
// cache; and of one rebuild of the main panel's list at each count. Prints
// milliseconds per tick and per rebuild; run it with wine.
#include "controller/ControlDlg.h"
#include "notewin/WindowSystem.h"
#include "BenchClock.h"

#include <commctrl.h>
#include <windows.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

HWND MakeWindow(const char* title, DWORD style) {
    return ::CreateWindowExA(0, "STATIC", title, style, 10, 10, 200, 100, nullptr, nullptr,
                             ::GetModuleHandleA(nullptr), nullptr);
}

double MsPerTick(CControlDlg& control, int ticks) {
    control.MatchTick();  // warm-up (fills the cache when it is on)
    double start = Now();
    for (int i = 0; i < ticks; ++i) control.MatchTick();
    return (Now() - start) / ticks;
}

}  // namespace

int main() {
    INITCOMMONCONTROLSEX icc{sizeof icc, 0xFF};
    ::InitCommonControlsEx(&icc);
    char dir[MAX_PATH];
    ::GetTempPathA(MAX_PATH, dir);
    ::SetCurrentDirectoryA(dir);  // no note files there: the controller starts empty

    std::vector<HWND> windows;
    for (int i = 0; i < 100; ++i) {
        char title[32];
        std::snprintf(title, sizeof title, "bench window %d", i);
        windows.push_back(MakeWindow(title, WS_POPUP | WS_VISIBLE));
    }
    HWND host = MakeWindow("host", WS_POPUP);

    CWindowSystemScope windowSystem;
    std::printf("notes  cache  ms/tick\n");
    double results[3][2] = {};
    double rebuild[3] = {};
    const int counts[] = {0, 100, 1000};
    for (int c = 0; c < 3; ++c) {
        CControlDlg control;
        control.Create(host);
        control.LoadNotes(std::string(dir) + "PinvaneData.ini", {});
        ::KillTimer(control.GetHwnd(), 103);
        for (int n = 0; n < counts[c]; ++n) {
            CTackletData note;
            note.TITLE = "no such window";
            note.EXENAME = "NOSUCH.EXE";
            control.Notes().InsertAtHead(note);
        }
        for (int cache = 1; cache >= 0; --cache) {
            control.SetProcessCacheEnabled(cache != 0);
            results[c][cache] = MsPerTick(control, counts[c] >= 1000 ? 10 : 30);
            std::printf("%5d  %5s  %8.3f\n", counts[c], cache ? "on" : "off", results[c][cache]);
        }
        const double start = Now();
        control.RefreshNoteList();
        rebuild[c] = Now() - start;
        control.DestroyWindow();
    }
    for (int c = 0; c < 3; ++c)
        std::printf("%d notes: without cache / with cache = %.1f\n", counts[c], results[c][0] / results[c][1]);
    std::printf("1000 notes / 0 notes with cache = %.2f\n", results[2][1] / results[0][1]);
    for (int c = 1; c < 3; ++c)
        std::printf("main panel list of %d notes: %.1f ms per rebuild\n", counts[c], rebuild[c]);
    for (HWND h : windows) ::DestroyWindow(h);
    ::DestroyWindow(host);
    return 0;
}

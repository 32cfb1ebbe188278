// Where the time of a note window goes, phase by phase, in one process:
// N desktop notes started the way a record starts them (create, values,
// placement, completion, first drawing) and ended the way a save ends them
// (state collected, window destroyed), against N bare layered popups with
// an edit child in the same run. Prints milliseconds per phase and per
// window; run it with wine: pv_notecost_bench [N]
#include "notewin/WindowSystem.h"
#include "data/TackletData.h"
#include "notewin/TackletWin.h"
#include "res/resource.h"
#include "BenchClock.h"

#include <commctrl.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Handles every queued message (paints included) until none is left.
void Drain() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

struct Phases {
    std::vector<std::pair<const char*, double>> ms;
    void Add(const char* name, double v) {
        for (auto& [n, t] : ms)
            if (std::string(n) == name) {
                t += v;
                return;
            }
        ms.emplace_back(name, v);
    }
    void Print(const char* title, int count) const {
        double total = 0;
        for (const auto& p : ms) total += p.second;
        std::printf("%s: %.0f ms (%.2f ms per window)\n", title, total, total / count);
        for (const auto& [n, t] : ms) std::printf("  %-28s %8.1f ms  %6.3f ms/window\n", n, t, t / count);
    }
};

LRESULT CALLBACK PopupProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

void Floor(int count) {
    WNDCLASSA popup{};
    popup.lpfnWndProc = PopupProc;
    popup.hInstance = ::GetModuleHandleA(nullptr);
    popup.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    popup.lpszClassName = "PvCostPopup";
    ::RegisterClassA(&popup);
    Phases start, end;
    std::vector<HWND> popups;
    for (int i = 0; i < count; ++i) {
        const int x = 20 + (i * 37) % 1100, y = 20 + (i * 53) % 850;
        double t = Now();
        HWND h = ::CreateWindowExA(WS_EX_LAYERED | WS_EX_TOOLWINDOW, "PvCostPopup", "", WS_POPUP | WS_THICKFRAME, x, y,
                                   200, 80, nullptr, nullptr, popup.hInstance, nullptr);
        const std::string body(400, static_cast<char>('a' + i % 26));
        ::CreateWindowExA(WS_EX_TRANSPARENT, "EDIT", body.c_str(), WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 0, 183, 80,
                          h, nullptr, popup.hInstance, nullptr);
        start.Add("create popup + edit", Now() - t);
        t = Now();
        ::SetLayeredWindowAttributes(h, 0, 178, LWA_ALPHA);
        ::ShowWindow(h, SW_SHOWNOACTIVATE);
        start.Add("layered + show", Now() - t);
        popups.push_back(h);
    }
    double t = Now();
    Drain();
    start.Add("first drawing", Now() - t);
    t = Now();
    for (HWND h : popups) ::DestroyWindow(h);
    end.Add("destroy", Now() - t);
    t = Now();
    Drain();
    end.Add("queue after", Now() - t);
    start.Print("floor start", count);
    end.Print("floor end", count);
}

void Notes(int count) {
    CWindowSystemScope scope;
    Phases start, end;
    std::vector<ITackletWindow*> wins;
    const HWND desktop = ::GetDesktopWindow();
    CTackletData record;
    for (int i = 0; i < count; ++i) {
        const int x = 20 + (i * 37) % 1100, y = 20 + (i * 53) % 850;
        double t = Now();
        ITackletWindow* w = CTackletWin::CreateFor(desktop);
        start.Add("create dialog", Now() - t);
        if (!w) continue;
        t = Now();
        w->BeginStart();
        w->SetTarget(true, reinterpret_cast<PvHandle>(desktop));
        w->SetText(std::string(400, static_cast<char>('a' + i % 26)));
        start.Add("text", Now() - t);
        t = Now();
        w->SetReadOnly(0);
        w->SetBkTransparent(0);
        w->SetTransparent(70);
        w->SetColor(0);
        w->SetFrame(1);
        w->SetPickPos(0);
        w->SetBkColor(0);
        w->SetTxColor(0);
        w->SetGradient(0, 0);
        start.Add("values", Now() - t);
        t = Now();
        w->SetEditFont(record.m_logFont);
        start.Add("font", Now() - t);
        t = Now();
        w->MoveWindow(x, y, 200, 80);
        start.Add("placement", Now() - t);
        t = Now();
        w->CompleteStart();
        start.Add("complete + show", Now() - t);
        wins.push_back(w);
    }
    double t = Now();
    Drain();
    start.Add("first drawing", Now() - t);
    CTackletData collected;
    for (ITackletWindow* w : wins) {
        t = Now();
        collected.m_pWin = w;
        collected.CollectWindowState();
        collected.m_pWin = nullptr;
        end.Add("collect state", Now() - t);
        t = Now();
        w->Destroy();
        end.Add("destroy", Now() - t);
    }
    t = Now();
    Drain();
    end.Add("queue after", Now() - t);
    start.Print("notes start", count);
    end.Print("notes end", count);
}

INT_PTR CALLBACK PlainDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// The note's dialog template alone: the dialog manager's share.
void PlainDialogs(int count) {
    Phases phases;
    std::vector<HWND> dialogs;
    for (int i = 0; i < count; ++i) {
        double t = Now();
        HWND h = ::CreateDialogParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_TACKLET), ::GetDesktopWindow(),
                                      PlainDialogProc, 0);
        phases.Add("template dialog", Now() - t);
        dialogs.push_back(h);
    }
    double t = Now();
    for (HWND h : dialogs) ::DestroyWindow(h);
    phases.Add("destroy", Now() - t);
    phases.Print("plain dialogs (hidden)", count);
}

// The same two children from an in-memory template without a font.
void FontlessDialogs(int count) {
    alignas(4) WORD buffer[128] = {};
    WORD* p = buffer;
    auto* dlg = reinterpret_cast<DLGTEMPLATE*>(p);
    dlg->style = WS_POPUP;
    dlg->dwExtendedStyle = WS_EX_TOOLWINDOW;
    dlg->cdit = 2;
    dlg->cx = 120;
    dlg->cy = 40;
    p = reinterpret_cast<WORD*>(dlg + 1);
    *p++ = 0;  // menu
    *p++ = 0;  // class
    *p++ = 0;  // title
    auto item = [&](DWORD style, DWORD ex, short x, short cx, WORD id, WORD atom) {
        p = reinterpret_cast<WORD*>((reinterpret_cast<ULONG_PTR>(p) + 3) & ~ULONG_PTR(3));
        auto* it = reinterpret_cast<DLGITEMTEMPLATE*>(p);
        it->style = style | WS_CHILD | WS_VISIBLE;
        it->dwExtendedStyle = ex;
        it->x = x;
        it->y = 0;
        it->cx = cx;
        it->cy = 40;
        it->id = id;
        p = reinterpret_cast<WORD*>(it + 1);
        *p++ = 0xFFFF;
        *p++ = atom;
        *p++ = 0;  // text
        *p++ = 0;  // creation data
    };
    item(ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_TABSTOP, WS_EX_TRANSPARENT, 0, 108, 1000, 0x0081);
    item(0, 0, 108, 12, 1001, 0x0082);
    Phases phases;
    std::vector<HWND> dialogs;
    for (int i = 0; i < count; ++i) {
        double t = Now();
        HWND h = ::CreateDialogIndirectParamA(::GetModuleHandleA(nullptr), dlg, ::GetDesktopWindow(), PlainDialogProc, 0);
        phases.Add("fontless dialog", Now() - t);
        dialogs.push_back(h);
    }
    double t = Now();
    for (HWND h : dialogs) ::DestroyWindow(h);
    phases.Add("destroy", Now() - t);
    phases.Print("fontless dialogs (hidden)", count);
}

// A popup window with the two children, hidden.
void HiddenPopups(int count) {
    Phases phases;
    std::vector<HWND> popups;
    for (int i = 0; i < count; ++i) {
        double t = Now();
        HWND h = ::CreateWindowExA(WS_EX_TOOLWINDOW, "PvCostPopup", "", WS_POPUP, 0, 0, 200, 80, ::GetDesktopWindow(),
                                   nullptr, nullptr, nullptr);
        ::CreateWindowExA(WS_EX_TRANSPARENT, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 0, 183, 80, h, nullptr,
                          nullptr, nullptr);
        ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 183, 0, 17, 80, h, nullptr, nullptr, nullptr);
        phases.Add("popup + 2 children", Now() - t);
        popups.push_back(h);
    }
    double t = Now();
    for (HWND h : popups) ::DestroyWindow(h);
    phases.Add("destroy", Now() - t);
    phases.Print("popups (hidden)", count);
}

}  // namespace

int main(int argc, char** argv) {
    INITCOMMONCONTROLSEX icc{sizeof icc, 0xFF};
    ::InitCommonControlsEx(&icc);
    const int count = argc > 1 ? std::atoi(argv[1]) : 300;
    Floor(count);
    PlainDialogs(count);
    FontlessDialogs(count);
    HiddenPopups(count);
    Notes(count);
    Floor(count);
    return 0;
}

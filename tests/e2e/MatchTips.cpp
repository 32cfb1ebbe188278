// End-to-end scenario of the main panel's row tips: why a note is shown or
// not, read from the tip window that comes up when the pointer rests on a
// row, as a person sees it.
#include "MatchTips.h"
#include "WindowFinder.h"

#include <commctrl.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

using namespace e2e;

namespace {

constexpr int kPanelList = 1002;
constexpr UINT kTrayMessage = 0x464;

struct Note {
    const char* title;
    const char* exe;
    const char* extra;  // further keys, each ending in CR LF
};

std::string DataFileOf(const std::vector<Note>& notes) {
    std::string out = "[SYSTEM]\r\nTACKLETNUM=" + std::to_string(notes.size()) + "\r\n";
    for (size_t i = 0; i < notes.size(); ++i) {
        out += "[TACKLETITEM" + std::to_string(i) + "]\r\nTITLE=" + notes[i].title + "\r\nEXENAME=" + notes[i].exe +
               "\r\nREC_LEFT=1000\r\nREC_TOP=900\r\nREC_RIGHT=1150\r\nREC_BOTTOM=960\r\n" + notes[i].extra;
    }
    return CodePageText(out);
}

HWND PanelList(HWND main) {
    HWND panel = ::FindWindowExA(main, nullptr, "#32770", nullptr);
    return panel ? ::GetDlgItem(panel, kPanelList) : nullptr;
}

// A visible tooltip window of `pid` and its text.
HWND VisibleTip(DWORD pid, std::string* text) {
    HWND h = nullptr;
    while ((h = ::FindWindowExA(nullptr, h, TOOLTIPS_CLASSA, nullptr)) != nullptr) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(h, &owner);
        if (owner != pid || !::IsWindowVisible(h)) continue;
        *text = pvtest::ControlTextOf(h);
        return h;
    }
    return nullptr;
}

// Moves the pointer as the mouse does (a warp of the cursor alone brings
// no mouse move to the window under it under Wine).
void PointerTo(int x, int y) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &input, sizeof input);
}

// Rests the pointer on `row` until the list's tip shows `expected` (a tip
// already up is read again after the pointer left the list and came back:
// the text may have changed with a later matching tick). The last text
// seen, empty when no tip came up.
std::string TipOver(DWORD pid, const CRemoteList& list, HWND listWindow, int row, const std::string& expected) {
    const RECT cell = list.CellRect(row);
    RECT whole{};
    ::GetWindowRect(listWindow, &whole);
    std::string seen;
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < 10000) {
        PointerTo(cell.left + 20, (cell.top + cell.bottom) / 2);
        PointerTo(cell.left + 21, (cell.top + cell.bottom) / 2);
        WaitFor([&] { return VisibleTip(pid, &seen) != nullptr; }, 3000);
        if (seen == expected) break;
        PointerTo(whole.left + 5, whole.top - 40);  // off the list: the tip goes
        WaitFor([&] { std::string t; return VisibleTip(pid, &t) == nullptr; }, 2000);
    }
    return seen;
}

}  // namespace

int MatchTips(const std::string& exe) {
    CChecks c;
    const std::vector<Note> notes = {
        {"PvDrive 何もない", "NOSUCH.EXE", ""},
        {"PvDrive 付箋の窓", "PVDRIVE.EXE", ""},
        {"PvDrive 子の窓", "PVDRIVE.EXE", "EXTENTFLAG=1\r\nEXCLASS=Edit\r\nEXCTLID=100\r\nEXTEXT=alpha\r\n"},
        {"PvDrive 最小化", "PVDRIVE.EXE", ""},
        {"PvDrive 画面外", "PVDRIVE.EXE", ""},
        {"PvDrive 無効", "PVDRIVE.EXE", ""},
        {"PvDrive 非表示", "PVDRIVE.EXE", ""},
        {"PvDrive 表示", "PVDRIVE.EXE", ""},
    };
    // The targets stand right of the main window, whose list the pointer visits.
    HWND renamed = MakeTargetWindow("PvDrive 付箋の窓2", 900, 40, 300, 200);
    HWND child = MakeTargetWindow("PvDrive 子の窓", 920, 300, 300, 200);
    ::CreateWindowExA(0, "Edit", "beta", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 200, 24, child,
                      reinterpret_cast<HMENU>(100), ::GetModuleHandleA(nullptr), nullptr);
    HWND minimised = MakeTargetWindow("PvDrive 最小化", 940, 320, 300, 200);
    ::ShowWindow(minimised, SW_MINIMIZE);
    HWND offscreen = MakeTargetWindow("PvDrive 画面外", 5000, 100, 300, 200);
    HWND disabled = MakeTargetWindow("PvDrive 無効", 960, 340, 300, 200);
    ::EnableWindow(disabled, FALSE);
    HWND hidden = MakeTargetWindow("PvDrive 非表示", 960, 360, 300, 200);
    ::ShowWindow(hidden, SW_HIDE);
    HWND shown = MakeTargetWindow("PvDrive 表示", 960, 700, 300, 200);
    c.Expect(renamed && child && minimised && offscreen && disabled && hidden && shown, "target windows created");

    std::string appDir;
    CPinvaneProcess p;
    HWND main = StartInstalled(c, exe, p, &appDir, DataFileOf(notes));
    HWND listWindow = nullptr;
    c.Expect(WaitFor([&] { return (listWindow = PanelList(main)) != nullptr; }, 5000), "the main panel's list exists");
    CRemoteList list(p.Pid(), listWindow);
    c.Expect(WaitFor([&] { return list.Count() == static_cast<int>(notes.size()); }, 5000), "every note has its row");
    c.Expect(WaitFor([&] { return FindNotes(p.Pid(), main).ownedBy(shown).size() == 1; }, 5000),
             "the note of the open window shows");
    ::PostMessageA(main, kTrayMessage, 0, WM_LBUTTONDBLCLK);
    c.Expect(WaitFor([&] { return ::IsWindowVisible(main) != FALSE; }, 5000), "the main window shows");

    // Row i is note i of the file (the newest first).
    const char* expected[] = {
        "NOSUCH.EXE のウィンドウが開いていません。",
        "タイトルが合いません。近いタイトル:「PvDrive 付箋の窓2」\r\n付箋の条件:「PvDrive 付箋の窓」",
        "子ウィンドウのテキストが合いません。\r\n付箋の条件:「alpha」",
        "ウィンドウが最小化されています。\r\n「PvDrive 最小化」",
        "ウィンドウがどのモニタの中にもありません。\r\n「PvDrive 画面外」",
        "ウィンドウが操作できない状態です（ダイアログ表示中など）。\r\n「PvDrive 無効」",
        "ウィンドウが非表示です。\r\n「PvDrive 非表示」",
        "表示中です。\r\n「PvDrive 表示」",
    };
    for (int row = 0; row < static_cast<int>(notes.size()); ++row)
        c.ExpectEq(TipOver(p.Pid(), list, listWindow, row, expected[row]), expected[row], notes[static_cast<size_t>(row)].title);

    // The tip follows the window: restored, the minimised one takes its note.
    ::ShowWindow(minimised, SW_RESTORE);
    c.Expect(WaitFor([&] { return FindNotes(p.Pid(), main).ownedBy(minimised).size() == 1; }, 5000),
             "the restored window takes its note");
    c.ExpectEq(TipOver(p.Pid(), list, listWindow, 3, "表示中です。\r\n「PvDrive 最小化」"),
               "表示中です。\r\n「PvDrive 最小化」", "and its row says so");

    c.Expect(p.Exit(), "exit");
    for (HWND h : {renamed, child, minimised, offscreen, disabled, hidden, shown}) ::DestroyWindow(h);
    return c.ExitCode();
}

int HoldMatchTip(const std::string& exe, const std::function<void()>& hold) {
    CChecks c;
    const std::vector<Note> notes = {
        {"PvDrive 付箋の窓", "PVDRIVE.EXE", ""},
        {"PvDrive 最小化", "PVDRIVE.EXE", ""},
    };
    HWND renamed = MakeTargetWindow("PvDrive 付箋の窓2", 900, 40, 300, 200);
    HWND minimised = MakeTargetWindow("PvDrive 最小化", 940, 320, 300, 200);
    ::ShowWindow(minimised, SW_MINIMIZE);
    std::string appDir;
    CPinvaneProcess p;
    HWND main = StartInstalled(c, exe, p, &appDir, DataFileOf(notes));
    HWND listWindow = nullptr;
    WaitFor([&] { return (listWindow = PanelList(main)) != nullptr; }, 5000);
    CRemoteList list(p.Pid(), listWindow);
    ::PostMessageA(main, kTrayMessage, 0, WM_LBUTTONDBLCLK);
    c.Expect(WaitFor([&] { return ::IsWindowVisible(main) != FALSE; }, 5000), "the main window shows");
    const char* tip = "タイトルが合いません。近いタイトル:「PvDrive 付箋の窓2」\r\n付箋の条件:「PvDrive 付箋の窓」";
    c.ExpectEq(TipOver(p.Pid(), list, listWindow, 0, tip), tip, "the tip is up");
    hold();
    c.Expect(p.Exit(), "exit");
    ::DestroyWindow(renamed);
    ::DestroyWindow(minimised);
    return c.ExitCode();
}

// Finding the top-level windows of a process under test: its dialogs,
// message boxes and note windows. Shared by the Windows tests and the
// end-to-end drivers.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace pvtest {

inline constexpr char kDialogClass[] = "#32770";

// Which windows to find; every part given must hold.
struct WindowQuery {
    DWORD pid = 0;                    // of this process (0: any)
    DWORD thread = 0;                 // of this thread (0: any)
    HWND owner = nullptr;             // owned by exactly this window
    const char* className = nullptr;  // of this class
    const char* caption = nullptr;    // with this whole window text
    HWND except = nullptr;            // never this window
    bool visibleOnly = true;
    std::function<bool(HWND)> test;   // anything else
};

// The first matching top-level window in Z order, or null.
HWND FindWindowOf(const WindowQuery& query);
// Every matching top-level window, in Z order.
std::vector<HWND> FindWindowsOf(const WindowQuery& query);

// A message box: a dialog that shows its text in static control 0xFFFF;
// with `okOnly`, one with an OK button and no Cancel button.
bool IsMessageBox(HWND window, bool okOnly = false);

// The whole text of a top-level window (as the system keeps it), and of
// control `id` of a dialog (asked of the control, in any process).
// Window and control texts in UTF-8, as the program keeps its texts.
std::string WindowTextOf(HWND window);
std::string ItemText(HWND dialog, int id);
// The whole text of a control, also of another process (its own answer).
std::string ControlTextOf(HWND control);

// UTF-8 and UTF-16, for the wide calls of the tests.
std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view wide);

}  // namespace pvtest

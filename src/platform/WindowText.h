// Window and resource texts, always read whole whatever their length (a
// window's up to a bound far above any real title or control text).
#pragma once

#include <windows.h>

#include <string>

// How long a control of another process may take to answer one text
// message before it counts as hung.
inline constexpr UINT kControlTextTimeoutMs = 500;

// The most characters (UTF-16 units) read of one window's text. Any real
// title or control text is far shorter; a window that claims more (any
// program can answer WM_GETTEXTLENGTH as it likes) gives only its first
// characters.
inline constexpr int kMaxWindowTextBytes = 4 * 1024 * 1024;

// The whole title or text of a window (at most kMaxWindowTextBytes). For a top-level window of another
// process this is the title the system keeps (no message is sent to it).
std::string WindowText(HWND hwnd);

// The whole text of a control (at most kMaxWindowTextBytes), also of
// another process: its own answer to
// WM_GETTEXTLENGTH and WM_GETTEXT, each sent with SMTO_BLOCK |
// SMTO_ABORTIFHUNG and `timeoutMs`, so a hung owner cannot stop the
// caller. Empty when the control does not answer in time.
std::string ControlText(HWND hwnd, UINT timeoutMs = kControlTextTimeoutMs);

// The string resource `id` of this program, whole; empty when it is missing.
std::string LoadResourceString(UINT id);

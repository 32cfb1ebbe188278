// Paths that come from files, imports and requests of other programs, on
// their way to the shell. The shell opens a network path at once: a
// "\\host\share\..." path makes Windows connect to that host (handing it
// the user's credentials) and wait for it. Every such path goes through
// here, and only a local one reaches the shell.
#pragma once

#include <windows.h>

#include <string>

// Whether `path` is a full path on a local fixed drive ("C:\dir\file.exe"):
// not a network (UNC), device ("\\.\") or "\\?\" path, not relative, not
// an alternate stream, and its drive neither removable, nor a network, CD
// or unknown drive.
bool IsLocalPath(const std::string& path);

// The shell's small icon for the file `path` (the caller destroys it), or
// null; the shell is asked only for a local path.
HICON ShellSmallIcon(const std::string& path);

// Tests: sees every path handed to the shell, just before it is.
using ShellPathObserver = void (*)(const std::string& path, void* context);
void SetShellPathObserver(ShellPathObserver observer, void* context);

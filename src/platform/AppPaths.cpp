#include "platform/AppPaths.h"

#include <windows.h>

namespace {
std::string g_appDirectory;

// `wide` in the ANSI code page; false when a character has no form there.
bool ToAnsi(const std::wstring& wide, std::string* out) {
    if (wide.empty()) return false;
    BOOL lossy = FALSE;
    const int n = ::WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr,
                                        &lossy);
    if (n <= 0 || lossy) return false;
    out->assign(static_cast<std::size_t>(n), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), out->data(), n, nullptr, &lossy);
    return !lossy;
}
}  // namespace

std::string CurrentDirFile(const char* name) {
    // The size asked first includes the terminating zero.
    std::string dir(::GetCurrentDirectoryA(0, nullptr), '\0');
    const DWORD n = dir.empty() ? 0 : ::GetCurrentDirectoryA(static_cast<DWORD>(dir.size()), dir.data());
    dir.resize(n < dir.size() ? n : 0);
    return dir + name;
}

std::wstring ModulePathWide() {
    // The call cuts the path to the buffer without saying how long it is:
    // grow until it fits (a path may be up to 32767 characters long).
    for (DWORD size = MAX_PATH; size <= 65536; size *= 2) {
        std::wstring path(size, L'\0');
        const DWORD n = ::GetModuleFileNameW(nullptr, path.data(), size);
        if (n == 0) return std::wstring();
        if (n < size) {
            path.resize(n);
            return path;
        }
    }
    return std::wstring();
}

std::string ModuleDirectory() {
    const std::wstring path = ModulePathWide();
    const std::size_t slash = path.find_last_of(L'\\');
    if (slash == std::wstring::npos || slash == 0) return std::string();
    const std::wstring dir = path.substr(0, slash);
    std::string ansi;
    if (ToAnsi(dir, &ansi)) return ansi;
    // A name the code page cannot hold: its short form, where the volume
    // keeps one, is plain ASCII.
    const DWORD n = ::GetShortPathNameW(dir.c_str(), nullptr, 0);
    if (n == 0) return std::string();
    std::wstring shortDir(n, L'\0');
    const DWORD got = ::GetShortPathNameW(dir.c_str(), shortDir.data(), n);
    if (got == 0 || got >= n) return std::string();
    shortDir.resize(got);
    return ToAnsi(shortDir, &ansi) ? ansi : std::string();
}

void SetAppDirectory(const std::string& dir) { g_appDirectory = dir; }

std::string AppFile(const char* name) {
    return g_appDirectory.empty() ? CurrentDirFile(name) : g_appDirectory + name;
}

#include "platform/AppPaths.h"

#include <windows.h>

#include "platform/WinText.h"

namespace {
std::string g_appDirectory;
}  // namespace

std::string CurrentDirFile(const char* name) {
    // The size asked first includes the terminating zero.
    std::wstring dir(::GetCurrentDirectoryW(0, nullptr), L'\0');
    const DWORD n = dir.empty() ? 0 : ::GetCurrentDirectoryW(static_cast<DWORD>(dir.size()), dir.data());
    dir.resize(n < dir.size() ? n : 0);
    return TextOf(dir) + name;
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
    return TextOf(path.substr(0, slash));
}

void SetAppDirectory(const std::string& dir) { g_appDirectory = dir; }

std::string AppFile(const char* name) {
    return g_appDirectory.empty() ? CurrentDirFile(name) : g_appDirectory + name;
}

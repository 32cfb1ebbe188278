#include "platform/AppPaths.h"

#include <windows.h>

std::string CurrentDirFile(const char* name) {
    // The size asked first includes the terminating zero.
    std::string dir(::GetCurrentDirectoryA(0, nullptr), '\0');
    const DWORD n = dir.empty() ? 0 : ::GetCurrentDirectoryA(static_cast<DWORD>(dir.size()), dir.data());
    dir.resize(n < dir.size() ? n : 0);
    return dir + name;
}

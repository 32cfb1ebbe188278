#include "platform/AppPaths.h"

#include <windows.h>

std::string CurrentDirFile(const char* name) {
    char dir[MAX_PATH + 1] = {};
    DWORD n = ::GetCurrentDirectoryA(MAX_PATH, dir);
    if (n == 0 || n > MAX_PATH) dir[0] = '\0';
    return std::string(dir) + name;
}

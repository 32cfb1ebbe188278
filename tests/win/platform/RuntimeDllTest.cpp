// Libraries come from the system folder, never from the program's own
// folder (pvplanted.dll is built beside the test program for this).
#include "platform/RuntimeDll.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {
std::wstring SystemFolder() {
    wchar_t dir[MAX_PATH] = {};
    const UINT n = ::GetSystemDirectoryW(dir, MAX_PATH);
    return std::wstring(dir, n < MAX_PATH ? n : 0);
}

std::wstring ModuleFile(HMODULE module) {
    wchar_t path[MAX_PATH * 4] = {};
    const DWORD n = ::GetModuleFileNameW(module, path, MAX_PATH * 4);
    return std::wstring(path, n);
}
}  // namespace

TEST(RuntimeDll, OptionalLibrariesComeFromTheSystemFolder) {
    // The planted library is really there beside the program.
    HMODULE planted = ::LoadLibraryExW(L"pvplanted.dll", nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    ASSERT_NE(planted, nullptr);
    ::FreeLibrary(planted);

    CRuntimeDll byName("pvplanted.dll");
    EXPECT_FALSE(byName.Loaded());
    CRuntimeDll dwm("dwmapi.dll");
    ASSERT_TRUE(dwm.Loaded());
    const std::wstring system = SystemFolder();
    ASSERT_FALSE(system.empty());
    HMODULE module = ::GetModuleHandleW(L"dwmapi.dll");
    EXPECT_EQ(_wcsnicmp(ModuleFile(module).c_str(), system.c_str(), system.size()), 0);
}

TEST(RuntimeDll, AfterStartNothingIsLoadedFromTheProgramsFolderByName) {
    CRuntimeDll::RestrictSearchToSystemFolder();
    HMODULE planted = ::LoadLibraryW(L"pvplanted.dll");
    EXPECT_EQ(planted, nullptr);
    if (planted) ::FreeLibrary(planted);
    // System libraries still load by name.
    HMODULE version = ::LoadLibraryW(L"version.dll");
    EXPECT_NE(version, nullptr);
    if (version) ::FreeLibrary(version);
}

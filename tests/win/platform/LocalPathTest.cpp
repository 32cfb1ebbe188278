// Which paths may reach the shell: only full paths on a local fixed drive.
#include "platform/LocalPath.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(LocalPath, OnlyFullPathsOnAFixedDriveAreLocal) {
    struct Case {
        const char* path;
        bool local;
    };
    const Case cases[] = {
        {"C:\\windows\\notepad.exe", true},
        {"c:/windows/notepad.exe", true},
        {"C:\\\x83\x5c\x83\x74\x83\x67\\P.exe", true},  // "ソフト": trail bytes 0x5C
        {"\\\\192.0.2.1\\share\\evil.exe", false},        // a network share
        {"//192.0.2.1/share/evil.exe", false},
        {"\\\\?\\UNC\\192.0.2.1\\share\\evil.exe", false},
        {"\\\\?\\C:\\windows\\notepad.exe", false},
        {"\\\\.\\C:\\windows\\notepad.exe", false},
        {"\\??\\C:\\windows\\notepad.exe", false},
        {"C:windows\\notepad.exe", false},  // relative to the drive's current directory
        {"windows\\notepad.exe", false},
        {"notepad.exe", false},
        {"C:\\", false},
        {"", false},
        {"DESKTOP", false},
        {"C:\\windows\\notepad.exe:stream", false},
        {"C:\\windows\\note\tpad.exe", false},
        {"Q:\\program.exe", false},  // no such drive
    };
    for (const Case& c : cases) EXPECT_EQ(IsLocalPath(c.path), c.local) << c.path;
}

// The shell is asked for a local path's icon and for nothing else.
TEST(LocalPath, OnlyALocalPathReachesTheShell) {
    std::vector<std::string> asked;
    SetShellPathObserver([](const std::string& path, void* context) {
        static_cast<std::vector<std::string>*>(context)->push_back(path);
    }, &asked);
    const HICON unc = ShellSmallIcon("\\\\192.0.2.1\\share\\evil.exe");
    const HICON local = ShellSmallIcon("C:\\windows\\notepad.exe");
    SetShellPathObserver(nullptr, nullptr);
    EXPECT_EQ(unc, nullptr);
    if (local) ::DestroyIcon(local);
    EXPECT_EQ(asked, std::vector<std::string>{"C:\\windows\\notepad.exe"});
}

// The folder watch: one message after a series of changes, none without.
#include "platform/FolderWatch.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "WinTestUtil.h"

namespace {

constexpr UINT kChanged = WM_APP + 7;

// Counts the watch's messages to a message-only window of this thread.
struct CCounter {
    HWND window = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ~CCounter() { ::DestroyWindow(window); }
    int Take(DWORD ms) {
        int count = 0;
        const DWORD end = ::GetTickCount() + ms;
        while (static_cast<int>(end - ::GetTickCount()) > 0) {
            MSG msg;
            while (::PeekMessageW(&msg, window, kChanged, kChanged, PM_REMOVE)) ++count;
            ::Sleep(20);
        }
        return count;
    }
};

void Write(const std::string& path, const char* text) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs(text, f);
    std::fclose(f);
}

TEST(FolderWatchTest, ASeriesOfChangesIsReportedOnceAfterTheFolderIsQuiet) {
    wintest::CScratchDir dir;
    CCounter counter;
    CFolderWatch watch;
    ASSERT_TRUE(watch.Start(dir.Path(), counter.window, kChanged, 200));
    EXPECT_EQ(counter.Take(500), 0) << "nothing changed";
    // Written aside and renamed over the file, as sync clients do, in steps.
    for (int i = 0; i < 3; ++i) {
        Write(dir.Path() + "\\PinvaneData.ini.part", "x");
        ::MoveFileExW(L"PinvaneData.ini.part", L"PinvaneData.ini", MOVEFILE_REPLACE_EXISTING);
        ::Sleep(50);
    }
    EXPECT_EQ(counter.Take(2000), 1);
    watch.Stop();
    Write(dir.Path() + "\\other.ini", "y");
    EXPECT_EQ(counter.Take(500), 0) << "stopped";
}

}  // namespace

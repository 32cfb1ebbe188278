// Watches a folder for files written, renamed or removed, on a thread of its
// own, and posts one message to a window once the folder has been quiet for
// a moment (a sync service writes a file in several steps). The thread only
// posts; the window does the reading.
#pragma once

#include <windows.h>

#include <string>

class CFolderWatch {
public:
    CFolderWatch() = default;
    ~CFolderWatch();
    CFolderWatch(const CFolderWatch&) = delete;
    CFolderWatch& operator=(const CFolderWatch&) = delete;

    // Watches `folder` (not its subfolders) and posts `message` to `notify`
    // `quietMs` after the last change of a series. False when the folder
    // cannot be watched.
    bool Start(const std::string& folder, HWND notify, UINT message, DWORD quietMs);
    // Ends the thread and waits for it.
    void Stop();
    bool Watching() const { return m_thread != nullptr; }

private:
    static DWORD WINAPI ThreadProc(void* self);
    void Run();

    HANDLE m_thread = nullptr;
    HANDLE m_stop = nullptr;
    HANDLE m_change = INVALID_HANDLE_VALUE;
    HWND m_notify = nullptr;
    UINT m_message = 0;
    DWORD m_quietMs = 0;
};

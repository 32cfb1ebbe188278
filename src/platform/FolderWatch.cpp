#include "platform/FolderWatch.h"

#include "platform/WinText.h"

CFolderWatch::~CFolderWatch() { Stop(); }

bool CFolderWatch::Start(const std::string& folder, HWND notify, UINT message, DWORD quietMs) {
    Stop();
    // Names (a file renamed over the data file), sizes and write times.
    m_change = ::FindFirstChangeNotificationW(
        WideOf(folder).c_str(), FALSE,
        FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE);
    if (m_change == INVALID_HANDLE_VALUE) return false;
    m_stop = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    m_notify = notify;
    m_message = message;
    m_quietMs = quietMs;
    m_thread = m_stop ? ::CreateThread(nullptr, 0, &CFolderWatch::ThreadProc, this, 0, nullptr) : nullptr;
    if (m_thread) return true;
    Stop();
    return false;
}

void CFolderWatch::Stop() {
    if (m_thread) {
        ::SetEvent(m_stop);
        ::WaitForSingleObject(m_thread, INFINITE);
        ::CloseHandle(m_thread);
        m_thread = nullptr;
    }
    if (m_stop) ::CloseHandle(m_stop);
    m_stop = nullptr;
    if (m_change != INVALID_HANDLE_VALUE) ::FindCloseChangeNotification(m_change);
    m_change = INVALID_HANDLE_VALUE;
}

DWORD WINAPI CFolderWatch::ThreadProc(void* self) {
    static_cast<CFolderWatch*>(self)->Run();
    return 0;
}

void CFolderWatch::Run() {
    const HANDLE handles[2] = {m_stop, m_change};
    for (;;) {
        if (::WaitForMultipleObjects(2, handles, FALSE, INFINITE) != WAIT_OBJECT_0 + 1) return;
        // A series of changes: wait until the folder is quiet, then post once.
        for (;;) {
            if (!::FindNextChangeNotification(m_change)) return;
            const DWORD waited = ::WaitForMultipleObjects(2, handles, FALSE, m_quietMs);
            if (waited == WAIT_TIMEOUT) break;
            if (waited != WAIT_OBJECT_0 + 1) return;
        }
        ::PostMessageW(m_notify, m_message, 0, 0);
    }
}

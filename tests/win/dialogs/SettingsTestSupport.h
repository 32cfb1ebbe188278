// Helpers of the settings dialog tests, used from a driver thread while
// the dialog runs modally on the test's thread.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace settingstest {

// The whole text of a window (read through WM_GETTEXTLENGTH/WM_GETTEXT).
std::string Text(HWND hwnd);

// Hands key events to a hotkey field as its keyboard hook would: each
// pair is a virtual-key code and whether the key goes down.
void Type(HWND field, const std::vector<std::pair<int, bool>>& events);
// Presses and releases `key` while the modifier keys are held.
void TypeCombination(HWND field, const std::vector<int>& modifiers, int key);

// Waits for a message box owned by `owner`, returns its text and closes
// it with OK; empty when none came within `timeoutMs`.
std::string TakeMessageBox(HWND owner, DWORD timeoutMs = 5000);
// Clicks button `id` of `dialog` and returns the text of the message box
// it shows (empty when it shows none within `timeoutMs`).
std::string ClickForMessage(HWND dialog, int id, DWORD timeoutMs = 5000);

// Waits until `done` holds, for at most `timeoutMs`.
template <class F>
bool WaitUntil(F done, DWORD timeoutMs = 5000) {
    const DWORD start = ::GetTickCount();
    while (!done()) {
        if (::GetTickCount() - start > timeoutMs) return false;
        ::Sleep(10);
    }
    return true;
}

// Holds a system hotkey for the life of the object, as another program
// would (on a hidden window of a thread of its own).
class CHeldHotkey {
public:
    CHeldHotkey(int modifiers, int key);
    ~CHeldHotkey();
    CHeldHotkey(const CHeldHotkey&) = delete;
    CHeldHotkey& operator=(const CHeldHotkey&) = delete;
    bool Held() const { return m_held; }

private:
    static DWORD WINAPI ThreadProc(void* self);
    int m_modifiers;
    int m_key;
    bool m_held = false;
    HANDLE m_ready = nullptr;
    DWORD m_threadId = 0;
    HANDLE m_thread = nullptr;
};

// Whether this process could register the combination now.
bool CanRegister(int modifiers, int key);

}  // namespace settingstest

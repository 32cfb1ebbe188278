// Watches the rectangles of the windows that notes follow.
//
// A timer on the user-interface thread would wake the whole program every
// tracking period (10 to 50 ms) for as long as a note is shown on a window,
// although targets rarely move; under Wine each such wake-up costs more than
// the comparison it is for. The watch reads the rectangles on a thread of
// its own instead and posts one message to the window it reports to when
// one of them changed. Everything else (reading the notes, moving them)
// stays on the user-interface thread; the watch touches no note.
#pragma once

#include <windows.h>

#include <atomic>
#include <vector>

class CTargetWatch {
public:
    CTargetWatch();
    ~CTargetWatch();
    CTargetWatch(const CTargetWatch&) = delete;
    CTargetWatch& operator=(const CTargetWatch&) = delete;

    // Watches `targets` every `periodMs` and posts `message` to `notify`
    // when a target's rectangle differs from the one last seen (a target
    // seen for the first time counts as changed). An empty set ends the
    // watch.
    void Watch(HWND notify, UINT message, UINT periodMs, std::vector<HWND> targets);
    // Takes a new period (the thread picks it up at its next step).
    void SetPeriod(UINT periodMs);
    // The posted message is being handled: the next change posts again.
    // Call it before reading the rectangles, so no change is missed.
    void Acknowledge();
    // Ends the thread and waits for it.
    void Stop();

    bool Watching() const { return m_thread != nullptr; }

private:
    static DWORD WINAPI ThreadProc(void* self);
    void Run();

    HANDLE m_thread = nullptr;
    HANDLE m_wake = nullptr;  // set by Stop: the thread ends without finishing its period
    HWND m_notify = nullptr;
    UINT m_message = 0;
    std::vector<HWND> m_targets;  // the user-interface thread's copy
    std::atomic<UINT> m_period{50};
    std::atomic<bool> m_posted{false};
    // The set handed to the thread, under the lock; `m_version` counts
    // hand-overs so the thread copies the set only when it changed.
    SRWLOCK m_lock = SRWLOCK_INIT;
    std::vector<HWND> m_shared;
    unsigned m_version = 0;
};

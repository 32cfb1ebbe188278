#include "controller/TargetWatch.h"

#include <algorithm>
#include <utility>

CTargetWatch::CTargetWatch() : m_wake(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

CTargetWatch::~CTargetWatch() {
    Stop();
    if (m_wake) ::CloseHandle(m_wake);
}

void CTargetWatch::Watch(HWND notify, UINT message, UINT periodMs, std::vector<HWND> targets) {
    m_period = std::max<UINT>(periodMs, 1);
    if (targets.empty()) {
        Stop();
        m_targets.clear();
        return;
    }
    if (m_thread && targets == m_targets) return;
    m_targets = targets;
    ::AcquireSRWLockExclusive(&m_lock);
    m_shared = std::move(targets);
    ++m_version;
    ::ReleaseSRWLockExclusive(&m_lock);
    if (m_thread) return;
    m_notify = notify;
    m_message = message;
    ::ResetEvent(m_wake);
    m_posted = false;
    m_thread = ::CreateThread(nullptr, 0, ThreadProc, this, 0, nullptr);
}

void CTargetWatch::SetPeriod(UINT periodMs) { m_period = std::max<UINT>(periodMs, 1); }

void CTargetWatch::Acknowledge() { m_posted = false; }

void CTargetWatch::Stop() {
    if (!m_thread) return;
    ::SetEvent(m_wake);
    ::WaitForSingleObject(m_thread, INFINITE);
    ::CloseHandle(m_thread);
    m_thread = nullptr;
}

DWORD WINAPI CTargetWatch::ThreadProc(void* self) {
    static_cast<CTargetWatch*>(self)->Run();
    return 0;
}

void CTargetWatch::Run() {
    struct Seen {
        HWND hwnd;
        RECT rect;
        bool known;
    };
    std::vector<Seen> seen;
    unsigned version = ~0u;
    // Each period ends early when Stop sets the event.
    while (::WaitForSingleObject(m_wake, m_period) == WAIT_TIMEOUT) {
        ::AcquireSRWLockShared(&m_lock);
        if (version != m_version) {
            version = m_version;
            std::vector<Seen> next;
            next.reserve(m_shared.size());
            for (HWND h : m_shared) {
                auto old = std::find_if(seen.begin(), seen.end(), [h](const Seen& s) { return s.hwnd == h; });
                next.push_back(old != seen.end() ? *old : Seen{h, {}, false});
            }
            seen = std::move(next);
        }
        ::ReleaseSRWLockShared(&m_lock);
        bool changed = false;
        for (Seen& s : seen) {
            RECT now{};
            ::GetWindowRect(s.hwnd, &now);  // a window that is gone reads as empty
            if (s.known && ::EqualRect(&now, &s.rect)) continue;
            s.rect = now;
            s.known = true;
            changed = true;
        }
        // One message until the user-interface thread has taken it: it reads
        // every target's rectangle when it does.
        if (changed && !m_posted.exchange(true)) ::PostMessageW(m_notify, m_message, 0, 0);
    }
}

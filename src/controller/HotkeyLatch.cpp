#include "controller/HotkeyLatch.h"

bool CHotkeyLatch::OnHotkey() {
    if (m_latch) return false;
    m_latch = 1;
    m_releaseCount = 0;
    return true;
}

bool CHotkeyLatch::OnPoll(bool keyDown) {
    if (keyDown) {
        m_releaseCount = 0;
        return false;
    }
    if (++m_releaseCount < kReleasePolls) return false;
    m_releaseCount = 0;
    if (!m_latch) return false;
    m_latch = 0;
    return true;
}

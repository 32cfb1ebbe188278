// One press of a system hotkey acts once: the latch arms on the hotkey
// message and is released only after the key has been seen up in five
// consecutive polls. No window code here.
#pragma once

class CHotkeyLatch {
public:
    static constexpr int kReleasePolls = 5;

    // A hotkey message arrived: true when it should act (latch was idle).
    bool OnHotkey();
    // One release poll with the key's current state; true when this poll
    // released an armed latch.
    bool OnPoll(bool keyDown);

    bool Armed() const { return m_latch != 0; }

private:
    int m_latch = 0;
    int m_releaseCount = 0;
};

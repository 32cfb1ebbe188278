// The paste hotkeys: registration, the hotkey messages and the polling
// that waits for a pressed hotkey's key to be released.
#include "controller/ControlDlg.h"

#include "data/Trace.h"
#include "res/resource.h"

namespace {
constexpr UINT kHotkeyPollPeriod = 100;
constexpr char kHotkeyErrorAtStart[] =
    "Windowへの貼り付けホットキーの登録が失敗しました.メインパネルのHotKey変更で他のキーに変更してください.";
constexpr char kHotkeyErrorAfterProperties[] =
    "ウィンドウ貼り付けホットキーの登録が失敗しました.メインパネルのHotKey変更で他のキーに変更してください.";
}  // namespace

void CControlDlg::RegisterHotkeys(bool atStart) {
    if (!GetHwnd()) return;
    if (!::RegisterHotKey(GetHwnd(), HOTKEY_PASTE_WINDOW, static_cast<UINT>(m_settings.HK_PAST_MODIFIERS),
                          static_cast<UINT>(m_settings.HK_PAST_KEY))) {
        Trace("RegisterHotKey() Error=%d\n", static_cast<int>(::GetLastError()));
        ::MessageBoxA(GetHwnd(), atStart ? kHotkeyErrorAtStart : kHotkeyErrorAfterProperties, "Pinvane", MB_OK);
    }
    // The desktop hotkey has no message of its own: a refusal is traced only.
    if (!::RegisterHotKey(GetHwnd(), HOTKEY_PASTE_DESKTOP, static_cast<UINT>(m_settings.HK_PASTDT_MODIFIERS),
                          static_cast<UINT>(m_settings.HK_PASTDT_KEY)))
        Trace("RegisterHotKey() Error=%d\n", static_cast<int>(::GetLastError()));
}

void CControlDlg::OnHotkey(int id) {
    if (id == HOTKEY_PASTE_WINDOW) {
        Trace("HOTKEY\n");
        if (!m_windowLatch.OnHotkey()) return;
        StartReleasePolling();
        PasteToWindow(::GetForegroundWindow());
    } else if (id == HOTKEY_PASTE_DESKTOP) {
        Trace("HOTKEY\n");
        if (!m_desktopLatch.OnHotkey()) return;
        StartReleasePolling();
        PasteToDesktop();
    }
}

// Polling matters only while a latch waits for its key to be released: an
// idle latch ignores every poll. So the timer runs from the hotkey that arms
// a latch until both latches are released, and the idle program is not
// woken ten times a second for nothing.
void CControlDlg::StartReleasePolling() {
    if (m_loaded && GetHwnd()) ::SetTimer(GetHwnd(), TIMER_HOTKEY_RELEASE, kHotkeyPollPeriod, nullptr);
}

void CControlDlg::PollHotkeys() {
    // The high bit of the asynchronous state is set while the key is down.
    auto down = [](int vk) { return (::GetAsyncKeyState(vk) & 0x8000) != 0; };
    if (m_windowLatch.OnPoll(down(m_settings.HK_PAST_KEY))) Trace("KEY 解除");
    if (m_desktopLatch.OnPoll(down(m_settings.HK_PASTDT_KEY))) Trace("KEY 解除");
    if (!m_windowLatch.Armed() && !m_desktopLatch.Armed()) ::KillTimer(GetHwnd(), TIMER_HOTKEY_RELEASE);
}

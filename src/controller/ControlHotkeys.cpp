// The paste hotkeys: registration and the notice of a refused one, the
// hotkey messages and the polling that waits for a pressed hotkey's key to
// be released.
#include "controller/ControlDlg.h"

#include "data/Trace.h"
#include "platform/MessageBox.h"
#include "dialogs/HotKeyExCtrl.h"
#include "res/resource.h"

#include <cstdio>

namespace {
constexpr UINT kHotkeyPollPeriod = 100;
constexpr char kHotkeyErrorAtStart[] =
    "Windowへの貼り付けホットキーの登録が失敗しました.メインパネルのHotKey変更で他のキーに変更してください.";
constexpr char kHotkeyErrorAfterProperties[] =
    "ウィンドウ貼り付けホットキーの登録が失敗しました.メインパネルのHotKey変更で他のキーに変更してください.";
// The combination is named: the user may not know which one was asked for.
constexpr char kDesktopHotkeyRefused[] =
    "デスクトップへの貼り付けホットキー(%s)の登録が失敗しました.プロパティ設定で他のキーに変更してください.";
}  // namespace

void CControlDlg::RegisterHotkeys(bool atStart) {
    if (!GetHwnd()) return;
    m_windowHotkeyOn = RegisterHotkey(HOTKEY_PASTE_WINDOW, m_settings.HK_PAST_MODIFIERS, m_settings.HK_PAST_KEY);
    m_desktopHotkeyOn = RegisterHotkey(HOTKEY_PASTE_DESKTOP, m_settings.HK_PASTDT_MODIFIERS, m_settings.HK_PASTDT_KEY);
    // The box pumps messages: both hotkeys are settled before it.
    TellHotkeysRefused(!m_windowHotkeyOn, !m_desktopHotkeyOn, atStart);
}

void CControlDlg::TellHotkeysRefused(bool window, bool desktop, bool atStart) {
    if (window) ShowNotice(GetHwnd(), atStart ? kHotkeyErrorAtStart : kHotkeyErrorAfterProperties);
    if (desktop) TellDesktopHotkeyRefused();
}

bool CControlDlg::RegisterHotkey(int id, int modifiers, int key) {
    if (::RegisterHotKey(GetHwnd(), id, static_cast<UINT>(modifiers), static_cast<UINT>(key))) return true;
    Trace("RegisterHotKey() Error=%d\n", static_cast<int>(::GetLastError()));
    return false;
}

void CControlDlg::TellDesktopHotkeyRefused() {
    // A refused desktop hotkey did nothing when pressed, and nothing said
    // why (the system may hold the combination, as Windows does Win+V).
    char text[256];
    std::snprintf(text, sizeof text, kDesktopHotkeyRefused,
                  HotkeyDisplayText(m_settings.HK_PASTDT_MODIFIERS, m_settings.HK_PASTDT_KEY).c_str());
    m_pendingNotice = text;
    ShowPendingNotice();
}

void CControlDlg::ShowPendingNotice() {
    if (m_pendingNotice.empty() || !m_showNotice) return;
    if (!m_showNotice("Pinvane", m_pendingNotice)) return;  // no tray icon yet: later
    Trace("CControlDlg::ShowPendingNotice() %s\n", m_pendingNotice.c_str());
    m_pendingNotice.clear();
    m_reminderNote = 0;  // a click on this balloon is not about a reminder
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

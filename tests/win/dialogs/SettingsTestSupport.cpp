#include "SettingsTestSupport.h"

#include "WindowFinder.h"
#include "dialogs/HotKeyExCtrl.h"

namespace settingstest {

std::string Text(HWND hwnd) { return pvtest::ControlTextOf(hwnd); }

void Type(HWND field, const std::vector<std::pair<int, bool>>& events) {
    for (const auto& [vk, down] : events)
        ::SendMessageA(field, down ? CHotKeyExCtrl::kKeyDownMessage : CHotKeyExCtrl::kKeyUpMessage,
                       static_cast<WPARAM>(vk), 0);
}

void TypeCombination(HWND field, const std::vector<int>& modifiers, int key) {
    std::vector<std::pair<int, bool>> events;
    for (int m : modifiers) events.emplace_back(m, true);
    events.emplace_back(key, true);
    events.emplace_back(key, false);
    for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it) events.emplace_back(*it, false);
    Type(field, events);
}

namespace {
// A message box owned by `owner`; a child window given as owner passes
// ownership to its top-level window.
HWND FindOwnedBox(HWND owner) {
    const HWND root = ::GetAncestor(owner, GA_ROOT);
    return pvtest::FindWindowOf({.test = [&](HWND h) {
        const HWND boxOwner = ::GetWindow(h, GW_OWNER);
        return (boxOwner == owner || boxOwner == root) && pvtest::IsMessageBox(h, true);
    }});
}
}  // namespace

std::string TakeMessageBox(HWND owner, DWORD timeoutMs) {
    HWND box = nullptr;
    if (!WaitUntil([&] { return (box = FindOwnedBox(owner)) != nullptr; }, timeoutMs)) return std::string();
    const std::string text = Text(::GetDlgItem(box, 0xFFFF));
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    WaitUntil([&] { return !::IsWindow(box); });
    return text;
}

std::string ClickForMessage(HWND dialog, int id, DWORD timeoutMs) {
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
    return TakeMessageBox(dialog, timeoutMs);
}

CHeldHotkey::CHeldHotkey(int modifiers, int key) : m_modifiers(modifiers), m_key(key) {
    m_ready = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    m_thread = ::CreateThread(nullptr, 0, ThreadProc, this, 0, &m_threadId);
    ::WaitForSingleObject(m_ready, 5000);
}

CHeldHotkey::~CHeldHotkey() {
    ::PostThreadMessageA(m_threadId, WM_QUIT, 0, 0);
    ::WaitForSingleObject(m_thread, 5000);
    ::CloseHandle(m_thread);
    ::CloseHandle(m_ready);
}

DWORD WINAPI CHeldHotkey::ThreadProc(void* param) {
    auto* self = static_cast<CHeldHotkey*>(param);
    HWND window = ::CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    self->m_held = ::RegisterHotKey(window, 7, static_cast<UINT>(self->m_modifiers), static_cast<UINT>(self->m_key)) != FALSE;
    ::SetEvent(self->m_ready);
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) ::DispatchMessageA(&msg);
    if (self->m_held) ::UnregisterHotKey(window, 7);
    ::DestroyWindow(window);
    return 0;
}

bool CanRegister(int modifiers, int key) {
    HWND window = ::CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    const bool ok = ::RegisterHotKey(window, 9, static_cast<UINT>(modifiers), static_cast<UINT>(key)) != FALSE;
    if (ok) ::UnregisterHotKey(window, 9);
    ::DestroyWindow(window);
    return ok;
}

}  // namespace settingstest

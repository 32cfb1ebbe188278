#include "dialogs/HotKeyExCtrl.h"

#include "platform/GdiHolders.h"
#include "platform/WinText.h"

#include <cstring>

std::string LayoutKeyName(int virtualKey, bool extended) {
    if (virtualKey == 0) return std::string();
    // The layout names keys by scan code: translate the virtual key first.
    const UINT scan = ::MapVirtualKeyW(static_cast<UINT>(virtualKey), MAPVK_VK_TO_VSC);
    LONG param = static_cast<LONG>(scan << 16);
    if (extended) param |= 1 << 24;
    wchar_t name[128] = {};
    const int n = ::GetKeyNameTextW(param, name, 128);
    return TextOf(std::wstring_view(name, n > 0 ? static_cast<std::size_t>(n) : 0));
}

std::string HotkeyDisplayText(int systemModifiers, int virtualKey) {
    return HotkeyFieldText(SystemToFieldModifiers(systemModifiers), virtualKey, LayoutKeyName);
}

CHotKeyExCtrl::~CHotKeyExCtrl() {
    if (HWND hwnd = m_subclass.Hwnd()) StopCapture(hwnd);
}

bool CHotKeyExCtrl::Attach(HWND control) {
    if (!control) return false;
    return m_subclass.Install(control, [this](HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        return OnMessage(hwnd, msg, wParam, lParam, result);
    });
}

void CHotKeyExCtrl::SetHotKey(int virtualKey, int systemModifiers) {
    m_capture.Set(virtualKey, systemModifiers);
    Repaint();
}

void CHotKeyExCtrl::GetHotKey(int* virtualKey, int* systemModifiers) const {
    *virtualKey = m_capture.Key();
    *systemModifiers = m_capture.SystemModifiers();
}

std::string CHotKeyExCtrl::Text() const {
    return HotkeyFieldText(m_capture.FieldModifiers(), m_capture.Key(), LayoutKeyName);
}

bool CHotKeyExCtrl::Capturing() { return s_hook != nullptr; }

void CHotKeyExCtrl::Repaint() {
    if (HWND hwnd = m_subclass.Hwnd()) {
        ::InvalidateRect(hwnd, nullptr, TRUE);
        ::UpdateWindow(hwnd);
    }
}

bool CHotKeyExCtrl::OnMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
    case kKeyDownMessage:
    case kKeyUpMessage:
        m_capture.OnKey(static_cast<int>(wParam), msg == kKeyDownMessage);
        Repaint();
        result = 0;
        return true;
    case WM_SETFOCUS:
        StartCapture(hwnd);
        // The control makes its caret; the repaint puts it after the text.
        result = ::DefSubclassProc(hwnd, msg, wParam, lParam);
        Repaint();
        return true;
    case WM_KILLFOCUS:
    case WM_DESTROY:
        StopCapture(hwnd);
        return false;
    case WM_PAINT:
        Paint(hwnd);
        result = 0;
        return true;
    case WM_GETTEXTLENGTH:
    case WM_GETTEXT:
        result = AnswerGetText(hwnd, msg, wParam, lParam);
        return true;
    default:
        return false;
    }
}

// The control class is a Unicode window: its text messages carry UTF-16
// (the system converts for ANSI callers).
LRESULT CHotKeyExCtrl::AnswerGetText(HWND, UINT msg, WPARAM wParam, LPARAM lParam) const {
    const std::wstring utf16 = WideOf(Text());
    if (msg == WM_GETTEXTLENGTH) return static_cast<LRESULT>(utf16.size());
    const std::size_t room = static_cast<std::size_t>(wParam);
    if (lParam == 0 || room == 0) return 0;
    const std::size_t n = utf16.size() < room ? utf16.size() : room - 1;
    auto* out = reinterpret_cast<wchar_t*>(lParam);
    std::memcpy(out, utf16.data(), n * sizeof(wchar_t));
    out[n] = L'\0';
    return static_cast<LRESULT>(n);
}

void CHotKeyExCtrl::Paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(hwnd, &ps);
    RECT client{};
    ::GetClientRect(hwnd, &client);
    ::FillRect(dc, &client, ::GetSysColorBrush(::IsWindowEnabled(hwnd) ? COLOR_WINDOW : COLOR_BTNFACE));
    HFONT font = reinterpret_cast<HFONT>(::SendMessageW(::GetParent(hwnd), WM_GETFONT, 0, 0));
    CSelectObject select(dc, font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
    const std::wstring text = WideOf(Text());
    ::TextOutW(dc, 1, 1, text.c_str(), static_cast<int>(text.size()));
    SIZE size{};
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    if (::GetFocus() == hwnd) ::SetCaretPos(1 + size.cx + 1, 1);
    ::EndPaint(hwnd, &ps);
}

void CHotKeyExCtrl::StartCapture(HWND hwnd) {
    if (s_hook) return;
    m_capture.Begin();
    s_target = hwnd;
    // A low-level hook sees every key before any program (this one
    // included) does, so Tab, Enter, Esc and hotkeys of other programs end
    // up in the field. It is called in this thread's context.
    s_hook = ::SetWindowsHookExW(WH_KEYBOARD_LL, KeyboardHook, ::GetModuleHandleW(nullptr), 0);
    if (!s_hook) s_target = nullptr;
}

void CHotKeyExCtrl::StopCapture(HWND hwnd) {
    if (!s_hook || s_target != hwnd) return;
    ::UnhookWindowsHookEx(s_hook);
    s_hook = nullptr;
    s_target = nullptr;
}

LRESULT CALLBACK CHotKeyExCtrl::KeyboardHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && s_target) {
        const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        switch (wParam) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            ::PostMessageW(s_target, kKeyDownMessage, key->vkCode, 0);
            return 1;  // swallowed: nobody else sees the key
        case WM_KEYUP:
        case WM_SYSKEYUP:
            ::PostMessageW(s_target, kKeyUpMessage, key->vkCode, 0);
            return 1;
        default:
            break;
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

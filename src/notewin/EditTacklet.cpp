#include "notewin/EditTacklet.h"

#include <windowsx.h>

#include <algorithm>
#include <string_view>
#include <vector>

#include "notewin/TextByteLimit.h"
#include "platform/WinConvert.h"
#include "platform/WindowText.h"

namespace {

// Beyond the end of any text the control can hold (-1 would mean "no
// selection" to EM_SETSEL).
constexpr WPARAM kEndOfText = 0x7fffffff;

// Whether `text` comes back unchanged from the ANSI code page to UTF-16 and
// back (false for invalid sequences and for characters the code page has
// twice, which come back as the preferred one).
bool SurvivesCodePageRoundTrip(std::string_view text) {
    if (text.empty()) return true;
    const int size = static_cast<int>(text.size());
    const int wide = ::MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    if (wide <= 0) return false;
    std::wstring utf16(static_cast<std::size_t>(wide), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), size, utf16.data(), wide);
    const int back = ::WideCharToMultiByte(CP_ACP, 0, utf16.data(), wide, nullptr, 0, nullptr, nullptr);
    if (back != size) return false;
    std::string again(static_cast<std::size_t>(back), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, utf16.data(), wide, again.data(), back, nullptr, nullptr);
    return again == text;
}

}  // namespace

CEditTacklet::~CEditTacklet() = default;

bool CEditTacklet::Attach(HWND edit) {
    // Sole: the control has many messages, and nothing else subclasses it.
    return m_subclass.InstallSole(edit, [this](HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        return OnMessage(hwnd, msg, wParam, lParam, result);
    });
}

void CEditTacklet::Repaint() const {
    if (GetHwnd()) ::RedrawWindow(GetHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

void CEditTacklet::SetByteLimit(std::size_t bytes) {
    m_byteLimit = bytes;
    if (GetHwnd()) ::SendMessageA(GetHwnd(), EM_SETLIMITTEXT, bytes, 0);
}

void CEditTacklet::SetText(const std::string& text) {
    if (!GetHwnd()) return;
    m_settingText = true;
    ::SetWindowTextA(GetHwnd(), text.c_str());
    m_settingText = false;
    // The control now holds the text up to its first zero byte, or, where
    // it keeps its text in UTF-16, that text converted there and back. Read
    // back only when that may differ from what was given.
    const std::string_view given(text.c_str());
    if (SurvivesCodePageRoundTrip(given)) {
        m_lastText.assign(given);
    } else {
        m_lastText = GetText();
    }
    PutCaretAtEnd();
}

void CEditTacklet::PutCaretAtEnd() const {
    if (!GetHwnd()) return;
    // A position beyond the text stops at its end, whether the control
    // counts bytes or characters (and its length need not be asked, which
    // costs a copy of the whole text where it keeps UTF-16).
    ::SendMessageA(GetHwnd(), EM_SETSEL, kEndOfText, kEndOfText);
    ::SendMessageA(GetHwnd(), EM_SCROLLCARET, 0, 0);
}

std::string CEditTacklet::GetText() const {
    if (!GetHwnd()) return {};
    return WindowText(GetHwnd());
}

void CEditTacklet::OnTextChanged() {
    if (!m_settingText) EnforceByteLimit();
    m_lastText = GetText();
    if (m_background.Gradient()) Repaint();
}

void CEditTacklet::OnScrolled() const {
    if (m_background.Gradient()) Repaint();
}

void CEditTacklet::EnforceByteLimit() {
    if (m_byteLimit == 0) return;
    const std::string now = GetText();
    const auto overflow = FindTextOverflow(m_lastText, now, m_byteLimit);
    if (!overflow) return;
    // Take the part beyond the limit out again, as a byte-counting control
    // would never have let it in; the caret stays after the part that fits.
    const int from = ControlPosition(now, overflow->begin);
    const int to = ControlPosition(now, overflow->end);
    m_settingText = true;
    ::SendMessageA(GetHwnd(), EM_SETSEL, from, to);
    ::SendMessageA(GetHwnd(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(""));
    m_settingText = false;
    ::MessageBeep(MB_OK);
}

int CEditTacklet::ControlPosition(const std::string& text, std::size_t bytes) const {
    // Where the control ends tells its units: the byte length of the text,
    // or fewer when it counts double-byte characters once.
    DWORD start = 0;
    DWORD end = 0;
    ::SendMessageA(GetHwnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    ::SendMessageA(GetHwnd(), EM_SETSEL, 0x7fffffff, 0x7fffffff);
    DWORD last = 0;
    ::SendMessageA(GetHwnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&last), 0);
    ::SendMessageA(GetHwnd(), EM_SETSEL, start, end);
    if (last >= text.size()) return static_cast<int>(bytes);
    return ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(bytes), nullptr, 0);
}

bool CEditTacklet::OnMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
    case WM_ERASEBKGND: {
        RECT client;
        ::GetClientRect(hwnd, &client);
        m_background.Paint(reinterpret_cast<HDC>(wParam), client);
        result = TRUE;
        return true;
    }
    case WM_MOUSEWHEEL: {
        const UINT keys = GET_KEYSTATE_WPARAM(wParam);
        if (m_listener) m_listener->OnEditMouseWheel(keys, GET_WHEEL_DELTA_WPARAM(wParam), PointOf(lParam));
        // Ctrl and Shift turns resize the note; the control does not use them.
        if (keys & (MK_CONTROL | MK_SHIFT)) {
            ::SendMessageA(::GetParent(hwnd), WM_MOUSEWHEEL, wParam, lParam);
            result = 0;
            return true;
        }
        break;
    }
    case WM_MOUSEMOVE:
        if (m_listener) m_listener->OnEditMouseMove(static_cast<UINT>(wParam), PointOf(lParam));
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        if (m_listener) m_listener->OnEditButtonDown(static_cast<UINT>(wParam), PointOf(lParam));
        break;
    default:
        break;
    }
    return false;
}

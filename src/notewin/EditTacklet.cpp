#include "notewin/EditTacklet.h"

#include <windowsx.h>

#include <algorithm>
#include <string_view>
#include <vector>

#include "data/CodePage.h"
#include "notewin/TextByteLimit.h"
#include "platform/WinConvert.h"
#include "platform/WindowText.h"
#include "platform/WinText.h"

namespace {

// Beyond the end of any text the control can hold (-1 would mean "no
// selection" to EM_SETSEL).
constexpr WPARAM kEndOfText = 0x7fffffff;

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
    if (GetHwnd()) ::SendMessageW(GetHwnd(), EM_SETLIMITTEXT, bytes, 0);
}

void CEditTacklet::SetText(const std::string& text) {
    if (!GetHwnd()) return;
    m_settingText = true;
    SetWindowTextOf(GetHwnd(), text);
    m_settingText = false;
    // The control now holds the text up to its first zero byte, converted
    // to UTF-16: read back only when that may differ from what was given.
    const std::string_view given(text.c_str());
    if (IsValidUtf8(given)) {
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
    ::SendMessageW(GetHwnd(), EM_SETSEL, kEndOfText, kEndOfText);
    ::SendMessageW(GetHwnd(), EM_SCROLLCARET, 0, 0);
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
    ::SendMessageW(GetHwnd(), EM_SETSEL, from, to);
    ::SendMessageW(GetHwnd(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L""));
    m_settingText = false;
    ::MessageBeep(MB_OK);
}

int CEditTacklet::ControlPosition(const std::string& text, std::size_t bytes) const {
    // The control counts UTF-16 units.
    return static_cast<int>(WideOf(std::string_view(text).substr(0, bytes)).size());
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
            ::SendMessageW(::GetParent(hwnd), WM_MOUSEWHEEL, wParam, lParam);
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

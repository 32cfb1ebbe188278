#include "notewin/EditTacklet.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <vector>

#include "notewin/TextByteLimit.h"
#include "platform/WinConvert.h"

namespace {

constexpr UINT_PTR kSubclassId = 1005;

}  // namespace

CEditTacklet::~CEditTacklet() { Detach(); }

bool CEditTacklet::Attach(HWND edit) {
    Detach();
    if (!edit) return false;
    // The subclass carries `this` as its reference data: no handle lookup.
    if (!::SetWindowSubclass(edit, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) return false;
    m_hWnd = edit;
    return true;
}

void CEditTacklet::Detach() {
    if (m_hWnd) {
        ::RemoveWindowSubclass(m_hWnd, SubclassProc, kSubclassId);
        m_hWnd = nullptr;
    }
}

void CEditTacklet::Repaint() const {
    if (m_hWnd) ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

void CEditTacklet::SetByteLimit(std::size_t bytes) {
    m_byteLimit = bytes;
    if (m_hWnd) ::SendMessageA(m_hWnd, EM_SETLIMITTEXT, bytes, 0);
}

void CEditTacklet::SetText(const std::string& text) {
    if (!m_hWnd) return;
    m_settingText = true;
    ::SetWindowTextA(m_hWnd, text.c_str());
    m_settingText = false;
    m_lastText = GetText();
    PutCaretAtEnd();
}

void CEditTacklet::PutCaretAtEnd() const {
    if (!m_hWnd) return;
    // The byte length is never less than the control's own end position,
    // whether it counts bytes or characters; it stops at its end.
    const int end = ::GetWindowTextLengthA(m_hWnd);
    ::SendMessageA(m_hWnd, EM_SETSEL, end, end);
    ::SendMessageA(m_hWnd, EM_SCROLLCARET, 0, 0);
}

std::string CEditTacklet::GetText() const {
    if (!m_hWnd) return {};
    const int length = ::GetWindowTextLengthA(m_hWnd);
    if (length <= 0) return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int got = ::GetWindowTextA(m_hWnd, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(got, 0)));
    return text;
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
    ::SendMessageA(m_hWnd, EM_SETSEL, from, to);
    ::SendMessageA(m_hWnd, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(""));
    m_settingText = false;
    ::MessageBeep(MB_OK);
}

int CEditTacklet::ControlPosition(const std::string& text, std::size_t bytes) const {
    // Where the control ends tells its units: the byte length of the text,
    // or fewer when it counts double-byte characters once.
    DWORD start = 0;
    DWORD end = 0;
    ::SendMessageA(m_hWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    ::SendMessageA(m_hWnd, EM_SETSEL, 0x7fffffff, 0x7fffffff);
    DWORD last = 0;
    ::SendMessageA(m_hWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&last), 0);
    ::SendMessageA(m_hWnd, EM_SETSEL, start, end);
    if (last >= text.size()) return static_cast<int>(bytes);
    return ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(bytes), nullptr, 0);
}

LRESULT CALLBACK CEditTacklet::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                            DWORD_PTR refData) {
    auto* self = reinterpret_cast<CEditTacklet*>(refData);
    if (msg == WM_NCDESTROY) {
        self->Detach();
        return ::DefSubclassProc(hwnd, msg, wParam, lParam);
    }
    return self->OnMessage(msg, wParam, lParam);
}

LRESULT CEditTacklet::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    const HWND hwnd = m_hWnd;
    switch (msg) {
    case WM_ERASEBKGND: {
        RECT client;
        ::GetClientRect(hwnd, &client);
        m_background.Paint(reinterpret_cast<HDC>(wParam), client);
        return TRUE;
    }
    case WM_MOUSEWHEEL: {
        const UINT keys = GET_KEYSTATE_WPARAM(wParam);
        if (m_listener) m_listener->OnEditMouseWheel(keys, GET_WHEEL_DELTA_WPARAM(wParam), PointOf(lParam));
        // Ctrl and Shift turns resize the note; the control does not use them.
        if (keys & (MK_CONTROL | MK_SHIFT)) {
            ::SendMessageA(::GetParent(hwnd), WM_MOUSEWHEEL, wParam, lParam);
            return 0;
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
    return ::DefSubclassProc(hwnd, msg, wParam, lParam);
}

#include "platform/ListRowTip.h"

#include "platform/WinText.h"

#include <commctrl.h>

namespace {
constexpr int kTipWidth = 480;  // wider texts wrap; CR LF starts a new line
}  // namespace

CListRowTip::~CListRowTip() {
    m_subclass.Remove();
    if (m_tip && ::IsWindow(m_tip)) ::DestroyWindow(m_tip);
}

bool CListRowTip::Attach(HWND list, TextOfRow textOfRow) {
    m_list = list;
    m_textOfRow = std::move(textOfRow);
    m_tip = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, 0, 0,
                              0, 0, ::GetAncestor(list, GA_ROOT), nullptr, ::GetModuleHandleW(nullptr), nullptr);
    if (!m_tip) return false;
    // One tool for the whole list, its text asked for each time it shows.
    // The tooltip subclasses the list to see its mouse messages, and sends
    // its text request to the list, where our own subclass answers it.
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = list;
    tool.uId = reinterpret_cast<UINT_PTR>(list);
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    ::SendMessageW(m_tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    ::SendMessageW(m_tip, TTM_SETMAXTIPWIDTH, 0, kTipWidth);
    return m_subclass.Install(list, [this](HWND, UINT msg, WPARAM, LPARAM lParam, LRESULT&) {
        return OnListMessage(msg, lParam);
    });
}

bool CListRowTip::OnListMessage(UINT msg, LPARAM lParam) {
    if (msg == WM_MOUSEMOVE) {
        // For the tooltip the whole list is one tool: on another row it
        // starts over, so that the new row's text comes after a rest.
        const int row = RowAtCursor();
        if (row != m_row) {
            m_row = row;
            ::SendMessageW(m_tip, TTM_ACTIVATE, FALSE, 0);
            ::SendMessageW(m_tip, TTM_ACTIVATE, TRUE, 0);
        }
        return false;
    }
    if (msg == WM_NOTIFY) {
        auto* hdr = reinterpret_cast<NMHDR*>(lParam);
        if (hdr->hwndFrom != m_tip || hdr->code != TTN_GETDISPINFOW) return false;
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
        m_row = RowAtCursor();
        m_text = WideOf(m_row >= 0 && m_textOfRow ? m_textOfRow(m_row) : std::string());
        info->lpszText = m_text.data();
        return true;
    }
    return false;
}

int CListRowTip::RowAtCursor() const {
    LVHITTESTINFO hit{};
    ::GetCursorPos(&hit.pt);
    ::ScreenToClient(m_list, &hit.pt);
    const int row = static_cast<int>(::SendMessageW(m_list, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    return (hit.flags & LVHT_ONITEM) ? row : -1;
}

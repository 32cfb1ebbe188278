#include "app/WriteMsgDlg.h"

#include "platform/WindowPlace.h"

#include "data/Trace.h"
#include "res/resource.h"
#include "platform/WinText.h"

namespace {

// A window whose paint message is never validated would come back at once,
// for ever: the loop gives up after this many messages.
constexpr int kMaxDispatched = 1000;

// Centres `hwnd` in the primary monitor's work area.
void CentreInWorkArea(HWND hwnd) {
    RECT work{};
    if (!::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0)) return;
    RECT rc{};
    ::GetWindowRect(hwnd, &rc);
    const int width = rc.right - rc.left;
    const int height = rc.bottom - rc.top;
    ::SetWindowPos(hwnd, nullptr, work.left + (work.right - work.left - width) / 2,
                   work.top + (work.bottom - work.top - height) / 2, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

CWriteMsgDlg::CWriteMsgDlg() : CDialog(IDD_WRITEMSG), m_text("Pinvane：書き込み中！") {}

BOOL CWriteMsgDlg::OnInitDialog() {
    HWND hwnd = GetHwnd();
    SetText("Pinvane：書き込み中！");
    SetStyleBits(hwnd, GWL_EXSTYLE, WS_EX_LAYERED, true);
    CentreInWorkArea(hwnd);
    Hide();
    return FALSE;  // no focus: the window never takes it from the user
}

bool CWriteMsgDlg::OnCommand(WORD id, WORD, HWND) {
    // Enter and Escape must not close the window.
    return id == IDOK || id == IDCANCEL;
}

void CWriteMsgDlg::Show() {
    HWND hwnd = GetHwnd();
    if (!hwnd) return;
    // Opaque first: a layered window shown before its alpha is set may
    // flash in its old transparency.
    SetOpacity(255);
    ::ShowWindow(hwnd, SW_SHOWNOACTIVATE);
}

void CWriteMsgDlg::Hide() {
    HWND hwnd = GetHwnd();
    if (!hwnd) return;
    ::ShowWindow(hwnd, SW_HIDE);
    SetOpacity(0);
}

void CWriteMsgDlg::SetOpacity(BYTE alpha) {
    if (!::SetLayeredWindowAttributes(GetHwnd(), 0, alpha, LWA_ALPHA))
        Trace("SetLayeredWindowAttributes() Error=%d\n", static_cast<int>(::GetLastError()));
}

void CWriteMsgDlg::SetText(const std::string& text) {
    m_text = text;
    HWND hwnd = GetHwnd();
    if (!hwnd) return;
    SetItemText(hwnd, IDC_WRITEMSG_TEXT, m_text);
    // Painted now, not at the next idle moment: the caller is about to be
    // busy saving.
    if (HWND label = GetItem(IDC_WRITEMSG_TEXT)) ::UpdateWindow(label);
}

void CWriteMsgDlg::DispatchOwnMessages() {
    HWND hwnd = GetHwnd();
    if (!hwnd) return;
    MSG msg;
    for (int n = 0; n < kMaxDispatched && ::PeekMessageW(&msg, hwnd, 0, 0, PM_REMOVE); ++n) {
        if (msg.message == WM_QUIT) {
            // Not ours to take: leave it for the application's loop.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

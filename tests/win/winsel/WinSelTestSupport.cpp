#include "WinSelTestSupport.h"

#include <commctrl.h>

#include "WinTestUtil.h"
#include "platform/ListView.h"
#include "platform/WindowText.h"
#include "WindowFinder.h"

namespace {

constexpr wchar_t kPaintedClass[] = L"PvWinSelPainted";
constexpr UINT_PTR kScriptTimer = 1;
constexpr UINT kScriptPeriodMs = 60;

void RegisterPaintedClass(WNDPROC proc) {
    WNDCLASSW wc{};
    if (::GetClassInfoW(::GetModuleHandleW(nullptr), kPaintedClass, &wc)) return;
    wc.lpfnWndProc = proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    wc.lpszClassName = kPaintedClass;
    ::RegisterClassW(&wc);
}

void SendMouse(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    ::SendInput(1, &input, sizeof input);
}

struct FindBoxContext {
    HWND owner;
    HWND box;
};

BOOL CALLBACK FindBox(HWND hwnd, LPARAM param) {
    auto* context = reinterpret_cast<FindBoxContext*>(param);
    char cls[16] = {};
    ::GetClassNameA(hwnd, cls, sizeof cls);
    if (std::string(cls) == "#32770" && ::GetWindow(hwnd, GW_OWNER) == context->owner && ::IsWindowVisible(hwnd)) {
        context->box = hwnd;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

CPaintedWindow::CPaintedWindow(const char* title, int x, int y, int width, int height, COLORREF color,
                               bool decorated, DWORD exStyle)
    : m_color(color), m_decorated(decorated) {
    RegisterPaintedClass(Proc);
    m_hWnd = ::CreateWindowExW(exStyle, kPaintedClass, pvtest::Wide(title).c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y, width, height,
                               nullptr, nullptr, ::GetModuleHandleW(nullptr), this);
    wintest::Pump(30);
}

CPaintedWindow::~CPaintedWindow() {
    if (m_hWnd && ::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
}

LRESULT CALLBACK CPaintedWindow::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<CPaintedWindow*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self) return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(hwnd, &ps);
        self->Paint(dc);
        ::EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_PRINTCLIENT:
        self->Paint(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_PRINT: {
        PrintSeen& seen = self->m_printed;
        ++seen.count;
        ::GetWindowRect(hwnd, &seen.windowRect);
        seen.exStyle = ::GetWindowLongA(hwnd, GWL_EXSTYLE);
        COLORREF key = 0;
        seen.layeredRead = ::GetLayeredWindowAttributes(hwnd, &key, &seen.alpha, &seen.layerFlags) != FALSE;
        break;
    }
    case WM_NCDESTROY:
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        self->m_hWnd = nullptr;
        break;
    default:
        break;
    }
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

void CPaintedWindow::Paint(HDC dc) const {
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    HBRUSH back = ::CreateSolidBrush(m_color);
    ::FillRect(dc, &client, back);
    ::DeleteObject(back);
    if (!m_decorated) return;
    // Something to recognise in a small preview: bands, a disc, a caption.
    const COLORREF bands[] = {RGB(230, 80, 60), RGB(250, 200, 40), RGB(60, 170, 90), RGB(50, 110, 210)};
    const int bandHeight = client.bottom / 8;
    for (int i = 0; i < 4; ++i) {
        RECT band{0, client.bottom - (4 - i) * bandHeight, client.right, client.bottom - (3 - i) * bandHeight};
        HBRUSH brush = ::CreateSolidBrush(bands[i]);
        ::FillRect(dc, &band, brush);
        ::DeleteObject(brush);
    }
    HBRUSH disc = ::CreateSolidBrush(RGB(255, 255, 255));
    HGDIOBJ old = ::SelectObject(dc, disc);
    ::Ellipse(dc, client.right / 2 - 60, 40, client.right / 2 + 60, 160);
    ::SelectObject(dc, old);
    ::DeleteObject(disc);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(20, 20, 20));
    const char text[] = "プレビュー対象ウィンドウ";
    ::TextOutA(dc, 16, 12, text, sizeof text - 1);
}

BOOL CScriptedWindowSelDlg::OnInitDialog() {
    BOOL result = CWindowSelDlg::OnInitDialog();
    ::SetTimer(GetHwnd(), kScriptTimer, kScriptPeriodMs, nullptr);
    return result;
}

bool CScriptedWindowSelDlg::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg == WM_TIMER && wParam == kScriptTimer) {
        Tick();
        return true;
    }
    return CWindowSelDlg::OnMessage(msg, wParam, lParam, result);
}

void CScriptedWindowSelDlg::Tick() {
    // Ticks also arrive inside a message box's own loop, and inside a step.
    if (CloseMessageBox()) return;
    if (m_next < m_steps.size()) {
        Step step = m_steps[m_next++];
        step(*this);
    } else if (m_next == m_steps.size()) {
        ++m_next;
        EndDialog(IDCANCEL);
    }
}

bool CScriptedWindowSelDlg::CloseMessageBox() {
    FindBoxContext context{GetHwnd(), nullptr};
    ::EnumThreadWindows(::GetCurrentThreadId(), FindBox, reinterpret_cast<LPARAM>(&context));
    if (!context.box) return false;
    m_notices.push_back(WindowText(::GetDlgItem(context.box, 0xFFFF)));
    ::PostMessageA(context.box, WM_COMMAND, IDOK, 0);
    return true;
}

void CScriptedWindowSelDlg::ClickRow(int row) {
    HWND list = List();
    POINT point{};
    if (row >= 0) {
        ListView_EnsureVisible(list, row, FALSE);
        RECT rect{};
        ListView_GetItemRect(list, row, &rect, LVIR_LABEL);
        point = POINT{rect.left + 10, (rect.top + rect.bottom) / 2};
    } else {
        RECT client{};
        ::GetClientRect(list, &client);
        point = POINT{client.right / 2, client.bottom - 8};
    }
    ::ClientToScreen(list, &point);
    ::SetCursorPos(point.x, point.y);
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    SendMouse(MOUSEEVENTF_LEFTUP);
}

void CScriptedWindowSelDlg::PressKey(WORD key) {
    ::SendMessageA(List(), WM_KEYDOWN, key, 0);
    ::SendMessageA(List(), WM_KEYUP, key, 0);
}

void CScriptedWindowSelDlg::PressOK() {
    ::SendMessageA(GetHwnd(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetItem(IDOK)));
}

int RowCount(HWND list) { return ListView_GetItemCount(list); }

std::string CellText(HWND list, int row, int column) { return ListRows::CellText(list, row, column); }

int RowImage(HWND list, int row) {
    LVITEMA item{};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    if (!::SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return -2;
    return item.iImage;
}


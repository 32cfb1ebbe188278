#include "NoteTestSupport.h"

#include "notewin/TackletWin.h"
#include "WindowFinder.h"

namespace {

constexpr wchar_t kTargetClass[] = L"PvNoteTestTarget";

LRESULT CALLBACK TargetProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PAINT) {
        // Stripes and a caption line, so that keyed-out note backgrounds
        // show what lies behind them.
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(hwnd, &ps);
        RECT client;
        ::GetClientRect(hwnd, &client);
        HBRUSH back = ::CreateSolidBrush(RGB(70, 110, 160));
        HBRUSH stripe = ::CreateSolidBrush(RGB(90, 135, 190));
        ::FillRect(dc, &client, back);
        for (LONG x = -client.bottom; x < client.right; x += 40) {
            POINT band[4] = {{x, client.bottom}, {x + 16, client.bottom}, {x + 16 + client.bottom, 0},
                             {x + client.bottom, 0}};
            HRGN region = ::CreatePolygonRgn(band, 4, WINDING);
            ::FillRgn(dc, region, stripe);
            ::DeleteObject(region);
        }
        ::DeleteObject(stripe);
        ::DeleteObject(back);
        ::EndPaint(hwnd, &ps);
        return 0;
    }
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

void RegisterTargetClass() {
    WNDCLASSW wc{};
    if (::GetClassInfoW(::GetModuleHandleW(nullptr), kTargetClass, &wc)) return;
    wc.lpfnWndProc = TargetProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    wc.lpszClassName = kTargetClass;
    ::RegisterClassW(&wc);
}

}  // namespace

CTargetWindow::CTargetWindow(int left, int top, int width, int height, const char* title) {
    RegisterTargetClass();
    m_hwnd = ::CreateWindowExW(0, kTargetClass, pvtest::Wide(title).c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, left, top, width, height,
                               nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
}

CTargetWindow::~CTargetWindow() { DestroyNow(); }

void CTargetWindow::DestroyNow() {
    if (m_hwnd && ::IsWindow(m_hwnd)) ::DestroyWindow(m_hwnd);
    m_hwnd = nullptr;
}

CTestWindowSystem::CTestWindowSystem(int initialWidth, int initialHeight)
    : m_width(initialWidth), m_height(initialHeight) {
    SetTackletWindowSystem(this);
}

CTestWindowSystem::~CTestWindowSystem() {
    if (TackletWindowSystem() == this) SetTackletWindowSystem(nullptr);
}

bool CTestWindowSystem::IsWindow(PvHandle hWnd) { return ::IsWindow(reinterpret_cast<HWND>(hWnd)) != FALSE; }

bool CTestWindowSystem::GetWindowRect(PvHandle hWnd, PvRect* rect) {
    RECT r;
    if (!::GetWindowRect(reinterpret_cast<HWND>(hWnd), &r)) return false;
    *rect = PvRect{r.left, r.top, r.right, r.bottom};
    return true;
}

bool CTestWindowSystem::GetNearestMonitorWorkArea(const PvRect& rect, PvRect* workArea) {
    const RECT r{rect.left, rect.top, rect.right, rect.bottom};
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!::GetMonitorInfoA(::MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &info)) return false;
    *workArea = PvRect{info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
    return true;
}

ITackletWindow* CTestWindowSystem::CreateTackletWindow(PvHandle owner) {
    return CTackletWin::CreateFor(reinterpret_cast<HWND>(owner));
}

void CTestWindowSystem::GetInitialNoteSize(int* width, int* height) {
    *width = m_width;
    *height = m_height;
}

void CTestWindowSystem::EnumerateChildWindows(PvHandle, std::vector<CChildWinInf>*) {}



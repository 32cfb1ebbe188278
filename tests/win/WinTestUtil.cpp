#include "WinTestUtil.h"

#include "data/MbString.h"

namespace wintest {

CScratchDir::CScratchDir() {
    ::GetCurrentDirectoryA(MAX_PATH, m_old);
    char base[MAX_PATH];
    ::GetTempPathA(MAX_PATH, base);
    char name[MAX_PATH];
    ::GetTempFileNameA(base, "pvt", 0, name);
    ::DeleteFileA(name);
    ::CreateDirectoryA(name, nullptr);
    m_dir = name;
    ::SetCurrentDirectoryA(m_dir.c_str());
}

CScratchDir::~CScratchDir() { ::SetCurrentDirectoryA(m_old); }

namespace {
const char kTargetClass[] = "PvTestTarget";

ATOM RegisterTargetClass() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kTargetClass;
    return ::RegisterClassA(&wc);
}
}  // namespace

CTargetWindow::CTargetWindow(const char* title, int x, int y, int width, int height, DWORD style) {
    static const ATOM atom = RegisterTargetClass();
    (void)atom;
    m_hWnd = ::CreateWindowExA(0, kTargetClass, title, style, x, y, width, height,
                               nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    Pump(20);
}

CTargetWindow::~CTargetWindow() { Close(); }

RECT CTargetWindow::Rect() const {
    RECT r{};
    ::GetWindowRect(m_hWnd, &r);
    return r;
}

void CTargetWindow::Close() {
    if (m_hWnd) ::DestroyWindow(m_hWnd);
    m_hWnd = nullptr;
    Pump(20);
}

void Pump(DWORD ms) {
    DWORD start = ::GetTickCount();
    do {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        if (ms) ::Sleep(5);
    } while (::GetTickCount() - start < ms);
}

std::string OwnExeName() {
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string p = path;
    size_t slash = p.find_last_of('\\');
    return MbToUpper(slash == std::string::npos ? p : p.substr(slash + 1));
}

}  // namespace wintest

#include "notewin/WindowSystem.h"

#include "platform/NotifyBridge.h"
#include "notewin/TackletWin.h"
#include "platform/Dpi.h"
#include "platform/WinConvert.h"
#include "platform/WindowText.h"
#include "platform/WinText.h"

#include <windows.h>

#include <cstring>
#include <exception>

namespace {

struct ChildEnum {
    std::vector<CChildWinInf>* children;
};

void AddChild(HWND hWnd, ChildEnum* e) {
    if (!::IsWindowVisible(hWnd) || !::IsWindowEnabled(hWnd)) return;
    // The control's own text (for an edit of another process too).
    std::string text = ControlText(hWnd);
    if (text.empty()) return;
    CChildWinInf child;
    child.hWnd = ToHandle(hWnd);
    WINDOWINFO info{};
    info.cbSize = sizeof info;
    ::GetWindowInfo(hWnd, &info);
    static_assert(sizeof(info) == sizeof(child.info), "WINDOWINFO layout");
    std::memcpy(static_cast<void*>(&child.info), &info, sizeof info);
    child.text = std::move(text);
    wchar_t className[512] = {};
    ::GetClassNameW(hWnd, className, 512);
    child.className = TextOf(className);
    child.ctrlId = ::GetDlgCtrlID(hWnd);
    e->children->push_back(std::move(child));
}

BOOL CALLBACK ChildProc(HWND hWnd, LPARAM param) {
    // Nothing may unwind through the system's enumeration: a child that
    // cannot be read is left out.
    try {
        AddChild(hWnd, reinterpret_cast<ChildEnum*>(param));
    } catch (const std::exception&) {
    }
    return TRUE;
}

}  // namespace

bool CWin32WindowSystem::IsWindow(PvHandle hWnd) { return hWnd != 0 && ::IsWindow(ToHwnd(hWnd)); }

bool CWin32WindowSystem::GetWindowRect(PvHandle hWnd, PvRect* rect) {
    RECT r{};
    if (!::GetWindowRect(ToHwnd(hWnd), &r)) return false;
    *rect = ToPvRect(r);
    return true;
}

bool CWin32WindowSystem::GetNearestMonitorWorkArea(const PvRect& rect, PvRect* workArea) {
    RECT r{rect.left, rect.top, rect.right, rect.bottom};
    HMONITOR monitor = ::MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST);
    if (!monitor) return false;
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!::GetMonitorInfoW(monitor, &info)) return false;
    *workArea = ToPvRect(info.rcWork);
    return true;
}

ITackletWindow* CWin32WindowSystem::CreateTackletWindow(PvHandle owner) {
    return CTackletWin::CreateFor(ToHwnd(owner));
}

void CWin32WindowSystem::GetInitialNoteSize(int* width, int* height) {
    const CSettingsData& s = CNotifyBridge::Settings();
    // The initial size is set at 96 DPI; a note placed on a monitor of
    // another scaling is rescaled by the system when it gets there.
    const UINT dpi = SystemDpi();
    *width = ScaleForDpi(s.INIWIDTH, dpi);
    *height = ScaleForDpi(s.INIHEIGHT, dpi);
}

void CWin32WindowSystem::EnumerateChildWindows(PvHandle parent, std::vector<CChildWinInf>* children) {
    ChildEnum e{children};
    ::EnumChildWindows(ToHwnd(parent), ChildProc, reinterpret_cast<LPARAM>(&e));
}

void CWin32WindowSystem::NotifyUpdateWindow() {
    CNotifyBridge::notifyUpdateWindow();
}

CWindowSystemScope::CWindowSystemScope() : m_previous(TackletWindowSystem()) { SetTackletWindowSystem(&m_system); }

CWindowSystemScope::~CWindowSystemScope() { SetTackletWindowSystem(m_previous); }

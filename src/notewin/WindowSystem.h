// The real window system behind the note records: window queries, child
// enumeration and the creation of note windows.
#pragma once

#include "data/TackletWindow.h"

class CWin32WindowSystem : public IWindowSystem {
public:
    bool IsWindow(PvHandle hWnd) override;
    bool GetWindowRect(PvHandle hWnd, PvRect* rect) override;
    bool GetNearestMonitorWorkArea(const PvRect& rect, PvRect* workArea) override;
    ITackletWindow* CreateTackletWindow(PvHandle owner) override;
    void GetInitialNoteSize(int* width, int* height) override;
    void EnumerateChildWindows(PvHandle parent, std::vector<CChildWinInf>* children) override;
    void NotifyUpdateWindow() override;
};

// Installs one CWin32WindowSystem for the records for the life of the
// object (the previous one comes back afterwards).
class CWindowSystemScope {
public:
    CWindowSystemScope();
    ~CWindowSystemScope();
    CWindowSystemScope(const CWindowSystemScope&) = delete;
    CWindowSystemScope& operator=(const CWindowSystemScope&) = delete;

private:
    CWin32WindowSystem m_system;
    IWindowSystem* m_previous;
};

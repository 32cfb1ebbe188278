// Shared pieces of the note window tests and the gallery: a plain target
// window, a window system that creates real note windows, message pumping.
#pragma once

#include "WinTestUtil.h"

#include <windows.h>

#include <string>
#include <vector>

#include "data/TackletWindow.h"

// A visible top-level window that notes can be attached to.
class CTargetWindow {
public:
    CTargetWindow(int left, int top, int width, int height, const char* title = "PvNoteTarget");
    ~CTargetWindow();
    CTargetWindow(const CTargetWindow&) = delete;
    CTargetWindow& operator=(const CTargetWindow&) = delete;

    HWND Get() const { return m_hwnd; }
    PvHandle Handle() const { return reinterpret_cast<PvHandle>(m_hwnd); }
    // Destroys the window now (the destructor then does nothing).
    void DestroyNow();

private:
    HWND m_hwnd = nullptr;
};

// The window system of the records, backed by real windows: note windows
// are CTackletWin, the initial note size is fixed.
class CTestWindowSystem : public IWindowSystem {
public:
    CTestWindowSystem(int initialWidth = 200, int initialHeight = 120);
    ~CTestWindowSystem() override;  // uninstalls itself

    bool IsWindow(PvHandle hWnd) override;
    bool GetWindowRect(PvHandle hWnd, PvRect* rect) override;
    bool GetNearestMonitorWorkArea(const PvRect& rect, PvRect* workArea) override;
    ITackletWindow* CreateTackletWindow(PvHandle owner) override;
    void GetInitialNoteSize(int* width, int* height) override;
    void EnumerateChildWindows(PvHandle parent, std::vector<CChildWinInf>* children) override;
    void NotifyUpdateWindow() override { ++m_updates; }

    int Updates() const { return m_updates; }

private:
    int m_width;
    int m_height;
    int m_updates = 0;
};

// Handles the queued messages of this thread for about `ms` milliseconds.
using wintest::Pump;

using wintest::WinePath;

// The windows a note may be attached to, rebuilt by every matching tick:
// the desktop entry first, then the eligible top-level windows front to
// back.
#pragma once

#include "controller/MatchExplain.h"
#include "data/WinInf.h"
#include "platform/WinConvert.h"

#include <windows.h>

#include <vector>

class CProcessInfoCache;

// The desktop entry: the desktop window with "DESKTOP" as title, process
// name and path.
CWinInf MakeDesktopEntry();

class CWindowListBuilder {
public:
    // `cache` may be null: every process is then opened and read each time.
    // The windows of process `ownProcess` (the program's own: its notes,
    // panels and dialogs, whatever its file is called) are never targets;
    // 0 leaves no process out.
    explicit CWindowListBuilder(CProcessInfoCache* cache, DWORD ownProcess = 0)
        : m_cache(cache), m_ownProcess(ownProcess) {}

    // Replaces `list` with the desktop entry and the eligible windows.
    // `leftOut`, when given, is replaced with the windows that have a title
    // and a process name but are minimised, disabled or on no monitor, and
    // the hidden ones whose process the cache already knows (no process is
    // opened for a hidden window): the same enumeration, for the main
    // panel's explanations.
    void Build(std::vector<CWinInf>& list, std::vector<CLeftOutWindow>* leftOut = nullptr);

    // Whether a note may be pasted onto `hWnd`.
    bool IsPasteTarget(HWND hWnd);

private:
    static BOOL CALLBACK EnumProc(HWND hWnd, LPARAM param);
    void Consider(HWND hWnd, std::vector<CWinInf>& list);
    void ConsiderHidden(HWND hWnd);
    void LeaveOut(HWND hWnd, std::string title, std::string exeName, WindowState state);

    // Whether `hWnd` belongs to the own process (no message is sent to it).
    bool IsOwnWindow(HWND hWnd) const;

    CProcessInfoCache* m_cache;
    DWORD m_ownProcess;
    std::vector<CLeftOutWindow>* m_leftOut = nullptr;
};

enum class WindowArea { Visible, Empty, Minimised, OffScreen };
// Whether the window's rectangle has a size and lies on some monitor, and
// the window is not minimised.
WindowArea AreaOf(HWND hWnd);
inline bool HasVisibleArea(HWND hWnd) { return AreaOf(hWnd) == WindowArea::Visible; }

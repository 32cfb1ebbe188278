// The windows a note may be attached to, rebuilt by every matching tick:
// the desktop entry first, then the eligible top-level windows front to
// back.
#pragma once

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
    explicit CWindowListBuilder(CProcessInfoCache* cache) : m_cache(cache) {}

    // Replaces `list` with the desktop entry and the eligible windows.
    void Build(std::vector<CWinInf>& list);

    // Whether a note may be pasted onto `hWnd`.
    bool IsPasteTarget(HWND hWnd);

private:
    static BOOL CALLBACK EnumProc(HWND hWnd, LPARAM param);
    void Consider(HWND hWnd, std::vector<CWinInf>& list);

    CProcessInfoCache* m_cache;
};

// Whether the window's rectangle has a size and lies on some monitor (and
// the window is not minimised).
bool HasVisibleArea(HWND hWnd);

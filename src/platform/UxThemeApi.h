// The visual-style functions used for drawing over the glass frame, loaded
// from uxtheme.dll at run time: a system (or Wine) without one of them
// still runs, and the callers fall back to ordinary drawing.
#pragma once

#include <windows.h>

#include <uxtheme.h>

#include "platform/RuntimeDll.h"

class CUxThemeApi {
public:
    // Loads the library and, when buffered painting exists, initialises it
    // for this thread.
    CUxThemeApi();
    ~CUxThemeApi();
    CUxThemeApi(const CUxThemeApi&) = delete;
    CUxThemeApi& operator=(const CUxThemeApi&) = delete;

    bool CanBufferPaint() const { return m_beginBufferedPaint && m_endBufferedPaint; }
    bool CanDrawThemeText() const { return m_openThemeData && m_closeThemeData && m_drawThemeTextEx; }

    // Each returns null / a failure code when the function is missing.
    HPAINTBUFFER BeginBufferedPaint(HDC target, const RECT& rect, BP_BUFFERFORMAT format, HDC* buffer) const;
    HRESULT EndBufferedPaint(HPAINTBUFFER paint, BOOL updateTarget) const;
    HTHEME OpenThemeData(HWND hwnd, LPCWSTR classList) const;
    HRESULT CloseThemeData(HTHEME theme) const;
    HRESULT DrawThemeTextEx(HTHEME theme, HDC dc, int part, int state, LPCWSTR text, int length, DWORD flags,
                            RECT* rect, const DTTOPTS* options) const;

private:
    using BufferedPaintInitFn = HRESULT(WINAPI*)();
    using BeginBufferedPaintFn = HPAINTBUFFER(WINAPI*)(HDC, const RECT*, BP_BUFFERFORMAT, BP_PAINTPARAMS*, HDC*);
    using EndBufferedPaintFn = HRESULT(WINAPI*)(HPAINTBUFFER, BOOL);
    using OpenThemeDataFn = HTHEME(WINAPI*)(HWND, LPCWSTR);
    using CloseThemeDataFn = HRESULT(WINAPI*)(HTHEME);
    using DrawThemeTextExFn = HRESULT(WINAPI*)(HTHEME, HDC, int, int, LPCWSTR, int, DWORD, LPRECT, const DTTOPTS*);

    CRuntimeDll m_library;
    bool m_bufferedPaintInitialised = false;
    BufferedPaintInitFn m_bufferedPaintUnInit = nullptr;
    BeginBufferedPaintFn m_beginBufferedPaint = nullptr;
    EndBufferedPaintFn m_endBufferedPaint = nullptr;
    OpenThemeDataFn m_openThemeData = nullptr;
    CloseThemeDataFn m_closeThemeData = nullptr;
    DrawThemeTextExFn m_drawThemeTextEx = nullptr;
};

// An open visual-style handle, closed on every way out.
class CThemeHandle {
public:
    CThemeHandle(const CUxThemeApi& api, HTHEME theme) : m_api(api), m_theme(theme) {}
    ~CThemeHandle() {
        if (m_theme) m_api.CloseThemeData(m_theme);
    }
    CThemeHandle(const CThemeHandle&) = delete;
    CThemeHandle& operator=(const CThemeHandle&) = delete;

    HTHEME Get() const { return m_theme; }
    explicit operator bool() const { return m_theme != nullptr; }

private:
    const CUxThemeApi& m_api;
    HTHEME m_theme;
};

#include "platform/UxThemeApi.h"

CUxThemeApi::CUxThemeApi() : m_library("uxtheme.dll") {
    if (!m_library.Loaded()) return;
    m_beginBufferedPaint = m_library.Find<BeginBufferedPaintFn>("BeginBufferedPaint");
    m_endBufferedPaint = m_library.Find<EndBufferedPaintFn>("EndBufferedPaint");
    m_openThemeData = m_library.Find<OpenThemeDataFn>("OpenThemeData");
    m_closeThemeData = m_library.Find<CloseThemeDataFn>("CloseThemeData");
    m_drawThemeTextEx = m_library.Find<DrawThemeTextExFn>("DrawThemeTextEx");
    // Buffered painting keeps its buffers for reuse between init and uninit
    // (per thread, counted); without it every paint allocates anew.
    auto init = m_library.Find<BufferedPaintInitFn>("BufferedPaintInit");
    m_bufferedPaintUnInit = m_library.Find<BufferedPaintInitFn>("BufferedPaintUnInit");
    if (init && m_bufferedPaintUnInit && CanBufferPaint()) m_bufferedPaintInitialised = SUCCEEDED(init());
}

CUxThemeApi::~CUxThemeApi() {
    if (m_bufferedPaintInitialised) m_bufferedPaintUnInit();
}

HPAINTBUFFER CUxThemeApi::BeginBufferedPaint(HDC target, const RECT& rect, BP_BUFFERFORMAT format,
                                             HDC* buffer) const {
    *buffer = nullptr;
    return CanBufferPaint() ? m_beginBufferedPaint(target, &rect, format, nullptr, buffer) : nullptr;
}

HRESULT CUxThemeApi::EndBufferedPaint(HPAINTBUFFER paint, BOOL updateTarget) const {
    return m_endBufferedPaint ? m_endBufferedPaint(paint, updateTarget) : E_NOTIMPL;
}

HTHEME CUxThemeApi::OpenThemeData(HWND hwnd, LPCWSTR classList) const {
    return m_openThemeData ? m_openThemeData(hwnd, classList) : nullptr;
}

HRESULT CUxThemeApi::CloseThemeData(HTHEME theme) const {
    return m_closeThemeData ? m_closeThemeData(theme) : E_NOTIMPL;
}

HRESULT CUxThemeApi::DrawThemeTextEx(HTHEME theme, HDC dc, int part, int state, LPCWSTR text, int length,
                                     DWORD flags, RECT* rect, const DTTOPTS* options) const {
    return m_drawThemeTextEx ? m_drawThemeTextEx(theme, dc, part, state, text, length, flags, rect, options)
                             : E_NOTIMPL;
}

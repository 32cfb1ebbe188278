#include "platform/UxThemeApi.h"

namespace {
template <typename Fn>
Fn Load(HMODULE module, const char* name) {
    return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(module, name))) : nullptr;
}
}  // namespace

CUxThemeApi::CUxThemeApi() {
    m_module = ::LoadLibraryA("uxtheme.dll");
    if (!m_module) return;
    m_beginBufferedPaint = Load<BeginBufferedPaintFn>(m_module, "BeginBufferedPaint");
    m_endBufferedPaint = Load<EndBufferedPaintFn>(m_module, "EndBufferedPaint");
    m_openThemeData = Load<OpenThemeDataFn>(m_module, "OpenThemeData");
    m_closeThemeData = Load<CloseThemeDataFn>(m_module, "CloseThemeData");
    m_drawThemeTextEx = Load<DrawThemeTextExFn>(m_module, "DrawThemeTextEx");
    // Buffered painting keeps its buffers for reuse between init and uninit
    // (per thread, counted); without it every paint allocates anew.
    auto init = Load<BufferedPaintInitFn>(m_module, "BufferedPaintInit");
    m_bufferedPaintUnInit = Load<BufferedPaintInitFn>(m_module, "BufferedPaintUnInit");
    if (init && m_bufferedPaintUnInit && CanBufferPaint()) m_bufferedPaintInitialised = SUCCEEDED(init());
}

CUxThemeApi::~CUxThemeApi() {
    if (m_bufferedPaintInitialised) m_bufferedPaintUnInit();
    if (m_module) ::FreeLibrary(m_module);
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

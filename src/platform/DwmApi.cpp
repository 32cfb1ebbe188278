#include "platform/DwmApi.h"

bool IsVistaOrLater() {
    OSVERSIONINFOW vi{};
    vi.dwOSVersionInfoSize = sizeof vi;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!::GetVersionExW(&vi)) return false;
#pragma GCC diagnostic pop
    return vi.dwMajorVersion >= 6;
}

CDwmApi& CDwmApi::Instance() {
    // Never destroyed: the library stays loaded to the end of the process.
    static CDwmApi* api = new CDwmApi();
    return *api;
}

CDwmApi::CDwmApi() : m_vistaOrLater(IsVistaOrLater()) {
    if (!m_vistaOrLater) return;
    // Loaded at run time: the program must start where dwmapi.dll is absent.
    m_library = std::make_unique<CRuntimeDll>("dwmapi.dll");
    const CRuntimeDll& dll = *m_library;
    m_isCompositionEnabled = dll.Find<IsCompositionEnabledFn>("DwmIsCompositionEnabled");
    m_extendFrame = dll.Find<ExtendFrameFn>("DwmExtendFrameIntoClientArea");
    m_getWindowAttribute = dll.Find<GetWindowAttributeFn>("DwmGetWindowAttribute");
    m_registerThumbnail = dll.Find<RegisterThumbnailFn>("DwmRegisterThumbnail");
    m_unregisterThumbnail = dll.Find<UnregisterThumbnailFn>("DwmUnregisterThumbnail");
    m_updateThumbnail = dll.Find<UpdateThumbnailFn>("DwmUpdateThumbnailProperties");
    m_querySourceSize = dll.Find<QuerySourceSizeFn>("DwmQueryThumbnailSourceSize");
}

bool CDwmApi::IsCompositionEnabled() const {
    BOOL enabled = FALSE;
    if (!m_isCompositionEnabled || FAILED(m_isCompositionEnabled(&enabled))) return false;
    return enabled != FALSE;
}

HRESULT CDwmApi::QueryCompositionEnabled(BOOL* enabled) const {
    *enabled = FALSE;
    return m_isCompositionEnabled ? m_isCompositionEnabled(enabled) : kMissing;
}

HRESULT CDwmApi::ExtendFrameIntoClientArea(HWND hWnd, const MARGINS& margins) const {
    return m_extendFrame ? m_extendFrame(hWnd, &margins) : kMissing;
}

HRESULT CDwmApi::GetWindowAttribute(HWND hWnd, DWORD attribute, void* value, DWORD size) const {
    return m_getWindowAttribute ? m_getWindowAttribute(hWnd, attribute, value, size) : kMissing;
}

RECT CDwmApi::VisibleFrame(HWND hWnd) const {
    RECT frame{};
    if (m_vistaOrLater &&
        SUCCEEDED(GetWindowAttribute(hWnd, DWMWA_EXTENDED_FRAME_BOUNDS, &frame, sizeof frame)) &&
        frame.right > frame.left)
        return frame;
    ::GetWindowRect(hWnd, &frame);
    return frame;
}

HRESULT CDwmApi::RegisterThumbnail(HWND destination, HWND source, HTHUMBNAIL* thumbnail) const {
    return m_registerThumbnail ? m_registerThumbnail(destination, source, thumbnail) : kMissing;
}

HRESULT CDwmApi::UnregisterThumbnail(HTHUMBNAIL thumbnail) const {
    return m_unregisterThumbnail ? m_unregisterThumbnail(thumbnail) : kMissing;
}

HRESULT CDwmApi::UpdateThumbnailProperties(HTHUMBNAIL thumbnail, const DWM_THUMBNAIL_PROPERTIES& properties) const {
    return m_updateThumbnail ? m_updateThumbnail(thumbnail, &properties) : kMissing;
}

HRESULT CDwmApi::QueryThumbnailSourceSize(HTHUMBNAIL thumbnail, SIZE* size) const {
    return m_querySourceSize ? m_querySourceSize(thumbnail, size) : kMissing;
}

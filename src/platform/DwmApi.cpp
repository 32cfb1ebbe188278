#include "platform/DwmApi.h"

namespace {
template <typename Fn>
Fn Load(HMODULE module, const char* name) {
    return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(module, name))) : nullptr;
}
}  // namespace

bool IsVistaOrLater() {
    OSVERSIONINFOA vi{};
    vi.dwOSVersionInfoSize = sizeof vi;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!::GetVersionExA(&vi)) return false;
#pragma GCC diagnostic pop
    return vi.dwMajorVersion >= 6;
}

CDwmApi& CDwmApi::Instance() {
    static CDwmApi api;
    return api;
}

CDwmApi::CDwmApi() : m_vistaOrLater(IsVistaOrLater()) {
    if (!m_vistaOrLater) return;
    // Loaded at run time: the program must start where dwmapi.dll is absent.
    m_module = ::LoadLibraryA("dwmapi.dll");
    m_isCompositionEnabled = Load<IsCompositionEnabledFn>(m_module, "DwmIsCompositionEnabled");
    m_extendFrame = Load<ExtendFrameFn>(m_module, "DwmExtendFrameIntoClientArea");
    m_getWindowAttribute = Load<GetWindowAttributeFn>(m_module, "DwmGetWindowAttribute");
    m_registerThumbnail = Load<RegisterThumbnailFn>(m_module, "DwmRegisterThumbnail");
    m_unregisterThumbnail = Load<UnregisterThumbnailFn>(m_module, "DwmUnregisterThumbnail");
    m_updateThumbnail = Load<UpdateThumbnailFn>(m_module, "DwmUpdateThumbnailProperties");
    m_querySourceSize = Load<QuerySourceSizeFn>(m_module, "DwmQueryThumbnailSourceSize");
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

// The desktop window manager's functions, loaded from dwmapi.dll when the
// system has it (Windows Vista and later). Every call fails cleanly where
// the library or a function is missing, or composition is off (Wine).
#pragma once

#include <windows.h>

#include <dwmapi.h>

#include <memory>

#include "platform/RuntimeDll.h"

class CDwmApi {
public:
    // The process-wide loader (loaded on first use, never unloaded).
    static CDwmApi& Instance();

    // What every call returns where its function could not be loaded.
    static constexpr HRESULT kMissing = E_NOTIMPL;

    bool Available() const { return m_library && m_library->Loaded(); }

    // Whether desktop composition is on (false without the library, and
    // on systems before major version 6).
    bool IsCompositionEnabled() const;
    // The composition query itself: the function's result with `*enabled`
    // set, or kMissing (and `*enabled` FALSE) where the layer is missing.
    HRESULT QueryCompositionEnabled(BOOL* enabled) const;
    HRESULT ExtendFrameIntoClientArea(HWND hWnd, const MARGINS& margins) const;
    HRESULT GetWindowAttribute(HWND hWnd, DWORD attribute, void* value, DWORD size) const;
    // The visible frame of a window (extended frame bounds), or its window
    // rectangle where that is unavailable.
    RECT VisibleFrame(HWND hWnd) const;

    HRESULT RegisterThumbnail(HWND destination, HWND source, HTHUMBNAIL* thumbnail) const;
    HRESULT UnregisterThumbnail(HTHUMBNAIL thumbnail) const;
    HRESULT UpdateThumbnailProperties(HTHUMBNAIL thumbnail, const DWM_THUMBNAIL_PROPERTIES& properties) const;
    HRESULT QueryThumbnailSourceSize(HTHUMBNAIL thumbnail, SIZE* size) const;

private:
    CDwmApi();

    using IsCompositionEnabledFn = HRESULT(WINAPI*)(BOOL*);
    using ExtendFrameFn = HRESULT(WINAPI*)(HWND, const MARGINS*);
    using GetWindowAttributeFn = HRESULT(WINAPI*)(HWND, DWORD, PVOID, DWORD);
    using RegisterThumbnailFn = HRESULT(WINAPI*)(HWND, HWND, PHTHUMBNAIL);
    using UnregisterThumbnailFn = HRESULT(WINAPI*)(HTHUMBNAIL);
    using UpdateThumbnailFn = HRESULT(WINAPI*)(HTHUMBNAIL, const DWM_THUMBNAIL_PROPERTIES*);
    using QuerySourceSizeFn = HRESULT(WINAPI*)(HTHUMBNAIL, PSIZE);

    std::unique_ptr<CRuntimeDll> m_library;  // none before major version 6
    bool m_vistaOrLater = false;
    IsCompositionEnabledFn m_isCompositionEnabled = nullptr;
    ExtendFrameFn m_extendFrame = nullptr;
    GetWindowAttributeFn m_getWindowAttribute = nullptr;
    RegisterThumbnailFn m_registerThumbnail = nullptr;
    UnregisterThumbnailFn m_unregisterThumbnail = nullptr;
    UpdateThumbnailFn m_updateThumbnail = nullptr;
    QuerySourceSizeFn m_querySourceSize = nullptr;
};

// Operating system major version 6 or later (Vista and up).
bool IsVistaOrLater();

// The desktop window manager's thumbnails as the window image preview uses
// them. The system layer forwards to CDwmApi; tests put in their own.
#pragma once

#include <windows.h>

#include <dwmapi.h>

class IThumbnailLayer {
public:
    // What QueryComposition returns where the window manager layer is
    // missing (systems before major version 6, no dwmapi.dll).
    static constexpr HRESULT kUnavailable = -1;

    virtual ~IThumbnailLayer() = default;

    // S_OK (or another success) with `*enabled` set; kUnavailable; or the
    // query's own failure.
    virtual HRESULT QueryComposition(BOOL* enabled) = 0;
    virtual HRESULT Register(HWND destination, HWND source, HTHUMBNAIL* thumbnail) = 0;
    virtual HRESULT Unregister(HTHUMBNAIL thumbnail) = 0;
    virtual HRESULT Update(HTHUMBNAIL thumbnail, const DWM_THUMBNAIL_PROPERTIES& properties) = 0;
};

// The layer of the running system.
IThumbnailLayer& SystemThumbnailLayer();

// `child`'s window rectangle in `other`'s client coordinates (where a
// thumbnail drawn on `other` covers `child`).
RECT RectInClientOf(HWND child, HWND other);

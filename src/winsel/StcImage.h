// The window image preview: a static control that shows what a window
// looks like. With desktop composition on, the window manager draws a live
// thumbnail over the control; otherwise the control paints a still capture,
// scaled down to fit. The desktop is always a still copy of the screen.
#pragma once

#include <windows.h>

#include <dwmapi.h>

#include "platform/WindowSubclass.h"
#include "winsel/ThumbnailLayer.h"
#include "winsel/WindowCapture.h"

// Size at which an image of `image` is drawn into a control of `client`
// size, from the top-left corner: unscaled when it is smaller in both
// directions, otherwise scaled to fit with its aspect ratio kept.
SIZE FitImage(SIZE client, SIZE image);

class CStcImage {
public:
    explicit CStcImage(IThumbnailLayer& layer = SystemThumbnailLayer());
    // Frees the captured bitmap. The thumbnail is left alone: its
    // destination, the owning dialog, goes at the same time.
    ~CStcImage();
    CStcImage(const CStcImage&) = delete;
    CStcImage& operator=(const CStcImage&) = delete;

    // Takes over painting of the static control `hwnd`.
    bool Attach(HWND hwnd);
    HWND Hwnd() const { return m_subclass.Hwnd(); }

    // The window on whose client area the thumbnail is drawn; set before
    // SetTargetWindow. Null: the control's top-level parent.
    HWND m_hThumbDest = nullptr;

    // Shows `target`'s image; null clears the image and the thumbnail.
    void SetTargetWindow(HWND target);

    HWND TargetWindow() const { return m_hTargetWnd; }
    const CCaptureImage& Image() const { return m_image; }
    bool HasThumbnail() const { return m_thumbnail != nullptr; }

private:
    void OnPaint();
    void ShowThumbnail();
    void UnregisterThumbnail();

    IThumbnailLayer& m_layer;
    HWND m_hTargetWnd = nullptr;
    CCaptureImage m_image;
    HTHUMBNAIL m_thumbnail = nullptr;
    CWindowSubclass m_subclass;  // the control while attached; removed first
};

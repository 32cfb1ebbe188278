// Still images of windows: the window capture (the window prints itself,
// a minimised one first brought back invisibly off-screen) and the desktop
// capture (a copy of the screen, layered windows included).
#pragma once

#include <windows.h>

#include <functional>

#include "platform/GdiHolders.h"

// A captured image: the bitmap and its size. Each capture replaces both;
// a size of 0 x 0 means there is nothing to paint.
class CCaptureImage {
public:
    int Width() const { return m_size.cx; }
    int Height() const { return m_size.cy; }
    HBITMAP Bitmap() const { return m_bitmap.Get(); }
    bool HasImage() const { return m_size.cx != 0 && m_size.cy != 0 && m_bitmap; }

    void Clear() { m_size = SIZE{}; }
    // Takes `bitmap` of `width` x `height` pixels.
    void Reset(int width, int height, HBITMAP bitmap) {
        m_size = SIZE{width, height};
        m_bitmap.Reset(bitmap);
    }

private:
    SIZE m_size{};
    CBitmap m_bitmap;
};

// How a minimised target is put back after its capture.
enum class CaptureRestore {
    // The layering attributes back if it was layered, else the extended
    // style back (the window image preview).
    Layering,
    // As Layering, then the style and extended style back in every case;
    // windows without a normal-position size are printed where they are
    // (the child window selection).
    AllStyles,
};

// The question put before a minimised layered window whose layering
// attributes cannot be read is made transparent; true goes on.
using LayerLossQuestion = std::function<bool(HWND owner)>;

// The Yes/No message box "レイヤー情報が取得できません。…".
bool AskLayerLoss(HWND owner);

// Lets `target` print its whole window into a new bitmap compatible with
// `drawingWindow`'s device context and hands it to `holder`. Nothing
// happens when `target` is not a window or the question is answered No;
// the holder then keeps its image.
void CaptureWindow(CCaptureImage& holder, HWND drawingWindow, HWND target,
                   CaptureRestore restore = CaptureRestore::Layering,
                   const LayerLossQuestion& askLayerLoss = AskLayerLoss);

// Copies `desktop`'s device context from its top-left corner, layered
// windows on the screen included, into a new bitmap for `holder`.
void CaptureDesktop(CCaptureImage& holder, HWND drawingWindow, HWND desktop);

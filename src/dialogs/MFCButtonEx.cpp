#include "dialogs/MFCButtonEx.h"

#include "platform/DibSection.h"

void CMFCButtonEx::OnDrawContent(HDC dc, const RECT& rect, const CButtonDrawState& state) {
    COwnerDrawButton::OnDrawContent(dc, rect, state);
    MakeRectOpaque(dc, rect);
}

void MakeRectOpaque(HDC dc, const RECT& rect) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return;
    CDibSection pixels(width, height, dc);
    if (!pixels) return;
    ::BitBlt(pixels.Dc(), 0, 0, width, height, dc, rect.left, rect.top, SRCCOPY);
    pixels.SetOpaque();
    ::BitBlt(dc, rect.left, rect.top, width, height, pixels.Dc(), 0, 0, SRCCOPY);
}

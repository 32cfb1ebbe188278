// The main window's push button over the glass frame: drawn like every
// owner-drawn button, then made fully opaque. Classic GDI drawing leaves the
// alpha byte of its pixels at 0, which the glass would show through.
#pragma once

#include "platform/OwnerDrawButton.h"

class CMFCButtonEx : public COwnerDrawButton {
protected:
    void OnDrawContent(HDC dc, const RECT& rect, const CButtonDrawState& state) override;
};

// Sets the alpha byte of every pixel of `rect` in `dc` to 255, colours
// unchanged: the pixels go through a 32-bit top-down bitmap and back.
void MakeRectOpaque(HDC dc, const RECT& rect);

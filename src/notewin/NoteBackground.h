// The background of a note's text area: a solid colour or one of eight
// gradients derived from it. The edit control paints it when it erases its
// background, and the gallery and tests render it into memory DCs.
#pragma once

#include <windows.h>

class CNoteBackground {
public:
    static constexpr int kPatternCount = 8;
    static constexpr int kBandCount = 64;

    // The colour B lightened towards white: 255 - (255 - c) * p / 100 per
    // channel (negative p counts as 0).
    static COLORREF Tint(COLORREF color, int percent);
    // The colour B deepened: 255 - min(255, (255 - c) * 100 / 80) per channel.
    static COLORREF Deep(COLORREF color);
    // Colour of band i (0..63) between `start` and `end`.
    static COLORREF Band(COLORREF start, COLORREF end, int i);

    void SetColor(COLORREF color) { m_color = color; }
    void SetGradient(bool on) { m_gradient = on; }
    void SetPattern(int pattern) { m_pattern = pattern; }
    COLORREF Color() const { return m_color; }
    bool Gradient() const { return m_gradient; }
    int Pattern() const { return m_pattern; }

    // Fills `rect`: solid when the gradient is off; otherwise the pattern
    // (an unknown pattern paints nothing).
    void Paint(HDC dc, const RECT& rect) const;

private:
    static void Fill(HDC dc, const RECT& rect, COLORREF color);
    static void Linear(HDC dc, const RECT& rect, COLORREF from, COLORREF to, bool vertical);
    // 64 bands from `start` at the bottom edge to `end` at the top edge.
    static void BandsUp(HDC dc, const RECT& half, COLORREF start, COLORREF end);
    // 64 bands from `start` at the left edge to `end` at the right edge.
    static void BandsRight(HDC dc, const RECT& half, COLORREF start, COLORREF end);
    // Halves split at the middle; `outer` at the outer edges, `centre` at
    // the middle line.
    static void SplitVertical(HDC dc, const RECT& rect, COLORREF outer, COLORREF centre);
    static void SplitHorizontal(HDC dc, const RECT& rect, COLORREF outer, COLORREF centre);

    COLORREF m_color = RGB(255, 255, 255);
    bool m_gradient = false;
    int m_pattern = 0;
};

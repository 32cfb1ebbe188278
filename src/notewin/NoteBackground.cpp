#include "notewin/NoteBackground.h"

#include "platform/GdiHolders.h"

#include <algorithm>

namespace {

int TintChannel(int c, int percent) { return 255 - (255 - c) * std::max(percent, 0) / 100; }

int DeepChannel(int c) { return 255 - std::min(255, (255 - c) * 100 / 80); }

COLOR16 Channel16(int c) { return static_cast<COLOR16>(c << 8); }

TRIVERTEX Vertex(LONG x, LONG y, COLORREF color) {
    TRIVERTEX v{};
    v.x = x;
    v.y = y;
    v.Red = Channel16(GetRValue(color));
    v.Green = Channel16(GetGValue(color));
    v.Blue = Channel16(GetBValue(color));
    v.Alpha = 0;
    return v;
}

}  // namespace

COLORREF CNoteBackground::Tint(COLORREF color, int percent) {
    return RGB(TintChannel(GetRValue(color), percent), TintChannel(GetGValue(color), percent),
               TintChannel(GetBValue(color), percent));
}

COLORREF CNoteBackground::Deep(COLORREF color) {
    return RGB(DeepChannel(GetRValue(color)), DeepChannel(GetGValue(color)), DeepChannel(GetBValue(color)));
}

COLORREF CNoteBackground::Band(COLORREF start, COLORREF end, int i) {
    auto mix = [i](int s, int e) { return (s * (kBandCount - i) + e * i) / kBandCount; };
    return RGB(mix(GetRValue(start), GetRValue(end)), mix(GetGValue(start), GetGValue(end)),
               mix(GetBValue(start), GetBValue(end)));
}

void CNoteBackground::Paint(HDC dc, const RECT& rect) const {
    const COLORREF b = m_color;
    if (!m_gradient) {
        Fill(dc, rect, b);
        return;
    }
    const COLORREF deep = Deep(b);
    const COLORREF light = Tint(b, 30);
    const COLORREF pale = Tint(b, 80);
    switch (m_pattern) {
    case 0: Linear(dc, rect, deep, light, true); break;
    case 1: Linear(dc, rect, light, deep, true); break;
    case 2: Linear(dc, rect, deep, light, false); break;
    case 3: Linear(dc, rect, light, deep, false); break;
    case 4: SplitVertical(dc, rect, pale, light); break;
    case 5: SplitVertical(dc, rect, light, pale); break;
    case 6: SplitHorizontal(dc, rect, light, pale); break;
    case 7: SplitHorizontal(dc, rect, pale, light); break;
    default: break;
    }
}

void CNoteBackground::Fill(HDC dc, const RECT& rect, COLORREF color) {
    CBrush brush(::CreateSolidBrush(color));
    if (brush) ::FillRect(dc, &rect, brush.Get());
}

void CNoteBackground::Linear(HDC dc, const RECT& rect, COLORREF from, COLORREF to, bool vertical) {
    TRIVERTEX vertices[2] = {Vertex(rect.left, rect.top, from), Vertex(rect.right, rect.bottom, to)};
    GRADIENT_RECT span = {0, 1};
    // gdi32's own (msimg32's GradientFill only forwards to it): msimg32 is
    // not imported, so a copy planted beside the program is never loaded.
    ::GdiGradientFill(dc, vertices, 2, &span, 1, vertical ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H);
}

void CNoteBackground::BandsUp(HDC dc, const RECT& half, COLORREF start, COLORREF end) {
    const int h = half.bottom - half.top;
    for (int i = 0; i < kBandCount; ++i) {
        RECT band = {half.left, half.bottom - (i + 1) * h / kBandCount, half.right, half.bottom - i * h / kBandCount};
        if (band.top < band.bottom) Fill(dc, band, Band(start, end, i));
    }
}

void CNoteBackground::BandsRight(HDC dc, const RECT& half, COLORREF start, COLORREF end) {
    const int w = half.right - half.left;
    for (int i = 0; i < kBandCount; ++i) {
        RECT band = {half.left + i * w / kBandCount, half.top, half.left + (i + 1) * w / kBandCount, half.bottom};
        if (band.left < band.right) Fill(dc, band, Band(start, end, i));
    }
}

void CNoteBackground::SplitVertical(HDC dc, const RECT& rect, COLORREF outer, COLORREF centre) {
    const LONG middle = rect.top + (rect.bottom - rect.top) / 2;
    // Band 0 lies at a half's bottom edge: the centre line for the top half,
    // the outer edge for the bottom half.
    BandsUp(dc, RECT{rect.left, rect.top, rect.right, middle}, centre, outer);
    BandsUp(dc, RECT{rect.left, middle, rect.right, rect.bottom}, outer, centre);
}

void CNoteBackground::SplitHorizontal(HDC dc, const RECT& rect, COLORREF outer, COLORREF centre) {
    const LONG middle = rect.left + (rect.right - rect.left) / 2;
    // Band 0 lies at a half's left edge: the outer edge for the left half,
    // the centre line for the right half.
    BandsRight(dc, RECT{rect.left, rect.top, middle, rect.bottom}, outer, centre);
    BandsRight(dc, RECT{middle, rect.top, rect.right, rect.bottom}, centre, outer);
}

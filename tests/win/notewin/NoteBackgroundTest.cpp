// Colour tables and the background painter, rendered into memory DCs.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>

#include "platform/GdiHolders.h"
#include "notewin/NoteBackground.h"
#include "platform/NoteColors.h"

namespace {

// A 32-bit top-down DIB section selected into a memory DC.
class CCanvas {
public:
    CCanvas(int width, int height) : m_width(width), m_height(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        m_bitmap.Reset(::CreateDIBSection(m_dc.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        m_select = ::SelectObject(m_dc.Get(), m_bitmap.Get());
    }
    ~CCanvas() { ::SelectObject(m_dc.Get(), m_select); }

    HDC Dc() const { return m_dc.Get(); }
    RECT Rect() const { return RECT{0, 0, m_width, m_height}; }
    COLORREF At(int x, int y) const {
        ::GdiFlush();
        return ::GetPixel(m_dc.Get(), x, y);
    }
    void Fill(COLORREF color) const {
        CBrush brush(::CreateSolidBrush(color));
        const RECT r = Rect();
        ::FillRect(m_dc.Get(), &r, brush.Get());
    }

private:
    int m_width;
    int m_height;
    CMemoryDC m_dc;
    CBitmap m_bitmap;
    HGDIOBJ m_select = nullptr;
};

bool Near(COLORREF a, COLORREF b, int tolerance) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

std::string Rgb(COLORREF c) {
    return std::to_string(GetRValue(c)) + "," + std::to_string(GetGValue(c)) + "," + std::to_string(GetBValue(c));
}

}  // namespace

TEST(NoteColors, TablesAndFallbacks) {
    struct Case {
        int index;
        COLORREF ear, background, text;
    };
    const Case cases[] = {
        {0, RGB(255, 0, 0), RGB(255, 255, 255), RGB(0, 0, 0)},
        {1, RGB(0, 255, 0), RGB(255, 200, 200), RGB(255, 0, 0)},
        {2, RGB(0, 0, 255), RGB(200, 255, 200), RGB(0, 0, 255)},
        {3, RGB(253, 140, 2), RGB(200, 200, 255), RGB(0, 0, 0)},
        {4, RGB(0, 0, 0), RGB(255, 255, 180), RGB(0, 0, 0)},
        {5, RGB(0, 0, 0), RGB(150, 150, 150), RGB(0, 0, 0)},
        {-1, RGB(0, 0, 0), RGB(150, 150, 150), RGB(0, 0, 0)},
        {99, RGB(0, 0, 0), RGB(150, 150, 150), RGB(0, 0, 0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        EXPECT_EQ(NoteColors::Ear(c.index), c.ear);
        EXPECT_EQ(NoteColors::Background(c.index), c.background);
        EXPECT_EQ(NoteColors::Text(c.index), c.text);
    }
}

TEST(NoteBackground, TintAndDeepArithmetic) {
    const COLORREF grey = RGB(150, 150, 150);
    EXPECT_EQ(CNoteBackground::Tint(grey, 30), RGB(224, 224, 224));   // 255 - 105*30/100
    EXPECT_EQ(CNoteBackground::Tint(grey, 80), RGB(171, 171, 171));   // 255 - 105*80/100
    EXPECT_EQ(CNoteBackground::Tint(grey, -5), RGB(255, 255, 255));   // negative counts as 0
    EXPECT_EQ(CNoteBackground::Deep(grey), RGB(124, 124, 124));       // 255 - 105*100/80
    EXPECT_EQ(CNoteBackground::Deep(RGB(200, 200, 255)), RGB(187, 187, 255));
    EXPECT_EQ(CNoteBackground::Deep(RGB(0, 40, 255)), RGB(0, 0, 255));  // capped at 255 below white
    EXPECT_EQ(CNoteBackground::Band(RGB(0, 0, 0), RGB(64, 128, 255), 0), RGB(0, 0, 0));
    EXPECT_EQ(CNoteBackground::Band(RGB(0, 0, 0), RGB(64, 128, 255), 32), RGB(32, 64, 127));
    EXPECT_EQ(CNoteBackground::Band(RGB(0, 0, 0), RGB(64, 128, 255), 63), RGB(63, 126, 251));
}

// The colours at the positions the patterns promise, for a blue background.
TEST(NoteBackground, PatternsPutTheirColoursAtTheStatedPositions) {
    const COLORREF b = RGB(200, 200, 255);
    const COLORREF deep = CNoteBackground::Deep(b);
    const COLORREF t30 = CNoteBackground::Tint(b, 30);
    const COLORREF t80 = CNoteBackground::Tint(b, 80);
    ASSERT_NE(deep, t30);
    ASSERT_NE(t30, t80);
    constexpr int W = 160;
    constexpr int H = 128;
    struct Sample {
        int pattern;
        int x, y;
        COLORREF expected;
        int tolerance;
    };
    const Sample samples[] = {
        // Smooth two-colour gradients: the ends carry the end colours.
        {0, W / 2, 0, deep, 3}, {0, W / 2, H - 1, t30, 3},
        {1, W / 2, 0, t30, 3}, {1, W / 2, H - 1, deep, 3},
        {2, 0, H / 2, deep, 3}, {2, W - 1, H / 2, t30, 3},
        {3, 0, H / 2, t30, 3}, {3, W - 1, H / 2, deep, 3},
        // Banded halves: band 0 is exact, band 63 one step short of its end.
        {4, W / 2, 0, t80, 2}, {4, W / 2, H / 2 - 1, t30, 0}, {4, W / 2, H / 2, t30, 2}, {4, W / 2, H - 1, t80, 0},
        {5, W / 2, 0, t30, 2}, {5, W / 2, H / 2 - 1, t80, 0}, {5, W / 2, H / 2, t80, 2}, {5, W / 2, H - 1, t30, 0},
        {6, 0, H / 2, t30, 0}, {6, W / 2 - 1, H / 2, t80, 2}, {6, W / 2, H / 2, t80, 0}, {6, W - 1, H / 2, t30, 2},
        {7, 0, H / 2, t80, 0}, {7, W / 2 - 1, H / 2, t30, 2}, {7, W / 2, H / 2, t30, 0}, {7, W - 1, H / 2, t80, 2},
    };
    CCanvas canvas(W, H);
    int painted = -1;
    for (const Sample& s : samples) {
        if (s.pattern != painted) {
            CNoteBackground background;
            background.SetColor(b);
            background.SetGradient(true);
            background.SetPattern(s.pattern);
            canvas.Fill(RGB(255, 0, 255));
            background.Paint(canvas.Dc(), canvas.Rect());
            painted = s.pattern;
        }
        const COLORREF got = canvas.At(s.x, s.y);
        EXPECT_TRUE(Near(got, s.expected, s.tolerance))
            << "pattern " << s.pattern << " at " << s.x << "," << s.y << ": " << Rgb(got) << " expected "
            << Rgb(s.expected);
    }
}

TEST(NoteBackground, HalvesChangeMonotonicallyTowardsTheCentre) {
    const COLORREF b = RGB(255, 200, 200);
    CNoteBackground background;
    background.SetColor(b);
    background.SetGradient(true);
    background.SetPattern(4);  // tint 80 (deeper) at the edges, tint 30 (lighter) at the centre line
    CCanvas canvas(40, 256);
    background.Paint(canvas.Dc(), canvas.Rect());
    for (int y = 1; y < 128; ++y) {
        EXPECT_GE(GetGValue(canvas.At(20, y)), GetGValue(canvas.At(20, y - 1))) << "row " << y;
    }
    for (int y = 129; y < 256; ++y) {
        EXPECT_LE(GetGValue(canvas.At(20, y)), GetGValue(canvas.At(20, y - 1))) << "row " << y;
    }
    EXPECT_LT(GetGValue(canvas.At(20, 0)), GetGValue(canvas.At(20, 127)));
}

TEST(NoteBackground, SolidUnknownPatternAndWhite) {
    CCanvas canvas(64, 48);
    CNoteBackground background;
    background.SetColor(RGB(255, 255, 180));
    background.SetGradient(false);
    background.SetPattern(2);
    canvas.Fill(RGB(255, 0, 255));
    background.Paint(canvas.Dc(), canvas.Rect());
    for (POINT p : {POINT{0, 0}, POINT{63, 0}, POINT{32, 24}, POINT{0, 47}, POINT{63, 47}}) {
        EXPECT_EQ(canvas.At(p.x, p.y), RGB(255, 255, 180));
    }

    background.SetGradient(true);
    background.SetPattern(8);  // unknown: nothing is painted
    canvas.Fill(RGB(255, 0, 255));
    background.Paint(canvas.Dc(), canvas.Rect());
    EXPECT_EQ(canvas.At(32, 24), RGB(255, 0, 255));

    background.SetColor(RGB(255, 255, 255));  // white looks white in every pattern
    for (int pattern = 0; pattern < CNoteBackground::kPatternCount; ++pattern) {
        background.SetPattern(pattern);
        canvas.Fill(RGB(255, 0, 255));
        background.Paint(canvas.Dc(), canvas.Rect());
        for (POINT p : {POINT{0, 0}, POINT{63, 47}, POINT{32, 24}, POINT{5, 40}}) {
            EXPECT_EQ(canvas.At(p.x, p.y), RGB(255, 255, 255)) << "pattern " << pattern;
        }
    }
}

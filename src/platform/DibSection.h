// A 32-bit top-down DIB section selected into its own memory DC: a drawing
// surface whose pixels (blue, green, red, alpha bytes) can be read and
// written directly.
#pragma once

#include <windows.h>

#include <cstdint>

class CDibSection {
public:
    // A width x height surface (both at least 1); every byte starts at 0.
    // `reference` is the DC the memory DC is made compatible with (null: the
    // screen).
    CDibSection(int width, int height, HDC reference = nullptr);
    ~CDibSection();
    CDibSection(const CDibSection&) = delete;
    CDibSection& operator=(const CDibSection&) = delete;

    explicit operator bool() const { return m_bits != nullptr; }
    HDC Dc() const { return m_dc; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }

    // Pixel (x, y) as 0xAARRGGBB; GdiFlush() first when GDI drew lately.
    uint32_t Pixel(int x, int y) const { return m_bits[y * m_width + x]; }
    uint32_t* Bits() { return m_bits; }
    // Makes every pixel fully opaque (alpha byte 255), colours unchanged.
    void SetOpaque();

private:
    int m_width;
    int m_height;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_previous = nullptr;
    uint32_t* m_bits = nullptr;
};

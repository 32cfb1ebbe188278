#include "platform/DibSection.h"

#include <algorithm>

CDibSection::CDibSection(int width, int height, HDC reference)
    : m_width(std::max(width, 1)), m_height(std::max(height, 1)) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = m_width;
    info.bmiHeader.biHeight = -m_height;  // negative: top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    m_bitmap = ::CreateDIBSection(reference, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_dc = ::CreateCompatibleDC(reference);
    if (!m_bitmap || !m_dc || !bits) return;
    m_previous = ::SelectObject(m_dc, m_bitmap);
    m_bits = static_cast<uint32_t*>(bits);
}

CDibSection::~CDibSection() {
    if (m_dc) {
        if (m_previous) ::SelectObject(m_dc, m_previous);
        ::DeleteDC(m_dc);
    }
    if (m_bitmap) ::DeleteObject(m_bitmap);
}

void CDibSection::SetOpaque() {
    if (!m_bits) return;
    ::GdiFlush();  // pending GDI output must land before the bytes change
    uint32_t* const end = m_bits + static_cast<size_t>(m_width) * m_height;
    for (uint32_t* p = m_bits; p != end; ++p) *p |= 0xFF000000u;
}

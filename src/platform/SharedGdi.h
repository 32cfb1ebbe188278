// Brushes and fonts shared by equal value: every holder of the same colour
// (or the same font description) uses one GDI object, created with the
// first holder and deleted with the last. A process may hold only so many
// GDI objects (10,000 by default), so windows that exist by the thousand
// take theirs from here. User-interface thread only.
#pragma once

#include <windows.h>

// Holds a reference to the shared solid brush of one colour.
class CSharedBrush {
public:
    CSharedBrush() = default;
    explicit CSharedBrush(COLORREF color) { Set(color); }
    ~CSharedBrush() { Reset(); }
    CSharedBrush(const CSharedBrush&) = delete;
    CSharedBrush& operator=(const CSharedBrush&) = delete;

    // Holds the brush of `color` (nothing changes when it is held already).
    void Set(COLORREF color);
    void Reset();
    HBRUSH Get() const { return m_brush; }

private:
    HBRUSH m_brush = nullptr;
    COLORREF m_color = 0;
};

// Holds a reference to the shared font of one description.
class CSharedFont {
public:
    CSharedFont() = default;
    ~CSharedFont() { Reset(); }
    CSharedFont(const CSharedFont&) = delete;
    CSharedFont& operator=(const CSharedFont&) = delete;
    CSharedFont(CSharedFont&& other) noexcept : m_font(other.m_font) { other.m_font = nullptr; }
    // Takes over `other`'s reference after letting go of its own.
    CSharedFont& operator=(CSharedFont&& other) noexcept {
        if (this != &other) {
            Reset();
            m_font = other.m_font;
            other.m_font = nullptr;
        }
        return *this;
    }

    // Holds the font of `font`; false (holding nothing) when no font can be
    // made from it.
    bool Set(const LOGFONTW& font);
    void Reset();
    HFONT Get() const { return m_font; }

private:
    HFONT m_font = nullptr;
};

namespace SharedGdi {
// GDI objects the shared brushes and fonts hold right now.
int LiveObjects();
// GDI objects created for them since the process started.
long CreatedObjects();
}  // namespace SharedGdi

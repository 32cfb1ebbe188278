// Small owners for GDI objects and device contexts: whatever a function
// creates or selects is released on every way out.
#pragma once

#include <windows.h>

#include <utility>

// Owns one GDI object (brush, font, bitmap, pen) and deletes it.
template <class T>
class CGdiObject {
public:
    CGdiObject() = default;
    explicit CGdiObject(T handle) : m_handle(handle) {}
    ~CGdiObject() { Reset(); }

    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    CGdiObject(CGdiObject&& other) noexcept : m_handle(std::exchange(other.m_handle, nullptr)) {}
    CGdiObject& operator=(CGdiObject&& other) noexcept {
        if (this != &other) {
            Reset();
            m_handle = std::exchange(other.m_handle, nullptr);
        }
        return *this;
    }

    T Get() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }

    // Deletes the held object (if any) and holds `handle` instead.
    void Reset(T handle = nullptr) {
        if (m_handle) ::DeleteObject(m_handle);
        m_handle = handle;
    }

private:
    T m_handle = nullptr;
};

using CBrush = CGdiObject<HBRUSH>;
using CFont = CGdiObject<HFONT>;
using CBitmap = CGdiObject<HBITMAP>;

// Selects an object into a DC and puts the previous one back.
class CSelectObject {
public:
    CSelectObject(HDC dc, HGDIOBJ object) : m_dc(dc), m_previous(::SelectObject(dc, object)) {}
    ~CSelectObject() {
        if (m_previous) ::SelectObject(m_dc, m_previous);
    }
    CSelectObject(const CSelectObject&) = delete;
    CSelectObject& operator=(const CSelectObject&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

// A memory DC compatible with `reference` (or with the screen).
class CMemoryDC {
public:
    explicit CMemoryDC(HDC reference = nullptr) : m_dc(::CreateCompatibleDC(reference)) {}
    ~CMemoryDC() {
        if (m_dc) ::DeleteDC(m_dc);
    }
    CMemoryDC(const CMemoryDC&) = delete;
    CMemoryDC& operator=(const CMemoryDC&) = delete;

    HDC Get() const { return m_dc; }
    explicit operator bool() const { return m_dc != nullptr; }

private:
    HDC m_dc;
};

// A DC obtained with GetDC, released with ReleaseDC.
class CWindowDC {
public:
    explicit CWindowDC(HWND hwnd) : m_hwnd(hwnd), m_dc(::GetDC(hwnd)) {}
    ~CWindowDC() {
        if (m_dc) ::ReleaseDC(m_hwnd, m_dc);
    }
    CWindowDC(const CWindowDC&) = delete;
    CWindowDC& operator=(const CWindowDC&) = delete;

    HDC Get() const { return m_dc; }
    explicit operator bool() const { return m_dc != nullptr; }

private:
    HWND m_hwnd;
    HDC m_dc;
};

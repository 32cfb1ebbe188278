#include "dialogs/OpaCheck.h"

#include <vssym32.h>

#include <cstdlib>

#include "platform/Dpi.h"
#include "platform/GdiHolders.h"
#include "platform/WindowText.h"
#include "platform/WinText.h"

namespace {

// The caption starts this far right of the client area's left edge (at 96
// DPI): past the box and its gap.
constexpr int kCaptionLeft = 16;

}  // namespace

std::wstring WindowTextWide(HWND hwnd) { return WideOf(WindowText(hwnd)); }

bool COpaCheck::Attach(HWND check) {
    if (check && check == m_subclass.Hwnd()) return true;
    return m_subclass.Install(check, [this](HWND hwnd, UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
        return OnMessage(hwnd, msg, wParam, result);
    });
}

bool COpaCheck::OnMessage(HWND hwnd, UINT msg, WPARAM wParam, LRESULT& result) const {
    if (msg != WM_PAINT) return false;
    if (wParam) {
        // Painting into a DC the caller gives.
        Paint(hwnd, reinterpret_cast<HDC>(wParam));
    } else {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(hwnd, &ps);
        if (dc) Paint(hwnd, dc);
        ::EndPaint(hwnd, &ps);
    }
    result = 0;
    return true;
}

void COpaCheck::Paint(HWND check, HDC dc) const {
    RECT client;
    ::GetClientRect(check, &client);
    HDC buffer = nullptr;
    HPAINTBUFFER paint = m_uxTheme.BeginBufferedPaint(dc, client, BPBF_TOPDOWNDIB, &buffer);
    if (!paint || !buffer) {
        // No buffered painting here: the check box draws itself as usual.
        ::SendMessageW(check, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
        return;
    }
    ::SendMessageW(check, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(buffer), PRF_CLIENT);
    DrawGlowCaption(check, buffer, client);
    m_uxTheme.EndBufferedPaint(paint, TRUE);
}

void COpaCheck::DrawGlowCaption(HWND check, HDC dc, const RECT& client) const {
    const std::wstring caption = WindowTextWide(check);
    if (caption.empty() || !m_uxTheme.CanDrawThemeText()) return;
    CThemeHandle theme(m_uxTheme, m_uxTheme.OpenThemeData(check, L"Button"));
    if (!theme) return;  // no visual style: the caption drawn by the box stays

    // The parent's font, as the dialog gave it to its controls.
    HWND parent = ::GetParent(check);
    HFONT parentFont = parent ? reinterpret_cast<HFONT>(::SendMessageW(parent, WM_GETFONT, 0, 0)) : nullptr;
    if (!parentFont) parentFont = reinterpret_cast<HFONT>(::SendMessageW(check, WM_GETFONT, 0, 0));
    if (!parentFont) parentFont = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    LOGFONTW logFont{};
    if (!::GetObjectW(parentFont, sizeof logFont, &logFont)) return;
    CFont font(::CreateFontIndirectW(&logFont));
    if (!font) return;
    CSelectObject selectFont(dc, font.Get());

    // Glow as wide as the font is tall in points. The height is taken as a
    // magnitude: a positive (cell) height must not make the glow negative.
    const UINT dpi = DpiOfWindow(check);
    const int glow = ::MulDiv(std::abs(logFont.lfHeight), 72, static_cast<int>(dpi));

    SIZE extent{};
    if (!::GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent)) return;
    RECT text;
    text.left = client.left + ScaleForDpi(kCaptionLeft, dpi);
    text.right = text.left + extent.cx;
    text.top = client.top + (client.bottom - client.top - extent.cy) / 2 + 1;
    text.bottom = text.top + extent.cy;

    DTTOPTS options{};
    options.dwSize = sizeof options;
    options.dwFlags = DTT_COMPOSITED | DTT_GLOWSIZE;
    options.iGlowSize = glow;
    m_uxTheme.DrawThemeTextEx(theme.Get(), dc, BP_CHECKBOX, CBS_UNCHECKEDNORMAL, caption.c_str(), -1,
                              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX, &text, &options);
}

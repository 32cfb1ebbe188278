#include "platform/OwnerDrawButton.h"

#include <windowsx.h>

#include <cstddef>
#include <string>

#include "platform/DibSection.h"
#include "platform/Dpi.h"
#include "platform/WinText.h"
#include "platform/WindowText.h"

namespace {

// Colours of one face: a glossy upper half (top to middle) over a deeper
// lower half (middle to bottom), a border, a highlight line just inside the
// top border, and the caption.
struct FaceColors {
    COLORREF upperTop, upperBottom, lowerTop, lowerBottom;
    COLORREF border;
    COLORREF highlight;
    COLORREF text;
};

constexpr FaceColors kNormal{RGB(250, 252, 255), RGB(234, 240, 248), RGB(216, 226, 239), RGB(232, 239, 248),
                             RGB(134, 156, 186), RGB(255, 255, 255), RGB(21, 40, 72)};
constexpr FaceColors kHot{RGB(240, 248, 255), RGB(214, 234, 253), RGB(180, 213, 248), RGB(212, 234, 255),
                          RGB(78, 128, 196), RGB(250, 253, 255), RGB(12, 36, 78)};
constexpr FaceColors kPressed{RGB(186, 206, 232), RGB(172, 196, 228), RGB(146, 178, 218), RGB(170, 198, 232),
                              RGB(64, 98, 150), RGB(160, 184, 216), RGB(8, 26, 60)};
constexpr FaceColors kDisabled{RGB(246, 246, 246), RGB(238, 238, 238), RGB(230, 230, 230), RGB(238, 238, 238),
                               RGB(184, 188, 194), RGB(252, 252, 252), RGB(150, 152, 156)};

const FaceColors& ColorsFor(const CButtonDrawState& state) {
    if (state.disabled) return kDisabled;
    if (state.pressed) return kPressed;
    if (state.hot) return kHot;
    return kNormal;
}

COLORREF Mix(COLORREF a, COLORREF b) {
    return RGB((GetRValue(a) + GetRValue(b)) / 2, (GetGValue(a) + GetGValue(b)) / 2,
               (GetBValue(a) + GetBValue(b)) / 2);
}

void VerticalGradient(HDC dc, int left, int top, int right, int bottom, COLORREF from, COLORREF to) {
    if (right <= left || bottom <= top) return;
    TRIVERTEX v[2] = {
        {left, top, static_cast<COLOR16>(GetRValue(from) << 8), static_cast<COLOR16>(GetGValue(from) << 8),
         static_cast<COLOR16>(GetBValue(from) << 8), 0xFF00},
        {right, bottom, static_cast<COLOR16>(GetRValue(to) << 8), static_cast<COLOR16>(GetGValue(to) << 8),
         static_cast<COLOR16>(GetBValue(to) << 8), 0xFF00},
    };
    GRADIENT_RECT g{0, 1};
    // gdi32's own (msimg32's GradientFill only forwards to it): msimg32 is
    // not imported, so a copy planted beside the program is never loaded.
    ::GdiGradientFill(dc, v, 2, &g, 1, GRADIENT_FILL_RECT_V);
}

void HorizontalLine(HDC dc, int left, int right, int y, COLORREF color) {
    if (right <= left) return;
    CBrush brush(::CreateSolidBrush(color));
    RECT r{left, y, right, y + 1};
    ::FillRect(dc, &r, brush.Get());
}

void VerticalLine(HDC dc, int x, int top, int bottom, COLORREF color) {
    if (bottom <= top) return;
    CBrush brush(::CreateSolidBrush(color));
    RECT r{x, top, x + 1, bottom};
    ::FillRect(dc, &r, brush.Get());
}

// The face: two-part gradient, a border whose corner pixels are blended
// into the face (a slightly rounded look that needs no parent background),
// and a highlight line under the top border.
void DrawFace(HDC dc, const RECT& rc, const FaceColors& c) {
    const int w = rc.right - rc.left;
    const int h = rc.bottom - rc.top;
    if (w < 4 || h < 4) {
        CBrush brush(::CreateSolidBrush(c.lowerTop));
        ::FillRect(dc, &rc, brush.Get());
        return;
    }
    const int middle = rc.top + h * 9 / 20;
    VerticalGradient(dc, rc.left, rc.top, rc.right, middle, c.upperTop, c.upperBottom);
    VerticalGradient(dc, rc.left, middle, rc.right, rc.bottom, c.lowerTop, c.lowerBottom);

    HorizontalLine(dc, rc.left + 2, rc.right - 2, rc.top, c.border);
    HorizontalLine(dc, rc.left + 2, rc.right - 2, rc.bottom - 1, c.border);
    VerticalLine(dc, rc.left, rc.top + 2, rc.bottom - 2, c.border);
    VerticalLine(dc, rc.right - 1, rc.top + 2, rc.bottom - 2, c.border);
    HorizontalLine(dc, rc.left + 2, rc.right - 2, rc.top + 1, c.highlight);

    // Corners: the outermost pixel fades towards the face, the two next to
    // it carry the border at half strength, the inner one closes the curve.
    const COLORREF soft = Mix(c.border, c.upperTop);
    const COLORREF softLow = Mix(c.border, c.lowerBottom);
    const int l = rc.left, t = rc.top, r = rc.right - 1, b = rc.bottom - 1;
    ::SetPixelV(dc, l, t, Mix(soft, c.upperTop));
    ::SetPixelV(dc, r, t, Mix(soft, c.upperTop));
    ::SetPixelV(dc, l, b, Mix(softLow, c.lowerBottom));
    ::SetPixelV(dc, r, b, Mix(softLow, c.lowerBottom));
    ::SetPixelV(dc, l + 1, t, soft);
    ::SetPixelV(dc, l, t + 1, soft);
    ::SetPixelV(dc, r - 1, t, soft);
    ::SetPixelV(dc, r, t + 1, soft);
    ::SetPixelV(dc, l + 1, b, softLow);
    ::SetPixelV(dc, l, b - 1, softLow);
    ::SetPixelV(dc, r - 1, b, softLow);
    ::SetPixelV(dc, r, b - 1, softLow);
    ::SetPixelV(dc, l + 1, t + 1, c.border);
    ::SetPixelV(dc, r - 1, t + 1, c.border);
    ::SetPixelV(dc, l + 1, b - 1, c.border);
    ::SetPixelV(dc, r - 1, b - 1, c.border);
}

}  // namespace

COwnerDrawButton::~COwnerDrawButton() { Detach(); }

bool COwnerDrawButton::Attach(HWND button) {
    Detach();
    if (!button || !::IsWindow(button)) return false;
    HWND parent = ::GetParent(button);
    if (!parent) return false;
    if (!m_button.Install(button, [this](HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
            return OnButtonMessage(hwnd, msg, wParam, lParam, result);
        }))
        return false;
    if (!m_parent.Install(parent, [this](HWND, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
            return OnParentMessage(msg, wParam, lParam, result);
        })) {
        m_button.Remove();
        return false;
    }
    const LONG_PTR style = ::GetWindowLongPtrW(button, GWL_STYLE);
    m_originalType = style & BS_TYPEMASK;
    m_hot = false;
    // BM_SETSTYLE rather than the raw style: the button updates its own
    // state. An owner-drawn button is never the dialog's default button, so
    // the dialog manager leaves the style alone from now on.
    ::SendMessageW(button, BM_SETSTYLE, static_cast<WPARAM>((style & ~BS_TYPEMASK) | BS_OWNERDRAW), TRUE);
    return true;
}

void COwnerDrawButton::Detach() {
    HWND button = m_button.Hwnd();
    m_parent.Remove();
    m_button.Remove();
    m_hot = false;
    if (button && ::IsWindow(button)) {
        const LONG_PTR style = ::GetWindowLongPtrW(button, GWL_STYLE);
        ::SendMessageW(button, BM_SETSTYLE, static_cast<WPARAM>((style & ~BS_TYPEMASK) | m_originalType), TRUE);
    }
}

void COwnerDrawButton::SetMenuFont(bool on) {
    if (!on) {
        m_menuFont.Reset();
    } else if (!m_menuFont) {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        BOOL ok = ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0);
        if (!ok) {
            // Systems before Vista know the structure without its last field.
            metrics.cbSize = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);
            ok = ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0);
        }
        if (ok) m_menuFont.Reset(::CreateFontIndirectW(&metrics.lfMenuFont));
    }
    Redraw();
}

void COwnerDrawButton::Redraw() const {
    if (HWND button = m_button.Hwnd()) {
        ::InvalidateRect(button, nullptr, FALSE);
        ::UpdateWindow(button);
    }
}

HFONT COwnerDrawButton::CaptionFont() const {
    if (m_menuFont) return m_menuFont.Get();
    HWND button = m_button.Hwnd();
    HFONT font = button ? reinterpret_cast<HFONT>(::SendMessageW(button, WM_GETFONT, 0, 0)) : nullptr;
    return font ? font : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

void COwnerDrawButton::SetHot(bool hot) {
    if (m_hot == hot) return;
    m_hot = hot;
    if (HWND button = m_button.Hwnd()) ::InvalidateRect(button, nullptr, FALSE);
}

bool COwnerDrawButton::OnButtonMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
    case WM_SETCURSOR:
        if (m_handCursor && LOWORD(lParam) == HTCLIENT) {
            ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
            result = TRUE;
            return true;
        }
        return false;
    case WM_MOUSEMOVE: {
        // While the mouse is captured (button held) moves arrive from
        // outside too: hot means the pointer is really over the button.
        RECT client;
        ::GetClientRect(hwnd, &client);
        const POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        const bool inside = ::PtInRect(&client, pt) != FALSE;
        if (inside && !m_hot) {
            // Ask for WM_MOUSELEAVE so the hot look goes when the pointer does.
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd, 0};
            ::TrackMouseEvent(&track);
        }
        SetHot(inside);
        return false;  // the button still tracks presses itself
    }
    case WM_MOUSELEAVE:
        SetHot(false);
        return false;
    case WM_ENABLE:
        if (!wParam) SetHot(false);  // a disabled button gets no WM_MOUSELEAVE
        return false;
    case WM_ERASEBKGND:
        // The whole face is painted on WM_DRAWITEM: erasing would flicker.
        result = TRUE;
        return true;
    case WM_NCDESTROY:
        // Going away: only the subclasses need undoing, not the style.
        m_parent.Remove();
        m_button.Remove();
        m_hot = false;
        return false;
    default:
        return false;
    }
}

bool COwnerDrawButton::OnParentMessage(UINT msg, WPARAM, LPARAM lParam, LRESULT& result) {
    if (msg != WM_DRAWITEM) return false;
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    if (!item || item->CtlType != ODT_BUTTON || item->hwndItem != m_button.Hwnd()) return false;
    OnDrawItem(*item);
    result = TRUE;
    return true;
}

void COwnerDrawButton::OnDrawItem(const DRAWITEMSTRUCT& item) {
    CButtonDrawState state;
    state.hot = m_hot;
    state.pressed = (item.itemState & ODS_SELECTED) != 0;
    state.focused = (item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0;
    state.disabled = (item.itemState & ODS_DISABLED) != 0;
    state.hidePrefix = (item.itemState & ODS_NOACCEL) != 0;

    const RECT& rc = item.rcItem;
    const int width = rc.right - rc.left;
    const int height = rc.bottom - rc.top;
    if (width <= 0 || height <= 0) return;
    // Drawn off screen in one piece, then copied: no flicker while the
    // state changes under the pointer.
    CDibSection buffer(width, height, item.hDC);
    if (!buffer) {
        DrawButton(item.hDC, rc, state);
        return;
    }
    DrawButton(buffer.Dc(), RECT{0, 0, width, height}, state);
    ::BitBlt(item.hDC, rc.left, rc.top, width, height, buffer.Dc(), 0, 0, SRCCOPY);
}

void COwnerDrawButton::DrawButton(HDC dc, const RECT& rect, const CButtonDrawState& state) {
    DrawFace(dc, rect, ColorsFor(state));
    if (state.focused) {
        // Drawn before the content step, so a step that post-processes the
        // pixels (opacity over glass) covers the focus mark too.
        RECT focus = rect;
        const int inset = ScaledFor(m_button.Hwnd(), 3);
        ::InflateRect(&focus, -inset, -inset);
        ::SetTextColor(dc, RGB(0, 0, 0));
        ::SetBkColor(dc, RGB(255, 255, 255));
        ::DrawFocusRect(dc, &focus);
    }
    OnDrawContent(dc, rect, state);
}

void COwnerDrawButton::OnDrawContent(HDC dc, const RECT& rect, const CButtonDrawState& state) {
    HWND button = m_button.Hwnd();
    if (!button) return;
    const std::wstring caption = WideOf(WindowText(button));
    if (caption.empty()) return;
    RECT text = rect;
    ::InflateRect(&text, -ScaledFor(button, 4), -ScaledFor(button, 2));
    if (state.pressed) ::OffsetRect(&text, 1, 1);
    CSelectObject font(dc, CaptionFont());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ColorsFor(state).text);
    UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;
    if (state.hidePrefix) format |= DT_HIDEPREFIX;
    ::DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text, format);
}

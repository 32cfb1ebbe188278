#include "winsel/StcImage.h"

#include <commctrl.h>

SIZE FitImage(SIZE client, SIZE image) {
    if (image.cx <= 0 || image.cy <= 0) return SIZE{};
    if (client.cx > image.cx && client.cy > image.cy) return image;
    const double scaleX = static_cast<double>(client.cx) / image.cx;
    const double scaleY = static_cast<double>(client.cy) / image.cy;
    if (scaleY > scaleX)
        return SIZE{client.cx, static_cast<LONG>(static_cast<double>(image.cy) * client.cx / image.cx)};
    return SIZE{static_cast<LONG>(static_cast<double>(image.cx) * client.cy / image.cy), client.cy};
}

CStcImage::CStcImage(IThumbnailLayer& layer) : m_layer(layer) {}

CStcImage::~CStcImage() = default;

bool CStcImage::Attach(HWND hwnd) {
    return m_subclass.Install(hwnd, [this](HWND, UINT msg, WPARAM, LPARAM, LRESULT& result) {
        if (msg != WM_PAINT) return false;
        OnPaint();
        result = 0;
        return true;
    });
}

void CStcImage::OnPaint() {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(Hwnd(), &ps);
    RECT client{};
    ::GetClientRect(Hwnd(), &client);
    // The background any static control of the dialog gets.
    auto back = reinterpret_cast<HBRUSH>(::SendMessageW(::GetParent(Hwnd()), WM_CTLCOLORSTATIC,
                                                         reinterpret_cast<WPARAM>(dc),
                                                         reinterpret_cast<LPARAM>(Hwnd())));
    ::FillRect(dc, &client, back ? back : ::GetSysColorBrush(COLOR_3DFACE));
    if (m_image.HasImage()) {
        const SIZE image{m_image.Width(), m_image.Height()};
        const SIZE drawn = FitImage(SIZE{client.right, client.bottom}, image);
        CMemoryDC memory(dc);
        CSelectObject select(memory.Get(), m_image.Bitmap());
        if (drawn.cx == image.cx && drawn.cy == image.cy) {
            ::BitBlt(dc, 0, 0, image.cx, image.cy, memory.Get(), 0, 0, SRCCOPY);
        } else {
            ::SetStretchBltMode(dc, HALFTONE);
            ::SetBrushOrgEx(dc, 0, 0, nullptr);  // HALFTONE needs the brush origin reset
            ::StretchBlt(dc, 0, 0, drawn.cx, drawn.cy, memory.Get(), 0, 0, image.cx, image.cy, SRCCOPY);
        }
    }
    ::EndPaint(Hwnd(), &ps);
}

void CStcImage::SetTargetWindow(HWND target) {
    if (!target) {
        m_image.Clear();
        UnregisterThumbnail();
    } else if (target == ::GetDesktopWindow()) {
        CaptureDesktop(m_image, Hwnd(), target);
        UnregisterThumbnail();
    } else {
        BOOL enabled = FALSE;
        const HRESULT hr = m_layer.QueryComposition(&enabled);
        if (hr == IThumbnailLayer::kUnavailable) {
            CaptureWindow(m_image, Hwnd(), target);
            UnregisterThumbnail();
        } else if (SUCCEEDED(hr)) {
            m_hTargetWnd = target;
            if (enabled) {
                m_image.Clear();
                ShowThumbnail();
            } else {
                CaptureWindow(m_image, Hwnd(), target);
                UnregisterThumbnail();
            }
        }
    }
    if (Hwnd()) ::InvalidateRect(::GetParent(Hwnd()), nullptr, TRUE);
}

void CStcImage::ShowThumbnail() {
    UnregisterThumbnail();
    HWND destination = m_hThumbDest ? m_hThumbDest : ::GetAncestor(Hwnd(), GA_ROOT);
    HTHUMBNAIL thumbnail = nullptr;
    if (FAILED(m_layer.Register(destination, m_hTargetWnd, &thumbnail))) return;
    m_thumbnail = thumbnail;

    DWM_THUMBNAIL_PROPERTIES properties{};
    properties.dwFlags = DWM_TNP_RECTDESTINATION | DWM_TNP_OPACITY | DWM_TNP_VISIBLE | DWM_TNP_SOURCECLIENTAREAONLY;
    properties.rcDestination = RectInClientOf(Hwnd(), destination);
    properties.opacity = 255;
    properties.fVisible = TRUE;
    // The whole window, frame included, fitted into the control's area.
    properties.fSourceClientAreaOnly = FALSE;
    m_layer.Update(thumbnail, properties);
}

void CStcImage::UnregisterThumbnail() {
    if (!m_thumbnail) return;
    m_layer.Unregister(m_thumbnail);
    m_thumbnail = nullptr;
}

#include "ButtonTestSupport.h"

#include "data/Trace.h"
#include "platform/DibSection.h"

CHostDialog::CHostDialog(int templateId, HWND owner) : CDialog(templateId) { Create(owner); }

namespace {

CPixels Capture(HWND control, UINT message, WPARAM flags) {
    CPixels pixels;
    RECT rc{};
    ::GetClientRect(control, &rc);
    CDibSection dib(rc.right, rc.bottom);
    if (!dib) return pixels;
    ::SendMessageA(control, message, reinterpret_cast<WPARAM>(dib.Dc()), static_cast<LPARAM>(flags));
    ::GdiFlush();
    pixels.width = dib.Width();
    pixels.height = dib.Height();
    pixels.data.assign(dib.Bits(), dib.Bits() + static_cast<size_t>(pixels.width) * pixels.height);
    return pixels;
}

}  // namespace

CPixels PrintClient(HWND control) { return Capture(control, WM_PRINTCLIENT, PRF_CLIENT); }

CPixels PaintInto(HWND control) { return Capture(control, WM_PAINT, 0); }

int CountDarkPixels(const CPixels& pixels, int limit) {
    int n = 0;
    for (uint32_t p : pixels.data) {
        const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
        if (r <= limit && g <= limit && b <= limit) ++n;
    }
    return n;
}



CTraceCapture::CTraceCapture() : m_wasEnabled(TraceEnabled()) {
    TraceSetSink(&CTraceCapture::Sink, this);
    TraceEnable(true);
}

CTraceCapture::~CTraceCapture() {
    TraceEnable(m_wasEnabled);
    TraceSetSink(nullptr, nullptr);
}

void CTraceCapture::Sink(const char* text, void* context) { static_cast<CTraceCapture*>(context)->m_text += text; }

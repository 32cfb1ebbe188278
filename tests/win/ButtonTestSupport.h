// Shared pieces of the button tests and the screenshot program: a real
// dialog holding push buttons and a check box, pixel capture of a control,
// message pumping and trace capture.
#pragma once

#include "WinTestUtil.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Dialog.h"

// A modeless dialog from a template, destroyed with the object.
class CHostDialog : public CDialog {
public:
    explicit CHostDialog(int templateId, HWND owner = nullptr);
    HWND Hwnd() const { return GetHwnd(); }
};

// The pixels (0xAARRGGBB, alpha cleared to 0 first) of a control painted
// into a 32-bit buffer with WM_PRINTCLIENT, row by row.
struct CPixels {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> data;

    uint32_t At(int x, int y) const { return data[static_cast<size_t>(y) * width + x]; }
    bool operator==(const CPixels& other) const = default;
};
CPixels PrintClient(HWND control);
// Paints `control` as its WM_PAINT handler does, into a buffer.
CPixels PaintInto(HWND control);

// Number of pixels whose colour (alpha ignored) has all of red, green and
// blue at most `limit`.
int CountDarkPixels(const CPixels& pixels, int limit);

// Handles the queued messages of this thread for about `ms` milliseconds.
using wintest::Pump;

using wintest::WinePath;

// Collects the trace text while alive (tracing switched on).
class CTraceCapture {
public:
    CTraceCapture();
    ~CTraceCapture();
    CTraceCapture(const CTraceCapture&) = delete;
    CTraceCapture& operator=(const CTraceCapture&) = delete;
    const std::string& Text() const { return m_text; }

private:
    static void Sink(const char* text, void* context);
    bool m_wasEnabled;
    std::string m_text;
};

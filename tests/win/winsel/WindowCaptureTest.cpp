// Window and desktop capture against real windows.
#include <gtest/gtest.h>

#include <windows.h>

#include <ostream>

#include "WinSelTestSupport.h"
#include "WinTestUtil.h"
#include "platform/GdiHolders.h"
#include "winsel/WindowCapture.h"

namespace {

COLORREF PixelOf(const CCaptureImage& image, int x, int y) {
    CMemoryDC memory;
    CSelectObject select(memory.Get(), image.Bitmap());
    return ::GetPixel(memory.Get(), x, y);
}

RECT NormalPosition(HWND hwnd) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    ::GetWindowPlacement(hwnd, &placement);
    return placement.rcNormalPosition;
}

// The client centre of `hwnd` in its window image.
POINT ClientCentreInWindow(HWND hwnd) {
    RECT window{}, client{};
    ::GetWindowRect(hwnd, &window);
    ::GetClientRect(hwnd, &client);
    POINT centre{client.right / 2, client.bottom / 2};
    ::ClientToScreen(hwnd, &centre);
    return POINT{centre.x - window.left, centre.y - window.top};
}

void Minimise(HWND hwnd) {
    ::ShowWindow(hwnd, SW_MINIMIZE);
    wintest::Pump(30);
}

bool NeverAsked(HWND) {
    ADD_FAILURE() << "the layer question was asked";
    return false;
}

}  // namespace

TEST(WindowCapture, PrintsAVisibleWindowAtItsWindowSize) {
    CPaintedWindow target("capture-visible", 100, 100, 240, 160, RGB(200, 40, 40));
    CCaptureImage image;
    CaptureWindow(image, target.Hwnd(), target.Hwnd(), CaptureRestore::Layering, NeverAsked);

    ASSERT_TRUE(image.HasImage());
    EXPECT_EQ(240, image.Width());
    EXPECT_EQ(160, image.Height());
    const POINT centre = ClientCentreInWindow(target.Hwnd());
    EXPECT_EQ(RGB(200, 40, 40), PixelOf(image, centre.x, centre.y));
    EXPECT_FALSE(::IsIconic(target.Hwnd()));
}

TEST(WindowCapture, KeepsTheImageWhenTheTargetIsNoWindow) {
    CPaintedWindow target("capture-gone", 100, 100, 200, 120, RGB(10, 120, 10));
    CCaptureImage image;
    CaptureWindow(image, target.Hwnd(), target.Hwnd());
    const HBITMAP before = image.Bitmap();
    ASSERT_NE(nullptr, before);

    HWND gone = target.Hwnd();
    ::DestroyWindow(gone);
    CaptureWindow(image, nullptr, gone, CaptureRestore::Layering, NeverAsked);
    EXPECT_EQ(before, image.Bitmap());
    EXPECT_EQ(200, image.Width());
    EXPECT_EQ(120, image.Height());
}

// A minimised window prints itself shown normally, fully transparent and
// 10000 pixels off its normal place, and ends minimised where it was, with
// its own layering back.
struct MinimisedCase {
    const char* name;
    bool layered;
    bool readableLayer;  // SetLayeredWindowAttributes was called
    BYTE alpha;
    COLORREF expectKey;
    BYTE expectAlpha;
    DWORD expectFlags;
};

void PrintTo(const MinimisedCase& c, std::ostream* os) { *os << c.name; }

class WindowCaptureMinimised : public ::testing::TestWithParam<MinimisedCase> {};

TEST_P(WindowCaptureMinimised, IsPrintedOffScreenAndMinimisedAgain) {
    const MinimisedCase& c = GetParam();
    CPaintedWindow target("capture-minimised", 150, 120, 260, 180, RGB(30, 60, 200), false,
                          c.layered ? WS_EX_LAYERED : 0);
    if (c.readableLayer) ::SetLayeredWindowAttributes(target.Hwnd(), 0, c.alpha, LWA_ALPHA);
    Minimise(target.Hwnd());
    ASSERT_TRUE(::IsIconic(target.Hwnd()));
    const RECT normal = NormalPosition(target.Hwnd());
    const LONG exStyle = ::GetWindowLongA(target.Hwnd(), GWL_EXSTYLE);

    int asked = 0;
    CCaptureImage image;
    CaptureWindow(image, target.Hwnd(), target.Hwnd(), CaptureRestore::Layering, [&asked](HWND) {
        ++asked;
        return true;
    });

    EXPECT_EQ(c.layered && !c.readableLayer ? 1 : 0, asked);
    const CPaintedWindow::PrintSeen& seen = target.Printed();
    ASSERT_EQ(1, seen.count);
    EXPECT_EQ(normal.left + 10000, seen.windowRect.left);
    EXPECT_EQ(normal.top + 10000, seen.windowRect.top);
    EXPECT_EQ(normal.right - normal.left, seen.windowRect.right - seen.windowRect.left);
    EXPECT_EQ(normal.bottom - normal.top, seen.windowRect.bottom - seen.windowRect.top);
    EXPECT_TRUE(seen.exStyle & WS_EX_LAYERED);
    EXPECT_TRUE(seen.layeredRead);
    EXPECT_EQ(0, seen.alpha);
    EXPECT_EQ(static_cast<DWORD>(LWA_ALPHA), seen.layerFlags);
    EXPECT_EQ(260, image.Width());
    EXPECT_EQ(180, image.Height());

    EXPECT_TRUE(::IsIconic(target.Hwnd()));
    const RECT after = NormalPosition(target.Hwnd());
    EXPECT_TRUE(::EqualRect(&normal, &after));
    EXPECT_EQ(exStyle, ::GetWindowLongA(target.Hwnd(), GWL_EXSTYLE));
    if (c.layered) {
        COLORREF key = 0;
        BYTE alpha = 0;
        DWORD flags = 0;
        ASSERT_TRUE(::GetLayeredWindowAttributes(target.Hwnd(), &key, &alpha, &flags));
        EXPECT_EQ(c.expectKey, key);
        EXPECT_EQ(c.expectFlags, flags);
        // Without LWA_ALPHA the alpha value has no effect (and Wine does
        // not store it).
        if (c.expectFlags & LWA_ALPHA) {
            EXPECT_EQ(c.expectAlpha, alpha);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WindowCaptureMinimised,
    ::testing::Values(MinimisedCase{"plain", false, false, 0, 0, 0, 0},
                      MinimisedCase{"layered", true, true, 180, 0, 180, LWA_ALPHA},
                      // Its attributes could not be read: the user agreed to lose them.
                      MinimisedCase{"unreadableLayer", true, false, 0, RGB(255, 255, 255), 255, 0}),
    [](const ::testing::TestParamInfo<MinimisedCase>& info) { return std::string(info.param.name); });

TEST(WindowCapture, LeavesAnUnreadableLayeredWindowAloneWhenTheUserSaysNo) {
    CPaintedWindow target("capture-refused", 150, 120, 260, 180, RGB(30, 60, 200), false, WS_EX_LAYERED);
    Minimise(target.Hwnd());
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_FALSE(::GetLayeredWindowAttributes(target.Hwnd(), &key, &alpha, &flags));
    const RECT normal = NormalPosition(target.Hwnd());
    const LONG style = ::GetWindowLongA(target.Hwnd(), GWL_STYLE);
    const LONG exStyle = ::GetWindowLongA(target.Hwnd(), GWL_EXSTYLE);

    CPaintedWindow other("capture-earlier", 100, 100, 120, 90, RGB(0, 0, 0));
    CCaptureImage image;
    CaptureWindow(image, other.Hwnd(), other.Hwnd());
    const HBITMAP earlier = image.Bitmap();

    int asked = 0;
    CaptureWindow(image, other.Hwnd(), target.Hwnd(), CaptureRestore::Layering, [&asked](HWND) {
        ++asked;
        return false;
    });

    EXPECT_EQ(1, asked);
    EXPECT_EQ(0, target.Printed().count);
    EXPECT_EQ(earlier, image.Bitmap());
    EXPECT_EQ(120, image.Width());
    EXPECT_EQ(style, ::GetWindowLongA(target.Hwnd(), GWL_STYLE));
    EXPECT_EQ(exStyle, ::GetWindowLongA(target.Hwnd(), GWL_EXSTYLE));
    const RECT after = NormalPosition(target.Hwnd());
    EXPECT_TRUE(::EqualRect(&normal, &after));
    EXPECT_FALSE(::GetLayeredWindowAttributes(target.Hwnd(), &key, &alpha, &flags));
}

// The child-window variant puts the style and extended style back as they
// were, and prints a window without a normal size where it is.
TEST(WindowCapture, AllStylesVariantRestoresBothStyles) {
    CPaintedWindow target("capture-allstyles", 150, 120, 260, 180, RGB(30, 60, 200));
    Minimise(target.Hwnd());
    const LONG style = ::GetWindowLongA(target.Hwnd(), GWL_STYLE);
    const LONG exStyle = ::GetWindowLongA(target.Hwnd(), GWL_EXSTYLE);
    const RECT normal = NormalPosition(target.Hwnd());

    CCaptureImage image;
    CaptureWindow(image, target.Hwnd(), target.Hwnd(), CaptureRestore::AllStyles, NeverAsked);

    ASSERT_EQ(1, target.Printed().count);
    EXPECT_EQ(normal.left + 10000, target.Printed().windowRect.left);
    EXPECT_TRUE(::IsIconic(target.Hwnd()));
    EXPECT_EQ(style, ::GetWindowLongA(target.Hwnd(), GWL_STYLE));
    EXPECT_EQ(exStyle, ::GetWindowLongA(target.Hwnd(), GWL_EXSTYLE));
}

namespace {
// A window whose thread answers nothing, as a hung program's; the thread
// lets go by itself after a while, so that a capture waiting for it ends.
class CHungWindow {
public:
    explicit CHungWindow(DWORD style)
        : m_style(style), m_ready(::CreateEventA(nullptr, TRUE, FALSE, nullptr)),
          m_release(::CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
        m_thread = ::CreateThread(nullptr, 0, Run, this, 0, nullptr);
        ::WaitForSingleObject(m_ready, 10000);
    }
    ~CHungWindow() {
        ::SetEvent(m_release);
        ::WaitForSingleObject(m_thread, 20000);
        for (HANDLE h : {m_thread, m_ready, m_release}) ::CloseHandle(h);
    }
    HWND Hwnd() const { return m_hwnd; }

private:
    static DWORD WINAPI Run(void* param) {
        auto* self = static_cast<CHungWindow*>(param);
        self->m_hwnd = ::CreateWindowExA(0, "STATIC", "capture-hung", self->m_style, 100, 100, 200, 120, nullptr,
                                         nullptr, nullptr, nullptr);
        ::SetEvent(self->m_ready);
        ::WaitForSingleObject(self->m_release, 8000);
        ::DestroyWindow(self->m_hwnd);
        return 0;
    }
    DWORD m_style;
    HANDLE m_ready;
    HANDLE m_release;
    HANDLE m_thread = nullptr;
    HWND m_hwnd = nullptr;
};
}  // namespace

// A window that does not answer gives no image (the dialog shows without
// one) instead of stopping the program until it answers; shown or
// minimised alike.
TEST(WindowCapture, AHungWindowGivesNoImage) {
    const DWORD styles[] = {WS_OVERLAPPEDWINDOW | WS_VISIBLE, WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_MINIMIZE};
    for (DWORD style : styles) {
        CPaintedWindow drawing("capture-drawing", 400, 100, 200, 120, RGB(10, 120, 10));
        CCaptureImage image;
        CaptureWindow(image, drawing.Hwnd(), drawing.Hwnd());
        ASSERT_TRUE(image.HasImage());
        CHungWindow hung(style);
        ASSERT_NE(hung.Hwnd(), nullptr);
        CaptureWindow(image, drawing.Hwnd(), hung.Hwnd(), CaptureRestore::Layering, NeverAsked);
        EXPECT_FALSE(image.HasImage()) << std::hex << style;
        // It was left as it was.
        EXPECT_EQ(::IsIconic(hung.Hwnd()) != FALSE, (style & WS_MINIMIZE) != 0) << std::hex << style;
    }
}

TEST(DesktopCapture, CopiesTheScreenAtTheDesktopSize) {
    CPaintedWindow target("capture-desktop", 300, 200, 200, 150, RGB(250, 120, 0));
    ::SetWindowPos(target.Hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ::UpdateWindow(target.Hwnd());
    wintest::Pump(100);

    CCaptureImage image;
    CaptureDesktop(image, target.Hwnd(), ::GetDesktopWindow());

    RECT desktop{};
    ::GetWindowRect(::GetDesktopWindow(), &desktop);
    ASSERT_TRUE(image.HasImage());
    EXPECT_EQ(desktop.right - desktop.left, image.Width());
    EXPECT_EQ(desktop.bottom - desktop.top, image.Height());
    RECT client{};
    ::GetClientRect(target.Hwnd(), &client);
    POINT centre{client.right / 2, client.bottom / 2};
    ::ClientToScreen(target.Hwnd(), &centre);
    EXPECT_EQ(RGB(250, 120, 0), PixelOf(image, centre.x - desktop.left, centre.y - desktop.top));
}

TEST(DesktopCapture, DoesNothingForANonWindow) {
    CCaptureImage image;
    CaptureDesktop(image, nullptr, nullptr);
    EXPECT_FALSE(image.HasImage());
    EXPECT_EQ(nullptr, image.Bitmap());
}

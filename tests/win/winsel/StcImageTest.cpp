// The window image preview: which image it takes for which window, how it
// links thumbnails, and how it paints a still image.
#include <gtest/gtest.h>

#include <windows.h>

#include <ostream>
#include <vector>

#include "WinSelTestSupport.h"
#include "WinTestUtil.h"
#include "platform/GdiHolders.h"
#include "platform/DwmApi.h"
#include "winsel/StcImage.h"

namespace {

struct FitCase {
    SIZE client;
    SIZE image;
    SIZE drawn;
};

void PrintTo(const FitCase& c, std::ostream* os) {
    *os << c.image.cx << "x" << c.image.cy << " in " << c.client.cx << "x" << c.client.cy;
}

class FitImageTest : public ::testing::TestWithParam<FitCase> {};

TEST_P(FitImageTest, DrawsAtTheExpectedSize) {
    const FitCase& c = GetParam();
    const SIZE drawn = FitImage(c.client, c.image);
    EXPECT_EQ(c.drawn.cx, drawn.cx);
    EXPECT_EQ(c.drawn.cy, drawn.cy);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FitImageTest,
    ::testing::Values(FitCase{{90, 84}, {40, 30}, {40, 30}},        // smaller both ways: natural size
                      FitCase{{90, 84}, {90, 30}, {90, 30}},        // as wide: scaled (to the same size)
                      FitCase{{90, 84}, {60, 84}, {60, 84}},        // as high: scaled
                      FitCase{{135, 126}, {1280, 1024}, {135, 108}},  // wider: fitted to the width
                      FitCase{{100, 100}, {200, 400}, {50, 100}},   // taller: fitted to the height
                      FitCase{{100, 100}, {300, 200}, {100, 66}},   // truncated, not rounded
                      FitCase{{100, 100}, {200, 200}, {100, 100}},  // same ratio
                      FitCase{{100, 100}, {0, 0}, {0, 0}}));

// A thumbnail layer that records what is asked of it.
class CFakeLayer : public IThumbnailLayer {
public:
    HRESULT queryResult = S_OK;
    BOOL compositionOn = TRUE;
    HRESULT registerResult = S_OK;

    struct Registration {
        HWND destination;
        HWND source;
        HTHUMBNAIL thumbnail;
    };
    std::vector<Registration> registered;
    std::vector<HTHUMBNAIL> unregistered;
    std::vector<DWM_THUMBNAIL_PROPERTIES> updates;

    HRESULT QueryComposition(BOOL* enabled) override {
        *enabled = compositionOn;
        return queryResult;
    }
    HRESULT Register(HWND destination, HWND source, HTHUMBNAIL* thumbnail) override {
        if (FAILED(registerResult)) return registerResult;
        *thumbnail = reinterpret_cast<HTHUMBNAIL>(static_cast<INT_PTR>(registered.size() + 1));
        registered.push_back({destination, source, *thumbnail});
        return S_OK;
    }
    HRESULT Unregister(HTHUMBNAIL thumbnail) override {
        unregistered.push_back(thumbnail);
        return S_OK;
    }
    HRESULT Update(HTHUMBNAIL, const DWM_THUMBNAIL_PROPERTIES& properties) override {
        updates.push_back(properties);
        return S_OK;
    }
};

// A host window with the preview control as its child.
class CPreviewHost {
public:
    CPreviewHost(int width, int height)
        : m_host("preview-host", 40, 40, 420, 360, RGB(255, 255, 255)),
          m_control(::CreateWindowExA(0, "Static", "", WS_CHILD | WS_VISIBLE, 20, 30, width, height, m_host.Hwnd(),
                                      nullptr, ::GetModuleHandleA(nullptr), nullptr)) {}
    HWND Host() const { return m_host.Hwnd(); }
    HWND Control() const { return m_control; }

private:
    CPaintedWindow m_host;
    HWND m_control;
};

COLORREF ScreenPixel(HWND hwnd, int x, int y) {
    CWindowDC dc(hwnd);
    return ::GetPixel(dc.Get(), x, y);
}

}  // namespace

TEST(StcImage, ComposedWindowGetsAThumbnailOverTheControl) {
    CFakeLayer layer;
    CPreviewHost host(90, 84);
    CPaintedWindow target("thumbnail-source", 500, 300, 300, 200, RGB(0, 128, 0));
    CPaintedWindow second("thumbnail-second", 520, 320, 200, 100, RGB(0, 0, 128));
    CStcImage preview(layer);
    ASSERT_TRUE(preview.Attach(host.Control()));

    preview.SetTargetWindow(target.Hwnd());
    ASSERT_EQ(1u, layer.registered.size());
    // Without a destination of its own: the control's top-level parent.
    EXPECT_EQ(host.Host(), layer.registered[0].destination);
    EXPECT_EQ(target.Hwnd(), layer.registered[0].source);
    EXPECT_TRUE(preview.HasThumbnail());
    EXPECT_FALSE(preview.Image().HasImage());
    ASSERT_EQ(1u, layer.updates.size());
    const DWM_THUMBNAIL_PROPERTIES& p = layer.updates[0];
    EXPECT_EQ(0x1Du, p.dwFlags);
    EXPECT_EQ(255, p.opacity);
    EXPECT_TRUE(p.fVisible);
    EXPECT_FALSE(p.fSourceClientAreaOnly);
    EXPECT_EQ(20, p.rcDestination.left);
    EXPECT_EQ(30, p.rcDestination.top);
    EXPECT_EQ(110, p.rcDestination.right);
    EXPECT_EQ(114, p.rcDestination.bottom);

    // The next window replaces the thumbnail, on the destination set now.
    preview.m_hThumbDest = second.Hwnd();
    preview.SetTargetWindow(second.Hwnd());
    ASSERT_EQ(2u, layer.registered.size());
    EXPECT_EQ(second.Hwnd(), layer.registered[1].destination);
    ASSERT_EQ(1u, layer.unregistered.size());
    EXPECT_EQ(layer.registered[0].thumbnail, layer.unregistered[0]);

    // The desktop is never a thumbnail.
    preview.SetTargetWindow(::GetDesktopWindow());
    EXPECT_EQ(2u, layer.registered.size());
    EXPECT_FALSE(preview.HasThumbnail());
    EXPECT_TRUE(preview.Image().HasImage());
    EXPECT_EQ(2u, layer.unregistered.size());

    // Null clears both.
    preview.SetTargetWindow(target.Hwnd());
    preview.SetTargetWindow(nullptr);
    EXPECT_FALSE(preview.HasThumbnail());
    EXPECT_FALSE(preview.Image().HasImage());
    EXPECT_EQ(3u, layer.unregistered.size());
}

TEST(StcImage, ShowsNothingWhenTheThumbnailCannotBeLinked) {
    CFakeLayer layer;
    layer.registerResult = E_FAIL;
    CPreviewHost host(90, 84);
    CPaintedWindow target("thumbnail-refused", 500, 300, 300, 200, RGB(0, 128, 0));
    CStcImage preview(layer);
    preview.Attach(host.Control());

    preview.SetTargetWindow(target.Hwnd());
    EXPECT_FALSE(preview.HasThumbnail());
    EXPECT_FALSE(preview.Image().HasImage());
    EXPECT_TRUE(layer.updates.empty());
}

// What the composition query says decides between a capture and nothing.
struct QueryCase {
    const char* name;
    HRESULT result;
    BOOL enabled;
    bool captured;
    bool targetRemembered;
};

void PrintTo(const QueryCase& c, std::ostream* os) { *os << c.name; }

class StcImageQuery : public ::testing::TestWithParam<QueryCase> {};

TEST_P(StcImageQuery, CapturesOrKeepsWhatItHad) {
    const QueryCase& c = GetParam();
    CFakeLayer layer;
    CPreviewHost host(90, 84);
    CPaintedWindow before("query-before", 500, 300, 120, 100, RGB(0, 0, 0));
    CPaintedWindow target("query-target", 500, 300, 300, 200, RGB(0, 128, 0));
    CStcImage preview(layer);
    preview.Attach(host.Control());
    preview.SetTargetWindow(::GetDesktopWindow());
    const HBITMAP earlier = preview.Image().Bitmap();

    layer.queryResult = c.result;
    layer.compositionOn = c.enabled;
    preview.SetTargetWindow(target.Hwnd());

    EXPECT_TRUE(layer.registered.empty());
    EXPECT_EQ(c.targetRemembered ? target.Hwnd() : nullptr, preview.TargetWindow());
    if (c.captured) {
        EXPECT_EQ(300, preview.Image().Width());
        EXPECT_EQ(200, preview.Image().Height());
    } else {
        EXPECT_EQ(earlier, preview.Image().Bitmap());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StcImageQuery,
    ::testing::Values(QueryCase{"compositionOff", S_OK, FALSE, true, true},
                      QueryCase{"layerUnavailable", IThumbnailLayer::kUnavailable, FALSE, true, false},
                      QueryCase{"queryFailed", E_FAIL, TRUE, false, false}),
    [](const ::testing::TestParamInfo<QueryCase>& info) { return std::string(info.param.name); });

// Under Wine the system layer reports composition off: a still image.
TEST(StcImage, SystemLayerWithoutCompositionTakesAStillImage) {
    CPreviewHost host(90, 84);
    CPaintedWindow target("system-layer", 500, 300, 300, 200, RGB(0, 128, 0));
    CStcImage preview;
    preview.Attach(host.Control());
    preview.SetTargetWindow(target.Hwnd());
    if (CDwmApi::Instance().IsCompositionEnabled()) GTEST_SKIP() << "composition is on";
    EXPECT_FALSE(preview.HasThumbnail());
    EXPECT_EQ(300, preview.Image().Width());
    EXPECT_EQ(200, preview.Image().Height());
}

// A small image is painted at its natural size in the top-left corner; a
// large one is scaled to the control's width, its height in proportion.
TEST(StcImage, PaintsUnscaledOrScaledToFit) {
    const COLORREF colour = RGB(200, 30, 160);
    CPreviewHost host(300, 280);
    CStcImage preview;
    preview.Attach(host.Control());

    CPaintedWindow small("paint-small", 600, 500, 160, 120, colour);
    preview.SetTargetWindow(small.Hwnd());
    ::UpdateWindow(host.Host());
    wintest::Pump(50);
    EXPECT_EQ(colour, ScreenPixel(host.Control(), 80, 80));    // inside the image
    EXPECT_NE(colour, ScreenPixel(host.Control(), 200, 80));   // right of it
    EXPECT_NE(colour, ScreenPixel(host.Control(), 80, 200));   // below it

    ::MoveWindow(host.Control(), 20, 30, 90, 84, TRUE);
    CPaintedWindow large("paint-large", 300, 300, 400, 300, colour);
    preview.SetTargetWindow(large.Hwnd());
    ::UpdateWindow(host.Host());
    wintest::Pump(50);
    // Drawn 90 x trunc(300 * 90 / 400) = 90 x 67.
    EXPECT_EQ(colour, ScreenPixel(host.Control(), 45, 50));
    EXPECT_NE(colour, ScreenPixel(host.Control(), 45, 75));
}

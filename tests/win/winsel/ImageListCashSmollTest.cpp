// The small-icon cache: one image per key, the desktop icon, the error
// icon with its trace line.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "data/Trace.h"
#include "platform/GdiHolders.h"
#include "winsel/ImageListCashSmoll.h"

namespace {

std::string OwnPath() {
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

// Collects the trace output while it lives.
class CTraceCapture {
public:
    CTraceCapture() {
        m_wasEnabled = TraceEnabled();
        TraceEnable(true);
        TraceSetSink(&CTraceCapture::Sink, this);
    }
    ~CTraceCapture() {
        TraceSetSink(nullptr, nullptr);
        TraceEnable(m_wasEnabled);
    }
    const std::string& Text() const { return m_text; }

private:
    static void Sink(const char* text, void* context) { static_cast<CTraceCapture*>(context)->m_text += text; }
    std::string m_text;
    bool m_wasEnabled = false;
};

// Image 0 of `images` drawn on white, as pixel values.
std::vector<COLORREF> Rendered(HIMAGELIST images) {
    CWindowDC screen(nullptr);
    CMemoryDC dc(screen.Get());
    CBitmap bitmap(::CreateCompatibleBitmap(screen.Get(), 16, 16));
    CSelectObject select(dc.Get(), bitmap.Get());
    RECT all{0, 0, 16, 16};
    ::FillRect(dc.Get(), &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::ImageList_Draw(images, 0, dc.Get(), 0, 0, ILD_NORMAL);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) pixels.push_back(::GetPixel(dc.Get(), x, y));
    return pixels;
}

}  // namespace

TEST(ImageListCashSmoll, StartsEmptyWithSmallWhiteBackedImages) {
    CImageListCashSmoll cache;
    ASSERT_NE(nullptr, cache.ImageList());
    int cx = 0, cy = 0;
    ASSERT_TRUE(::ImageList_GetIconSize(cache.ImageList(), &cx, &cy));
    EXPECT_EQ(16, cx);
    EXPECT_EQ(16, cy);
    EXPECT_EQ(0, ::ImageList_GetImageCount(cache.ImageList()));
    EXPECT_EQ(RGB(255, 255, 255), ::ImageList_GetBkColor(cache.ImageList()));
}

TEST(ImageListCashSmoll, LoadsEachKeyOnceInOrderOfFirstUse) {
    CImageListCashSmoll cache;
    CTraceCapture trace;
    const std::string exe = OwnPath();
    const std::string missing = "C:\\no\\such\\program.exe";

    EXPECT_EQ(0, cache.GetIconIndex("DESKTOP"));
    EXPECT_EQ(1, cache.GetIconIndex(exe));
    EXPECT_EQ(2, cache.GetIconIndex(missing));
    EXPECT_EQ(1, cache.GetIconIndex(exe));
    EXPECT_EQ(0, cache.GetIconIndex("DESKTOP"));
    EXPECT_EQ(2, cache.GetIconIndex(missing));
    EXPECT_EQ(3, ::ImageList_GetImageCount(cache.ImageList()));

    // Only the program without an icon is reported, once; it is cached
    // with the error icon like any other key.
    EXPECT_EQ("ICON get fail path =" + missing + "\n", trace.Text());
}

TEST(ImageListCashSmoll, KeysAreComparedByteForByte) {
    CImageListCashSmoll cache;
    const std::string exe = OwnPath();
    std::string upper = exe;
    for (char& c : upper) c = static_cast<char>(::toupper(static_cast<unsigned char>(c)));
    ASSERT_NE(exe, upper);
    EXPECT_EQ(0, cache.GetIconIndex(exe));
    EXPECT_EQ(1, cache.GetIconIndex(upper));
}

TEST(ImageListCashSmoll, ErrorIconIsTheSystemsHandIcon) {
    CImageListCashSmoll cache;
    ASSERT_EQ(0, cache.GetIconIndex("Z:\\nowhere\\missing.exe"));

    CImageListCashSmoll reference;
    ::ImageList_AddIcon(reference.ImageList(), ::LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_HAND)));
    const std::vector<COLORREF> hand = Rendered(reference.ImageList());
    EXPECT_NE(std::count(hand.begin(), hand.end(), RGB(255, 255, 255)), static_cast<long>(hand.size()));
    EXPECT_EQ(hand, Rendered(cache.ImageList()));
}

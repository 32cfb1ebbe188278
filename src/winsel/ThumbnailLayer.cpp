#include "winsel/ThumbnailLayer.h"

#include "platform/DwmApi.h"

namespace {

class CSystemThumbnailLayer : public IThumbnailLayer {
public:
    HRESULT QueryComposition(BOOL* enabled) override {
        const HRESULT hr = Api().QueryCompositionEnabled(enabled);
        return hr == CDwmApi::kMissing ? kUnavailable : hr;
    }
    HRESULT Register(HWND destination, HWND source, HTHUMBNAIL* thumbnail) override {
        return Api().RegisterThumbnail(destination, source, thumbnail);
    }
    HRESULT Unregister(HTHUMBNAIL thumbnail) override { return Api().UnregisterThumbnail(thumbnail); }
    HRESULT Update(HTHUMBNAIL thumbnail, const DWM_THUMBNAIL_PROPERTIES& properties) override {
        return Api().UpdateThumbnailProperties(thumbnail, properties);
    }

private:
    static const CDwmApi& Api() { return CDwmApi::Instance(); }
};

}  // namespace

IThumbnailLayer& SystemThumbnailLayer() {
    static CSystemThumbnailLayer layer;
    return layer;
}

RECT RectInClientOf(HWND child, HWND other) {
    RECT rect{};
    ::GetWindowRect(child, &rect);
    POINT origin{0, 0};
    ::ClientToScreen(other, &origin);
    ::OffsetRect(&rect, -origin.x, -origin.y);
    return rect;
}

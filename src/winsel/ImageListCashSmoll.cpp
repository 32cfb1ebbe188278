#include "winsel/ImageListCashSmoll.h"

#include "data/PvTypes.h"
#include "data/Trace.h"
#include "platform/Dialog.h"
#include "platform/Dpi.h"
#include "platform/LocalPath.h"
#include "res/resource.h"

namespace {
constexpr int kGrowBy = 50;
}  // namespace

CImageListCashSmoll::CImageListCashSmoll()
    : m_iconSize(ScaleForDpi(16, SystemDpi())),  // small icons at the screen's scaling
      m_images(::ImageList_Create(m_iconSize, m_iconSize, ILC_COLORDDB, 0, kGrowBy)) {
    ::ImageList_SetBkColor(m_images, RGB(255, 255, 255));
}

CImageListCashSmoll::~CImageListCashSmoll() {
    if (m_images) ::ImageList_Destroy(m_images);
}

int CImageListCashSmoll::GetIconIndex(const std::string& key) {
    for (size_t i = 0; i < m_keys.size(); ++i) {
        if (m_keys[i] == key) return static_cast<int>(i);
    }
    bool shared = false;
    HICON icon = LoadIconFor(key, &shared);
    if (!icon) return -1;
    // The image list keeps a copy of the icon.
    const int index = ::ImageList_AddIcon(m_images, icon);
    if (!shared) ::DestroyIcon(icon);
    // A key without an image would put every later key beside the wrong
    // image: keys are only kept together with theirs.
    if (index < 0) return -1;
    m_keys.push_back(key);
    return index;
}

HICON CImageListCashSmoll::LoadIconFor(const std::string& key, bool* shared) const {
    if (key == kDesktopName) {
        auto icon = static_cast<HICON>(::LoadImageW(AppInstance(), MAKEINTRESOURCEW(IDI_DESKTOP), IMAGE_ICON,
                                                    m_iconSize, m_iconSize, 0));
        if (!icon) Trace("ICON get fail(LoadIcon) path =%s\n", key.c_str());
        return icon;
    }
    // The key may come from an imported file or another program: only a
    // local file's icon is asked of the shell; any other gets the error icon.
    if (HICON icon = ShellSmallIcon(key)) return icon;
    Trace("ICON get fail path =%s\n", key.c_str());
    // The system's own icon: shared, never destroyed.
    *shared = true;
    return ::LoadIconW(nullptr, IDI_HAND);
}

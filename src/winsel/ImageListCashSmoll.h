// Small (16 x 16) program icons keyed by executable path, for the small
// image list of a list control. Each key is loaded once; the cache only
// grows.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

class CImageListCashSmoll {
public:
    CImageListCashSmoll();
    virtual ~CImageListCashSmoll();
    CImageListCashSmoll(const CImageListCashSmoll&) = delete;
    CImageListCashSmoll& operator=(const CImageListCashSmoll&) = delete;

    // The image index for an executable path, or for "DESKTOP" the
    // program's desktop icon; -1 when no image could be had. A file
    // without an icon gets the system's error icon.
    int GetIconIndex(const std::string& key);

    // The image list, for a list control's small image list. It stays the
    // cache's: the control must share it (LVS_SHAREIMAGELISTS).
    HIMAGELIST ImageList() const { return m_images; }

private:
    HICON LoadIconFor(const std::string& key, bool* shared) const;

    int m_iconSize;  // pixels, both ways
    HIMAGELIST m_images = nullptr;
    std::vector<std::string> m_keys;  // key i belongs to image i
};

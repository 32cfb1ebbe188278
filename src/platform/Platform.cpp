#include "platform/Platform.h"

#include "data/RecordDefaults.h"
#include "data/VersionText.h"
#include "data/VolumeKey.h"

#include <windows.h>

#include <cstdio>
#include <vector>

bool QueryVolumeSerial(char drive, uint32_t* serial) {
    char root[4] = {drive, ':', '\\', '\0'};
    DWORD vsn = 0;
    // No "insert a disk" box for an empty drive.
    UINT old = ::SetErrorMode(SEM_FAILCRITICALERRORS);
    BOOL ok = ::GetVolumeInformationA(root, nullptr, 0, &vsn, nullptr, nullptr, nullptr, 0);
    ::SetErrorMode(old);
    if (!ok) return false;
    *serial = vsn;
    return true;
}

std::string ReadVersionText() {
    char path[MAX_PATH * 2] = {};
    if (!::GetModuleFileNameA(nullptr, path, sizeof path)) return std::string();
    DWORD handle = 0;
    DWORD size = ::GetFileVersionInfoSizeA(path, &handle);
    if (size == 0) return std::string();
    std::vector<char> block(size);
    if (!::GetFileVersionInfoA(path, 0, size, block.data())) return std::string();

    struct Translation {
        WORD language;
        WORD codePage;
    };
    Translation* tr = nullptr;
    UINT len = 0;
    if (!::VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&tr), &len) ||
        len < sizeof(Translation))
        return std::string();

    char lang[16];
    std::snprintf(lang, sizeof lang, "%04x%04x", tr[0].language, tr[0].codePage);
    char sub[64];
    std::snprintf(sub, sizeof sub, "\\StringFileInfo\\%s\\%s", lang, "ProductVersion");
    char* value = nullptr;
    if (!::VerQueryValueA(block.data(), sub, reinterpret_cast<void**>(&value), &len) || !value)
        return std::string();
    char text[256];
    std::snprintf(text, sizeof text, "Ver.:%s", value);
    return text;
}

void InstallPlatformServices() {
    SetVolumeSerialProvider(QueryVolumeSerial);
    SetVersionText(ReadVersionText());

    HDC screen = ::GetDC(nullptr);
    int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ::ReleaseDC(nullptr, screen);
    CRecordDefaults::SetFontHeight(-::MulDiv(9, dpi, 72));
}

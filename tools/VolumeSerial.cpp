#include "VolumeSerial.h"

#include "data/VolumeKey.h"

#ifdef _WIN32
#include <windows.h>

namespace {

bool GetSerial(char drive, std::uint32_t* serial) {
    const char root[] = {drive, ':', '\\', '\0'};
    // No "insert a disk" dialog for an empty or missing drive.
    const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    DWORD value = 0;
    const BOOL ok = GetVolumeInformationA(root, nullptr, 0, &value, nullptr, nullptr, nullptr, 0);
    SetErrorMode(oldMode);
    if (!ok) return false;
    *serial = value;
    return true;
}

}  // namespace

void InstallVolumeSerialProvider() { SetVolumeSerialProvider(&GetSerial); }

#else

void InstallVolumeSerialProvider() {}

#endif

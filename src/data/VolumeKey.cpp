#include "data/VolumeKey.h"

#include "data/Trace.h"

namespace {
VolumeSerialProvider g_provider = nullptr;
}

void SetVolumeSerialProvider(VolumeSerialProvider provider) { g_provider = provider; }

std::uint32_t VolumeKeyForPath(const std::string& path) {
    std::uint32_t key = 0;
    if (g_provider != nullptr && !path.empty() && !g_provider(path[0], &key)) key = 0;
    Trace("VolumeSerialNumber=0x%08x\n", static_cast<unsigned>(key));
    return key;
}

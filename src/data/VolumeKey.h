// The key that scrambles note bodies: the serial number of the volume that
// holds the file. The platform layer supplies the serial numbers.
#pragma once

#include <cstdint>
#include <string>

// Looks up the serial number of the volume whose root is "<drive>:\";
// returns false when it cannot be obtained.
using VolumeSerialProvider = bool (*)(char driveLetter, std::uint32_t* serial);

// Installs the provider (null: every key is 0).
void SetVolumeSerialProvider(VolumeSerialProvider provider);

// Serial number of the drive named by the first character of `path`, or 0
// when unavailable. Traces the value.
std::uint32_t VolumeKeyForPath(const std::string& path);

// Win32 services that the portable core reaches through hooks.
#pragma once

#include <cstdint>
#include <string>

// Serial number of the volume whose root is "<drive>:\"; false when unknown.
bool QueryVolumeSerial(char drive, uint32_t* serial);

// "Ver.:" and the ProductVersion of this program's version resource, or an
// empty string when the resource cannot be read.
std::string ReadVersionText();

// Hands the atomic file writer the system's file flush, replace (in one
// step), copy and link operations.
void InstallFileServices();

// Hands the core what it needs from the system: the file flush, replace,
// copy and link operations of the atomic file writer, the volume serial
// query, the version text and the screen-dependent default font height.
void InstallPlatformServices();

// The fixed files of the program, all in the current directory (made the
// program's directory at start).
#pragma once

#include <string>

inline constexpr const char* kDataFileName = "\\PinvaneData.ini";
inline constexpr const char* kPropatyFileName = "\\MossrelPropaty.ini";
inline constexpr const char* kPresetFileName = "\\MossrelPreset.ini";
inline constexpr const char* kPendingFileName = "\\MossrelPendingList.ini";

// The current directory with `name` appended.
std::string CurrentDirFile(const char* name);

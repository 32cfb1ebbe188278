// The fixed files of the program, all in the program's own directory.
#pragma once

#include <string>

inline constexpr const char* kDataFileName = "\\PinvaneData.ini";
inline constexpr const char* kPropatyFileName = "\\MossrelPropaty.ini";
inline constexpr const char* kPresetFileName = "\\MossrelPreset.ini";
inline constexpr const char* kPendingFileName = "\\MossrelPendingList.ini";

// The current directory with `name` appended.
std::string CurrentDirFile(const char* name);

// The program file's full path, whatever its length and characters.
std::wstring ModulePathWide();

// The directory of the program file (without a trailing backslash), from
// its full path, whatever its characters. Empty when it cannot be had.
std::string ModuleDirectory();

// The directory the program's files live in, set once at start (an empty
// one means the current directory, as in the tests).
void SetAppDirectory(const std::string& dir);

// The full path of the program's file `name` ("\\PinvaneData.ini"): the
// directory set at start, else the current directory, with `name` appended.
std::string AppFile(const char* name);

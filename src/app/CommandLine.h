// Start-up helpers that work on plain values: the argument scan and the
// program directory.
#pragma once

#include <string>

// Traces every argument after the program name ("%d番目の引数" label) and
// returns whether one of them is exactly the debug switch "-D119".
bool ScanArgumentsForDebug(int argc, char** argv);

// The directory part of a program path: everything before the last
// backslash (never a trail byte of a double-byte character), or an empty
// string when there is none.
std::string DirectoryOfPath(const std::string& path);

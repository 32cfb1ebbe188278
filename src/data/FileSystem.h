// File operations on paths given as the program's texts (UTF-8). On
// Windows they go through the C runtime's wide functions, so a folder
// named in any script works; elsewhere the paths are used as they are.
#pragma once

#include <cstdio>
#include <string>

std::FILE* OpenFile(const std::string& path, const char* mode);
// Opens `path` for writing only if no file of that name exists (a link
// counts as one); null otherwise, errno telling why.
std::FILE* CreateNewFile(const std::string& path);
bool RemoveFile(const std::string& path);
// Renames `from` to `to`; where the C runtime refuses an existing target
// (Windows), that is a failure.
bool RenameFile(const std::string& from, const std::string& to);

enum class PathKind { Missing, File, Other };
PathKind KindOfPath(const std::string& path);

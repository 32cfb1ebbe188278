// The platform's open and save file dialogs, as the collection panels use
// them: a filter given as "name|pattern|...||", a default extension, no
// initial file name and the read-only box hidden.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

// Asks for a path; false when cancelled. Replaceable in tests.
using PathChooser = std::function<bool(HWND owner, std::string* path)>;

// A save dialog that asks before an existing file is replaced.
PathChooser SaveFileChooser(const char* filter, const char* defaultExt);
PathChooser OpenFileChooser(const char* filter, const char* defaultExt);

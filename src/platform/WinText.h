// The one conversion between the program's texts (std::string) and the
// UTF-16 texts of the wide Win32 functions. Every …W call takes its text
// through WideOf and hands its result back through TextOf.
#pragma once

#include <string>
#include <string_view>

std::wstring WideOf(std::string_view text);
std::string TextOf(std::wstring_view wide);

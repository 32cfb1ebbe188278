// Conversion between Shift-JIS (code page 932) and UTF-8 for the tools.
#pragma once

#include <string>
#include <string_view>

// False when the input is not valid in its encoding or a character has no
// equivalent in the other one.
bool Cp932ToUtf8(std::string_view cp932, std::string* utf8);
bool Utf8ToCp932(std::string_view utf8, std::string* cp932);

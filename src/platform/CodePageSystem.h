// Windows' conversions between a code page (CP_UTF8 for the program's
// texts, 932 for the files) and UTF-16: the one place that calls
// MultiByteToWideChar and WideCharToMultiByte.
#pragma once

#include <string>
#include <string_view>

std::wstring Utf16Of(unsigned codePage, std::string_view bytes);
std::string BytesOf(unsigned codePage, std::wstring_view utf16);

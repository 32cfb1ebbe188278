#include "data/PvLogFont.h"

#include <algorithm>
#include <cstring>

#include "data/MbString.h"

std::string_view FaceNameOf(const PvLogFont& font) {
    const char* begin = font.lfFaceName;
    const char* end = std::find(begin, begin + sizeof font.lfFaceName, '\0');
    return std::string_view(begin, static_cast<std::size_t>(end - begin));
}

void SetFaceName(PvLogFont& font, std::string_view name) {
    std::memset(font.lfFaceName, 0, sizeof font.lfFaceName);
    std::memcpy(font.lfFaceName, name.data(), MbFitLength(name, kFaceNameMaxBytes));
}

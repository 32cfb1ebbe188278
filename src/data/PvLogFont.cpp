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
    std::size_t bytes = 0;
    std::size_t units = 0;
    while (bytes < name.size()) {
        const std::size_t len = MbCharLength(name, bytes);
        const std::size_t charUnits = len == 4 ? 2 : 1;
        if (units + charUnits > kFaceNameMaxUnits || bytes + len >= sizeof font.lfFaceName) break;
        bytes += len;
        units += charUnits;
    }
    std::memcpy(font.lfFaceName, name.data(), bytes);
}

// Process-wide defaults that new note records take and that depend on the
// running system: the font height for the screen's resolution and the
// leader-line width chosen in the settings. The application sets them; a
// record built before keeps what it got.
#pragma once

#include <cstdint>

#include "data/PvLogFont.h"

class CRecordDefaults {
public:
    // Height of a 9-point font at `dpi` vertical pixels per inch:
    // -MulDiv(9, dpi, 72).
    static std::int32_t FontHeightForDpi(int dpi);

    // Default font height; -12 (96 dpi) until set.
    static void SetFontHeight(std::int32_t height);
    static std::int32_t FontHeight();

    // Leader-line width of new records (the ARROWLINEWIDTH setting); 1
    // until set.
    static void SetArrowLineWidth(std::int32_t width);
    static std::int32_t ArrowLineWidth();

    // The default font: 9 points, weight 400, Shift-JIS, "ＭＳ Ｐゴシック".
    static PvLogFont DefaultFont();
    static const char* DefaultFaceName();
};

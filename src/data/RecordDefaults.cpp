#include "data/RecordDefaults.h"

namespace {

struct Defaults {
    std::int32_t fontHeight = -12;
    std::int32_t arrowLineWidth = 1;
};

Defaults& Current() {
    static Defaults defaults;
    return defaults;
}

// MulDiv: a * b / c rounded to the nearest integer, halves away from zero.
std::int32_t MulDiv(std::int32_t a, std::int32_t b, std::int32_t c) {
    if (c == 0) return -1;
    const long long p = static_cast<long long>(a) * b;
    const long long half = (c > 0 ? c : -c) / 2;
    const bool negative = (p < 0) != (c < 0);
    const long long ap = p < 0 ? -p : p;
    const long long ac = c < 0 ? -static_cast<long long>(c) : c;
    const long long q = (ap + half) / ac;
    return static_cast<std::int32_t>(negative ? -q : q);
}

}  // namespace

std::int32_t CRecordDefaults::FontHeightForDpi(int dpi) { return -MulDiv(9, dpi, 72); }

void CRecordDefaults::SetFontHeight(std::int32_t height) { Current().fontHeight = height; }
std::int32_t CRecordDefaults::FontHeight() { return Current().fontHeight; }

void CRecordDefaults::SetArrowLineWidth(std::int32_t width) { Current().arrowLineWidth = width; }
std::int32_t CRecordDefaults::ArrowLineWidth() { return Current().arrowLineWidth; }

const char* CRecordDefaults::DefaultFaceName() { return "ＭＳ Ｐゴシック"; }

PvLogFont CRecordDefaults::DefaultFont() {
    PvLogFont font;
    font.lfHeight = FontHeight();
    font.lfWeight = 400;
    font.lfCharSet = kShiftJisCharset;
    SetFaceName(font, DefaultFaceName());
    return font;
}

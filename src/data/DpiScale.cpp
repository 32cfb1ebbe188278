#include "data/DpiScale.h"

#include <cstdint>
#include <limits>

namespace {

unsigned OrBase(unsigned dpi) { return dpi == 0 ? kBaseDpi : dpi; }

// value * num / den rounded half away from zero, clamped to int.
int MulDivRound(int value, unsigned num, unsigned den) {
    const std::int64_t product = std::int64_t{value} * num;
    const std::int64_t half = den / 2;
    const std::int64_t q = product >= 0 ? (product + half) / den : -((-product + half) / den);
    if (q > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    if (q < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
    return static_cast<int>(q);
}

}  // namespace

int ScaleForDpi(int value, unsigned dpi) { return MulDivRound(value, OrBase(dpi), kBaseDpi); }

int UnscaleForDpi(int value, unsigned dpi) { return MulDivRound(value, kBaseDpi, OrBase(dpi)); }

PvLogFont FontAtDpi(const PvLogFont& stored, unsigned dpi) {
    PvLogFont font = stored;
    font.lfHeight = ScaleForDpi(stored.lfHeight, dpi);
    font.lfWidth = ScaleForDpi(stored.lfWidth, dpi);
    return font;
}

PvLogFont FontAt96(const PvLogFont& shown, unsigned dpi) {
    PvLogFont font = shown;
    font.lfHeight = UnscaleForDpi(shown.lfHeight, dpi);
    font.lfWidth = UnscaleForDpi(shown.lfWidth, dpi);
    return font;
}

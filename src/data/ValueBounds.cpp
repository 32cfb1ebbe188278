#include "data/ValueBounds.h"

#include <algorithm>
#include <type_traits>

#include "data/NoteFields.h"
#include "data/SettingsFile.h"

namespace {

template <class T>
void Bound(std::string_view key, T& value) {
    value = static_cast<T>(BoundValue(key, static_cast<std::int32_t>(value)));
}

void BoundFont(PvLogFont& font) {
    Bound("FONTHEIGHT", font.lfHeight);
    Bound("FONTWEIGHT", font.lfWeight);
    Bound("FONTWIDTH", font.lfWidth);
    Bound("FONTESCAPEMENT", font.lfEscapement);
    Bound("FONTORIENTATION", font.lfOrientation);
}

}  // namespace

std::int32_t BoundValue(std::string_view key, std::int32_t value) {
    for (const ValueBound& b : kValueBounds) {
        if (key == b.key) return std::clamp(value, b.min, b.max);
    }
    return value;
}

PvRect BoundNoteRect(std::int64_t left, std::int64_t top, std::int64_t width, std::int64_t height) {
    width = std::clamp<std::int64_t>(width, 0, kMaxNoteExtent);
    height = std::clamp<std::int64_t>(height, 0, kMaxNoteExtent);
    left = std::clamp<std::int64_t>(left, -kMaxCoordinate, kMaxCoordinate - width);
    top = std::clamp<std::int64_t>(top, -kMaxCoordinate, kMaxCoordinate - height);
    return PvRect{static_cast<std::int32_t>(left), static_cast<std::int32_t>(top),
                  static_cast<std::int32_t>(left + width), static_cast<std::int32_t>(top + height)};
}

void BoundRecord(CTackletData& note) {
    VisitNoteFields([&](const NoteField& field, auto get) {
        auto& value = get(note);
        using T = std::remove_reference_t<decltype(value)>;
        if constexpr (std::is_same_v<T, std::int32_t>) value = BoundValue(field.key, value);
    });
    BoundFont(note.m_logFont);
    note.SetNoteRect(BoundNoteRect(note.REC_LEFT, note.REC_TOP, std::int64_t{note.REC_RIGHT} - note.REC_LEFT,
                                   std::int64_t{note.REC_BOTTOM} - note.REC_TOP));
}

void BoundSettings(CSettingsData& settings, CTackletData& templ) {
    Bound("POSINTERVAL", settings.POSINTERVAL);
    Bound("INIWIDTH", settings.INIWIDTH);
    Bound("INIHEIGHT", settings.INIHEIGHT);
    Bound("MODIFIERS", settings.HK_PAST_MODIFIERS);
    Bound("KEY", settings.HK_PAST_KEY);
    Bound("MODIFIERS", settings.HK_PASTDT_MODIFIERS);
    Bound("KEY", settings.HK_PASTDT_KEY);
    Bound("KEEPDAYS", settings.TRASHDAYS);
    Bound("TRANSPARENT", templ.TRANSPARENT_);
    BoundFont(templ.m_logFont);
}

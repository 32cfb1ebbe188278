// The keys of the settings file, each described once: its section and key,
// the member that holds it (of the settings or of the note template), and
// what a reader takes when the key is missing. The reader and the writer
// walk this table; the writer writes the keys in table order.
#pragma once

#include <cstdint>

#include "data/SettingsFile.h"

struct SettingsField {
    enum Read : unsigned {
        kKeep,      // a missing key keeps the held value
        kDefault,   // a missing key gives readDefault
        kNotRead,   // never read: always readDefault after reading
        kFontPart,  // read only with a face name, then with readDefault
    };
    const char* section;
    const char* key;
    Read read = kKeep;
    std::int32_t readDefault = 0;
    std::int32_t (*clamp)(std::int32_t) = nullptr;
};

// Calls visit(field, get) for every key in file order; get(settings, templ)
// gives the key's member (const or not). FONTFACENAME gives the template's
// whole PvLogFont.
template <class Visit>
void VisitSettingsFields(Visit&& visit) {
    using F = SettingsField;
    constexpr const char* kSystem = "SYSTEM";
#define PV_SETTING(member) [](auto& s, auto&) -> auto& { return s.member; }
#define PV_TEMPLATE(member) [](auto&, auto& t) -> auto& { return t.member; }
    visit(F{kSystem, "SAVETIMING", F::kNotRead, 0}, PV_SETTING(SAVETIMING));
    visit(F{kSystem, "TRANSPARENT", F::kDefault, 70, &CTackletData::ClampTransparent}, PV_TEMPLATE(TRANSPARENT_));
    visit(F{kSystem, "COLOR"}, PV_TEMPLATE(COLOR));
    visit(F{kSystem, "FRAME"}, PV_TEMPLATE(FRAME));
    visit(F{kSystem, "BKCOLOR"}, PV_TEMPLATE(BKCOLOR));
    visit(F{kSystem, "GRAFLG"}, PV_TEMPLATE(GRAFLG));
    visit(F{kSystem, "GRAPTN"}, PV_TEMPLATE(GRAPTN));
    visit(F{kSystem, "TXCOLOR"}, PV_TEMPLATE(TXCOLOR));
    visit(F{kSystem, "PICKPOS"}, PV_TEMPLATE(PICKPOS));
    visit(F{kSystem, "FONTFACENAME"}, PV_TEMPLATE(m_logFont));
    visit(F{kSystem, "FONTHEIGHT", F::kFontPart}, PV_TEMPLATE(m_logFont.lfHeight));
    visit(F{kSystem, "FONTWEIGHT", F::kFontPart}, PV_TEMPLATE(m_logFont.lfWeight));
    visit(F{kSystem, "FONTITALIC", F::kFontPart}, PV_TEMPLATE(m_logFont.lfItalic));
    visit(F{kSystem, "ARWFLAG"}, PV_TEMPLATE(m_arrow.ARWFLAG));
    visit(F{kSystem, "INIHEIGHT"}, PV_SETTING(INIHEIGHT));
    visit(F{kSystem, "INIWIDTH"}, PV_SETTING(INIWIDTH));
    visit(F{kSystem, "ARROWLINEWIDTH"}, PV_SETTING(ARROWLINEWIDTH));
    visit(F{kSystem, "POSINTERVAL"}, PV_SETTING(POSINTERVAL));
    visit(F{"HK_PAST", "MODIFIERS", F::kDefault, 8}, PV_SETTING(HK_PAST_MODIFIERS));      // Win
    visit(F{"HK_PAST", "KEY", F::kDefault, 83}, PV_SETTING(HK_PAST_KEY));                 // 'S'
    visit(F{"HK_PASTDT", "MODIFIERS", F::kDefault, 8}, PV_SETTING(HK_PASTDT_MODIFIERS));  // Win
    visit(F{"HK_PASTDT", "KEY", F::kDefault, 86}, PV_SETTING(HK_PASTDT_KEY));             // 'V'
    visit(F{"SV_FORMAT", "FORMAT"}, PV_SETTING(FORMAT));
    // Added after the keys above: readers that do not know it pass it by.
    visit(F{"TRASH", "KEEPDAYS", F::kDefault, 30}, PV_SETTING(TRASHDAYS));
#undef PV_SETTING
#undef PV_TEMPLATE
}

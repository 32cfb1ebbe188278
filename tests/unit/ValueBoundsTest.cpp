// The bounds of numbers that come from files and requests.
#include "data/ValueBounds.h"

#include <gtest/gtest.h>

#include <climits>

#include "TestUtil.h"
#include "data/IniFile.h"
#include "data/SettingsFile.h"
#include "data/TackletData.h"

namespace {

CTackletData ReadNote(std::initializer_list<const char*> keys) {
    std::string contents = IniLines({"[TACKLETITEM0]"});
    contents += IniLines(keys);
    CTackletData note;
    note.ReadItem(CIniFile::Parse(contents), 0, "TACKLETITEM0");
    return note;
}

TEST(ValueBounds, NoteNumbersFromAFileAreBoundedOnReading) {
    struct Case {
        const char* line;
        std::int32_t CTackletData::*field;  // null: checked below by name
        std::int32_t expected;
    };
    const Case cases[] = {
        {"REC_TOP=-2147483648", &CTackletData::REC_TOP, -kMaxCoordinate},
        {"TGT_RIGHT=2147483647", &CTackletData::TGT_RIGHT, kMaxCoordinate},
        {"TGT_LEFT=-40000", &CTackletData::TGT_LEFT, -kMaxCoordinate},
        {"TRANSPARENT=5", &CTackletData::TRANSPARENT_, 20},
        {"COLOR=99", &CTackletData::COLOR, 99},  // shown for any value: kept
        {"EXCTLID=2147483647", &CTackletData::EXCTLID, 2147483647},
    };
    for (const Case& c : cases) EXPECT_EQ(ReadNote({c.line}).*c.field, c.expected) << c.line;

    const CTackletData arrow = ReadNote({"ARWSATRTX=2147483647", "ARWSTARTY=-2147483648", "ARWENDX=-200", "ARWENDY=7"});
    EXPECT_EQ(arrow.m_arrow.ARWSATRTX, kMaxCoordinate);
    EXPECT_EQ(arrow.m_arrow.ARWSTARTY, -kMaxCoordinate);
    EXPECT_EQ(arrow.m_arrow.ARWENDX, -200);
    EXPECT_EQ(arrow.m_arrow.ARWENDY, 7);

    const CTackletData font = ReadNote({"FONTFACENAME=Arial", "FONTHEIGHT=-2147483647", "FONTWEIGHT=99999"});
    EXPECT_EQ(font.m_logFont.lfHeight, -kMaxFontHeight);
    EXPECT_EQ(font.m_logFont.lfWeight, 1000);
}

TEST(ValueBounds, NoteRectanglesKeepTheirSizeWithinTheBounds) {
    struct Case {
        std::initializer_list<const char*> keys;
        PvRect expected;
    };
    const Case cases[] = {
        {{"REC_LEFT=10", "REC_TOP=20", "REC_RIGHT=210", "REC_BOTTOM=80"}, {10, 20, 210, 80}},
        {{}, {0, 0, 0, 0}},
        {{"REC_LEFT=0", "REC_TOP=0", "REC_RIGHT=2147483647", "REC_BOTTOM=2147483647"},
         {0, 0, kMaxNoteExtent, kMaxNoteExtent}},
        {{"REC_LEFT=-2147483648", "REC_TOP=0", "REC_RIGHT=2147483647", "REC_BOTTOM=5"},
         {-kMaxCoordinate, 0, -kMaxCoordinate + kMaxNoteExtent, 5}},
        {{"REC_LEFT=32000", "REC_TOP=0", "REC_RIGHT=33000", "REC_BOTTOM=5"}, {32000, 0, kMaxCoordinate, 5}},
        {{"REC_LEFT=100", "REC_TOP=100", "REC_RIGHT=50", "REC_BOTTOM=90"}, {100, 100, 100, 100}},
    };
    for (const Case& c : cases) EXPECT_EQ(ReadNote(c.keys).NoteRect(), c.expected);
}

TEST(ValueBounds, ExtensionFontsAreBoundedWhole) {
    CTackletData note;
    note.m_logFont.lfHeight = INT_MIN;
    note.m_logFont.lfWidth = INT_MAX;
    note.m_logFont.lfEscapement = INT_MAX;
    note.m_logFont.lfOrientation = INT_MIN;
    note.m_logFont.lfWeight = -5;
    BoundRecord(note);
    EXPECT_EQ(note.m_logFont.lfHeight, -kMaxFontHeight);
    EXPECT_EQ(note.m_logFont.lfWidth, kMaxFontHeight);
    EXPECT_EQ(note.m_logFont.lfEscapement, 3600);
    EXPECT_EQ(note.m_logFont.lfOrientation, -3600);
    EXPECT_EQ(note.m_logFont.lfWeight, 0);
}

TEST(ValueBounds, SettingsAreBoundedToWhatTheDialogsOffer) {
    struct Case {
        const char* section;
        const char* line;
        std::int32_t CSettingsData::*field;
        std::int32_t expected;
    };
    const Case cases[] = {
        {"SYSTEM", "POSINTERVAL=1", &CSettingsData::POSINTERVAL, 10},
        {"SYSTEM", "POSINTERVAL=-5", &CSettingsData::POSINTERVAL, 10},
        {"SYSTEM", "POSINTERVAL=2147483647", &CSettingsData::POSINTERVAL, 50},
        {"SYSTEM", "POSINTERVAL=20", &CSettingsData::POSINTERVAL, 20},
        {"SYSTEM", "INIWIDTH=0", &CSettingsData::INIWIDTH, 50},
        {"SYSTEM", "INIWIDTH=2147483647", &CSettingsData::INIWIDTH, 600},
        {"SYSTEM", "INIHEIGHT=-1", &CSettingsData::INIHEIGHT, 20},
        {"SYSTEM", "INIHEIGHT=401", &CSettingsData::INIHEIGHT, 400},
        {"HK_PAST", "KEY=70000", &CSettingsData::HK_PAST_KEY, 255},
        {"HK_PASTDT", "MODIFIERS=-1", &CSettingsData::HK_PASTDT_MODIFIERS, 0},
    };
    for (const Case& c : cases) {
        CSettingsData settings;
        CTackletData templ;
        PropatyRead(CIniFile::Parse(IniLines({(std::string("[") + c.section + "]").c_str(), c.line})), settings,
                    templ);
        EXPECT_EQ(settings.*c.field, c.expected) << c.line;
    }
    CSettingsData settings;
    CTackletData templ;
    PropatyRead(CIniFile::Parse(IniLines({"[SYSTEM]", "FONTFACENAME=Arial", "FONTHEIGHT=999999"})), settings, templ);
    EXPECT_EQ(templ.m_logFont.lfHeight, kMaxFontHeight);
}

}  // namespace

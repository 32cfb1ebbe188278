#include <cstdint>
#include <cstring>

#include <gtest/gtest.h>

#include "data/CodePage.h"

#include "TestUtil.h"
#include "data/IniFile.h"
#include "data/NoteDate.h"
#include "data/NoteFields.h"
#include "data/RecordDefaults.h"
#include "data/TackletData.h"
#include "data/TextProtect.h"
#include "data/WriteIniFile.h"

namespace {

CTackletData ReadSection(std::initializer_list<const char*> keys, const CTackletData& held = CTackletData(),
                         std::uint32_t volumeKey = 0) {
    std::string contents = IniLines({"[TACKLETITEM0]"});
    contents += IniLines(keys);
    CTackletData note = held;
    note.ReadItem(CIniFile::Parse(contents), volumeKey, "TACKLETITEM0");
    return note;
}

// A record whose every persisted field differs from the defaults.
CTackletData Unusual() {
    CTackletData n;
    n.TITLEFLAG = 0; n.PRECESSEFLAG = 0; n.EXTENTFLAG = 1; n.FULL = 0; n.EXFULLFLAG = 0;
    n.TITLE = "t"; n.PART = "p"; n.EXENAME = "E"; n.EXEPATH = "P"; n.EXCTLID = 9;
    n.EXCLASS = "c"; n.EXTEXT = "x"; n.EXPART = "y";
    n.GENDATE = 1000; n.ACSDATE = 2000;
    n.SetNoteRect({1, 2, 3, 4}); n.SetTargetRect({5, 6, 7, 8});
    n.READONLY = 1; n.TRANSPARENT_ = 33; n.MOUSEHIDECTL = 1; n.COLOR = 4; n.FRAME = 1;
    n.BKCOLOR = 2; n.TXCOLOR = 2; n.BKTRANSPARENT = 1; n.PICKPOS = 3; n.GRAFLG = 0; n.GRAPTN = 7;
    n.m_logFont.lfHeight = -30; n.m_logFont.lfWeight = 700; n.m_logFont.lfItalic = 1;
    std::strcpy(n.m_logFont.lfFaceName, "Arial");
    n.m_arrow = {1, 11, 12, 13, 14};
    n.ARLINEWIDTH = 2;
    n.TEXT = "held body";
    return n;
}

TEST(TackletItemTest, MissingKeysKeepHeldValuesOrTakeTheFormatDefaults) {
    const CTackletData held = Unusual();
    const CTackletData n = ReadSection({}, held);
    // Held.
    EXPECT_EQ(n.TITLEFLAG, 0);
    EXPECT_EQ(n.PRECESSEFLAG, 0);
    EXPECT_EQ(n.EXTENTFLAG, 1);
    EXPECT_EQ(n.FULL, 0);
    EXPECT_EQ(n.EXFULLFLAG, 0);
    EXPECT_EQ(n.EXCTLID, 9);
    EXPECT_EQ(n.GENDATE, 1000);
    EXPECT_EQ(n.ACSDATE, 2000);
    EXPECT_EQ(n.MOUSEHIDECTL, 1);
    EXPECT_EQ(n.COLOR, 4);
    EXPECT_EQ(n.FRAME, 1);
    EXPECT_EQ(n.BKCOLOR, 2);
    EXPECT_EQ(n.TXCOLOR, 2);
    EXPECT_EQ(n.BKTRANSPARENT, 1);
    EXPECT_EQ(n.PICKPOS, 3);
    EXPECT_EQ(n.GRAFLG, 0);
    EXPECT_EQ(n.GRAPTN, 7);
    EXPECT_EQ(n.m_logFont, held.m_logFont);
    EXPECT_EQ(n.m_arrow, held.m_arrow);
    EXPECT_EQ(n.ARLINEWIDTH, 2);
    // Defaults of the format.
    EXPECT_EQ(n.TITLE + n.PART + n.EXENAME + n.EXEPATH + n.EXCLASS + n.EXTEXT + n.EXPART, "");
    EXPECT_EQ(n.NoteRect(), PvRect{});
    EXPECT_EQ(n.TargetRect(), PvRect{});
    EXPECT_EQ(n.READONLY, 0);
    EXPECT_EQ(n.TRANSPARENT_, 70);
    EXPECT_EQ(n.TEXT, "");  // TEXTFORMAT defaults to 0 and TEXT to empty
}

struct TransparentCase {
    const char* line;
    std::int32_t value;
};

TEST(TackletItemTest, TransparentIsClamped) {
    const TransparentCase cases[] = {
        {"TRANSPARENT=5", 20}, {"TRANSPARENT=20", 20}, {"TRANSPARENT=55", 55},
        {"TRANSPARENT=150", 100}, {"TRANSPARENT=-1", 20}, {"TRANSPARENT=", 70}, {"X=1", 70},
    };
    for (const auto& c : cases) EXPECT_EQ(ReadSection({c.line}).TRANSPARENT_, c.value) << c.line;
}

TEST(TackletItemTest, ExeNameIsUpperCasedMultibyteAware) {
    EXPECT_EQ(ReadSection({"EXENAME=notepad.exe"}).EXENAME, "NOTEPAD.EXE");
    EXPECT_EQ(ReadSection({"EXENAME=\x83\x61z.exe"}).EXENAME, TextOfCodePage("\x83\x61") + "Z.EXE");
    EXPECT_EQ(ReadSection({"EXENAME=ｍｅｍｏ.exe"}).EXENAME, "ＭＥＭＯ.EXE");
}

TEST(TackletItemTest, FontKeysNeedAFaceName) {
    const CTackletData held = Unusual();
    struct Case {
        std::initializer_list<const char*> keys;
        bool changed;
    };
    const Case cases[] = {
        {{"FONTHEIGHT=-40", "FONTWEIGHT=100"}, false},
        {{"FONTFACENAME=", "FONTHEIGHT=-40"}, false},
        {{"FONTFACENAME=  ", "FONTHEIGHT=-40"}, false},
    };
    for (const auto& c : cases) EXPECT_EQ(ReadSection(c.keys, held).m_logFont, held.m_logFont);

    const CTackletData n = ReadSection({"FONTFACENAME=メイリオ", "FONTITALIC=257"}, held);
    EXPECT_STREQ(n.m_logFont.lfFaceName, "メイリオ");
    EXPECT_EQ(n.m_logFont.lfHeight, 0);  // default 0 once a face name is there
    EXPECT_EQ(n.m_logFont.lfWeight, 0);
    EXPECT_EQ(n.m_logFont.lfItalic, 1);  // low byte
    EXPECT_EQ(n.m_logFont.lfCharSet, kShiftJisCharset);
}

TEST(TackletItemTest, LongFaceNameIsCutTo31CharactersOnACharacterBoundary) {
    std::string name = "a";
    for (int i = 0; i < 40; ++i) name += "あ";
    const std::string line = "FONTFACENAME=" + name;
    const CTackletData n = ReadSection({line.c_str()});
    EXPECT_EQ(std::string(n.m_logFont.lfFaceName), name.substr(0, 1 + 30 * 3));
    // A character beyond the BMP takes two of the 31 units and is never cut.
    std::string emoji;
    for (int i = 0; i < 16; ++i) emoji += "😀";
    PvLogFont font;
    SetFaceName(font, emoji);
    EXPECT_EQ(std::string(font.lfFaceName), emoji.substr(0, 15 * 4));
}

TEST(TackletItemTest, DatesOfTheWrongFormLeaveTheFieldAsHeld) {
    const CTackletData held = Unusual();
    PvTime expected = 0;
    ASSERT_TRUE(ParseNoteDate("201204221530", &expected));
    const CTackletData n = ReadSection({"GENDATE=201204221530", "ACSDATE=2012042215"}, held);
    EXPECT_EQ(n.GENDATE, expected);
    EXPECT_EQ(n.ACSDATE, 2000);
    EXPECT_EQ(ReadSection({"GENDATE=201213011530"}, held).GENDATE, 1000);
}

TEST(TackletItemTest, BodyDependsOnTextFormat) {
    const CTackletData held = Unusual();
    EXPECT_EQ(ReadSection({"TEXTFORMAT=0", "TEXT=616263"}, held).TEXT, "abc");
    EXPECT_EQ(ReadSection({"TEXT=616263"}, held).TEXT, "abc");
    EXPECT_EQ(ReadSection({"TEXTFORMAT=2", "TEXT=616263"}, held).TEXT, kUnreadableBodyNotice);
    EXPECT_EQ(ReadSection({"TEXTFORMAT=0", "TEXT=6162636"}, held).TEXT, kUnreadableBodyNotice);
    const std::string scrambled = "TEXT=" + EncodeBody("secret", kTextScrambled, 0xCAFEF00D);
    EXPECT_EQ(ReadSection({"TEXTFORMAT=1", scrambled.c_str()}, held, 0xCAFEF00D).TEXT, "secret");
}

// A body this program cannot read is shown as a notice and written back as
// it stood in the file, until the user gives the note another body.
TEST(TackletItemTest, AnUnreadableBodyIsKeptAsItStandsUntilTheBodyChanges) {
    struct Case {
        const char* name;
        const char* format;
        const char* text;
    };
    const Case cases[] = {
        {"odd digit count", "TEXTFORMAT=0", "TEXT=6162636"},
        {"odd digit count, scrambled", "TEXTFORMAT=1", "TEXT=8a8b8c8d8"},
        {"unknown format", "TEXTFORMAT=7", "TEXT=0011223344"},
    };
    auto bodyLines = [](const CTackletData& note, int format) {
        CWriteIniFile writer(CWriteIniFile::kStreamMode);
        writer.openMemory();
        note.WriteItem(writer, format, 0x12345678, "TACKLETITEM0", "x.ini");
        const CIniFile written = CIniFile::Parse(writer.takeText());
        return std::string("TEXTFORMAT=") + written.GetString("TACKLETITEM0", "TEXTFORMAT", "") +
               " TEXT=" + written.GetString("TACKLETITEM0", "TEXT", "");
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CTackletData note = ReadSection({c.format, c.text}, CTackletData(), 0x12345678);
        EXPECT_EQ(note.TEXT, kUnreadableBodyNotice);
        const std::string asStored = std::string(c.format) + " " + c.text;
        for (int format : {int{kTextPlain}, int{kTextScrambled}}) EXPECT_EQ(bodyLines(note, format), asStored);
        CTackletData copy = note;  // a duplicate keeps it too
        EXPECT_EQ(bodyLines(copy, kTextPlain), asStored);

        // Added keys are scrambled as the section's TEXTFORMAT says, which
        // is the kept body's.
        note.EXTEXT = "two\r\nlines";
        for (int format : {int{kTextPlain}, int{kTextScrambled}}) {
            CWriteIniFile writer(CWriteIniFile::kStreamMode);
            writer.openMemory();
            note.WriteItem(writer, format, 0x12345678, "TACKLETITEM0", "x.ini");
            CTackletData again;
            again.ReadItem(CIniFile::Parse(writer.takeText()), 0x12345678, "TACKLETITEM0");
            EXPECT_EQ(again.EXTEXT, note.EXTEXT) << format;
        }

        note.SetText("new body");
        EXPECT_EQ(bodyLines(note, kTextPlain), "TEXTFORMAT=0 TEXT=" + EncodeBody("new body", kTextPlain, 0));
    }
}

TEST(TackletItemTest, NewRecordsTakeTheProcessDefaults) {
    CRecordDefaults::SetFontHeight(CRecordDefaults::FontHeightForDpi(120));
    CRecordDefaults::SetArrowLineWidth(2);
    const CTackletData n;
    CRecordDefaults::SetFontHeight(CRecordDefaults::FontHeightForDpi(96));
    CRecordDefaults::SetArrowLineWidth(1);
    EXPECT_EQ(n.m_logFont.lfHeight, -15);
    EXPECT_EQ(n.ARLINEWIDTH, 2);
    EXPECT_EQ(CTackletData().m_logFont.lfHeight, -12);
    EXPECT_EQ(CRecordDefaults::FontHeightForDpi(144), -18);
    EXPECT_EQ(CRecordDefaults::FontHeightForDpi(100), -13);  // 12.5 rounds away from zero
}

// A new note takes the match condition and the appearance of the default
// note (the whole font); what names its window, its times, rectangles and
// body stay its own.
TEST(TackletItemTest, NewNotesCopyConditionAndAppearanceFromTheDefaultNote) {
    CTackletData defaults = Unusual();
    defaults.m_logFont.lfCharSet = 0;
    defaults.m_logFont.lfWidth = 5;
    const CTackletData fresh;
    CTackletData n;
    CopyNoteFields(n, defaults, NoteField::kNewNote);

    CTackletData expected = defaults;
    expected.TITLE = fresh.TITLE;
    expected.EXENAME = fresh.EXENAME;
    expected.EXEPATH = fresh.EXEPATH;
    expected.GENDATE = n.GENDATE;
    expected.ACSDATE = n.ACSDATE;
    expected.SetNoteRect(fresh.NoteRect());
    expected.SetTargetRect(fresh.TargetRect());
    expected.TEXT = fresh.TEXT;
    VisitNoteFields([&](const NoteField& field, auto get) { EXPECT_EQ(get(n), get(expected)) << field.key; });
    EXPECT_EQ(n.m_logFont, defaults.m_logFont);
    EXPECT_NE(n.GENDATE, defaults.GENDATE);
}

// The file writer sizes its buffer by this bound: it must cover every key
// at its longest (quoted values, extreme numbers, a body past the limit).
TEST(TackletItemTest, ByteBoundCoversEverythingWritten) {
    CTackletData extreme = Unusual();
    extreme.TITLE = " quoted both ends ";
    extreme.EXEPATH = "line\r\nbreaks";
    extreme.REC_LEFT = INT32_MIN;
    extreme.GENDATE = 0;
    extreme.TEXT.assign(kMaxBodyBytes + 500, 'x');
    extreme.m_reserve.type = 2;
    extreme.m_reserve.since = INT32_MIN;
    const std::string section = "TACKLETITEM123";
    CTackletData kept = ReadSection({"TEXTFORMAT=9", ("TEXT=" + std::string(20000, '7')).c_str()});
    for (const CTackletData& note : {CTackletData(), Unusual(), extreme, kept}) {
        for (int format : {int{kTextPlain}, int{kTextScrambled}, 7}) {
            SCOPED_TRACE(format);
            CWriteIniFile writer(CWriteIniFile::kStreamMode);
            writer.openMemory();
            note.WriteItem(writer, format, 0x12345678, section, "x.ini");
            EXPECT_LE(writer.takeText().size(), note.ItemBytesBound(format, section.size()));
        }
    }
}

}  // namespace

// Texts outside the code page in the files: kept exactly in added keys,
// while files whose texts all fit stay as they always were.
#include <gtest/gtest.h>

#include "TestUtil.h"
#include "data/CodePage.h"
#include "data/IniFile.h"
#include "data/NoteFile.h"
#include "data/PreSetFile.h"
#include "data/SettingsFile.h"
#include "data/TextProtect.h"
#include "data/VersionText.h"
#include "data/WriteIniFile.h"

namespace {

constexpr std::uint32_t kKey = 0x5A123456;

CTackletData Note(const std::string& title, const std::string& body) {
    CTackletData n;
    n.TITLE = title;
    n.PART = title;
    n.EXENAME = "WORDPAD.EXE";
    n.TEXT = body;
    return n;
}

class UnicodeFileTest : public ::testing::Test {
protected:
    void SetUp() override { SetVersionText("Ver.:1.1.6.193"); }
    void TearDown() override { SetVersionText(""); }
    TempDir dir;
};

struct TextCase {
    const char* what;
    std::string title;
    std::string body;
};

// Each text comes back exactly, in both text formats; the usual keys hold
// the code-page form, and only texts the code page lacks get added keys.
TEST_F(UnicodeFileTest, MixedTextsComeBackExactly) {
    const TextCase cases[] = {
        {"code page only", "無題 - メモ帳", "日本語のメモ①②"},
        {"accents and emoji", "Müller café ☕", "Müller café ☕ 한국어 😀 — ①②"},
        {"look-alike titles", "Report 😀 draft", "a"},
        {"other look-alike", "Report 😃 draft", "b"},
        {"Chinese and Korean", "报告 보고서", "简体中文 한국어"},
        {"multi-line body", "t", "line 1 ☕\r\nline 2 😀\r\n"},
    };
    for (int format : {kTextPlain, kTextScrambled}) {
        for (const TextCase& c : cases) {
            SCOPED_TRACE(std::string(c.what) + " format " + std::to_string(format));
            const std::string path = dir.File("PinvaneData.ini");
            std::vector<CTackletData> notes{Note(c.title, c.body)};
            ASSERT_TRUE(WriteDataFile(path, notes, format, kKey));
            const std::vector<CTackletData> read = ReadNoteFile(path, kKey);
            ASSERT_EQ(read.size(), 1u);
            EXPECT_EQ(read[0].TITLE, c.title);
            EXPECT_EQ(read[0].PART, c.title);
            EXPECT_EQ(read[0].TEXT, c.body);
            const std::string bytes = ReadBytes(path);
            const bool fits = FitsCodePage(c.title) && FitsCodePage(c.body);
            // Added keys only where a text needs one.
            EXPECT_EQ(bytes.find("W=") == std::string::npos, fits);
            // The usual key holds the code-page form, as an older program reads it.
            EXPECT_EQ(CIniFile::Load(path).GetString("TACKLETITEM0", "TITLE", "?"), CodePageOf(c.title));
            // Scrambled files carry no readable UTF-8 in their added keys.
            if (format == kTextScrambled && !FitsCodePage(c.body)) {
                const std::string plainDigits = EncodeExactBytes(c.body, kTextPlain, 0);
                EXPECT_EQ(bytes.find(plainDigits), std::string::npos);
            }
        }
    }
}

// An older program that knows nothing of the added keys changes the title:
// its edit wins over the stale exact form.
TEST_F(UnicodeFileTest, AnOlderProgramsEditOfTheUsualKeyWins) {
    const std::string path = dir.File("PinvaneData.ini");
    std::vector<CTackletData> notes{Note("Report 😀 draft", "café ☕")};
    ASSERT_TRUE(WriteDataFile(path, notes, kTextPlain, 0));
    std::string bytes = ReadBytes(path);
    const std::string usual = "TITLE=" + CodePageOf("Report 😀 draft") + "\r\r\n";
    ASSERT_NE(bytes.find(usual), std::string::npos);
    bytes.replace(bytes.find(usual), usual.size(), "TITLE=" + CodePageOf("新しい題") + "\r\r\n");
    WriteBytes(path, bytes);
    const std::vector<CTackletData> read = ReadNoteFile(path, 0);
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].TITLE, "新しい題");
    EXPECT_EQ(read[0].TEXT, "café ☕");  // untouched keys keep their exact form
}

// The added key carries a check of the usual key as it was written, so a
// file whose usual keys another conversion made (another best fit) keeps
// its exact texts; values written before the check are compared with our
// own code-page form.
TEST_F(UnicodeFileTest, TheAddedKeyIsTakenWhateverBestFitMadeTheUsualKey) {
    const std::string exact = "Müller ☕";
    const std::string otherFit = "M?ller ?";  // not what this system's best fit makes of it
    struct Case {
        const char* what;
        std::string usual;
        std::string added;
        std::string expected;
    };
    const Case cases[] = {
        {"checked, another best fit", otherFit, ExactKeyValue(exact, otherFit, kTextPlain, 0), exact},
        {"checked, usual key edited since", "edited", ExactKeyValue(exact, otherFit, kTextPlain, 0), "edited"},
        {"unchecked, our own best fit", CodePageOf(exact), EncodeExactBytes(exact, kTextPlain, 0), exact},
        {"damaged check", otherFit, EncodeExactBytes(exact, kTextPlain, 0) + "-xyz", TextOfCodePage(otherFit)},
    };
    for (const Case& c : cases) {
        const std::string path = dir.File("c.ini");
        WriteBytes(path, IniLines({"[SYSTEM]", "TACKLETNUM=1", "[TACKLETITEM0]"}) + "TITLE=" + c.usual + "\r\r\n" +
                             "TITLEW=" + c.added + "\r\r\n");
        const std::vector<CTackletData> read = ReadNoteFile(path, 0);
        ASSERT_EQ(read.size(), 1u) << c.what;
        EXPECT_EQ(read[0].TITLE, c.expected) << c.what;
    }
}

// Bytes the text does not give back (a character with two codes, bytes
// that are no character) are written again as they were read.
TEST_F(UnicodeFileTest, CodePageBytesWithoutARoundTripAreKeptAsRead) {
    const std::string path = dir.File("PinvaneData.ini");
    std::vector<CTackletData> notes{Note("x", "y")};
    ASSERT_TRUE(WriteDataFile(path, notes, kTextPlain, 0));
    std::string bytes = ReadBytes(path);
    const std::string odd = "\xED\x40 \x81";  // NEC-selected code of a character, a lone lead byte
    bytes.replace(bytes.find("TITLE=x"), 7, "TITLE=" + odd);
    WriteBytes(path, bytes);
    std::vector<CTackletData> read = ReadNoteFile(path, 0);
    ASSERT_EQ(read.size(), 1u);
    ASSERT_TRUE(WriteDataFile(path, read, kTextPlain, 0));
    EXPECT_EQ(ReadBytes(path), bytes);
    // Once the text is changed, it is written in its own form.
    read[0].TITLE = "z";
    ASSERT_TRUE(WriteDataFile(path, read, kTextPlain, 0));
    EXPECT_NE(ReadBytes(path).find("TITLE=z\r\r\n"), std::string::npos);
}

// Export files (plain whatever the settings), presets and the settings'
// face name keep exact texts the same way.
TEST_F(UnicodeFileTest, ExportPresetAndSettingsFilesKeepExactTexts) {
    const std::string exportPath = dir.File("e.qnb");
    std::vector<CTackletData> notes{Note("Müller ☕", "한국어 😀")};
    ASSERT_TRUE(WriteExportFile(exportPath, notes));
    const std::vector<CTackletData> imported = ReadNoteFile(exportPath, 0);
    ASSERT_EQ(imported.size(), 1u);
    EXPECT_EQ(imported[0].TITLE, "Müller ☕");
    EXPECT_EQ(imported[0].TEXT, "한국어 😀");

    const std::string presetPath = dir.File("MossrelPreset.ini");
    CPreSetCondData preset;
    preset.CONDNAME = "Café ☕";
    preset.EXENAME = "MÜLLER.EXE";
    preset.EXCLASS = "Edit";
    ASSERT_TRUE(PreSetWriteFile(presetPath, {preset}));
    const std::string presetBytes = ReadBytes(presetPath);
    EXPECT_LT(presetBytes.find("EXCTLID="), presetBytes.find("CONDNAMEW=")) << "after the section's keys";
    std::vector<CPreSetCondData> presets;
    ASSERT_TRUE(PreSetReadFile(presetPath, presets));
    ASSERT_FALSE(presets.empty());
    EXPECT_EQ(presets.front().CONDNAME, "Café ☕");
    EXPECT_EQ(presets.front().EXENAME, "MÜLLER.EXE");

    const std::string settingsPath = dir.File("MossrelPropaty.ini");
    CSettingsData settings;
    CTackletData templ;
    SetFaceName(templ.m_logFont, "맑은 고딕");
    ASSERT_TRUE(PropatyWriteFile(settingsPath, settings, templ));
    CSettingsData settingsRead;
    CTackletData templRead;
    ASSERT_TRUE(PropatyReadFile(settingsPath, settingsRead, templRead));
    EXPECT_EQ(std::string(FaceNameOf(templRead.m_logFont)), "맑은 고딕");
    const std::string settingsBytes = ReadBytes(settingsPath);
    EXPECT_LT(settingsBytes.find("FONTFACENAMEW="), settingsBytes.find("[HK_PAST]"));
}

}  // namespace

#include "data/SettingsFile.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "TestUtil.h"
#include "data/PreSetFile.h"
#include "data/RecordDefaults.h"

namespace {

TEST(SettingsFileTest, FirstStartGivesTheDefaults) {
    TempDir dir;
    CSettingsData settings;
    CTackletData templ;
    PropatyReadFile(dir.File("MossrelPropaty.ini"), settings, templ);
    EXPECT_EQ(settings, CSettingsData());
    EXPECT_EQ(templ.BKCOLOR, 5);
    EXPECT_EQ(templ.GRAFLG, 1);
    EXPECT_EQ(templ.TRANSPARENT_, 70);
    EXPECT_EQ(templ.m_logFont, CRecordDefaults::DefaultFont());
    EXPECT_STREQ(templ.m_logFont.lfFaceName, "ＭＳ Ｐゴシック");
    EXPECT_EQ(templ.m_logFont.lfHeight, -12);
    EXPECT_EQ(settings.INIWIDTH, 200);
    EXPECT_EQ(settings.INIHEIGHT, 60);
    EXPECT_EQ(settings.HK_PAST_MODIFIERS, 8);  // Windows key
    EXPECT_EQ(settings.HK_PAST_KEY, 'S');
    // Win+Alt+V: Windows 10 and 11 keep Win+V for their clipboard history.
    EXPECT_EQ(settings.HK_PASTDT_MODIFIERS, 8 | 1);
    EXPECT_EQ(settings.HK_PASTDT_KEY, 'V');
    EXPECT_EQ(settings.POSINTERVAL, 50);
    const CPropatyData limits;
    EXPECT_EQ(limits.m_minWidth, 50);
    EXPECT_EQ(limits.m_minHeight, 20);
    EXPECT_EQ(limits.m_maxWidth, 600);
    EXPECT_EQ(limits.m_maxHeight, 400);
}

TEST(SettingsFileTest, WritesEveryKeyInOrder) {
    TempDir dir;
    const std::string path = dir.File("MossrelPropaty.ini");
    CSettingsData settings;
    settings.SAVETIMING = 1;
    settings.FORMAT = 1;
    CTackletData templ;
    templ.m_logFont.lfItalic = 1;
    TraceCapture trace;
    ASSERT_TRUE(PropatyWriteFile(path, settings, templ));
    EXPECT_EQ(trace.Text(), "CControlDlg::PropatyWriteFile()\n");
    EXPECT_EQ(ReadBytes(path),
              IniLines({"[SYSTEM]", "SAVETIMING=1", "TRANSPARENT=70", "COLOR=0", "FRAME=0", "BKCOLOR=5",
                        "GRAFLG=1", "GRAPTN=0", "TXCOLOR=0", "PICKPOS=0", "FONTFACENAME=ＭＳ Ｐゴシック",
                        "FONTHEIGHT=-12", "FONTWEIGHT=400", "FONTITALIC=1", "ARWFLAG=0", "INIHEIGHT=60",
                        "INIWIDTH=200", "ARROWLINEWIDTH=1", "POSINTERVAL=50", "[HK_PAST]", "MODIFIERS=8",
                        "KEY=83", "[HK_PASTDT]", "MODIFIERS=9", "KEY=86", "[SV_FORMAT]", "FORMAT=1",
                        "[TRASH]", "KEEPDAYS=30"}));
}

TEST(SettingsFileTest, ReadingAppliesItsExceptions) {
    TempDir dir;
    const std::string path = dir.File("p.ini");
    WriteBytes(path, IniLines({"[SYSTEM]", "SAVETIMING=1", "TRANSPARENT=150", "POSINTERVAL=10", "BKCOLOR=1",
                               "FONTFACENAME=", "FONTHEIGHT=-40", "ARWFLAG=1", "INIWIDTH=300",
                               "ARROWLINEWIDTH=2", "[HK_PAST]", "KEY=65", "[SV_FORMAT]", "FORMAT=1"}));
    CSettingsData settings;
    settings.SAVETIMING = 1;
    settings.HK_PASTDT_KEY = 1;  // a held hotkey is not kept: the defaults are fixed
    CTackletData templ;
    const PvLogFont font = templ.m_logFont;
    PropatyReadFile(path, settings, templ);
    EXPECT_EQ(settings.SAVETIMING, 0);
    EXPECT_EQ(templ.TRANSPARENT_, 100);
    EXPECT_EQ(settings.POSINTERVAL, 10);
    EXPECT_EQ(templ.BKCOLOR, 1);
    EXPECT_EQ(templ.m_logFont, font);  // empty face name: font keys ignored
    EXPECT_EQ(templ.m_arrow.ARWFLAG, 1);
    EXPECT_EQ(settings.INIWIDTH, 300);
    EXPECT_EQ(settings.INIHEIGHT, 60);
    EXPECT_EQ(settings.ARROWLINEWIDTH, 2);
    EXPECT_EQ(settings.HK_PAST_KEY, 65);
    EXPECT_EQ(settings.HK_PAST_MODIFIERS, 8);
    EXPECT_EQ(settings.HK_PASTDT_KEY, 86);
    EXPECT_EQ(settings.HK_PASTDT_MODIFIERS, 8) << "an existing file keeps Win+V for a missing key";
    EXPECT_EQ(settings.FORMAT, 1);
}

TEST(SettingsFileTest, AnExistingFileKeepsItsStoredDesktopHotkey) {
    TempDir dir;
    const std::string path = dir.File("p.ini");
    WriteBytes(path, IniLines({"[SYSTEM]", "SAVETIMING=0", "[HK_PASTDT]", "MODIFIERS=8", "KEY=86"}));
    CSettingsData settings;
    CTackletData templ;
    PropatyReadFile(path, settings, templ);
    EXPECT_EQ(settings.HK_PASTDT_MODIFIERS, 8);
    EXPECT_EQ(settings.HK_PASTDT_KEY, 86);
}

TEST(SettingsFileTest, FaceNameBringsTheFontKeys) {
    TempDir dir;
    const std::string path = dir.File("p.ini");
    WriteBytes(path, IniLines({"[SYSTEM]", "FONTFACENAME=\"ＭＳ 明朝\"", "FONTWEIGHT=700", "FONTITALIC=511"}));
    CSettingsData settings;
    CTackletData templ;
    PropatyReadFile(path, settings, templ);
    EXPECT_STREQ(templ.m_logFont.lfFaceName, "ＭＳ 明朝");
    EXPECT_EQ(templ.m_logFont.lfHeight, 0);
    EXPECT_EQ(templ.m_logFont.lfWeight, 700);
    EXPECT_EQ(templ.m_logFont.lfItalic, 255);
}

TEST(SettingsFileTest, WrittenSettingsReadBack) {
    TempDir dir;
    const std::string path = dir.File("p.ini");
    CSettingsData settings;
    settings.POSINTERVAL = 20;
    settings.INIWIDTH = 321;
    settings.HK_PASTDT_MODIFIERS = 3;
    settings.FORMAT = 1;
    CTackletData templ;
    templ.COLOR = 3;
    templ.GRAPTN = 6;
    SetFaceName(templ.m_logFont, "メイリオ");
    templ.m_logFont.lfHeight = -20;
    ASSERT_TRUE(PropatyWriteFile(path, settings, templ));
    CSettingsData readSettings;
    CTackletData readTempl;
    PropatyReadFile(path, readSettings, readTempl);
    EXPECT_EQ(readSettings, settings);
    EXPECT_EQ(readTempl.COLOR, 3);
    EXPECT_EQ(readTempl.GRAPTN, 6);
    EXPECT_EQ(readTempl.m_logFont, templ.m_logFont);
}

TEST(SettingsFileTest, AFileThatCannotBeReadIsNotReplacedUntilItIsReadAgain) {
    TempDir dir;
    const std::string path = dir.File("MossrelPropaty.ini");
    // A folder in the file's place exists but cannot be read as a file.
    std::filesystem::create_directory(path);
    CSettingsData settings;
    CTackletData templ;
    EXPECT_FALSE(PropatyReadFile(path, settings, templ));
    EXPECT_EQ(settings, CSettingsData());
    // Still unreadable (a file locked by another program, say): not written.
    std::filesystem::remove(path);
    WriteBytes(path, "the user's settings");
    settings.POSINTERVAL = 20;
    EXPECT_FALSE(PropatyWriteFile(path, settings, templ));
    EXPECT_EQ(ReadBytes(path), "the user's settings");

    // Readable again: its values are taken, and the file may be written.
    WriteBytes(path, IniLines({"[SYSTEM]", "INIWIDTH=321"}));
    EXPECT_TRUE(PropatyRereadBlocked(path, settings, templ));
    EXPECT_EQ(settings.INIWIDTH, 321);
    EXPECT_TRUE(PropatyWriteFile(path, settings, templ));
    CSettingsData read;
    EXPECT_TRUE(PropatyReadFile(path, read, templ));
    EXPECT_EQ(read.INIWIDTH, 321);
}

TEST(PreSetFileTest, MissingSectionsGiveDefaultPresets) {
    TempDir dir;
    const std::string path = dir.File("MossrelPreset.ini");
    WriteBytes(path, IniLines({"[SYSTEM]", "PRESETCOUNT=2", "[PRESETITEM0]", "CONDNAME=メモ帳", "PROCESSFLAG=0",
                               "EXENAME=NOTEPAD.EXE", "EXCLASS=Edit", "EXCTLID=15"}));
    std::vector<CPreSetCondData> presets;
    TraceCapture trace;
    PreSetReadFile(path, presets);
    EXPECT_EQ(trace.Text(), "CControlDlg::PreSetReadFile()\n");
    ASSERT_EQ(presets.size(), 2u);
    EXPECT_EQ(presets[0].CONDNAME, "メモ帳");
    EXPECT_EQ(presets[0].PROCESSFLAG, 0);
    EXPECT_EQ(presets[0].TITLEFLAG, 1);
    EXPECT_EQ(presets[0].EXTENTFLAG, 1);
    EXPECT_EQ(presets[0].EXCLASS, "Edit");
    EXPECT_EQ(presets[0].EXCTLID, 15);
    EXPECT_EQ(presets[1], CPreSetCondData());
}

TEST(PreSetFileTest, PresetCountIsBoundedAndFilesRoundTrip) {
    TempDir dir;
    const std::string path = dir.File("MossrelPreset.ini");
    std::vector<CPreSetCondData> none;
    WriteBytes(path, IniLines({"[SYSTEM]", "PRESETCOUNT=2147483647"}));
    PreSetReadFile(path, none);
    EXPECT_EQ(none.size(), static_cast<std::size_t>(kMaxPresetCount));

    std::vector<CPreSetCondData> presets(2);
    presets[0] = {"名前", 0, 1, 0, "A.EXE", 7, "Static"};
    ASSERT_TRUE(PreSetWriteFile(path, presets));
    const std::string bytes = ReadBytes(path);
    std::vector<CPreSetCondData> read;
    PreSetReadFile(path, read);
    EXPECT_EQ(read, presets);
    ASSERT_TRUE(PreSetWriteFile(path, read));
    EXPECT_EQ(ReadBytes(path), bytes);
}


TEST(PreSetFileTest, AFileThatCannotBeReadIsNotReplacedUntilItIsReadAgain) {
    TempDir dir;
    const std::string path = dir.File("MossrelPreset.ini");
    // A folder in the file's place exists but cannot be read as a file.
    std::filesystem::create_directory(path);
    std::vector<CPreSetCondData> presets;
    EXPECT_FALSE(PreSetReadFile(path, presets));
    EXPECT_TRUE(presets.empty());
    presets.push_back({"edited", 1, 1, 1, "B.EXE", 0, ""});
    EXPECT_FALSE(PreSetRereadBlocked(path, presets));
    EXPECT_FALSE(PreSetWriteFile(path, presets));
    EXPECT_TRUE(std::filesystem::is_directory(path));

    // Readable again: its presets come first, and the file may be written.
    std::filesystem::remove(path);
    WriteBytes(path, IniLines({"[SYSTEM]", "PRESETCOUNT=1", "[PRESETITEM0]", "CONDNAME=kept", "EXENAME=A.EXE"}));
    EXPECT_TRUE(PreSetRereadBlocked(path, presets));
    ASSERT_EQ(presets.size(), 2u);
    EXPECT_EQ(presets[0].CONDNAME, "kept");
    EXPECT_EQ(presets[1].CONDNAME, "edited");
    ASSERT_TRUE(PreSetWriteFile(path, presets));
    std::vector<CPreSetCondData> read;
    EXPECT_TRUE(PreSetReadFile(path, read));
    EXPECT_EQ(read, presets);
}

}  // namespace

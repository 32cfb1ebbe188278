// The export and import caches under Wine: collecting notes, writing the
// export file, reading it back with the acceptance checks and questions,
// and the import commands.
#include "CollectionsFixture.h"

#include "collections/ExportStackDlg.h"
#include "collections/InportStackDlg.h"
#include "platform/NotifyBridge.h"
#include "data/NoteFile.h"
#include "data/VersionText.h"
#include "platform/LocalPath.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <vector>

using wintest::CMessageBoxAnswerer;
using wintest::CTargetWindow;

namespace {

class ExportImportTest : public CCollectionsFixture {
protected:
    void SetUp() override {
        CCollectionsFixture::SetUp();
        SetVersionText("Ver.:1.1.6.193");
        exportFile = scratch.Path() + "\\notes.qnb";
        ASSERT_TRUE(exportStack.CreateHidden());
        ASSERT_TRUE(importStack.CreateHidden());
        exportStack.SetPathChooser([this](HWND, std::string* path) {
            ++saveDialogs;
            *path = exportFile;
            return !cancelDialogs;
        });
        importStack.SetPathChooser([this](HWND, std::string* path) {
            *path = importFile.empty() ? exportFile : importFile;
            return !cancelDialogs;
        });
    }
    void TearDown() override {
        exportStack.DestroyWindow();
        importStack.DestroyWindow();
        CCollectionsFixture::TearDown();
    }
    HWND ExportList() const { return exportStack.GetItem(IDC_EXPORT_LIST); }
    HWND ImportList() const { return importStack.GetItem(IDC_INPORT_LIST); }
    // Turns the save-time text protection on (settings file with FORMAT=1;
    // hotkeys nobody else uses).
    void ProtectTexts() {
        const std::string settings = scratch.Path() + "\\MossrelPropaty.ini";
        FILE* f = std::fopen(settings.c_str(), "wb");
        std::fputs("[SV_FORMAT]\r\nFORMAT=1\r\n[HK_PAST]\r\nMODIFIERS=3\r\nKEY=122\r\n[HK_PASTDT]\r\nMODIFIERS=3\r\nKEY=123\r\n", f);
        std::fclose(f);
        CMessageBoxAnswerer answerer;
        control.SetPropatyPath(settings);
        ASSERT_EQ(control.Settings().FORMAT, 1);
    }
    std::vector<std::string> Notices(int button, std::function<void()> action) {
        CMessageBoxAnswerer answerer({button, button, button});
        action();
        return answerer.Texts();
    }
    void OpenFile(const std::string& file, std::vector<int> answers, std::vector<std::string>* texts) {
        importFile = file;
        CMessageBoxAnswerer answerer(std::move(answers));
        Command(importStack.GetHwnd(), IDC_INPORT_OPEN);
        *texts = answerer.Texts();
    }
    void WriteFile(const std::string& path, const std::string& text) {
        FILE* f = std::fopen(path.c_str(), "wb");
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
    }

    CExportStackDlg exportStack;
    CInportStackDlg importStack;
    std::string exportFile;
    std::string importFile;
    bool cancelDialogs = false;
    int saveDialogs = 0;
};

using Texts = std::vector<std::string>;

CTackletData RichNote(const char* title, const char* text) {
    CTackletData note;
    note.TITLE = title;
    note.EXENAME = "NOTEPAD.EXE";
    note.EXEPATH = "C:\\Windows\\notepad.exe";
    note.TEXT = text;
    note.COLOR = 3;
    note.BKCOLOR = 2;
    note.GRAPTN = 5;
    note.TRANSPARENT_ = 85;
    note.FULL = 0;
    note.PART = "Note";
    note.EXTENTFLAG = 1;
    note.EXCLASS = "Edit";
    note.EXCTLID = 15;
    note.EXTEXT = "child";
    note.m_arrow.ARWFLAG = 1;
    note.m_arrow.ARWSATRTX = 10;
    note.m_arrow.ARWSTARTY = 20;
    note.m_arrow.ARWENDX = 300;
    note.m_arrow.ARWENDY = 400;
    note.ARLINEWIDTH = 2;
    note.REC_LEFT = 10, note.REC_TOP = 20, note.REC_RIGHT = 210, note.REC_BOTTOM = 80;
    return note;
}

TEST_F(ExportImportTest, ARoundTripKeepsEveryFieldAndTheExportIsPlainWhileTextsAreProtected) {
    ProtectTexts();
    control.AddNote(RichNote("second", "zwei\r\n二番目"));
    control.AddNote(RichNote("first", "eins"));
    Command(exportStack.GetHwnd(), IDC_EXPORT_GETALL);
    // A note added twice is listed and written twice.
    CNotifyBridge::AddToExportStack(control.Notes()[0]);
    ASSERT_EQ(Rows(ExportList()), 3);
    EXPECT_EQ(Cell(ExportList(), 0, 1), "first");
    EXPECT_EQ(Cell(ExportList(), 1, 2), "zwei\r\n二番目");
    ::ShowWindow(exportStack.GetHwnd(), SW_SHOW);
    Command(exportStack.GetHwnd(), IDC_EXPORT_SAVE);
    EXPECT_EQ(Rows(ExportList()), 0) << "保存後クリア is checked at start";
    EXPECT_FALSE(::IsWindowVisible(exportStack.GetHwnd())) << "保存後ウィンドウを閉じる too";

    const std::string file = FileText(exportFile);
    EXPECT_NE(file.find("APPNAME=Pinvane\r\r\n"), std::string::npos);
    EXPECT_NE(file.find("VERSION=Ver.:1.1.6.193\r\r\n"), std::string::npos);
    EXPECT_NE(file.find("SAVEFORMAT=0\r\r\n"), std::string::npos);
    EXPECT_NE(file.find("TACKLETNUM=3\r\r\n"), std::string::npos);
    EXPECT_NE(file.find("TEXT=65696e73\r\r\n"), std::string::npos) << "plain hexadecimal body";
    EXPECT_EQ(file.find("TEXTFORMAT=1"), std::string::npos);

    Texts texts;
    OpenFile(exportFile, {}, &texts);
    EXPECT_EQ(texts, Texts{}) << "same product and version: no question";
    ASSERT_EQ(Rows(ImportList()), 3);
    ASSERT_EQ(importStack.Records().Size(), 3u);
    const CTackletData& back = importStack.Records()[1];
    const CTackletData expected = RichNote("second", "zwei\r\n二番目");
    EXPECT_EQ(back.TITLE, expected.TITLE);
    EXPECT_EQ(back.TEXT, expected.TEXT);
    EXPECT_EQ(back.COLOR, expected.COLOR);
    EXPECT_EQ(back.BKCOLOR, expected.BKCOLOR);
    EXPECT_EQ(back.GRAPTN, expected.GRAPTN);
    EXPECT_EQ(back.TRANSPARENT_, expected.TRANSPARENT_);
    EXPECT_EQ(back.PART, expected.PART);
    EXPECT_EQ(back.FULL, expected.FULL);
    EXPECT_EQ(back.EXTENTFLAG, expected.EXTENTFLAG);
    EXPECT_EQ(back.EXCLASS, expected.EXCLASS);
    EXPECT_EQ(back.EXCTLID, expected.EXCTLID);
    EXPECT_EQ(back.EXTEXT, expected.EXTEXT);
    EXPECT_EQ(back.m_arrow.ARWFLAG, 1);
    EXPECT_EQ(back.m_arrow.ARWENDX, 300);
    EXPECT_EQ(back.ARLINEWIDTH, 2);
    EXPECT_EQ(back.REC_RIGHT, 210);

    // Import all: each goes first in turn, so the file's last note leads.
    const std::size_t before = control.Notes().Size();
    ::ShowWindow(importStack.GetHwnd(), SW_SHOW);
    Command(importStack.GetHwnd(), IDC_INPORT_IMPORTALL);
    ASSERT_EQ(control.Notes().Size(), before + 3);
    EXPECT_EQ(control.Notes()[0].TITLE, "first");
    EXPECT_EQ(control.Notes()[1].TITLE, "second");
    EXPECT_EQ(Rows(ImportList()), 0);
    EXPECT_FALSE(::IsWindowVisible(importStack.GetHwnd()));

    // The data file written now is protected: the import refuses it.
    control.SaveAll();
    OpenFile(scratch.Path() + "\\PinvaneData.ini", {}, &texts);
    EXPECT_EQ(texts, Texts{"データの書き込み形式が異なります.(テキストが暗号化されています)"});
    EXPECT_EQ(Rows(ImportList()), 0);
}

// An imported note keeps the sender's program path. The main panel shows
// its icon without asking the shell about any path but a local one (a
// network path would make Windows connect to that host).
TEST_F(ExportImportTest, AnImportedNetworkPathNeverReachesTheShell) {
    const char* const paths[] = {"\\\\192.0.2.1\\share\\evil.exe", "//192.0.2.1/share/evil.exe",
                                 "\\\\?\\UNC\\192.0.2.1\\share\\evil.exe", "\\\\.\\pipe\\evil",
                                 "C:\\Windows\\notepad.exe"};
    for (const char* path : paths) {
        CTackletData note = RichNote("imported", "text");
        note.EXEPATH = path;
        CNotifyBridge::AddToExportStack(note);
    }
    Command(exportStack.GetHwnd(), IDC_EXPORT_SAVE);
    Texts texts;
    OpenFile(exportFile, {}, &texts);
    ASSERT_EQ(Rows(ImportList()), 5);

    std::vector<std::string> asked;
    SetShellPathObserver([](const std::string& path, void* context) {
        static_cast<std::vector<std::string>*>(context)->push_back(path);
    }, &asked);
    Command(importStack.GetHwnd(), IDC_INPORT_IMPORTALL);
    ASSERT_EQ(control.Notes().Size(), 5u);
    // Each row's icon, as the list asks for it when it draws the row.
    HWND panel = control.GetItem(IDC_PANEL_LIST);
    for (int row = 0; row < 5; ++row) {
        LVITEMA item{};
        item.mask = LVIF_IMAGE;
        item.iItem = row;
        EXPECT_TRUE(ListView_GetItem(panel, &item)) << row;
        EXPECT_GE(item.iImage, 0) << row;
    }
    SetShellPathObserver(nullptr, nullptr);
    EXPECT_EQ(asked, std::vector<std::string>{"C:\\Windows\\notepad.exe"});
}

TEST_F(ExportImportTest, RefusedFilesShowTheirNoticeAndImportNothing) {
    const std::string head = "[SYSTEM]\r\nAPPNAME=Pinvane\r\nVERSION=Ver.:1.1.6.193\r\nSAVEFORMAT=0\r\n";
    const std::string item = "[TACKLETITEM0]\r\nTITLE=x\r\nTEXTFORMAT=0\r\nTEXT=61\r\n";
    struct Case {
        const char* name;
        std::string file;
        const char* notice;
    };
    const Case cases[] = {
        {"wrong product", "[SYSTEM]\r\nAPPNAME=Other\r\nSAVEFORMAT=0\r\nTACKLETNUM=1\r\n" + item,
         "Pinvane,Mossrelで作成したデータではありません.(または118版以前のデータ)"},
        {"encrypted", "[SYSTEM]\r\nAPPNAME=Pinvane\r\nSAVEFORMAT=1\r\nTACKLETNUM=1\r\n" + item,
         "データの書き込み形式が異なります.(テキストが暗号化されています)"},
        {"empty", head + "TACKLETNUM=0\r\n", "データ件数が０件です"},
        {"cut short", head + "TACKLETNUM=2\r\n" + item + "[TACKLETITEM1]\r\nTITLE=y\r\nREC_", "データが途中で切れています."},
        {"missing file", std::string(), "Pinvane,Mossrelで作成したデータではありません.(または118版以前のデータ)"},
        {"too large", head + "TACKLETNUM=1\r\n" + item + ";" + std::string(16 << 20, 'x') + "\r\n",
         "ファイルが大きすぎます.(16MBまで)"},
    };
    for (const Case& c : cases) {
        const std::string path = scratch.Path() + "\\refused.qnb";
        ::DeleteFileA(path.c_str());
        if (!c.file.empty()) WriteFile(path, c.file);
        Texts texts;
        OpenFile(path, {}, &texts);
        EXPECT_EQ(texts, Texts{c.notice}) << c.name;
        EXPECT_EQ(Rows(ImportList()), 0) << c.name;
    }
    EXPECT_EQ(control.Notes().Size(), 0u);
}

TEST_F(ExportImportTest, OtherVersionsAndTheOlderProductAreReadOnlyAfterYes) {
    const std::string other =
        "[SYSTEM]\r\nAPPNAME=Pinvane\r\nVERSION=Ver.:1.0.0.1\r\nSAVEFORMAT=0\r\nTACKLETNUM=1\r\n"
        "[TACKLETITEM0]\r\nTITLE=other version\r\nTEXT=61\r\n";
    const std::string older =
        "[SYSTEM]\r\nAPPNAME=Mossrel\r\nVERSION=1.0\r\nSAVEFORMAT=0\r\nTACKLETNUM=1\r\n"
        "[TACKLETITEM0]\r\nTITLE=older\r\nEXENAME=notepad.exe\r\nTEXT=616263\r\n";
    const std::string otherPath = scratch.Path() + "\\other.qnb", olderPath = scratch.Path() + "\\older.ini";
    WriteFile(otherPath, other);
    WriteFile(olderPath, older);
    Texts texts;
    OpenFile(otherPath, {IDNO}, &texts);
    EXPECT_EQ(texts, Texts{"異なるバージョンのデータですがデータを補完して続行しますか？"});
    EXPECT_EQ(Rows(ImportList()), 0);
    OpenFile(olderPath, {IDNO}, &texts);
    EXPECT_EQ(texts, Texts{"Mossrelデータをインポートします.不足するデータ項目はデフォルト値で補完します.よろしいですか？"});
    EXPECT_EQ(Rows(ImportList()), 0);
    OpenFile(olderPath, {IDYES}, &texts);
    ASSERT_EQ(Rows(ImportList()), 1);
    EXPECT_EQ(Cell(ImportList(), 0, 0), "NOTEPAD.EXE");
    const CTackletData& read = importStack.Records()[0];
    EXPECT_EQ(read.TEXT, "abc");
    EXPECT_EQ(read.m_arrow.ARWSATRTX, CTackletData().m_arrow.ARWSATRTX) << "missing keys keep the initial values";
    // A second file is refused while the cache holds notes.
    OpenFile(otherPath, {IDYES}, &texts);
    EXPECT_EQ(texts, Texts{"キャッシュにデータがあります."});
    EXPECT_EQ(Rows(ImportList()), 1);
}

TEST_F(ExportImportTest, ImportSelectedTwiceMakesTwoNotesThatShareNothing) {
    CTargetWindow target("PvTarget import", 100, 100, 400, 300);
    CTackletData note;
    note.TITLE = "PvTarget import";
    note.EXENAME = wintest::OwnExeName();
    note.TEXT = "imported";
    exportStack.AddRecord(note);
    Command(exportStack.GetHwnd(), IDC_EXPORT_SAVE);
    Texts texts;
    OpenFile(exportFile, {}, &texts);
    Mark(ImportList(), 0);
    Command(importStack.GetHwnd(), IDC_INPORT_IMPORT);
    Command(importStack.GetHwnd(), IDC_INPORT_IMPORT);
    EXPECT_EQ(Rows(ImportList()), 1) << "the record stays in the cache";
    ASSERT_EQ(control.Notes().Size(), 2u);
    control.MatchTick();
    ASSERT_EQ(control.Notes()[0].m_bAttached, 1);
    ASSERT_EQ(control.Notes()[1].m_bAttached, 1);
    EXPECT_NE(control.Notes()[0].m_pWin, control.Notes()[1].m_pWin) << "each note has a window of its own";
}

TEST_F(ExportImportTest, ActiveNotesTakenIntoTheCacheBringNoWindowBack) {
    CTargetWindow target("PvTarget shown", 100, 100, 400, 300);
    CTackletData note;
    note.TITLE = "PvTarget shown";
    note.EXENAME = wintest::OwnExeName();
    control.AddNote(note);
    control.MatchTick();
    ASSERT_EQ(control.Notes()[0].m_bAttached, 1);
    control.Notes()[0].m_pWin->SetText("typed just now");
    Command(exportStack.GetHwnd(), IDC_EXPORT_GETALL);
    ASSERT_EQ(exportStack.Records().Size(), 1u);
    EXPECT_EQ(exportStack.Records()[0].TEXT, "typed just now") << "the shown note's state is taken";
    EXPECT_EQ(exportStack.Records()[0].m_pWin, nullptr);
    EXPECT_EQ(exportStack.Records()[0].m_bAttached, 0);
    EXPECT_EQ(control.Notes()[0].m_bAttached, 1) << "the note stays shown";
}

TEST_F(ExportImportTest, ReattachSelectedTakesTheRecordOutOnlyWhenAWindowWasChosen) {
    CTargetWindow target("PvTarget reattach", 300, 200, 300, 200);
    control.MatchTick();
    exportStack.AddRecord(RichNote("elsewhere", "moved"));
    Command(exportStack.GetHwnd(), IDC_EXPORT_SAVE);
    Texts texts;
    OpenFile(exportFile, {}, &texts);
    Mark(ImportList(), 0);
    {
        wintest::CWindowChooser chooser(nullptr);
        Command(importStack.GetHwnd(), IDC_INPORT_REPASTE);
    }
    EXPECT_EQ(Rows(ImportList()), 1);
    EXPECT_EQ(control.Notes().Size(), 0u);
    {
        wintest::CWindowChooser chooser("PvTarget reattach");
        Command(importStack.GetHwnd(), IDC_INPORT_REPASTE);
    }
    EXPECT_EQ(Rows(ImportList()), 0);
    ASSERT_EQ(control.Notes().Size(), 1u);
    EXPECT_EQ(control.Notes()[0].TITLE, "PvTarget reattach");
    EXPECT_EQ(control.Notes()[0].m_arrow.ARWFLAG, 0);
    EXPECT_EQ(control.Notes()[0].TEXT, "moved");
}

TEST_F(ExportImportTest, CommandsOnEmptyCachesAndCancelledDialogs) {
    Texts texts = Notices(IDOK, [&] {
        Command(exportStack.GetHwnd(), IDC_EXPORT_SAVE);
        Command(exportStack.GetHwnd(), IDC_EXPORT_DELETE);
        Command(importStack.GetHwnd(), IDC_INPORT_IMPORTALL);
        for (int id : {IDC_INPORT_DELETE, IDC_INPORT_IMPORT, IDC_INPORT_REPASTE}) Command(importStack.GetHwnd(), id);
    });
    EXPECT_EQ(texts, (Texts{"エクスポートキャッシュにデータがありません.", "データを選択してください",
                            "インポートするデータがありません.", "データを選択してください",
                            "データを選択してください", "データを選択してください"}));
    EXPECT_EQ(saveDialogs, 0);
    exportStack.AddRecord(RichNote("kept", "kept"));
    cancelDialogs = true;
    ::ShowWindow(exportStack.GetHwnd(), SW_SHOW);
    Command(exportStack.GetHwnd(), IDC_EXPORT_SAVE);
    EXPECT_EQ(Rows(ExportList()), 1);
    EXPECT_TRUE(::IsWindowVisible(exportStack.GetHwnd()));
    EXPECT_EQ(::GetFileAttributesA(exportFile.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(ExportImportTest, AFailedExportWriteKeepsTheCacheAndSaysSo) {
    exportStack.AddRecord(RichNote("kept", "kept"));
    exportFile = scratch.Path() + "\\no such folder\\notes.qnb";
    ::ShowWindow(exportStack.GetHwnd(), SW_SHOW);
    Texts texts = Notices(IDOK, [&] { Command(exportStack.GetHwnd(), IDC_EXPORT_SAVE); });
    EXPECT_EQ(texts, Texts{"エクスポートファイルを書き込めませんでした."});
    EXPECT_EQ(Rows(ExportList()), 1);
    EXPECT_TRUE(::IsWindowVisible(exportStack.GetHwnd()));
}

}  // namespace

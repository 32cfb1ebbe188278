// Start-up pieces of the application object, run under Wine.
#include "platform/AppPaths.h"
#include "app/CommandLine.h"
#include "app/MultiDisplay.h"
#include "app/StartupData.h"
#include "data/AtomicFile.h"
#include "data/Trace.h"
#include "platform/Platform.h"
#include "WinTestUtil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

namespace {

struct TraceCapture {
    std::string text;
    TraceCapture() {
        TraceEnable(true);
        TraceSetSink([](const char* t, void* ctx) { static_cast<TraceCapture*>(ctx)->text += t; }, this);
    }
    ~TraceCapture() {
        TraceSetSink(nullptr, nullptr);
        TraceEnable(false);
    }
};

TEST(CommandLine, OnlyTheExactSwitchTurnsDebugOn) {
    struct Case {
        std::vector<const char*> args;
        bool debug;
    };
    const Case cases[] = {
        {{"Pinvane.exe", "-D119"}, true},
        {{"Pinvane.exe", "x", "-D119", "y"}, true},
        {{"Pinvane.exe", "-d119"}, false},
        {{"Pinvane.exe", "-D1190"}, false},
        {{"Pinvane.exe", "-D11"}, false},
        {{"Pinvane.exe"}, false},
    };
    for (const Case& k : cases) {
        std::vector<char*> argv;
        for (const char* a : k.args) argv.push_back(const_cast<char*>(a));
        EXPECT_EQ(ScanArgumentsForDebug(static_cast<int>(argv.size()), argv.data()), k.debug) << k.args.back();
    }
}

TEST(CommandLine, TracesEveryArgumentWithItsNumber) {
    TraceCapture capture;
    char* argv[] = {const_cast<char*>("Pinvane.exe"), const_cast<char*>("abc"), const_cast<char*>("-D119")};
    EXPECT_TRUE(ScanArgumentsForDebug(3, argv));
    EXPECT_EQ(capture.text, "1番目の引数=abc\n2番目の引数=-D119\nDEBUGMODE ON\n");
}

TEST(CommandLine, DirectoryIsEverythingBeforeTheLastBackslash) {
    EXPECT_EQ(DirectoryOfPath("C:\\Tools\\Pinvane\\Pinvane.exe"), "C:\\Tools\\Pinvane");
    EXPECT_EQ(DirectoryOfPath("C:\\Pinvane.exe"), "C:");
    EXPECT_EQ(DirectoryOfPath("Pinvane.exe"), "");
    // A backslash byte inside a double-byte character is still the byte 0x5C
    // in the path; the program path is cut at the last real separator.
    EXPECT_EQ(DirectoryOfPath("C:\\付箋\\Pinvane.exe"), "C:\\付箋");
    // "ソ" and "表" end in the byte 0x5C: no separator there.
    EXPECT_EQ(DirectoryOfPath("C:\\ソフト\\Pinvane.exe"), "C:\\ソフト");
    EXPECT_EQ(DirectoryOfPath("C:\\表\\Pinvane.exe"), "C:\\表");
    EXPECT_EQ(DirectoryOfPath("C:\\表"), "C:");
}

// The program's files are named by full paths from the program file's own
// path: neither the working directory at start nor a later change of it
// (a file dialog's, for one) moves them.
TEST(AppPaths, FilesAreNamedFromTheProgramFileWhateverTheCurrentDirectory) {
    wintest::CScratchDir scratch;
    char own[MAX_PATH * 2] = {};
    ASSERT_GT(::GetModuleFileNameA(nullptr, own, sizeof own), 0u);
    const std::string dir = DirectoryOfPath(own);
    ASSERT_FALSE(dir.empty());
    EXPECT_EQ(ModuleDirectory(), dir);

    SetAppDirectory(ModuleDirectory());
    EXPECT_EQ(AppFile(kDataFileName), dir + "\\PinvaneData.ini");
    ASSERT_TRUE(::SetCurrentDirectoryA("C:\\"));
    EXPECT_EQ(AppFile(kPresetFileName), dir + "\\MossrelPreset.ini");
    CStartupData::Destroy();
    EXPECT_EQ(CStartupData::Instance().DataPath(), dir + "\\PinvaneData.ini");
    EXPECT_EQ(CStartupData::Instance().PendingPath(), dir + "\\MossrelPendingList.ini");
    CStartupData::Destroy();
    SetAppDirectory("");
    EXPECT_EQ(AppFile(kDataFileName), CurrentDirFile(kDataFileName));
}

TEST(MultiDisplay, PrimaryMonitorComesFirst) {
    CMultiDisplay::Destroy();
    CMultiDisplay& md = CMultiDisplay::Instance();
    auto make = [](int left, bool primary) {
        CMonitorRecord r;
        r.info.rcMonitor = RECT{left, 0, left + 100, 100};
        r.info.dwFlags = primary ? MONITORINFOF_PRIMARY : 0;
        return r;
    };
    md.Add(make(0, false));
    md.Add(make(100, true));
    md.Add(make(200, false));
    ASSERT_EQ(md.Monitors().size(), 3u);
    EXPECT_EQ(md.Monitors()[0].info.rcMonitor.left, 100);
    EXPECT_EQ(md.Monitors()[1].info.rcMonitor.left, 0);
    EXPECT_EQ(md.Monitors()[2].info.rcMonitor.left, 200);
    CMultiDisplay::Destroy();
}

TEST(MultiDisplay, EnumerationCountsAndTracesTheScreen) {
    CMultiDisplay::Destroy();
    TraceCapture capture;
    CMultiDisplay& md = CMultiDisplay::Instance();
    md.Enumerate();
    EXPECT_GE(md.Count(), 1);
    ASSERT_EQ(md.Monitors().size(), static_cast<size_t>(md.Count()));
    EXPECT_TRUE(md.Monitors()[0].info.dwFlags & MONITORINFOF_PRIMARY);
    EXPECT_NE(capture.text.find("rcMonitor top=0, left=0, bottom="), std::string::npos) << capture.text;
    EXPECT_NE(capture.text.find("Flag = 1\n"), std::string::npos) << capture.text;
    CMultiDisplay::Destroy();
}

TEST(Platform, VersionTextComesFromTheVersionResource) {
    EXPECT_EQ(ReadVersionText(), "Ver.:1.1.6.193");
}

TEST(Platform, VolumeSerialOfAnExistingAndAMissingDrive) {
    char dir[MAX_PATH];
    ::GetCurrentDirectoryA(MAX_PATH, dir);
    uint32_t serial = 0xDEADBEEF;
    EXPECT_TRUE(QueryVolumeSerial(dir[0], &serial));
    EXPECT_NE(serial, 0xDEADBEEFu);
    EXPECT_FALSE(QueryVolumeSerial('?', &serial));
}

// Whether a temporary file of the atomic writer is left in `folder`.
bool TemporaryFileLeft(const std::string& folder) {
    WIN32_FIND_DATAA found{};
    const HANDLE find = ::FindFirstFileA((folder + "\\*.tmp").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return false;
    ::FindClose(find);
    return true;
}

// Another program reading the file (opened the way the C runtime opens it:
// others may read and write, not delete or replace) blocks its replacement
// while it holds the file: a reader that lets go within a moment does not
// fail the save; one that holds on does, the file staying as it was.
TEST(Platform, AFileReadByAnotherProgramIsReplacedOnceTheReaderLetsGo) {
    InstallPlatformServices();
    wintest::CScratchDir scratch;
    const std::string path = scratch.Path() + "\\PinvaneData.ini";
    struct Case {
        const char* name;
        DWORD holdMs;  // 0: held until the save has returned
        bool replaced;
    };
    const Case cases[] = {{"a reader for 150 ms", 150, true}, {"a reader holding on", 0, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::ofstream(path, std::ios::binary) << "old";
        HANDLE reader = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(reader, INVALID_HANDLE_VALUE);
        std::thread release;
        if (c.holdMs) release = std::thread([&] { ::Sleep(c.holdMs); ::CloseHandle(reader); });
        EXPECT_EQ(WriteFileAtomically(path, "new", 3), c.replaced);
        if (release.joinable()) release.join();
        else ::CloseHandle(reader);
        std::ifstream in(path, std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), c.replaced ? "new" : "old");
        in.close();
        // The next save, once the reader is gone, leaves nothing behind.
        if (!c.replaced) EXPECT_TRUE(WriteFileAtomically(path, "new", 3));
        EXPECT_FALSE(TemporaryFileLeft(scratch.Path()));
    }
}

// pvnote replaces a file the way Pinvane does, in one step, never deleting
// it first: a hidden data file stays hidden (a file deleted and another
// renamed in its place would not be), and nothing is left beside it.
TEST(Pvnote, ReplacesAFileInOneStep) {
    wintest::CScratchDir scratch;
    const std::string path = scratch.Path() + "\\PinvaneData.ini";
    const std::string json = scratch.Path() + "\\notes.json";
    std::ofstream(path, std::ios::binary) << "old";
    std::ofstream(json, std::ios::binary) << "{\"notes\": [{\"TITLE\": \"new\"}]}";
    ASSERT_TRUE(::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN));
    // The tool's path as the build gives it (a Unix path under Wine).
    std::string exe = PV_PVNOTE_EXE;
    if (!exe.empty() && exe[0] == '/') exe = "Z:" + exe;
    std::replace(exe.begin(), exe.end(), '/', '\\');
    std::string command = "\"" + exe + "\" write \"" + path + "\" --serial 0 --json \"" + json + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                                 &si, &pi))
        << command;
    ::WaitForSingleObject(pi.hProcess, 30000);
    DWORD code = 1;
    ::GetExitCodeProcess(pi.hProcess, &code);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    EXPECT_EQ(code, 0u);
    std::ifstream in(path, std::ios::binary);
    const std::string written(std::istreambuf_iterator<char>(in), {});
    EXPECT_NE(written.find("TITLE=new"), std::string::npos) << written;
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_HIDDEN));
    EXPECT_FALSE(TemporaryFileLeft(scratch.Path()));
}

// A program watching the file while it is saved again and again always
// finds the old or the new version under its name, never no file: a save
// cut short at any moment leaves one of the two.
TEST(Platform, AReplacedFileExistsAtEveryMoment) {
    InstallPlatformServices();
    wintest::CScratchDir scratch;
    const std::string path = scratch.Path() + "\\PinvaneData.ini";
    ASSERT_TRUE(WriteFileAtomically(path, "v0", 0));
    std::atomic<bool> done{false};
    int missing = 0, reads = 0;
    std::thread watcher([&] {
        while (!done) {
            // Looked up by name, not opened: an open file cannot be
            // replaced, and the save would wait for the watcher.
            if (::GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) ++missing;
            ++reads;
        }
    });
    for (int version = 1; version <= 300; ++version)
        EXPECT_TRUE(WriteFileAtomically(path, "v" + std::to_string(version), 0));
    done = true;
    watcher.join();
    EXPECT_GT(reads, 0);
    EXPECT_EQ(missing, 0) << "of " << reads << " looks";
}

// A hidden data file stays hidden once saved again.
TEST(Platform, AReplacedFileKeepsItsHiddenAttribute) {
    InstallPlatformServices();
    wintest::CScratchDir scratch;
    const std::string path = scratch.Path() + "\\PinvaneData.ini";
    ASSERT_TRUE(WriteFileAtomically(path, "old", 0));
    ASSERT_TRUE(::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(WriteFileAtomically(path, "new", 0));
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_HIDDEN);
}

// The previous version is kept by a link to it, not a copy: each backup
// still holds its own bytes once the file has been replaced, also after
// the file is changed in place (as a text editor saves).
TEST(Platform, BackupsKeepEachVersionsBytes) {
    InstallPlatformServices();
    wintest::CScratchDir scratch;
    const std::string path = scratch.Path() + "\\PinvaneData.ini";
    auto read = [](const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    for (int version = 1; version <= 5; ++version)
        ASSERT_TRUE(WriteFileAtomically(path, "v" + std::to_string(version), 3));
    std::fstream(path, std::ios::binary | std::ios::in | std::ios::out) << "E";
    EXPECT_EQ(read(path), "E5");
    EXPECT_EQ(read(BackupPath(path, 1)), "v4");
    EXPECT_EQ(read(BackupPath(path, 2)), "v3");
    EXPECT_EQ(read(BackupPath(path, 3)), "v2");
    EXPECT_EQ(::GetFileAttributesA(BackupPath(path, 4).c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(TemporaryFileLeft(scratch.Path()));
}

TEST(StartupData, NoFilesGiveNoNotesAndCreateNothing) {
    wintest::CScratchDir scratch;
    CStartupData::Destroy();
    CStartupData& store = CStartupData::Instance();
    EXPECT_TRUE(store.Notes().empty());
    EXPECT_TRUE(store.Pending().empty());
    EXPECT_EQ(store.DataPath(), scratch.Path() + "\\PinvaneData.ini");
    EXPECT_EQ(store.PendingPath(), scratch.Path() + "\\MossrelPendingList.ini");
    CStartupData::Destroy();
    EXPECT_EQ(::GetFileAttributesA(CurrentDirFile(kDataFileName).c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(::GetFileAttributesA(CurrentDirFile(kPendingFileName).c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(StartupData, ReadsBothFilesOnceInFileOrder) {
    wintest::CScratchDir scratch;
    {
        std::ofstream data(scratch.Path() + "\\PinvaneData.ini", std::ios::binary);
        data << "[SYSTEM]\r\r\nTACKLETNUM=2\r\r\n[TACKLETITEM0]\r\r\nTITLE=first\r\r\nTEXT=616263\r\r\n"
                "[TACKLETITEM1]\r\r\nTITLE=second\r\r\n";
        std::ofstream pending(scratch.Path() + "\\MossrelPendingList.ini", std::ios::binary);
        pending << "[SYSTEM]\r\nTACKLETNUM=1\r\n[TACKLETITEM0]\r\nEXENAME=notepad.exe\r\n";
    }
    CStartupData::Destroy();
    CStartupData& store = CStartupData::Instance();
    ASSERT_EQ(store.Notes().size(), 2u);
    EXPECT_EQ(store.Notes()[0].TITLE, "first");
    EXPECT_EQ(store.Notes()[0].TEXT, "abc");
    EXPECT_EQ(store.Notes()[1].TITLE, "second");
    ASSERT_EQ(store.Pending().size(), 1u);
    EXPECT_EQ(store.Pending()[0].EXENAME, "NOTEPAD.EXE");
    CStartupData::Destroy();
}

}  // namespace

#include "data/WriteIniFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "TestUtil.h"
#include "data/AtomicFile.h"
#include "data/IniFile.h"

namespace {

TEST(WriteIniFileTest, StreamModeWritesSectionLinesOnlyOnChange) {
    TempDir dir;
    const std::string path = dir.File("out.ini");
    CWriteIniFile writer(CWriteIniFile::kStreamMode);
    ASSERT_EQ(writer.open(path), 1);
    EXPECT_EQ(writer.write("A", "k1", "v1", path), 1);
    writer.write("A", "k2", 7, path);
    writer.write("B", "k3", "", path);
    writer.write("A", "k4", -3, path);
    EXPECT_TRUE(writer.close());
    EXPECT_EQ(ReadBytes(path), "[A]\r\r\nk1=v1\r\r\nk2=7\r\r\n[B]\r\r\nk3=\r\r\n[A]\r\r\nk4=-3\r\r\n");
}

TEST(WriteIniFileTest, OpenTruncatesAndStartsSectionsAfresh) {
    TempDir dir;
    const std::string path = dir.File("out.ini");
    WriteBytes(path, std::string(100, 'x'));
    CWriteIniFile writer(CWriteIniFile::kStreamMode);
    ASSERT_EQ(writer.open(path), 1);
    writer.write("A", "k", "1", path);
    writer.close();
    ASSERT_EQ(writer.open(path), 1);
    writer.write("A", "k", "2", path);
    writer.close();
    EXPECT_EQ(ReadBytes(path), "[A]\r\r\nk=2\r\r\n");
}

TEST(WriteIniFileTest, OpenFailureIsTracedAndReported) {
    TempDir dir;
    const std::string path = dir.File("no-such-dir/out.ini");
    TraceCapture trace;
    CWriteIniFile writer(CWriteIniFile::kStreamMode);
    EXPECT_EQ(writer.open(path), 0);
    EXPECT_EQ(trace.Text(), "CWriteIniFile::openFile(" + path + ") Error!\n");
}

TEST(WriteIniFileTest, ValuesNeverSpanLines) {
    // A window text with line breaks must not inject keys or sections.
    TempDir dir;
    const std::string path = dir.File("out.ini");
    CWriteIniFile writer(CWriteIniFile::kStreamMode);
    ASSERT_EQ(writer.open(path), 1);
    writer.write("A", "EXTEXT", "line1\r\n[B]\r\nK=evil", path);
    writer.write("A", "NUL", std::string("ab\0cd", 5), path);
    writer.close();
    EXPECT_EQ(ReadBytes(path), "[A]\r\r\nEXTEXT=line1  [B]  K=evil\r\r\nNUL=ab\r\r\n");
    const CIniFile ini = CIniFile::Load(path);
    EXPECT_FALSE(ini.HasSection("B"));
}

TEST(WriteIniFileTest, ValuesReadBackUnchanged) {
    // Reading trims blanks and removes one pair of enclosing quotes; the
    // writer quotes exactly the values that would otherwise change.
    const char* values[] = {"plain", " lead", "trail ", "\tboth\t", "\"quoted\"", "'single'", "\"",
                            "\"open", "a \"b\" c", "\"\"", "x = y", ""};
    TempDir dir;
    const std::string path = dir.File("out.ini");
    CWriteIniFile writer(CWriteIniFile::kStreamMode);
    ASSERT_EQ(writer.open(path), 1);
    int i = 0;
    for (const char* v : values) writer.write("S", "K" + std::to_string(i++), v, path);
    writer.close();
    const CIniFile ini = CIniFile::Load(path);
    i = 0;
    for (const char* v : values) EXPECT_EQ(ini.GetString("S", "K" + std::to_string(i++), "<def>"), v);
    EXPECT_NE(ReadBytes(path).find("K0=plain\r\r\nK1=\" lead\"\r\r\n"), std::string::npos);
}

struct ProfileCall {
    std::string section, key, value, path;
};
ProfileCall g_lastCall;

bool RecordProfileWrite(const char* section, const char* key, const char* value, const char* path) {
    g_lastCall = {section, key, value, path};
    return true;
}

TEST(WriteIniFileTest, ProfileModeGoesThroughThePlatformWriter) {
    CWriteIniFile writer;  // mode 0 at construction
    EXPECT_EQ(writer.Mode(), CWriteIniFile::kProfileMode);
    EXPECT_EQ(writer.open("ignored"), 1);
    EXPECT_EQ(writer.write("S", "K", "V", "p.ini"), 0);  // no platform writer installed
    CWriteIniFile::SetProfileWriter(&RecordProfileWrite);
    EXPECT_EQ(writer.write("S", "K", "V", "p.ini"), 1);
    CWriteIniFile::SetProfileWriter(nullptr);
    EXPECT_EQ(g_lastCall.section + g_lastCall.key + g_lastCall.value + g_lastCall.path, "SKVp.ini");
}

// ------------------------------------------------------- atomic replacement

using Names = std::vector<std::string>;

// The names of the files in the folder of `path`, sorted.
Names FilesBeside(const std::string& path) {
    Names names;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(path).parent_path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

namespace atomic {

bool FailingFlush(std::FILE*) { return false; }
bool FailingReplace(const char*, const char*) { return false; }

// Installs one failing hook (or blocks the path) for the life of a case.
struct Failure {
    const char* name;
    void (*arrange)(const std::string& path);
};

void FailFlush(const std::string&) { SetFileFlusher(&FailingFlush); }
void FailReplace(const std::string&) { SetFileReplacer(&FailingReplace); }
void Block(const std::string& path) { BlockFileWrites(path); }

void Restore(const std::string& path) {
    SetFileFlusher(nullptr);
    SetFileReplacer(nullptr);
    UnblockFileWrites(path);
}

}  // namespace atomic

TEST(WriteIniFileTest, AFailedWriteLeavesTheOldFileAndNoTemporaryFile) {
    const atomic::Failure cases[] = {
        {"flush to disk fails", &atomic::FailFlush},
        {"replace fails", &atomic::FailReplace},
        {"file could not be read", &atomic::Block},
    };
    for (const auto& failure : cases) {
        SCOPED_TRACE(failure.name);
        TempDir dir;
        const std::string path = dir.File("PinvaneData.ini");
        WriteBytes(path, "old contents");
        failure.arrange(path);
        CWriteIniFile writer(CWriteIniFile::kStreamMode);
        writer.SetBackups(3);
        writer.open(path);
        writer.write("A", "k", "new", path);
        EXPECT_FALSE(writer.close());
        atomic::Restore(path);
        EXPECT_EQ(ReadBytes(path), "old contents");
        EXPECT_EQ(FilesBeside(path), Names{"PinvaneData.ini"});
    }
}

// The temporary file is created new under a name of its own: a file or a
// link that already has the name "<target>.tmp" is left alone and cannot
// redirect the write.
TEST(WriteIniFileTest, TheTemporaryFileIsCreatedNewAndAPlantedOneIsLeftAlone) {
    const struct {
        const char* name;
        bool link;
    } cases[] = {{"a file named <target>.tmp", false}, {"a link named <target>.tmp", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::string path = dir.File("export.qnb");
        const std::string elsewhere = dir.File("elsewhere.txt");
        WriteBytes(elsewhere, "someone else's file");
        if (c.link) std::filesystem::create_symlink(elsewhere, TempPathFor(path));
        else WriteBytes(TempPathFor(path), "the user's export.qnb.tmp");
        const std::string planted = ReadBytes(TempPathFor(path));
        ASSERT_TRUE(WriteFileAtomically(path, "atomic"));
        CWriteIniFile writer(CWriteIniFile::kStreamMode);
        ASSERT_EQ(writer.open(dir.File("other.ini")), 1);
        writer.write("A", "k", "v", dir.File("other.ini"));
        ASSERT_TRUE(writer.close());
        EXPECT_EQ(ReadBytes(path), "atomic");
        EXPECT_EQ(ReadBytes(elsewhere), "someone else's file");
        EXPECT_EQ(ReadBytes(TempPathFor(path)), planted);
        EXPECT_EQ(std::filesystem::is_symlink(TempPathFor(path)), c.link);
        EXPECT_EQ(FilesBeside(path), (Names{"elsewhere.txt", "export.qnb", "export.qnb.tmp", "other.ini"}));
    }
}

TEST(WriteIniFileTest, AnUnclosedWriterLeavesTheOldFile) {
    TempDir dir;
    const std::string path = dir.File("out.ini");
    WriteBytes(path, "old contents");
    {
        CWriteIniFile writer(CWriteIniFile::kStreamMode);
        ASSERT_EQ(writer.open(path), 1);
        writer.write("A", "k", std::string(100000, 'x'), path);  // beyond the write buffer
        EXPECT_EQ(ReadBytes(path), "old contents");
    }
    EXPECT_EQ(ReadBytes(path), "old contents");
    EXPECT_EQ(FilesBeside(path), Names{"out.ini"});
}

// The previous version is linked where the file system allows it, copied
// where not; either way each backup keeps its own bytes, also when the
// file is later changed in place (as a text editor saves).
TEST(WriteIniFileTest, KeepsThreeGenerationsOfBackups) {
    struct Case {
        const char* name;
        FileLinker linker;  // nullptr: the default
        bool staleStaged;   // a staged backup left by a save that was cut short
    };
    const Case cases[] = {
        {"linked", nullptr, false},
        {"copied where there are no links", [](const char*, const char*) { return false; }, false},
        {"beside a staged backup left behind", nullptr, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::string path = dir.File("PinvaneData.ini");
        SetFileLinker(c.linker);
        if (c.staleStaged) WriteBytes(TempPathFor(BackupPath(path, 1)), "cut short");
        for (int version = 1; version <= 5; ++version) {
            CWriteIniFile writer(CWriteIniFile::kStreamMode);
            writer.SetBackups(3);
            ASSERT_EQ(writer.open(path), 1);
            writer.write("A", "v", version, path);
            ASSERT_TRUE(writer.close());
        }
        SetFileLinker(nullptr);
        EXPECT_EQ(ReadBytes(path), IniLines({"[A]", "v=5"}));
        EXPECT_EQ(ReadBytes(BackupPath(path, 1)), IniLines({"[A]", "v=4"}));
        EXPECT_EQ(ReadBytes(BackupPath(path, 2)), IniLines({"[A]", "v=3"}));
        EXPECT_EQ(ReadBytes(BackupPath(path, 3)), IniLines({"[A]", "v=2"}));
        EXPECT_FALSE(FileExists(BackupPath(path, 4)));
        // Nothing else is left beside them; a file left behind stays as it was.
        Names expected{"PinvaneData.ini", "PinvaneData.ini.bak1", "PinvaneData.ini.bak2", "PinvaneData.ini.bak3"};
        if (c.staleStaged) {
            expected.push_back("PinvaneData.ini.bak1.tmp");
            EXPECT_EQ(ReadBytes(TempPathFor(BackupPath(path, 1))), "cut short");
            std::sort(expected.begin(), expected.end());
        }
        EXPECT_EQ(FilesBeside(path), expected);
        std::FILE* inPlace = std::fopen(path.c_str(), "r+b");
        ASSERT_NE(inPlace, nullptr);
        std::fputs("edited", inPlace);
        std::fclose(inPlace);
        EXPECT_EQ(ReadBytes(BackupPath(path, 1)), IniLines({"[A]", "v=4"}));
    }
}

}  // namespace

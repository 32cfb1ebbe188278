// Feeds arbitrary bytes to the readers of the note, settings and preset
// files, and checks that whatever they read is written and read back to
// the same file bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

#include "data/IniFile.h"
#include "data/MbString.h"
#include "data/NoteFile.h"
#include "data/PreSetFile.h"
#include "data/SettingsFile.h"
#include "data/TextProtect.h"

namespace {

// Scratch files live in memory where possible: rewriting a truncated file
// on a disk file system can wait for the disk on every close.
class ScratchDir {
public:
    ScratchDir() {
        std::error_code ec;
        const std::filesystem::path shm = "/dev/shm";
        const auto base = std::filesystem::is_directory(shm, ec) ? shm : std::filesystem::temp_directory_path();
        m_path = base / ("pv-fuzz-" + std::to_string(getpid()));
        std::filesystem::create_directories(m_path);
    }
    ~ScratchDir() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

std::string ScratchFile(const char* name) {
    static const ScratchDir dir;
    return (dir.Path() / name).string();
}

std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Check(bool condition) {
    if (!condition) std::abort();
}

// Writing what was read, reading it again and writing once more gives the
// same bytes as the first write.
void NotesRoundTrip(std::vector<CTackletData> notes, int format, std::uint32_t key) {
    const std::string first = ScratchFile("a.ini");
    const std::string second = ScratchFile("b.ini");
    Check(WriteDataFile(first, notes, format, key));
    std::vector<CTackletData> again = ReadNoteFile(first, key);
    Check(again.size() == notes.size());
    Check(WriteDataFile(second, again, format, key));
    Check(Bytes(first) == Bytes(second));
}

void SettingsRoundTrip(const CSettingsData& settings, const CTackletData& templ) {
    const std::string first = ScratchFile("p.ini");
    Check(PropatyWriteFile(first, settings, templ));
    CSettingsData s2;
    CTackletData t2;
    PropatyReadFile(first, s2, t2);
    const std::string second = ScratchFile("q.ini");
    Check(PropatyWriteFile(second, s2, t2));
    Check(Bytes(first) == Bytes(second));
}

void PresetsRoundTrip(const std::vector<CPreSetCondData>& presets) {
    const std::string path = ScratchFile("r.ini");
    Check(PreSetWriteFile(path, presets));
    std::vector<CPreSetCondData> again;
    PreSetReadFile(path, again);
    Check(again == presets);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const CIniFile ini = CIniFile::Parse(bytes);
    const std::uint32_t key = size >= 4 ? (data[0] | data[1] << 8 | data[2] << 16 | std::uint32_t{data[3]} << 24) : 0;
    const int format = size > 0 ? data[size - 1] % 3 : 0;

    ReadNoteFileHeader(ini);
    std::vector<CTackletData> notes = ReadNotes(ini, key);
    for (const CTackletData& note : notes) {
        Check(note.TEXT.size() <= kMaxBodyBytes);
        Check(DecodeBody(EncodeBody(note.TEXT, format, key), format, key) == note.TEXT);
    }
    // Writing thousands of notes each time would only slow the search down.
    if (notes.size() <= 32) NotesRoundTrip(std::move(notes), format, key);

    CSettingsData settings;
    CTackletData templ;
    PropatyRead(ini, settings, templ);
    SettingsRoundTrip(settings, templ);

    std::vector<CPreSetCondData> presets;
    PreSetRead(ini, presets);
    if (presets.size() <= 32) PresetsRoundTrip(presets);

    // The text helpers on whatever bytes came in.
    const std::size_t cut = MbFitLength(bytes, size / 2);
    Check(cut <= size / 2);
    Check(MbFind(bytes, bytes.substr(cut)) <= cut || cut == size);
    return 0;
}

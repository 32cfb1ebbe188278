// Feeds arbitrary bytes to the import path: the acceptance checks, then the
// notes of an accepted file. What is read stays within the bounds of a note
// record and comes back the same through an export file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "collections/ImportCheck.h"
#include "data/IniFile.h"
#include "data/NoteFile.h"
#include "data/ValueBounds.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

std::string ScratchExport() {
    static const std::filesystem::path dir = [] {
        std::error_code ec;
        const std::filesystem::path shm = "/dev/shm";
        const auto base = std::filesystem::is_directory(shm, ec) ? shm : std::filesystem::temp_directory_path();
        const auto path = base / ("pv-fuzz-import-" + std::to_string(getpid()));
        std::filesystem::create_directories(path);
        return path;
    }();
    return (dir / "export.qnb").string();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const CIniFile ini = CIniFile::Parse(bytes);
    const CImportPlan plan = PlanImport(ini, "Ver.:1.1.6.193");
    if (plan.refusal) return 0;
    const std::vector<CTackletData> notes = ReadImportNotes(ini);
    // Memory follows the file: no more notes than the bound or its sections.
    Check(notes.size() <= static_cast<std::size_t>(kMaxNoteCount) + 2 * ini.SectionCount());
    for (const CTackletData& note : notes) {
        CTackletData bounded = note;
        BoundRecord(bounded);
        Check(bounded.NoteRect() == note.NoteRect() && bounded.m_arrow == note.m_arrow &&
              bounded.m_logFont == note.m_logFont);
    }
    // Writing the notes as an export file and importing that again gives
    // the same texts (the added keys carry what the line form cannot).
    if (notes.empty() || notes.size() > 32) return 0;
    const std::string path = ScratchExport();
    Check(WriteExportFile(path, notes));
    CIniFile again;
    const char* refusal = nullptr;
    Check(LoadImportFile(path, &again, &refusal));
    const std::vector<CTackletData> back = ReadImportNotes(again);
    Check(back.size() == notes.size());
    for (std::size_t i = 0; i < notes.size(); ++i) {
        Check(back[i].TITLE == notes[i].TITLE && back[i].EXTEXT == notes[i].EXTEXT && back[i].EXEPATH == notes[i].EXEPATH &&
              back[i].TEXT == notes[i].TEXT && back[i].NoteRect() == notes[i].NoteRect());
    }
    return 0;
}

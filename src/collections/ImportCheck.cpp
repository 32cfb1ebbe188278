#include "collections/ImportCheck.h"

#include "data/NoteFile.h"

namespace {
constexpr char kThisProduct[] = "Pinvane";
constexpr char kOlderProduct[] = "Mossrel";
}  // namespace

CImportPlan PlanImport(const CIniFile& ini, const std::string& storedVersion) {
    CImportPlan plan;
    const CNoteFileHeader header = ReadNoteFileHeader(ini, kImportHeaderMaxBytes);
    const bool ours = header.APPNAME == kThisProduct;
    if (!ours && header.APPNAME != kOlderProduct) {
        plan.refusal = kImportWrongProduct;
        return plan;
    }
    if (header.SAVEFORMAT != "0") {
        plan.refusal = kImportEncrypted;
        return plan;
    }
    // A negative count reads no note either: refused like an empty file.
    if (header.TACKLETNUM <= 0) {
        plan.refusal = kImportEmpty;
        return plan;
    }
    // A file cut short would otherwise give notes with default values. The
    // search ends at the first missing section, so a count far beyond the
    // file costs no more than the file's sections.
    for (std::int32_t i = 0; i < header.TACKLETNUM; ++i) {
        if (!ini.HasSection(NoteSectionName(static_cast<std::size_t>(i)))) {
            plan.refusal = kImportCutShort;
            return plan;
        }
    }
    // This program always ends a note with its body; the older product's
    // files may lack keys.
    const auto last = ini.GetSection(NoteSectionName(static_cast<std::size_t>(header.TACKLETNUM - 1)));
    const std::string_view lastText = last.GetView("TEXT", "\x01");
    if (ours && (lastText == "\x01" || lastText.size() % 2 != 0)) {
        plan.refusal = kImportCutShort;
        return plan;
    }
    if (ours && header.VERSION != storedVersion) plan.questions.push_back(kImportOtherVersion);
    if (!ours) plan.questions.push_back(kImportOlderProduct);
    return plan;
}

bool LoadImportFile(const std::string& path, CIniFile* ini, const char** refusal) {
    CIniFile::LoadState state;
    *ini = CIniFile::Load(path, &state, kMaxImportBytes);
    if (state != CIniFile::LoadState::TooLarge) return true;
    *refusal = kImportTooLarge;
    return false;
}

std::vector<CTackletData> ReadImportNotes(const CIniFile& ini) { return ReadNotes(ini, 0); }

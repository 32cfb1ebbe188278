#include "data/PreSetFile.h"

#include <algorithm>

#include "data/AtomicFile.h"
#include "data/IniFile.h"
#include "data/Trace.h"
#include "data/WriteIniFile.h"

namespace {
constexpr char kSystem[] = "SYSTEM";
// The preset name is read into a buffer of 2048 bytes.
constexpr std::size_t kNameReadBytes = 2047;

std::string PresetSectionName(std::size_t index) { return "PRESETITEM" + std::to_string(index); }
}  // namespace

bool PreSetReadFile(const std::string& path, std::vector<CPreSetCondData>& presets) {
    Trace("CControlDlg::PreSetReadFile()\n");
    CIniFile::LoadState state;
    const CIniFile ini = CIniFile::Load(path, &state);
    if (state == CIniFile::LoadState::Unreadable) {
        Trace("PreSetReadFile(%s): the file cannot be read; it is kept as it is\n", path.c_str());
        BlockFileWrites(path);
        return false;
    }
    PreSetRead(ini, presets);
    return true;
}

bool PreSetRereadBlocked(const std::string& path, std::vector<CPreSetCondData>& presets) {
    if (!AreFileWritesBlocked(path)) return true;
    std::vector<CPreSetCondData> fromFile;
    CIniFile::LoadState state;
    const CIniFile ini = CIniFile::Load(path, &state);
    if (state == CIniFile::LoadState::Unreadable) return false;
    UnblockFileWrites(path);
    PreSetRead(ini, fromFile);
    presets.insert(presets.begin(), fromFile.begin(), fromFile.end());
    return true;
}

void PreSetRead(const CIniFile& ini, std::vector<CPreSetCondData>& presets) {
    const std::int32_t count = std::clamp(ini.GetInt(kSystem, "PRESETCOUNT", 0), 0, kMaxPresetCount);
    for (std::int32_t i = 0; i < count; ++i) {
        const CIniFile::SectionView s = ini.GetSection(PresetSectionName(static_cast<std::size_t>(i)));
        CPreSetCondData preset;
        preset.CONDNAME = s.GetText("CONDNAME", preset.CONDNAME, kNameReadBytes);
        preset.PROCESSFLAG = s.GetInt("PROCESSFLAG", preset.PROCESSFLAG);
        preset.TITLEFLAG = s.GetInt("TITLEFLAG", preset.TITLEFLAG);
        preset.EXTENTFLAG = s.GetInt("EXTENTFLAG", preset.EXTENTFLAG);
        preset.EXENAME = s.GetText("EXENAME", "");
        preset.EXCLASS = s.GetText("EXCLASS", "");
        preset.EXCTLID = s.GetInt("EXCTLID", preset.EXCTLID);
        presets.push_back(std::move(preset));
    }
}

bool PreSetWriteFile(const std::string& path, const std::vector<CPreSetCondData>& presets) {
    CWriteIniFile writer(CWriteIniFile::kStreamMode);
    if (!writer.open(path)) return false;
    writer.write(kSystem, "PRESETCOUNT", static_cast<long long>(presets.size()), path);
    for (std::size_t i = 0; i < presets.size(); ++i) {
        const CPreSetCondData& p = presets[i];
        const std::string s = PresetSectionName(i);
        writer.writeText(s, "CONDNAME", p.CONDNAME, path);
        writer.write(s, "PROCESSFLAG", p.PROCESSFLAG, path);
        writer.write(s, "TITLEFLAG", p.TITLEFLAG, path);
        writer.write(s, "EXTENTFLAG", p.EXTENTFLAG, path);
        writer.writeText(s, "EXENAME", p.EXENAME, path);
        writer.writeText(s, "EXCLASS", p.EXCLASS, path);
        writer.write(s, "EXCTLID", p.EXCTLID, path);
    }
    return writer.close();
}

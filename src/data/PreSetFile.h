// Per-application presets and the preset file.
//
// Layout: section SYSTEM with PRESETCOUNT, then sections "PRESETITEM<i>"
// with CONDNAME, PROCESSFLAG, TITLEFLAG, EXTENTFLAG, EXENAME, EXCLASS,
// EXCTLID.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/IniFile.h"

class CPreSetCondData {
public:
    std::string CONDNAME;
    std::int32_t TITLEFLAG = 1;
    std::int32_t PROCESSFLAG = 1;
    std::int32_t EXTENTFLAG = 1;
    std::string EXENAME;
    std::int32_t EXCTLID = 0;
    std::string EXCLASS;

    bool operator==(const CPreSetCondData&) const = default;
};

// Most presets a file is read with (a larger PRESETCOUNT is cut to it).
inline constexpr std::int32_t kMaxPresetCount = 10000;

// Appends the presets of the file to `presets`; PRESETCOUNT (default 0)
// sections are read, a missing one giving a preset with defaults. A file
// that exists but cannot be read gives none and is blocked from being
// replaced (see BlockFileWrites) until a later read succeeds; false then.
bool PreSetReadFile(const std::string& path, std::vector<CPreSetCondData>& presets);
// Before presets are edited and written: a preset file blocked by
// PreSetReadFile is read again; when that succeeds the block is lifted and
// the file's presets are put before `presets`. False while it still cannot
// be read (writing it then fails).
bool PreSetRereadBlocked(const std::string& path, std::vector<CPreSetCondData>& presets);
void PreSetRead(const CIniFile& ini, std::vector<CPreSetCondData>& presets);

// Writes the presets in the layout above; false when the file cannot be
// opened or a write fails.
bool PreSetWriteFile(const std::string& path, const std::vector<CPreSetCondData>& presets);

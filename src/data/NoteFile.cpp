#include "data/NoteFile.h"

#include <algorithm>

#include "data/TextProtect.h"
#include "data/Trace.h"
#include "data/VersionText.h"
#include "data/WriteIniFile.h"

namespace {

bool WriteNotes(const std::string& path, const std::vector<CTackletData>& notes, int format,
                std::uint32_t volumeKey) {
    CWriteIniFile writer(CWriteIniFile::kStreamMode);
    if (!writer.open(path)) return false;
    const std::string system = kNoteFileSystemSection;
    writer.write(system, "APPNAME", kNoteFileAppName, path);
    writer.write(system, "MESSAGE", kNoteFileMessage, path);
    writer.write(system, "VERSION", StoredVersionText(), path);
    writer.write(system, "SAVEFORMAT", format, path);
    writer.write(system, "TACKLETNUM", static_cast<long long>(notes.size()), path);
    for (std::size_t i = 0; i < notes.size(); ++i) {
        notes[i].WriteItem(writer, format, volumeKey, NoteSectionName(i), path);
    }
    return writer.close();
}

}  // namespace

std::string NoteSectionName(std::size_t index) { return "TACKLETITEM" + std::to_string(index); }

CNoteFileHeader ReadNoteFileHeader(const CIniFile& ini, std::size_t maxBytes) {
    CNoteFileHeader header;
    header.APPNAME = ini.GetString(kNoteFileSystemSection, "APPNAME", "", maxBytes);
    header.MESSAGE = ini.GetString(kNoteFileSystemSection, "MESSAGE", "", maxBytes);
    header.VERSION = ini.GetString(kNoteFileSystemSection, "VERSION", "", maxBytes);
    header.SAVEFORMAT = ini.GetString(kNoteFileSystemSection, "SAVEFORMAT", "", maxBytes);
    header.TACKLETNUM = ini.GetInt(kNoteFileSystemSection, "TACKLETNUM", 0);
    return header;
}

std::vector<CTackletData> ReadNotes(const CIniFile& ini, std::uint32_t volumeKey) {
    return ReadNotes(ini, volumeKey, CTackletData());
}

std::vector<CTackletData> ReadNotes(const CIniFile& ini, std::uint32_t volumeKey, const CTackletData& prototype) {
    const std::int32_t count = std::clamp(ini.GetInt(kNoteFileSystemSection, "TACKLETNUM", 0), 0, kMaxNoteCount);
    std::vector<CTackletData> notes;
    notes.reserve(static_cast<std::size_t>(count));
    for (std::int32_t i = 0; i < count; ++i) {
        CTackletData note = prototype;
        note.ReadItem(ini, volumeKey, NoteSectionName(static_cast<std::size_t>(i)));
        notes.push_back(std::move(note));
    }
    return notes;
}

std::vector<CTackletData> ReadNoteFile(const std::string& path, std::uint32_t volumeKey) {
    return ReadNotes(CIniFile::Load(path), volumeKey);
}

bool WriteDataFile(const std::string& path, std::vector<CTackletData>& notes, int format, std::uint32_t volumeKey) {
    Trace("CControlDlg::__writeIniFile()\n");
    const int stored = format == kTextScrambled ? kTextScrambled : kTextPlain;
    if (!WriteNotes(path, notes, stored, volumeKey)) return false;
    for (CTackletData& note : notes) note.m_bModified = 0;
    return true;
}

bool WriteExportFile(const std::string& path, const std::vector<CTackletData>& notes) {
    return WriteNotes(path, notes, kTextPlain, 0);
}

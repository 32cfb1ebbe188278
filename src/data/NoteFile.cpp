#include "data/NoteFile.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "data/AtomicFile.h"
#include "data/NoteIdentity.h"
#include "data/TextProtect.h"
#include "data/Trace.h"
#include "data/VersionText.h"
#include "data/WriteIniFile.h"

namespace {

// The whole file: the header, then every note.
void WriteNotes(CWriteIniFile& writer, const std::string& path, const std::vector<CTackletData>& notes, int format,
                std::uint32_t volumeKey, const NoteSectionKeys& addedKeys = nullptr) {
    const std::string system = kNoteFileSystemSection;
    writer.writeText(system, "APPNAME", kNoteFileAppName, path);
    writer.writeText(system, "MESSAGE", kNoteFileMessage, path);
    writer.writeText(system, "VERSION", StoredVersionText(), path);
    writer.write(system, "SAVEFORMAT", format, path);
    writer.write(system, "TACKLETNUM", static_cast<long long>(notes.size()), path);
    for (std::size_t i = 0; i < notes.size(); ++i) {
        const std::string section = NoteSectionName(i);
        notes[i].WriteItem(writer, format, volumeKey, section, path);
        if (addedKeys) addedKeys(writer, i, section);
    }
}

bool WriteNotes(const std::string& path, const std::vector<CTackletData>& notes, int format,
                std::uint32_t volumeKey, int backups) {
    CWriteIniFile writer(CWriteIniFile::kStreamMode);
    writer.SetBackups(backups);
    if (!writer.open(path)) return false;
    WriteNotes(writer, path, notes, format, volumeKey);
    return writer.close();
}

// At least the bytes WriteNotes writes: the header's five keys, then each
// note's section.
std::size_t NotesBytesBound(const std::vector<CTackletData>& notes, int format) {
    std::size_t bytes = 256 + sizeof kNoteFileMessage + StoredVersionText().size();
    const std::size_t sectionBytes = NoteSectionName(notes.size()).size();
    for (const CTackletData& note : notes) bytes += note.ItemBytesBound(format, sectionBytes);
    return bytes;
}

int StoredFormat(int format) { return format == kTextScrambled ? kTextScrambled : kTextPlain; }

// How many notes are made by position from a count of `count`: all of them
// unless the count is beyond what the file can hold.
std::int32_t NotesByPosition(const CIniFile& ini, std::int32_t count) {
    const std::size_t bound = std::max(static_cast<std::size_t>(kMaxNoteCount), ini.SectionCount());
    return static_cast<std::size_t>(count) > bound ? static_cast<std::int32_t>(bound) : count;
}

// The index of a note section name ("TACKLETITEM<i>", any case, no leading
// zeros), or -1.
std::int64_t NoteSectionIndex(std::string_view name) {
    constexpr std::string_view kPrefix = "TACKLETITEM";
    if (name.size() <= kPrefix.size() || name.size() > kPrefix.size() + 10) return -1;
    for (std::size_t i = 0; i < kPrefix.size(); ++i) {
        const char c = name[i];
        if ((c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c) != kPrefix[i]) return -1;
    }
    const std::string_view digits = name.substr(kPrefix.size());
    if (digits.size() > 1 && digits[0] == '0') return -1;
    std::int64_t index = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return -1;
        index = index * 10 + (c - '0');
    }
    return index;
}

}  // namespace

std::string NoteSectionName(std::size_t index) { return "TACKLETITEM" + std::to_string(index); }

CNoteFileHeader ReadNoteFileHeader(const CIniFile& ini, std::size_t maxBytes) {
    CNoteFileHeader header;
    header.APPNAME = ini.GetText(kNoteFileSystemSection, "APPNAME", "", maxBytes);
    header.MESSAGE = ini.GetText(kNoteFileSystemSection, "MESSAGE", "", maxBytes);
    header.VERSION = ini.GetText(kNoteFileSystemSection, "VERSION", "", maxBytes);
    header.SAVEFORMAT = ini.GetString(kNoteFileSystemSection, "SAVEFORMAT", "", maxBytes);
    header.TACKLETNUM = ini.GetInt(kNoteFileSystemSection, "TACKLETNUM", 0);
    return header;
}

std::vector<CTackletData> ReadNotes(const CIniFile& ini, std::uint32_t volumeKey) {
    return ReadNotes(ini, volumeKey, CTackletData());
}

std::vector<CTackletData> ReadNotes(const CIniFile& ini, std::uint32_t volumeKey, const CTackletData& prototype) {
    const std::int32_t count = std::max(ini.GetInt(kNoteFileSystemSection, "TACKLETNUM", 0), 0);
    const std::int32_t byPosition = NotesByPosition(ini, count);
    std::vector<CTackletData> notes;
    notes.reserve(static_cast<std::size_t>(byPosition));
    auto read = [&](std::string_view section) {
        CTackletData note = prototype;
        note.ReadItem(ini, volumeKey, std::string(section));
        notes.push_back(std::move(note));
    };
    for (std::int32_t i = 0; i < byPosition; ++i) read(NoteSectionName(static_cast<std::size_t>(i)));
    if (byPosition == count) {
        GiveIdentities(notes, NewIdentity::Derived);
        return notes;
    }
    // A damaged count: the note sections beyond the bound are read too.
    std::vector<std::pair<std::int64_t, std::string_view>> beyond;
    for (std::string_view name : ini.SectionNames()) {
        const std::int64_t index = NoteSectionIndex(name);
        if (index >= byPosition && index < count) beyond.emplace_back(index, name);
    }
    std::sort(beyond.begin(), beyond.end());
    for (const auto& [index, name] : beyond) read(name);
    GiveIdentities(notes, NewIdentity::Derived);
    return notes;
}

std::vector<CTackletData> ReadNoteFile(const std::string& path, std::uint32_t volumeKey) {
    return ReadNotes(CIniFile::Load(path), volumeKey);
}

bool IsDamagedNoteFile(const CIniFile& ini) {
    const std::string_view bytes = ini.Contents();
    if (bytes.empty() || (bytes.back() != '\n' && bytes.back() != '\r')) return true;
    const CIniFile::SectionView system = ini.GetSection(kNoteFileSystemSection);
    if (!system.Exists() || system.GetView("TACKLETNUM", "").empty()) return true;
    const std::int32_t count = system.GetInt("TACKLETNUM", 0);
    if (count <= 0) return false;
    if (NotesByPosition(ini, count) != count) return true;
    // Every writer of these files writes the leader-line width of each note;
    // only the text keys after it depend on the text format.
    const CIniFile::SectionView last = ini.GetSection(NoteSectionName(static_cast<std::size_t>(count - 1)));
    return !last.Exists() || last.GetView("ARLINEWIDTH", "").empty();
}

CNoteFileContents ReadNoteFileChecked(const std::string& path, std::uint32_t volumeKey) {
    CNoteFileContents result;
    CIniFile::LoadState loaded;
    const CIniFile ini = CIniFile::Load(path, &loaded);
    switch (loaded) {
    case CIniFile::LoadState::Missing: result.state = NoteFileState::Missing; return result;
    case CIniFile::LoadState::Unreadable:
    case CIniFile::LoadState::TooLarge: result.state = NoteFileState::Unreadable; return result;
    case CIniFile::LoadState::Read: break;
    }
    result.state = IsDamagedNoteFile(ini) ? NoteFileState::Damaged : NoteFileState::Read;
    result.notes = ReadNotes(ini, volumeKey);
    return result;
}

CStartupNoteFile ReadStartupNoteFile(const std::string& path, std::uint32_t volumeKey) {
    CStartupNoteFile file;
    file.contents = ReadNoteFileChecked(path, volumeKey);
    if (file.contents.state == NoteFileState::Unreadable) {
        Trace("ReadStartupNoteFile(%s): the file cannot be read; it is kept as it is\n", path.c_str());
        BlockFileWrites(path);
        return file;
    }
    if (file.contents.state != NoteFileState::Damaged) return file;
    for (int g = 1; g <= kDataFileBackups; ++g) {
        CNoteFileContents backup = ReadNoteFileChecked(BackupPath(path, g), volumeKey);
        if (backup.state != NoteFileState::Read) continue;
        Trace("ReadStartupNoteFile(%s): damaged, restored from backup %d\n", path.c_str(), g);
        // The damaged file stays beside the others; the restored notes are
        // written over it at the next save.
        WriteFileAtomically(path + ".damaged", std::string(CIniFile::Load(path).Contents()));
        file.contents.notes = std::move(backup.notes);
        file.restored = true;
        return file;
    }
    // No good backup: the notes that could be read are all there is.
    return file;
}

bool RereadBlockedNoteFile(const std::string& path, std::uint32_t volumeKey, std::vector<CTackletData>* notes) {
    notes->clear();
    if (!AreFileWritesBlocked(path)) return true;
    CNoteFileContents file = ReadNoteFileChecked(path, volumeKey);
    if (file.state == NoteFileState::Unreadable) {
        Trace("%s still cannot be read; not replaced\n", path.c_str());
        return false;
    }
    UnblockFileWrites(path);
    *notes = std::move(file.notes);
    return true;
}

bool WriteDataFile(const std::string& path, std::vector<CTackletData>& notes, int format, std::uint32_t volumeKey,
                   std::string* written) {
    Trace("CControlDlg::__writeIniFile()\n");
    std::string image = RenderDataFile(path, notes, format, volumeKey);
    if (!WriteFileAtomically(path, image, kDataFileBackups)) {
        Trace("CWriteIniFile::openFile(%s) Error!\n", path.c_str());
        return false;
    }
    for (CTackletData& note : notes) note.m_bModified = 0;
    if (written) *written = std::move(image);
    return true;
}

bool WriteExportFile(const std::string& path, const std::vector<CTackletData>& notes) {
    return WriteNotes(path, notes, kTextPlain, 0, 0);
}

std::string RenderDataFile(const std::string& path, const std::vector<CTackletData>& notes, int format,
                           std::uint32_t volumeKey) {
    return RenderNoteFile(path, notes, format, volumeKey, nullptr, 0);
}

std::string RenderNoteFile(const std::string& path, const std::vector<CTackletData>& notes, int format,
                           std::uint32_t volumeKey, const NoteSectionKeys& addedKeys, std::size_t addedBytes) {
    // The whole image in one allocation: growing it step by step copies it
    // over and over and touches fresh memory at every step.
    CWriteIniFile writer(CWriteIniFile::kStreamMode);
    writer.openMemory(NotesBytesBound(notes, StoredFormat(format)) + notes.size() * addedBytes);
    WriteNotes(writer, path, notes, StoredFormat(format), volumeKey, addedKeys);
    return writer.takeText();
}

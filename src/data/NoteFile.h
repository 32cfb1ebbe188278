// Note files: the data file, the pending-list file and export files.
//
// Layout: section SYSTEM (APPNAME, MESSAGE, VERSION, SAVEFORMAT, TACKLETNUM)
// followed by one section "TACKLETITEM<i>" per note, i from 0.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "data/IniFile.h"
#include "data/TackletData.h"

class CWriteIniFile;

inline constexpr char kNoteFileAppName[] = "Pinvane";
inline constexpr char kNoteFileMessage[] = "このファイルのデータは直接編集しないでください";
inline constexpr char kNoteFileSystemSection[] = "SYSTEM";

// A file holds a section per note, so a TACKLETNUM beyond both this and the
// number of sections in the file is a damaged count: only this many notes
// (or as many as there are sections) are made from it, plus every note
// section the file holds beyond them, so that memory stays proportional to
// the file and no note it holds is left unread.
inline constexpr std::int32_t kMaxNoteCount = 10000;

// The header section as stored.
struct CNoteFileHeader {
    std::string APPNAME;
    std::string MESSAGE;
    std::string VERSION;
    std::string SAVEFORMAT;
    std::int32_t TACKLETNUM = 0;
};

// Section name of note i: "TACKLETITEM<i>".
std::string NoteSectionName(std::size_t index);

// Reads the header; strings are cut to `maxBytes`, TACKLETNUM defaults to 0.
CNoteFileHeader ReadNoteFileHeader(const CIniFile& ini, std::size_t maxBytes = CIniFile::kMaxString);

// Reads every note of a parsed note file: TACKLETNUM of SYSTEM (0 when
// missing), then each section through ReadItem into a copy of `prototype`
// (a fresh record by default). A missing section gives the prototype with
// the format's defaults. A count beyond what the file can hold (see
// kMaxNoteCount) gives the notes up to that bound and then the note
// sections that exist beyond it, in order.
std::vector<CTackletData> ReadNotes(const CIniFile& ini, std::uint32_t volumeKey);
std::vector<CTackletData> ReadNotes(const CIniFile& ini, std::uint32_t volumeKey, const CTackletData& prototype);

// Reads the data file or the pending-list file (volume key from
// VolumeKeyForPath) or an export file (key 0). A missing file has no notes.
std::vector<CTackletData> ReadNoteFile(const std::string& path, std::uint32_t volumeKey);

// Previous versions of the data file kept beside it ("<file>.bak1" newest).
inline constexpr int kDataFileBackups = 3;

// What reading a note file found.
enum class NoteFileState {
    Missing,     // no file: no notes
    Read,        // read whole
    Unreadable,  // exists but could not be opened or read
    Damaged,     // read, but cut short or without its header
};

struct CNoteFileContents {
    NoteFileState state = NoteFileState::Missing;
    std::vector<CTackletData> notes;  // what could be read
};

// Whether parsed note-file contents are damaged: no header (no SYSTEM
// section with TACKLETNUM), an empty file, a count beyond what the file can
// hold, the last note's section missing or ending before its fixed keys, or
// the file ending inside a line.
bool IsDamagedNoteFile(const CIniFile& ini);

// Reads a note file and says what it found (notes as ReadNoteFile).
CNoteFileContents ReadNoteFileChecked(const std::string& path, std::uint32_t volumeKey);

// The data file or pending-list file as read at start. A damaged file is
// replaced by its newest good backup (the damaged one is kept as
// "<file>.damaged"); then `restored` is true. A file that exists but could
// not be read is blocked from being replaced (see BlockFileWrites) until a
// later read succeeds.
struct CStartupNoteFile {
    CNoteFileContents contents;
    bool restored = false;
};
CStartupNoteFile ReadStartupNoteFile(const std::string& path, std::uint32_t volumeKey);

// Before a file blocked by ReadStartupNoteFile is written: reads it again.
// False while it still cannot be read (it stays blocked and must not be
// written). Otherwise the block is lifted, `notes` receives what the file
// holds (nothing for a file that was never blocked or is gone now) and the
// caller keeps those notes beside its own before writing.
bool RereadBlockedNoteFile(const std::string& path, std::uint32_t volumeKey, std::vector<CTackletData>* notes);

// Writes the data file or the pending-list file: the header with
// SAVEFORMAT, then every note with the text format and the volume key.
// A format other than 0 and 1 is written as format 0, so that no body is
// lost. The file is replaced in one step, the previous version kept as a
// backup (kDataFileBackups generations). On success every note's
// m_bModified is cleared, the bytes written stored in `written` (when
// given) and true returned. False when the file cannot be written or
// replaced (the old file untouched); the notes then stay marked modified.
bool WriteDataFile(const std::string& path, std::vector<CTackletData>& notes, int format, std::uint32_t volumeKey,
                   std::string* written = nullptr);

// The bytes WriteDataFile would write (for comparing with what is on disk);
// the records are not changed.
std::string RenderDataFile(const std::string& path, const std::vector<CTackletData>& notes, int format,
                           std::uint32_t volumeKey);

// Keys of its own that a kind of note file adds to note `index`'s section
// `section`, after the note's keys.
using NoteSectionKeys = std::function<void(CWriteIniFile& writer, std::size_t index, const std::string& section)>;
// The bytes of a note file as RenderDataFile, each note's section followed
// by what `addedKeys` writes into it (at most `addedBytes` bytes per note).
std::string RenderNoteFile(const std::string& path, const std::vector<CTackletData>& notes, int format,
                           std::uint32_t volumeKey, const NoteSectionKeys& addedKeys, std::size_t addedBytes);

// Writes an export file: SAVEFORMAT "0" and every note in plain text
// (format 0, key 0). The records are not changed. False as above.
bool WriteExportFile(const std::string& path, const std::vector<CTackletData>& notes);

// Keeps the data file in step with the active notes: the full write and
// the autosave that writes only when the notes' current state differs from
// what was last written or read. Collects the shown notes' state through
// their note-window interface, renders and writes through the note file
// format; tells its caller what to show. No window code here.
//
// Several PCs may share the file (a synced folder): before every write, and
// whenever its caller asks (the file changed on disk), the file is read if
// its bytes differ from the version last read or written, and merged three
// ways into the notes (see data/NoteMerge.h). A note the user changed gets
// its change time when it is next saved.
#pragma once

#include "data/NoteMerge.h"
#include "data/RecordList.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class CNoteSaver {
public:
    // Deletes the notes of these list identities (CRecordList::IdAt) for a
    // merge; without one the saver removes them from the list itself.
    using NoteRemover = std::function<void(const std::vector<std::uint64_t>& ids)>;

    // The data file at `path` holds `notes` as read at start; `restored`:
    // they came from its backup, so the first autosave writes them. Notes
    // without an identity get the one a reader derives.
    void Start(const std::string& path, std::vector<CTackletData>& notes, int format, bool restored);
    bool Started() const { return !m_path.empty(); }
    const std::string& Path() const { return m_path; }
    std::uint32_t TextKey() const { return m_textKey; }
    void SetRemover(NoteRemover remover) { m_remover = std::move(remover); }

    // Writes every note of `notes` in `format`. A file that could not be
    // read at start is read again first; its notes go behind the current
    // ones (`grew`), and while it still cannot be read nothing is written.
    // A file changed on disk is merged first (`grew` as well: the notes
    // changed). False when the file was not written.
    bool Write(CRecordList& notes, int format, bool* grew);

    struct AutoSaveResult {
        bool current = false;  // the file holds the notes' current state
        bool tell = false;     // the first failure of a run: tell the user
        bool grew = false;     // as for Write
    };
    // Copies every shown note's window state into its record, and writes
    // when the rendered file differs from the last one written or read. A
    // failure is told once per run of failures, and never for a file that
    // was unreadable since start (that was told then).
    AutoSaveResult AutoSave(CRecordList& notes, int format);

    struct MergeResult {
        bool read = false;        // the file differed and was read
        bool unreadable = false;  // the file exists but could not be read: not to be written
        bool changed = false;     // the notes here changed (added, taken, deleted)
        bool fileBehind = false;  // the file lacks something of the notes here
        std::size_t added = 0, taken = 0, removed = 0, conflicts = 0;
    };
    // Reads the data file when its bytes differ from the version last read
    // or written and merges it into `notes` (shown notes' window state
    // collected first). Does not write; `format` as for Write.
    MergeResult MergeFile(CRecordList& notes, int format);
    // Merges another file into `notes` as a union: nothing is deleted here
    // (a conflict copy a sync service left beside the data file).
    MergeResult MergeCopy(CRecordList& notes, const std::string& path);
    // MergeFile, then a write when the file lacks something of the notes.
    // `written` false with `failed` when that write failed.
    struct SyncResult {
        MergeResult merge;
        bool written = false;
        bool failed = false;
    };
    SyncResult Sync(CRecordList& notes, int format);

private:
    // New notes get an identity; notes changed since the version last read
    // or written get the change time now.
    void StampChanges(CRecordList& notes);
    // Applies the merge; `theirVersions` (when given) receives theirs by identity.
    MergeResult Apply(CRecordList& notes, const std::vector<CTackletData>& theirs, MergeKind kind,
                      NoteVersions* theirVersions = nullptr);
    // The version on disk now: its bytes (kept as their size and hash: a
    // copy of megabytes costs more than summing them up) and its notes.
    void Remember(std::string_view diskImage, NoteVersions versions);
    bool IsRemembered(std::string_view diskImage) const;

    std::string m_path;
    std::uint32_t m_textKey = 0;
    std::string m_savedImage;  // the data file's bytes as last written (or read)
    std::size_t m_diskSize = 0;   // the bytes on disk as last read or written: their count
    std::uint64_t m_diskHash = 0;  // and their BytesHash
    NoteVersions m_base;       // the notes of that version
    bool m_failed = false;     // the last write failed
    NoteRemover m_remover;
};

// Keeps the data file in step with the active notes: the full write and
// the autosave that writes only when the notes' current state differs from
// what was last written or read. Collects the shown notes' state through
// their note-window interface, renders and writes through the note file
// format; tells its caller what to show. No window code here.
#pragma once

#include "data/RecordList.h"

#include <cstdint>
#include <string>

class CNoteSaver {
public:
    // The data file at `path` holds `notes` as read at start; `restored`:
    // they came from its backup, so the first autosave writes them.
    void Start(const std::string& path, const std::vector<CTackletData>& notes, int format, bool restored);
    bool Started() const { return !m_path.empty(); }
    const std::string& Path() const { return m_path; }
    std::uint32_t TextKey() const { return m_textKey; }

    // Writes every note of `notes` in `format`. A file that could not be
    // read at start is read again first; its notes go behind the current
    // ones (`grew`), and while it still cannot be read nothing is written.
    // False when the file was not written.
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

private:
    std::string m_path;
    std::uint32_t m_textKey = 0;
    std::string m_savedImage;  // the data file's bytes as last written (or read)
    bool m_failed = false;     // the last write failed
};

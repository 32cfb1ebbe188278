#include "controller/NoteSaver.h"

#include "data/AtomicFile.h"
#include "data/NoteFile.h"
#include "data/VolumeKey.h"

void CNoteSaver::Start(const std::string& path, const std::vector<CTackletData>& notes, int format, bool restored) {
    m_path = path;
    m_textKey = VolumeKeyForPath(path);
    m_failed = false;
    m_savedImage.clear();
    if (!restored) m_savedImage = RenderDataFile(m_path, notes, format, m_textKey);
}

bool CNoteSaver::Write(CRecordList& notes, int format, bool* grew) {
    *grew = false;
    std::vector<CTackletData> older;
    if (!RereadBlockedNoteFile(m_path, m_textKey, &older)) return false;
    // The file's notes are older than every note made since start.
    if (!older.empty()) {
        notes.AppendForWriting(std::move(older));
        *grew = true;
    }
    if (!WriteDataFile(m_path, notes.Items(), format, m_textKey, &m_savedImage)) return false;
    m_failed = false;
    return true;
}

CNoteSaver::AutoSaveResult CNoteSaver::AutoSave(CRecordList& notes, int format) {
    AutoSaveResult result;
    for (CTackletData& note : notes.Items()) note.CopyWindow();
    if (RenderDataFile(m_path, notes.Items(), format, m_textKey) == m_savedImage) {
        result.current = true;
        return result;
    }
    const bool unread = AreFileWritesBlocked(m_path);
    result.current = Write(notes, format, &result.grew);
    if (result.current || m_failed || unread) return result;
    m_failed = true;
    result.tell = true;
    return result;
}

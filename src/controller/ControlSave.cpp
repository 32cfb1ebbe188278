// Writing the data file: the full save (manual, exit, logoff) and the
// autosave that keeps the file current while the program runs.
#include "controller/ControlDlg.h"

#include "data/Trace.h"
#include "data/AtomicFile.h"
#include "data/NoteFile.h"
#include "platform/MessageBox.h"

namespace {
constexpr char kWriteErrorText[] =
    "設定ファイルをOPENできません.エディタ等で設定ファイルを開いていいる可能性性があります。";
}

bool CControlDlg::ReadBackUnreadFile() {
    std::vector<CTackletData> older;
    if (!RereadBlockedNoteFile(m_dataPath, m_textKey, &older)) return false;
    // The file's notes are older than every note made since start.
    if (!older.empty()) {
        m_notes.Append(std::move(older));
        RefreshNoteList();
    }
    return true;
}

bool CControlDlg::WriteIniFile(bool reportFailure) {
    if (ReadBackUnreadFile() &&
        WriteDataFile(m_dataPath, m_notes.Items(), m_settings.FORMAT, m_textKey, &m_savedImage)) {
        m_autoSaveFailed = false;
        return true;
    }
    if (reportFailure) ShowNotice(GetHwnd(), kWriteErrorText);
    return false;
}

bool CControlDlg::AutoSave() {
    if (!m_loaded) return false;
    for (CTackletData& note : m_notes.Items()) note.CopyWindow();
    if (RenderDataFile(m_dataPath, m_notes.Items(), m_settings.FORMAT, m_textKey) == m_savedImage) return true;
    const bool unread = AreFileWritesBlocked(m_dataPath);
    if (WriteIniFile(false)) return true;
    // Told once per run of failures; a file unreadable since start was
    // reported then. Nothing of the note list is held across the box.
    if (m_autoSaveFailed || unread) return false;
    m_autoSaveFailed = true;
    ShowNotice(GetHwnd(), kWriteErrorText);
    return false;
}

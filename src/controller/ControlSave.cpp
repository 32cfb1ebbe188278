// Saving: the full save (manual, exit, logoff), the save on change and the
// autosave that keeps the file current while the program runs. The file
// work itself is CNoteSaver's; here are the notes' windows and the notices.
#include "controller/ControlDlg.h"

#include "data/Trace.h"
#include "platform/MessageBox.h"

namespace {
constexpr char kWriteErrorText[] =
    "設定ファイルをOPENできません.エディタ等で設定ファイルを開いていいる可能性性があります。";
}

bool CControlDlg::SaveAll(bool reportFailure) {
    if (!m_loaded) return true;
    Batch batch(*this);
    const bool written = SaveCurrentState(reportFailure);
    // The file is complete before the first window goes: a session that
    // ends during the teardown loses nothing. The detach only repeats what
    // was just written, so it owes no second save. After a good write (no
    // message shown, nothing could change) the windows are not read again;
    // after a failure notice the user may have edited a note meanwhile.
    for (std::size_t i = 0; i < m_notes.Size(); ++i) {
        if (written) m_notes[i].DetachCollected();
        else m_notes[i].Detach();
    }
    if (written) m_batch.Saved();
    return written;
}

bool CControlDlg::SaveCurrentState(bool reportFailure) {
    if (!m_loaded) return false;
    for (CTackletData& note : m_notes.Items()) {
        if (note.m_bAttached != 1 || !note.m_pWin) continue;
        // What the detach would record: the access time and the window's state.
        note.TouchAccessTime();
        note.CollectWindowState();
    }
    m_notes.MarkAll();
    const bool written = WriteIniFile(reportFailure);
    if (written) m_batch.Saved();
    // A pending list that could not be written fails the save as well.
    const bool pendingWritten = CNotifyBridge::MarkPendingForSaving(reportFailure);
    return written && pendingWritten;
}

void CControlDlg::NotesChanged() {
    if (!m_batch.Changed()) return;
    RefreshNoteList();
    SaveOnChange();
}

void CControlDlg::EndBatch() {
    const CUpdateBatch::Owed owed = m_batch.End();
    if (owed.refresh) RefreshNoteList();
    if (owed.save) SaveOnChange();
}

void CControlDlg::SaveOnChange() {
    if (m_settings.SAVETIMING != 1) return;
    m_notes.MarkAll();
    WriteIniFile();
}

std::vector<CTackletData>& CControlDlg::CollectAllWindowStates() {
    for (CTackletData& note : m_notes.Items()) {
        if (note.m_bAttached == 1 && note.m_pWin) {
            Trace("CopyWindow()! title=%s\n", note.TITLE.c_str());
            note.CopyWindow();
        }
    }
    return m_notes.Items();
}

bool CControlDlg::WriteIniFile(bool reportFailure) {
    bool grew = false;
    const bool written = m_saver.Write(m_notes, m_settings.FORMAT, &grew);
    if (grew) RefreshNoteList();
    if (!written && reportFailure) ShowNotice(GetHwnd(), kWriteErrorText);
    return written;
}

bool CControlDlg::AutoSave() {
    if (!m_loaded) return false;
    const CNoteSaver::AutoSaveResult result = m_saver.AutoSave(m_notes, m_settings.FORMAT);
    if (result.grew) RefreshNoteList();
    // Nothing of the note list is held across the box.
    if (result.tell) ShowNotice(GetHwnd(), kWriteErrorText);
    return result.current;
}

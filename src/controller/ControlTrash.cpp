// The trash: every deletion of active notes puts them there, the trash
// panel puts them back or deletes them for good.
#include "controller/ControlDlg.h"

#include <algorithm>

#include "data/NoteDate.h"
#include "data/Trace.h"
#include "platform/MessageBox.h"

namespace {
constexpr char kTrashWriteError[] = "ゴミ箱のファイルに書き込めません.";
}  // namespace

void CControlDlg::LoadTrash(const std::string& dataPath) {
    m_trashFailed = false;
    // A file that cannot be read is kept as it is and read again before
    // each write; the first write that fails because of it is told.
    m_trash.Load(TrashPathBeside(dataPath), m_settings.TRASHDAYS, NowTime());
    if (m_trashChanged) m_trashChanged();
}

bool CControlDlg::SaveTrash() {
    const bool written = m_trash.Save(m_settings.TRASHDAYS, NowTime(), m_settings.FORMAT);
    if (m_trashChanged) m_trashChanged();
    if (written) {
        m_trashFailed = false;
        return false;
    }
    if (m_trashFailed) return false;
    m_trashFailed = true;
    return true;
}

void CControlDlg::TellTrashFailure(bool tell) {
    // Nothing of the note list is held across the box.
    if (tell) ShowNotice(GetHwnd(), kTrashWriteError);
}

void CControlDlg::RemoveNotes(const std::vector<std::uint64_t>& ids) {
    const std::size_t before = m_notes.Size();
    const bool tell = TrashNotes(ids);
    if (m_notes.Size() != before) NotesChanged();
    TellTrashFailure(tell);
}

void CControlDlg::RemoveMergedNotes(const std::vector<std::uint64_t>& ids) {
    if (!TrashNotes(ids)) return;
    m_pendingNotice = kTrashWriteError;
    ShowPendingNotice();
}

bool CControlDlg::TrashNotes(const std::vector<std::uint64_t>& ids) {
    // Removed from the last position up (nothing behind them moves), then
    // put into the trash in list order, newest first.
    std::vector<std::size_t> rows;
    rows.reserve(ids.size());
    for (std::uint64_t id : ids) {
        const int i = m_notes.IndexOf(id);
        if (i >= 0) rows.push_back(static_cast<std::size_t>(i));
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    std::vector<CTackletData> removed;
    removed.reserve(rows.size());
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
        CTackletData& note = m_notes[*row];
        // The trash keeps what the note shows now.
        if (note.m_bAttached == 1 && note.m_pWin) note.CollectWindowState();
        DestroyNoteWindow(note);
        removed.push_back(std::move(note));
        m_notes.RemoveAt(*row);
    }
    std::reverse(removed.begin(), removed.end());
    if (removed.empty()) return false;
    Trace("CControlDlg::RemoveNotes(): %d into the trash\n", static_cast<int>(removed.size()));
    m_trash.Add(removed, NowTime());
    // The trash holds them before the data file lets them go.
    return SaveTrash();
}

bool CControlDlg::RestoreFromTrash(std::uint64_t id) {
    CTackletData note;
    if (!m_trash.Take(id, &note)) return false;
    // First among the active notes; the next tick shows it where its
    // window is.
    note.m_bModified = 1;
    InsertAtHead(WithoutWindow(std::move(note)));
    TellTrashFailure(SaveTrash());
    return true;
}

bool CControlDlg::PurgeFromTrash(std::uint64_t id) {
    CTackletData gone;
    if (!m_trash.Take(id, &gone)) return false;
    TellTrashFailure(SaveTrash());
    return true;
}

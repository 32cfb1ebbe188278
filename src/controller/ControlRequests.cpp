// The requests of note windows (through CNotifyBridge) and the note
// dialogs they open: delete, duplicate, split, absorb, move, match
// condition, export and pending list; the preset dialogs.
#include "controller/ControlDlg.h"

#include "collections/PreSetMatchConditionDlg.h"
#include "data/TackletWindow.h"
#include "data/Trace.h"
#include "platform/MessageBox.h"
#include "platform/WinConvert.h"
#include "winsel/MatchConditionDlg.h"
#include "winsel/WindowSelDlg.h"

namespace {
constexpr char kPresetWriteErrorText[] = "プリセット条件ファイルを保存できません.";

bool Intersects(const PvRect& a, const PvRect& b) {
    RECT ra{a.left, a.top, a.right, a.bottom}, rb{b.left, b.top, b.right, b.bottom}, out{};
    return ::IntersectRect(&out, &ra, &rb) != FALSE;
}

}  // namespace

int CControlDlg::FindCaller(HWND caller, const char* traceLine, bool traceHandles) {
    if (traceLine) Trace("%s", traceLine);
    return m_notes.FindByWindow(ToHandle(caller), traceHandles);
}

void CControlDlg::DestroyNoteWindow(CTackletData& note) {
    if (note.m_pWin) note.m_pWin->Destroy();
    note.m_pWin = nullptr;
    note.m_bAttached = 0;
}

void CControlDlg::notifyUpdateWindow() {
    Trace("CControlDlg::notifyUpdateWindow()\n");
    NotesChanged();
}

void CControlDlg::notifyDeleteWindow(HWND caller) {
    int i = FindCaller(caller, "CControlDlg::notifyDeleteWindow()\n");
    if (i < 0) return;
    DeleteNote(m_notes.IdAt(static_cast<std::size_t>(i)));
}

std::uint64_t CControlDlg::NoteIdentity(HWND caller) const {
    const int i = m_notes.FindByWindow(ToHandle(caller), false);
    return i < 0 ? 0 : m_notes.IdAt(static_cast<std::size_t>(i));
}

void CControlDlg::DeleteNote(std::uint64_t id) { RemoveNotes({id}); }

void CControlDlg::notifyCopyWindow(HWND caller) {
    int i = FindCaller(caller, "CControlDlg::notifyCopyWindow()\n");
    if (i < 0) return;
    CTackletData copy = m_notes[static_cast<std::size_t>(i)];
    copy.CopyWindowForDuplicate();
    InsertAtHead(std::move(copy));
}

void CControlDlg::notifySplit(HWND caller, const std::string& first, const std::string& second) {
    int i = FindCaller(caller, "CControlDlg::notifySplit()\n");
    if (i < 0) return;
    CTackletData& note = m_notes[static_cast<std::size_t>(i)];
    CTackletData copy = note;
    copy.CopyWindowForDuplicate();
    note.SetText(first);
    copy.SetText(second);
    InsertAtHead(std::move(copy));
}

int CControlDlg::notifyComposition(HWND caller) {
    int d = FindCaller(caller, "CControlDlg::notifyComposition()\n");
    if (d < 0) return 0;
    RECT callerRect{};
    ::GetWindowRect(caller, &callerRect);
    const PvHandle target = m_notes[static_cast<std::size_t>(d)].hTargetWnd;
    int count = 0;
    int e = -1;
    for (std::size_t k = 0; k < m_notes.Size(); ++k) {
        CTackletData& other = m_notes[k];
        if (static_cast<int>(k) == d || other.m_bAttached != 1 || !other.m_pWin || other.hTargetWnd != target)
            continue;
        if (!Intersects(other.m_pWin->GetWindowRect(), ToPvRect(callerRect))) continue;
        ++count;
        e = static_cast<int>(k);
    }
    if (count != 1) return count;
    CTackletData& mine = m_notes[static_cast<std::size_t>(d)];
    CTackletData& absorbed = m_notes[static_cast<std::size_t>(e)];
    std::string combined = mine.GetText() + absorbed.GetText();
    if (combined.size() > CTackletData::kMaxWindowText) return -1;
    mine.SetText(combined);
    DestroyNoteWindow(absorbed);
    m_notes.RemoveAt(static_cast<std::size_t>(e));
    RefreshNoteList();
    SaveOnChange();
    return 1;
}

void CControlDlg::notifyMoveDesktop(HWND caller) {
    int i = FindCaller(caller, nullptr);
    if (i < 0) return;
    RECT desktop{};
    ::GetWindowRect(::GetDesktopWindow(), &desktop);
    Retarget(m_notes[static_cast<std::size_t>(i)], desktop, kDesktopName, kDesktopName, kDesktopName);
    RefreshNoteList();
    SaveOnChange();
}

void CControlDlg::notifyMove(HWND caller) {
    int i = FindCaller(caller, "CControlDlg::notifyMove()\n");
    if (i < 0) return;
    const std::uint64_t id = m_notes.IdAt(static_cast<std::size_t>(i));
    CWindowSelDlg dialog;
    dialog.SetWindowList(m_windowList);
    dialog.RemoveWindow(m_notes[static_cast<std::size_t>(i)].hTargetWnd);
    if (dialog.DoModal(GetHwnd()) != IDOK) return;
    // Ticks and hotkeys ran while the dialog was open: find the note again
    // and give up when it is gone.
    i = m_notes.IndexOf(id);
    if (i < 0) return;
    RetargetToChosen(m_notes[static_cast<std::size_t>(i)], dialog.GetSelectedWindow());
    RefreshNoteList();
    SaveOnChange();
}

void CControlDlg::notifyMatchCondition(HWND caller) {
    int i = FindCaller(caller, "CControlDlg::notifyMatchCondition()\n");
    if (i < 0) return;
    if (EditMatchCondition(static_cast<std::size_t>(i), caller)) SaveOnChange();
}

bool CControlDlg::EditMatchCondition(std::size_t i, HWND noteWindow) {
    const std::uint64_t id = m_notes.IdAt(i);
    CMatchConditionDlg dialog;
    dialog.m_record = m_notes[i];
    if (noteWindow)
        dialog.SetOwnerCheck(noteWindow);
    else
        dialog.m_childChoiceAllowed = false;
    if (dialog.DoModal(GetHwnd()) != IDOK) return false;
    // Ticks and hotkeys ran while the dialog was open: find the note again
    // and give up when it is gone. Its attachment, text and position are
    // those of now; only the condition comes from the dialog.
    const int now = m_notes.IndexOf(id);
    if (now < 0) return false;
    TakeMatchCondition(m_notes[static_cast<std::size_t>(now)], dialog.m_record);
    RefreshNoteList();
    return true;
}

void CControlDlg::EditPresets() {
    // A preset file unreadable at start is read again, so that its presets
    // are edited and kept; while it still cannot be read it is not written.
    PreSetRereadBlocked(m_presetPath, m_presets);
    CPreSetMatchConditionDlg dialog(m_presets, [this] { return m_windowList; });
    if (dialog.DoModal(GetHwnd()) != IDOK) return;
    m_presets = dialog.Presets();
    if (!PreSetWriteFile(m_presetPath, m_presets)) ShowNotice(GetHwnd(), kPresetWriteErrorText);
}

void CControlDlg::notifyCopyToExportStack(HWND caller) {
    int i = FindCaller(caller, "CControlDlg::notifyCopyToExportStack()\n", false);
    if (i < 0) return;
    CTackletData copy = m_notes[static_cast<std::size_t>(i)];
    copy.CopyWindowForExport();
    CNotifyBridge::AddToExportStack(copy);
}

void CControlDlg::notifyMovePendingList(HWND caller) {
    int i = FindCaller(caller, "CControlDlg::notifyMovePendingList()\n", false);
    if (i < 0 || !CNotifyBridge::HasPendingList()) return;
    MoveToPendingList(static_cast<std::size_t>(i));
}

void CControlDlg::MoveToPendingList(std::size_t i) {
    CTackletData& note = m_notes[i];
    note.EndTacklet();
    CTackletData copy = note;
    m_notes.RemoveAt(i);
    RefreshNoteList();
    SelectNoteRow(-1);
    SaveOnChange();
    CNotifyBridge::AddToPendingList(copy);
}

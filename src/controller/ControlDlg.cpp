#include "controller/ControlDlg.h"

#include "controller/NotifyBridge.h"
#include "data/NoteFile.h"
#include "data/RecordDefaults.h"
#include "data/TackletWindow.h"
#include "data/Trace.h"
#include "data/VolumeKey.h"
#include "platform/StartupData.h"
#include "res/resource.h"
#include "collections/PreSetMatchConditionDlg.h"
#include "dialogs/HotKeyExCtrl.h"
#include "platform/MessageBox.h"
#include "winsel/MatchConditionDlg.h"
#include "winsel/WindowSelDlg.h"

#include <cstdio>

namespace {

constexpr UINT kFirstTickDelay = 100;
constexpr UINT kHotkeyPollPeriod = 100;
constexpr char kHotkeyErrorAtStart[] =
    "Windowへの貼り付けホットキーの登録が失敗しました.メインパネルのHotKey変更で他のキーに変更してください.";
constexpr char kHotkeyErrorAfterProperties[] =
    "ウィンドウ貼り付けホットキーの登録が失敗しました.メインパネルのHotKey変更で他のキーに変更してください.";
// The combination is named: the user may not know which one was asked for.
constexpr char kDesktopHotkeyRefused[] =
    "デスクトップへの貼り付けホットキー(%s)の登録が失敗しました.プロパティ設定で他のキーに変更してください.";
constexpr char kPresetWriteErrorText[] = "プリセット条件ファイルを保存できません.";
constexpr UINT kAutoSavePeriod = 10000;

bool Intersects(const PvRect& a, const PvRect& b) {
    RECT ra{a.left, a.top, a.right, a.bottom}, rb{b.left, b.top, b.right, b.bottom}, out{};
    return ::IntersectRect(&out, &ra, &rb) != FALSE;
}

}  // namespace

CControlDlg::CControlDlg() : CDialog(IDD_CONTROL_PANEL) { CNotifyBridge::SetControl(this); }

CControlDlg::~CControlDlg() {
    if (CNotifyBridge::Control() == this) CNotifyBridge::SetControl(nullptr);
    if (m_panelBrush) ::DeleteObject(m_panelBrush);
    if (m_countBrush) ::DeleteObject(m_countBrush);
}

BOOL CControlDlg::OnInitDialog() {
    m_panelBrush = ::CreateSolidBrush(RGB(230, 230, 230));
    m_countBrush = ::CreateSolidBrush(RGB(240, 240, 200));
    const int buttonIds[14] = {IDC_PANEL_DELETE,       IDC_PANEL_DELETEALL,    IDC_PANEL_EXPORT,  IDC_PANEL_REPASTE,
                               IDC_PANEL_PENDING,      IDC_PANEL_MATCHCOND,    IDC_PANEL_CENTERWINDOW,
                               IDC_PANEL_CENTERMONITOR, IDC_PANEL_EDITTEXT,    IDC_PANEL_PRESET,  IDC_PANEL_DEFAULTS,
                               IDC_PANEL_PROPATY,      IDC_PANEL_HIDDEN1,      IDC_PANEL_HIDDEN2};
    for (int i = 0; i < 14; ++i) {
        m_buttons[i].Attach(GetItem(buttonIds[i]));
        m_buttons[i].SetHandCursor(true);
        m_buttons[i].SetMenuFont(true);
    }
    m_list.Attach(GetItem(IDC_PANEL_LIST), [this](int index, CNoteListView::Row* row) { return NoteRow(index, row); });
    m_list.SetImageList(m_icons.ImageList());
    m_rowTip.Attach(m_list.Hwnd(), [this](int row) { return MatchTip(row); });
    ::CheckRadioButton(GetHwnd(), IDC_PANEL_MODE_TITLE, IDC_PANEL_MODE_TEXT, IDC_PANEL_MODE_TITLE);
    ::EnableWindow(GetItem(IDC_PANEL_CENTERWINDOW), FALSE);
    ::EnableWindow(GetItem(IDC_PANEL_CENTERMONITOR), FALSE);
    RefreshNoteList();
    return TRUE;
}

bool CControlDlg::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
    case WM_TIMER:
        if (wParam == TIMER_MATCH) {
            MatchTick();
            return true;
        }
        if (wParam == TIMER_HOTKEY_RELEASE) {
            PollHotkeys();
            return true;
        }
        if (wParam == TIMER_AUTOSAVE) {
            AutoSave();
            return true;
        }
        return false;
    case WM_PV_TARGETMOVED:
        m_targetWatch.Acknowledge();
        FollowTick();
        return true;
    case WM_HOTKEY:
        OnHotkey(static_cast<int>(wParam));
        return false;
    case WM_DESTROY:
        OnDestroy();
        return false;
    case WM_NOTIFY: {
        const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
        if (hdr->idFrom == IDC_PANEL_LIST && hdr->code == LVN_GETDISPINFOA) {
            m_list.OnGetDispInfo(reinterpret_cast<NMLVDISPINFOA*>(lParam));
            return true;
        }
        if (hdr->idFrom == IDC_PANEL_LIST && hdr->code == NM_CLICK) {
            int mark = m_list.SelectionMark();
            if (mark >= 0) SelectNoteRow(mark);
        }
        return false;
    }
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        return OnPanelColor(msg, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), result);
    default:
        return false;
    }
}

void CControlDlg::OnDestroy() {
    Trace("CControlDlg::DestroyWindow() \n");
    ::UnregisterHotKey(GetHwnd(), HOTKEY_PASTE_WINDOW);
    ::UnregisterHotKey(GetHwnd(), HOTKEY_PASTE_DESKTOP);
    ::KillTimer(GetHwnd(), TIMER_MATCH);
    ::KillTimer(GetHwnd(), TIMER_HOTKEY_RELEASE);
    m_targetWatch.Stop();
    ::KillTimer(GetHwnd(), TIMER_AUTOSAVE);
}

// ----------------------------------------------------------------- hotkeys

void CControlDlg::RegisterHotkeys(bool atStart) {
    if (!GetHwnd()) return;
    m_windowHotkeyOn = RegisterHotkey(HOTKEY_PASTE_WINDOW, m_settings.HK_PAST_MODIFIERS, m_settings.HK_PAST_KEY);
    m_desktopHotkeyOn = RegisterHotkey(HOTKEY_PASTE_DESKTOP, m_settings.HK_PASTDT_MODIFIERS, m_settings.HK_PASTDT_KEY);
    // The box pumps messages: both hotkeys are settled before it.
    TellHotkeysRefused(!m_windowHotkeyOn, !m_desktopHotkeyOn, atStart);
}

void CControlDlg::TellHotkeysRefused(bool window, bool desktop, bool atStart) {
    if (window) ::MessageBoxA(GetHwnd(), atStart ? kHotkeyErrorAtStart : kHotkeyErrorAfterProperties, "Pinvane", MB_OK);
    if (desktop) TellDesktopHotkeyRefused();
}

bool CControlDlg::RegisterHotkey(int id, int modifiers, int key) {
    if (::RegisterHotKey(GetHwnd(), id, static_cast<UINT>(modifiers), static_cast<UINT>(key))) return true;
    Trace("RegisterHotKey() Error=%d\n", static_cast<int>(::GetLastError()));
    return false;
}

void CControlDlg::TellDesktopHotkeyRefused() {
    // A refused desktop hotkey did nothing when pressed, and nothing said
    // why (the system may hold the combination, as Windows does Win+V).
    char text[256];
    std::snprintf(text, sizeof text, kDesktopHotkeyRefused,
                  HotkeyDisplayText(m_settings.HK_PASTDT_MODIFIERS, m_settings.HK_PASTDT_KEY).c_str());
    m_pendingNotice = text;
    ShowPendingNotice();
}

void CControlDlg::ShowPendingNotice() {
    if (m_pendingNotice.empty() || !m_showNotice) return;
    if (!m_showNotice("Pinvane", m_pendingNotice)) return;  // no tray icon yet: later
    Trace("CControlDlg::ShowPendingNotice() %s\n", m_pendingNotice.c_str());
    m_pendingNotice.clear();
    m_reminderNote = 0;  // a click on this balloon is not about a reminder
}

void CControlDlg::OnHotkey(int id) {
    if (id == HOTKEY_PASTE_WINDOW) {
        Trace("HOTKEY\n");
        if (!m_windowLatch.OnHotkey()) return;
        StartReleasePolling();
        PasteToWindow(::GetForegroundWindow());
    } else if (id == HOTKEY_PASTE_DESKTOP) {
        Trace("HOTKEY\n");
        if (!m_desktopLatch.OnHotkey()) return;
        StartReleasePolling();
        PasteToDesktop();
    }
}

// Polling matters only while a latch waits for its key to be released: an
// idle latch ignores every poll. So the timer runs from the hotkey that arms
// a latch until both latches are released, and the idle program is not
// woken ten times a second for nothing.
void CControlDlg::StartReleasePolling() {
    if (m_loaded && GetHwnd()) ::SetTimer(GetHwnd(), TIMER_HOTKEY_RELEASE, kHotkeyPollPeriod, nullptr);
}

void CControlDlg::PollHotkeys() {
    // The high bit of the asynchronous state is set while the key is down.
    auto down = [](int vk) { return (::GetAsyncKeyState(vk) & 0x8000) != 0; };
    if (m_windowLatch.OnPoll(down(m_settings.HK_PAST_KEY))) Trace("KEY 解除");
    if (m_desktopLatch.OnPoll(down(m_settings.HK_PASTDT_KEY))) Trace("KEY 解除");
    if (!m_windowLatch.Armed() && !m_desktopLatch.Armed()) ::KillTimer(GetHwnd(), TIMER_HOTKEY_RELEASE);
}

void CControlDlg::SetProcessCacheEnabled(bool on) {
    m_useProcessCache = on;
    if (!on) m_processCache.Clear();
}

// ---------------------------------------------------------------- start-up

void CControlDlg::SetPresetPath(const std::string& path) {
    m_presetPath = path;
    m_presets.clear();
    PreSetReadFile(path, m_presets);
}

void CControlDlg::SetPropatyPath(const std::string& path) {
    m_propatyPath = path;
    PropatyReadFile(path, m_settings, m_default);
    CRecordDefaults::SetArrowLineWidth(m_settings.ARROWLINEWIDTH);
    // The template was built before the settings were read.
    m_default.ARLINEWIDTH = m_settings.ARROWLINEWIDTH;
    RegisterHotkeys(true);
}

void CControlDlg::LoadNotes(const std::string& dataPath) {
    m_dataPath = dataPath;
    m_textKey = VolumeKeyForPath(dataPath);
    m_notes.Assign(std::move(CStartupData::Instance().Notes()));
    CStartupData::Instance().Notes().clear();
    m_loaded = 1;
    // What is on disk already needs no autosave; a file restored from its
    // backup is written at the first one.
    m_savedImage.clear();
    if (!CStartupData::Instance().DataRestored())
        m_savedImage = RenderDataFile(m_dataPath, m_notes.Items(), m_settings.FORMAT, m_textKey);
    RefreshNoteList();
    if (GetHwnd()) {
        ::SetTimer(GetHwnd(), TIMER_MATCH, kFirstTickDelay, nullptr);
        // A hotkey that came before the notes were loaded is polled from now on.
        if (m_windowLatch.Armed() || m_desktopLatch.Armed()) StartReleasePolling();
        ::SetTimer(GetHwnd(), TIMER_AUTOSAVE, kAutoSavePeriod, nullptr);
    }
}

// ------------------------------------------------------------------ saving

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

// ----------------------------------------------------------- note requests

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

void CControlDlg::DeleteNote(std::uint64_t id) {
    const int i = m_notes.IndexOf(id);
    if (i < 0) return;
    DestroyNoteWindow(m_notes[static_cast<std::size_t>(i)]);
    m_notes.RemoveAt(static_cast<std::size_t>(i));
    RefreshNoteList();
    SaveOnChange();
}

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


// The note controller: the main panel (template 129), the settings record
// and the owner of every active note. Note windows reach it only through
// CNotifyBridge, as the INoteController it implements. Its rooms:
//   ControlDlg.cpp       the panel's messages and timers, start-up
//   ControlSave.cpp      the full save, save on change, autosave (file work: NoteSaver)
//   ControlMatching.cpp  the matching tick, the rescue of notes off screen, following
//   ControlNewNotes.cpp  new notes: pasting, records handed back, re-targeting
//   ControlRequests.cpp  the requests of note windows and their dialogs
//   ControlHotkeys.cpp   the paste hotkeys
//   ControlPanel.cpp     the main panel's list and its commands
//   ControlSettings.cpp  the properties and note-defaults dialogs, the settings file
//   ControlReminders.cpp reminders due
#pragma once

#include "collections/SerchDlg.h"
#include "collections/TrashDlg.h"
#include "controller/ExtensionRequest.h"
#include "controller/HotkeyLatch.h"
#include "controller/NoteList.h"
#include "controller/NoteListView.h"
#include "controller/NoteRows.h"
#include "controller/NoteSaver.h"
#include "controller/ProcessInfo.h"
#include "controller/ReminderNotice.h"
#include "controller/TargetWatch.h"
#include "controller/UpdateBatch.h"
#include "controller/WindowList.h"
#include "data/PreSetFile.h"
#include "data/ReminderRule.h"
#include "data/SettingsFile.h"
#include "data/TackletData.h"
#include "data/TrashFile.h"
#include "platform/Dialog.h"
#include "platform/FolderWatch.h"
#include "platform/ListRowTip.h"
#include "platform/NotifyBridge.h"
#include "platform/OwnerDrawButton.h"
#include "winsel/ImageListCashSmoll.h"

#include <functional>
#include <string>
#include <vector>

struct CExtensionRequest;

class CControlDlg : public CDialog,
                    public CPropatyData,
                    public ISearchSource,
                    public INoteController,
                    public ITrashSource {
public:
    CControlDlg();
    ~CControlDlg() override;

    // Start-up, in this order.
    void SetPresetPath(const std::string& path);
    void SetPropatyPath(const std::string& path);
    // Takes over the notes read at start from `dataPath` (`restored`: they
    // come from the file's backup, so the first autosave writes them).
    void LoadNotes(const std::string& dataPath, std::vector<CTackletData> notes, bool restored = false);

    // The one path by which notes deleted on another PC (a merge of the
    // data file) leave this one: the notes of these list identities
    // (CRecordList::IdAt) go into the trash, windows and all. Neither
    // refreshes nor saves the data file (the merge does each once), and a
    // trash file that cannot be written is told in the tray balloon (no
    // box in the middle of a merge).
    void RemoveMergedNotes(const std::vector<std::uint64_t>& ids);

    // Writes the data file from the notes' current state, then detaches
    // every note (one list refresh, one write).
    // False when the file could not be written (the notes stay marked; with
    // `reportFailure` the user is shown the write-error message).
    bool SaveAll(bool reportFailure = true);
    // Writes the data file from the notes' current state (shown notes stay
    // shown), and the pending list its file; false when either could not be
    // written. SaveAll starts with this; an ending program or session saves
    // with this alone and leaves the note windows to end with it.
    bool SaveCurrentState(bool reportFailure = true);
    // Work over many notes inside one batch refreshes the main panel once
    // and saves at most once, when the outermost batch ends.
    class Batch {
    public:
        explicit Batch(CControlDlg& control) : m_control(control) { m_control.m_batch.Begin(); }
        ~Batch() { m_control.EndBatch(); }
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        CControlDlg& m_control;
    };
    // Writes the data file from the notes' current state when it differs
    // from what was last written or read (no note is detached or hidden,
    // no access time changes). Timer 110 calls it every 10 seconds. True
    // when the file holds the current state afterwards.
    bool AutoSave();
    // The active notes with the state of their shown windows copied in.
    std::vector<CTackletData>& CollectAllWindowStates() override;

    // New notes.
    void PasteToWindow(HWND hWnd);
    void PasteToDesktop();
    void PasteToSelectedWindow(const CWinInf& entry);
    void PasteFromExtension(const CExtensionRequest& request);
    // A record handed back by a collection, inserted first (it never brings
    // a note window along).
    void AddNote(const CTackletData& record) override;
    // Several records, each inserted first in turn; one refresh, one save.
    void AddNotes(const std::vector<CTackletData>& records) override;
    // Re-targets `record` to the chosen window, then AddNote.
    void RepasteToWindow(CTackletData record, const CWinInf& chosen) override;
    // Lets the user choose a window for `record` (dialog owned by `owner`,
    // the panel when null), then RepasteToWindow; false when cancelled.
    bool RepasteToSelectedWindow(const CTackletData& record, HWND owner = nullptr) override;
    // The window selection dialog on `windows`; true with `chosen` on OK.
    bool ChooseWindow(const std::vector<CWinInf>& windows, CWinInf* chosen, HWND owner = nullptr) override;
    void ApplyPreset(CTackletData& record, HWND hWnd);
    bool IsPasteTarget(HWND hWnd);

    // One matching tick: rebuild the window list, attach and detach notes.
    void MatchTick();
    // Moves every shown note that keeps less than 20 x 20 pixels inside
    // each monitor's work area into the nearest work area, keeping its
    // size, and writes the data file once when one moved (after a change
    // of the monitors or of the work area).
    void RescueOffScreenNotes();
    // One follow step for every shown note on a window (run when the target
    // watch saw a followed target move): each target's rectangle is read
    // once, and only notes whose target moved move with it.
    void FollowTick();

    // Reminders (ControlReminders.cpp), checked by every matching tick:
    // each note whose reminder is due at `now` is marked fired and its ear
    // blinks; the balloon tells of the first of them; then one save.
    void CheckReminders(LocalMinute now);
    // Shows the balloon (set by the main window, which owns the tray icon).
    void SetReminderBalloon(std::function<void(const CReminderNotice&)> show) { m_showReminder = std::move(show); }
    // Marks and shows the row of the note the last balloon told of, if
    // that note is still there (the balloon was clicked).
    void ShowReminderNote();
    // Shows a notice balloon with a title and a text (set by the main
    // window, which owns the tray icon); false when it could not be shown.
    void SetNoticeBalloon(std::function<bool(const std::string&, const std::string&)> show) {
        m_showNotice = std::move(show);
    }
    // Shows the notice that waits for the tray icon (a paste hotkey the
    // system refused at start), once; nothing when none waits.
    void ShowPendingNotice();
    // Whether the window-paste and the desktop-paste hotkeys are registered.
    bool WindowHotkeyRegistered() const { return m_windowHotkeyOn; }
    bool DesktopHotkeyRegistered() const { return m_desktopHotkeyOn; }

    // Requests of note windows (INoteController, through CNotifyBridge).
    void notifyUpdateWindow() override;
    void notifyDeleteWindow(HWND caller) override;
    // The identity of the note whose window is `caller` (0 when none), and
    // the deletion of a note by identity (nothing when it is gone): for a
    // note command that asks the user first.
    std::uint64_t NoteIdentity(HWND caller) const override;
    void DeleteNote(std::uint64_t id) override;
    // Every deletion of active notes ends here (ControlTrash.cpp): the notes
    // `ids` still there are taken off their windows (their current state
    // kept), put into the trash and removed; then the trash file is written
    // once, the panel refreshed once and the save-on-change step run once
    // (inside a batch: when it ends). Identities no longer there are passed by.
    void RemoveNotes(const std::vector<std::uint64_t>& ids);
    // RemoveNotes without the refresh and save: true when the trash file's
    // failure is to be told.
    bool TrashNotes(const std::vector<std::uint64_t>& ids);
    // The trash (ITrashSource, for the trash panel).
    const CTrash& Trash() const override { return m_trash; }
    int TrashDays() const override { return m_settings.TRASHDAYS; }
    bool RestoreFromTrash(std::uint64_t id) override;
    bool PurgeFromTrash(std::uint64_t id) override;
    void SetTrashWatcher(std::function<void()> changed) override { m_trashChanged = std::move(changed); }
    void notifyCopyWindow(HWND caller) override;
    void notifySplit(HWND caller, const std::string& first, const std::string& second) override;
    int notifyComposition(HWND caller) override;
    void notifyMoveDesktop(HWND caller) override;
    void notifyMove(HWND caller) override;
    void notifyMatchCondition(HWND caller) override;
    void notifyCopyToExportStack(HWND caller) override;
    void notifyMovePendingList(HWND caller) override;

    // The match condition dialog on note `i`: from its note window (owner
    // check on) or, with a null window, from the panel (no child choice).
    // True when the note took the edited condition.
    bool EditMatchCondition(std::size_t i, HWND noteWindow);
    // The preset dialogs on a copy of the presets; on OK the presets are
    // replaced and written to the preset file.
    void EditPresets();

    CNoteList& Notes() { return m_notes; }
    const std::vector<CWinInf>& WindowList() const override { return m_windowList; }
    const CSettingsData& Settings() const override { return m_settings; }
    const CPropatyData& SizeLimits() const override { return *this; }
    CTackletData& DefaultNote() { return m_default; }
    const std::vector<CPreSetCondData>& Presets() const { return m_presets; }
    int PosInterval() const { return m_settings.POSINTERVAL; }
    bool Loaded() const { return m_loaded != 0; }
    // Whether window lookups reuse the per-process cache (on by default).
    void SetProcessCacheEnabled(bool on);
    // The process whose windows are never targets (the program's own,
    // given by the main window; 0, the start value, leaves none out).
    void SetOwnProcess(DWORD pid) { m_ownProcess = pid; }

    // Rebuilds the main panel's list (rows follow the active notes).
    void RefreshNoteList();
    // Enables the row commands for the note at `index` (-1: no note).
    void SelectNoteRow(int index);
    // Marks and shows row `index` (used by the search panel).
    void ShowNoteRow(int index) override;
    // The identity of the note at `index` (0 past the last note).
    std::uint64_t NoteIdentityAt(int index) const override {
        if (index < 0 || static_cast<std::size_t>(index) >= m_notes.Size()) return 0;
        return m_notes.IdAt(static_cast<std::size_t>(index));
    }
    // The search panel's view of the active notes and its refresh notices.
    const std::vector<CTackletData>& NotesForSearch() override { return CollectAllWindowStates(); }
    void SetSearchSubscription(int flag, UINT message, HWND window) override;
    ListMode Mode() const { return m_listMode; }
    // The tip of row `row`: whether its note is shown and, if not, why,
    // from the windows of the last matching tick. Empty past the end.
    std::string MatchTip(int row) const;
    // The texts and icon of the main panel's row `index` (the note at that
    // index, as it is now); false past the last note.
    bool NoteRow(int index, CNoteListView::Row* row);

    // Registers the paste hotkeys; `atStart` selects the failure message.
    void RegisterHotkeys(bool atStart);
    // Registers hotkey `id` for the panel; traces a refusal.
    bool RegisterHotkey(int id, int modifiers, int key);
    // Tells the user of refused combinations: the given message box for
    // the window-paste hotkey (`atStart` selects it), a balloon for the
    // desktop-paste hotkey.
    void TellHotkeysRefused(bool window, bool desktop, bool atStart);
    // Tells the user, once, that the desktop-paste combination was refused.
    void TellDesktopHotkeyRefused();
    // A hotkey message (identifier 1000 or the desktop one).
    void OnHotkey(int id);
    // Timer 105: the release polling of both hotkeys.
    void PollHotkeys();
    void StartReleasePolling();

    // The settings dialogs of the panel (ControlSettings.cpp): run the
    // dialog on the current values; on OK take the results over, apply
    // them and write the settings file.
    void EditProperties();
    // Registers the chosen paste hotkeys in place of the current ones. A
    // combination the system refuses leaves the previous one in force when
    // that one was registered (the settings keep it), else none. Says which
    // were refused; tells nobody.
    struct HotkeysRefused {
        bool window = false;
        bool desktop = false;
    };
    HotkeysRefused ApplyHotkeys(int pastModifiers, int pastKey, int pastDtModifiers, int pastDtKey);
    void EditNoteDefaults();
    // Writes the settings file; a notice when it cannot be written.
    bool WritePropatyFile();

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    CTackletData NewRecord() const;
    // A new note's rectangle of the initial size centred on `centre`.
    PvRect InitialRectAt(POINT centre) const;
    void InsertAtHead(CTackletData record);
    void SaveOnChange();
    // The active notes changed: refresh and save-on-change now, or when the
    // open batch ends.
    void NotesChanged();
    void EndBatch();
    // RescueOffScreenNotes for the notes at `rows` only (those just shown).
    void RescueNotes(const std::vector<std::size_t>& rows);
    // Hands the target watch the windows that shown notes follow (none:
    // the watch ends).
    void UpdateFollowWatch();
    bool WriteIniFile(bool reportFailure = true);
    // The trash beside the data file: read at loading (expired items dropped).
    void LoadTrash(const std::string& dataPath);
    // Writes the trash file and tells the panel; true when a failure is to
    // be told (once per run of failures), which TellTrashFailure does.
    bool SaveTrash();
    void TellTrashFailure(bool tell);
    int FindCaller(HWND caller, const char* traceLine, bool traceHandles = true);
    void Retarget(CTackletData& note, const RECT& target, const std::string& title, const std::string& exeName,
                  const std::string& exePath);
    void DestroyNoteWindow(CTackletData& note);
    // Ends the display of note `i`, hands it to the pending list and
    // removes it from the active notes.
    void MoveToPendingList(std::size_t i);
    // Re-targets to a window chosen from the list: its rectangle and
    // strings, the preset for it, no leader line.
    void RetargetToChosen(CTackletData& note, const CWinInf& chosen);
    void OnDestroy();

    // Another PC's notes (ControlSync.cpp): the watch of the data file's
    // folder and what it reports.
    void StartFolderWatch();
    void OnFolderChanged();

    // Main panel commands (ControlPanel.cpp).
    int MarkedRow(const char* noticeWhenNone);
    void OnDeleteOne();
    void OnDeleteAll();
    void OnExportRow();
    void OnRepasteRow();
    void OnPendingRow();
    void OnMatchConditionRow();
    void OnCenterRow(bool onMonitor);
    void OnEditBody();
    bool OnPanelColor(UINT msg, HDC dc, HWND control, LRESULT& result);

    std::string m_propatyPath;
    std::string m_presetPath;
    CNoteList m_notes;
    std::vector<CWinInf> m_windowList;
    // The windows the last tick left out of the list, and why.
    std::vector<CLeftOutWindow> m_leftOutWindows;
    CProcessInfoCache m_processCache;
    bool m_useProcessCache = true;
    bool m_inMatchTick = false;  // MatchTick is running
    CRequestRate m_extensionPastes{kExtensionPasteBurst, kExtensionPastePeriodMs};
    int m_loaded = 0;
    CNoteSaver m_saver;
    CFolderWatch m_folderWatch;
    CSettingsData m_settings;
    CTackletData m_default;
    std::vector<CPreSetCondData> m_presets;
    COwnerDrawButton m_buttons[14];
    CNoteListView m_list;
    CListRowTip m_rowTip;  // each row's MatchTip
    CImageListCashSmoll m_icons;
    ListMode m_listMode = ListMode::Title;
    HBRUSH m_panelBrush = nullptr;
    HBRUSH m_countBrush = nullptr;
    CHotkeyLatch m_windowLatch;
    CHotkeyLatch m_desktopLatch;
    // Refresh notices for the search panel.
    int m_searchFlag = 0;
    UINT m_searchMessage = 0;
    HWND m_searchWindow = nullptr;
    CUpdateBatch m_batch;
    CTargetWatch m_targetWatch;  // wakes FollowTick when a followed target moved
    std::function<void(const CReminderNotice&)> m_showReminder;
    std::uint64_t m_reminderNote = 0;  // identity of the note of the last balloon
    DWORD m_ownProcess = 0;  // whose windows are never targets (0: none)
    // The paste hotkeys in force, and a notice waiting for the tray icon.
    bool m_windowHotkeyOn = false;
    bool m_desktopHotkeyOn = false;
    std::function<bool(const std::string&, const std::string&)> m_showNotice;
    std::string m_pendingNotice;
    CTrash m_trash;
    std::function<void()> m_trashChanged;  // the trash panel's refresh
    bool m_trashFailed = false;            // the last trash write failed
};

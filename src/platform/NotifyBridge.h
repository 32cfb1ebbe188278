// How the note windows and the collection panels reach the note controller,
// the export cache and the pending list. The controller and the panels
// implement the interfaces below and register themselves; the static access
// points of CNotifyBridge do nothing (or return a neutral value) while their
// target is not registered, so no window ever holds a pointer to them.
#pragma once

#include "data/SettingsFile.h"
#include "data/TackletData.h"
#include "data/WinInf.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// Receives records handed to a collection panel (export cache, pending list).
class INoteCollection {
public:
    virtual ~INoteCollection() = default;
    virtual void AddRecord(const CTackletData& record) = 0;
    // A full save was made: keep the collection's own file in step. False
    // when that file could not be written (told to the user when
    // `reportFailure`).
    virtual bool MarkForSaving(bool /*reportFailure*/) { return true; }
};

// What the windows below the controller ask of it.
class INoteController {
public:
    virtual ~INoteController() = default;

    // The requests of a note window, each given the calling window.
    virtual void notifyUpdateWindow() = 0;
    virtual void notifyDeleteWindow(HWND caller) = 0;
    virtual std::uint64_t NoteIdentity(HWND caller) const = 0;
    virtual void DeleteNote(std::uint64_t id) = 0;
    virtual void notifyCopyWindow(HWND caller) = 0;
    virtual void notifySplit(HWND caller, const std::string& first, const std::string& second) = 0;
    virtual int notifyComposition(HWND caller) = 0;
    virtual void notifyMoveDesktop(HWND caller) = 0;
    virtual void notifyMove(HWND caller) = 0;
    virtual void notifyMatchCondition(HWND caller) = 0;
    virtual void notifyCopyToExportStack(HWND caller) = 0;
    virtual void notifyMovePendingList(HWND caller) = 0;

    // Records handed back by a collection panel.
    virtual void AddNote(const CTackletData& record) = 0;
    virtual void AddNotes(const std::vector<CTackletData>& records) = 0;
    virtual void RepasteToWindow(CTackletData record, const CWinInf& chosen) = 0;
    virtual bool RepasteToSelectedWindow(const CTackletData& record, HWND owner) = 0;
    virtual bool ChooseWindow(const std::vector<CWinInf>& windows, CWinInf* chosen, HWND owner) = 0;

    virtual const std::vector<CWinInf>& WindowList() const = 0;
    virtual std::vector<CTackletData>& CollectAllWindowStates() = 0;
    virtual const CSettingsData& Settings() const = 0;
    virtual const CPropatyData& SizeLimits() const = 0;
};

class CNotifyBridge {
public:
    static void SetControl(INoteController* control) { s_control = control; }
    static void SetExportStack(INoteCollection* stack) { s_export = stack; }
    static void SetPendingList(INoteCollection* pending) { s_pending = pending; }
    static INoteController* Control() { return s_control; }
    static INoteCollection* PendingList() { return s_pending; }
    static INoteCollection* ExportStack() { return s_export; }

    // The requests of a note window, each given the calling window.
    static void notifyUpdateWindow();
    static void notifyDeleteWindow(HWND caller);
    // A note window that asks the user before its request keeps its note's
    // identity across the question (its window may be gone by then):
    // NoteIdentity is 0 when `caller` is no note's window; DeleteNote does
    // nothing when that note no longer exists.
    static std::uint64_t NoteIdentity(HWND caller);
    static void DeleteNote(std::uint64_t note);
    static void notifyCopyWindow(HWND caller);
    static void notifySplit(HWND caller, const std::string& first, const std::string& second);
    static int notifyComposition(HWND caller);
    static void notifyMoveDesktop(HWND caller);
    static void notifyMove(HWND caller);
    static void notifyMatchCondition(HWND caller);
    static void notifyCopyToExportStack(HWND caller);
    static void notifyMovePendingList(HWND caller);

    static void AddNote(const CTackletData& record);
    // Several records at once, in order (one list refresh, one save).
    static void AddNotes(const std::vector<CTackletData>& records);
    // Re-targets `record` to `chosen`, then adds it.
    static void RepasteToWindow(const CTackletData& record, const CWinInf& chosen);
    // Lets the user choose a window (dialog owned by `owner`) for `record`,
    // then adds it; false when cancelled or without a controller.
    static bool RepasteToSelectedWindow(const CTackletData& record, HWND owner);
    // The window selection dialog owned by `owner` on `windows`; true with
    // `chosen` on OK, false when cancelled or without a controller.
    static bool ChooseWindow(HWND owner, const std::vector<CWinInf>& windows, CWinInf* chosen);
    // A copy of the controller's window list (empty without a controller).
    static std::vector<CWinInf> WindowListCopy();
    // The active notes with their windows' state (empty without a controller).
    static std::vector<CTackletData> CollectAllWindowStates();
    // The settings (defaults without a controller).
    static const CSettingsData& Settings();
    // Text format of saved note files (setting FORMAT).
    static int SaveFormat() { return Settings().FORMAT; }
    // Note size limits of the settings record.
    static int MinNoteWidth();
    static int MinNoteHeight();

    static void AddToExportStack(const CTackletData& record);
    static void AddToPendingList(const CTackletData& record);
    // The pending list's part of a full save; true without a pending list.
    static bool MarkPendingForSaving(bool reportFailure);
    // Whether a pending list exists to take notes (a note is never removed
    // from the active notes for a pending list that is not there).
    static bool HasPendingList() { return s_pending != nullptr; }

private:
    static inline INoteController* s_control = nullptr;
    static inline INoteCollection* s_export = nullptr;
    static inline INoteCollection* s_pending = nullptr;
};

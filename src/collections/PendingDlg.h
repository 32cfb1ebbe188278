// The pending list (template 160): notes taken off their windows without
// being deleted. It owns the pending records and keeps the pending-list
// file up to date: the file is written whenever the list changes and at
// every full save, and read back at the next start.
#pragma once

#include "collections/NoteStackDlg.h"
#include "platform/NotifyBridge.h"

#include <string>
#include <vector>

class CPendingDlg : public CNoteStackDlg, public INoteCollection {
public:
    CPendingDlg();
    ~CPendingDlg() override;

    // Called once after creation: the file path and the records read from
    // it at start (taken over). Registers the panel as the pending list.
    void Start(const std::string& path, std::vector<CTackletData>&& records);

    // A note taken off the active notes: first in the list.
    void AddRecord(const CTackletData& record) override;
    // A full save: mark every record and write the file; false when it
    // could not be written (or could not be read at start and still cannot).
    bool MarkForSaving(bool reportFailure) override;

    bool SaveNeeded() const { return m_saveNeeded; }

protected:
    bool OnCommand(WORD id, WORD code, HWND control) override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnRefreshed() override;

private:
    // Marks every record and writes the file; the mark stays set while the
    // file could not be written. A file unreadable since start is read
    // again first and its records join the list behind the others; while
    // it still cannot be read it is left alone. The write error is shown
    // for a failed write when `reportFailure`, for a file still unreadable
    // when `reportUnread` (it was told at start).
    bool SaveNeededStep(bool reportFailure = true, bool reportUnread = false);
    void OnDelete();
    void OnExport();
    void OnRepaste();
    void OnReturnToActive();
    // Removes the record `id` (when it is still there) and returns it.
    bool TakeRecord(std::uint64_t id, CTackletData* record);

    std::string m_path;
    bool m_saveNeeded = false;
    HBRUSH m_countBrush = nullptr;
};

// The pending list (template 160): notes taken off their windows without
// being deleted. It owns the pending records and keeps the pending-list
// file up to date: the file is written whenever the list changes and at
// every full save, and read back at the next start.
#pragma once

#include "collections/NoteStackDlg.h"
#include "controller/NotifyBridge.h"

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
    // A full save: mark every record and write the file.
    void MarkForSaving() override;

    bool SaveNeeded() const { return m_saveNeeded; }

protected:
    bool OnCommand(WORD id, WORD code, HWND control) override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnRefreshed() override;

private:
    // Marks every record and writes the file; the mark stays set while the
    // file could not be written.
    void SaveNeededStep();
    void OnDelete();
    void OnExport();
    void OnRepaste();
    void OnReturnToActive();
    // Removes the record `id` (when it is still there) and returns it.
    bool TakeRecord(std::uint64_t id, CTackletData* record);

    std::string m_path;
    bool m_saveNeeded = false;
    // False while the file at start existed but could not be read: it is
    // then never overwritten.
    bool m_fileWritable = true;
    HBRUSH m_countBrush = nullptr;
};

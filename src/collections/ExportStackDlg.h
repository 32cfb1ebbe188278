// The export cache (template 155): copies of notes collected for saving
// together into one export file.
#pragma once

#include "collections/FileDialogs.h"
#include "collections/NoteStackDlg.h"
#include "platform/NotifyBridge.h"

class CExportStackDlg : public CNoteStackDlg, public INoteCollection {
public:
    CExportStackDlg();
    ~CExportStackDlg() override;

    // Appends a copy (without any note window) and refreshes the list.
    void AddRecord(const CTackletData& record) override;

    // Replaces the save dialog (tests).
    void SetPathChooser(PathChooser chooser) { m_choosePath = std::move(chooser); }

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;

private:
    void OnGetAll();
    void OnSave();

    PathChooser m_choosePath;
};

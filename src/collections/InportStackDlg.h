// The import cache (template 156): the notes of an export or data file,
// held until the user imports them.
#pragma once

#include "collections/FileDialogs.h"
#include "collections/NoteStackDlg.h"

#include <string>

class CInportStackDlg : public CNoteStackDlg {
public:
    CInportStackDlg();

    // Replaces the open dialog (tests).
    void SetPathChooser(PathChooser chooser) { m_choosePath = std::move(chooser); }
    // Reads `path` into the empty cache after its checks and questions;
    // false when the file was refused or a question answered No.
    bool ReadFile(const std::string& path);

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;

private:
    void OnOpen();
    void OnImportSelected();
    void OnRepasteSelected();
    void OnImportAll();

    PathChooser m_choosePath;
};

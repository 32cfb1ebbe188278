// The per-application presets (dialog 157): a list with commands to add,
// change and delete a preset. Works on a copy; the caller takes it on OK.
// Usage:
//   CPreSetMatchConditionDlg dlg(presets, source);
//   if (dlg.DoModal(owner) == IDOK) presets = dlg.Presets();
#pragma once

#include <windows.h>

#include <vector>

#include "data/PreSetFile.h"
#include "platform/Dialog.h"
#include "winsel/WinExSelDlg.h"

class CPreSetMatchConditionDlg : public CDialog {
public:
    CPreSetMatchConditionDlg(std::vector<CPreSetCondData> presets, WindowListSource source);

    const std::vector<CPreSetCondData>& Presets() const { return m_presets; }

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;

    // Runs the preset dialog on `preset`; true with the edited preset on OK.
    virtual bool EditPreset(CPreSetCondData& preset, bool newPreset);
    HWND List() const { return m_list; }

private:
    void FillList();
    void OnAdd();
    void OnChange();
    void OnDelete();
    // The marked preset's position; the notice when no row is marked, -1
    // silently when the mark lies past the end.
    int MarkedPreset(const char* noticeWhenNone);

    std::vector<CPreSetCondData> m_presets;
    WindowListSource m_source;
    HWND m_list = nullptr;
};

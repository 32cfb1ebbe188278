// One preset (dialog 158): its name, the title flag, and the process and
// child window taken from a running window.
// Usage:
//   CPoreSetSettingDlg dlg(source);
//   dlg.m_preset = preset;
//   dlg.m_newPreset = false;                  // changing an existing preset
//   if (dlg.DoModal(owner) == IDOK) use(dlg.m_preset);
#pragma once

#include <windows.h>

#include "data/PreSetFile.h"
#include "platform/Dialog.h"
#include "winsel/WinExSelDlg.h"

class CPoreSetSettingDlg : public CDialog {
public:
    explicit CPoreSetSettingDlg(WindowListSource source);

    CPreSetCondData m_preset;
    // A new preset chooses its process; an existing one keeps it.
    bool m_newPreset = true;

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;

private:
    void ShowTarget();
    void ReadControls();
    void OnFromWindow();
    void OnOK();

    WindowListSource m_source;
};

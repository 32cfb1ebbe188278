// The initial note size dialog (template 151): height and width of new
// notes, each in a number field with a spin limited to the note size
// limits. OK takes the spins' positions, kept within those limits.
#pragma once

#include "data/SettingsFile.h"
#include "platform/Dialog.h"

class CInitSizeDlg : public CDialog {
public:
    CInitSizeDlg();

    int m_height = 60;  // in and out, pixels
    int m_width = 200;
    CPropatyData m_limits;

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
};

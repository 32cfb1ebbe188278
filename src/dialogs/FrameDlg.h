// Resize frame dialog (template 138, "サイズ変更枠").
#pragma once

#include "dialogs/AppearanceDlg.h"

class CFrameDlg : public CAppearanceDlg {
public:
    CFrameDlg();

    int FRAME = 0;  // in and out: 1 the note has a resize frame

protected:
    void ShowValues() override;
    void ReadControls() override;
};

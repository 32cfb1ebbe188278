// Transparency dialog (template 133, "透明度の設定"): opacity in percent
// with a spin control, background keyed out, fading under the mouse.
// Background transparency can only be chosen for one note: opened for the
// note defaults its group is disabled.
#pragma once

#include "dialogs/AppearanceDlg.h"

class CTransparentDlg : public CAppearanceDlg {
public:
    static constexpr int kMinPercent = 20;
    static constexpr int kMaxPercent = 100;

    CTransparentDlg();

    // In and out (the note record's keys).
    int BKTRANSPARENT = 0;
    int TRANSPARENT_ = 70;
    int MOUSEHIDECTL = 0;

protected:
    void ShowValues() override;
    void ReadControls() override;
    void OnControl(WORD id, WORD code) override;
};

#include "dialogs/FrameDlg.h"

#include "dialogs/RadioGroup.h"
#include "res/resource.h"

namespace {

constexpr CRadioChoice kFrame[] = {{IDC_FRAME_OFF, 0}, {IDC_FRAME_ON, 1}};

}  // namespace

CFrameDlg::CFrameDlg() : CAppearanceDlg(IDD_FRAME) {}

void CFrameDlg::ShowValues() { ShowRadio(GetHwnd(), kFrame, FRAME); }

void CFrameDlg::ReadControls() { FRAME = ReadRadio(GetHwnd(), kFrame, FRAME); }

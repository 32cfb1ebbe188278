#include "dialogs/TransparentDlg.h"

#include <commctrl.h>

#include <algorithm>

#include "dialogs/RadioGroup.h"
#include "res/resource.h"

namespace {

constexpr CRadioChoice kMouseHide[] = {{IDC_TRANS_MOUSE_OFF, 0}, {IDC_TRANS_MOUSE_ON, 1}};

}  // namespace

CTransparentDlg::CTransparentDlg() : CAppearanceDlg(IDD_TRANSPARENT) {}

void CTransparentDlg::ShowValues() {
    const HWND dlg = GetHwnd();
    const HWND spin = GetItem(IDC_TRANS_SPIN);
    ::SendMessageW(spin, UDM_SETRANGE32, kMinPercent, kMaxPercent);
    ::SendMessageW(spin, UDM_SETPOS32, 0, TRANSPARENT_);
    ::CheckDlgButton(dlg, IDC_TRANS_BK, BKTRANSPARENT ? BST_CHECKED : BST_UNCHECKED);
    ShowRadio(dlg, kMouseHide, MOUSEHIDECTL);
    if (!ForNote()) {
        ::EnableWindow(GetItem(IDC_TRANS_BK_GROUP), FALSE);
        ::EnableWindow(GetItem(IDC_TRANS_BK), FALSE);
    }
    // The rule of the check box applies to clicks only, not to the start.
}

void CTransparentDlg::ReadControls() {
    const HWND dlg = GetHwnd();
    // The spin's position, whatever was typed into its field; the rest of
    // the program accepts 20..100 only.
    BOOL error = FALSE;
    const int pos = static_cast<int>(
        ::SendMessageW(GetItem(IDC_TRANS_SPIN), UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&error)));
    TRANSPARENT_ = std::clamp(pos, kMinPercent, kMaxPercent);
    BKTRANSPARENT = ::IsDlgButtonChecked(dlg, IDC_TRANS_BK) == BST_CHECKED ? 1 : 0;
    MOUSEHIDECTL = ReadRadio(dlg, kMouseHide, MOUSEHIDECTL);
}

void CTransparentDlg::OnControl(WORD id, WORD code) {
    if (id != IDC_TRANS_BK || code != BN_CLICKED) return;
    const HWND dlg = GetHwnd();
    const bool keyed = ::IsDlgButtonChecked(dlg, IDC_TRANS_BK) == BST_CHECKED;
    // A keyed-out note cannot fade under the mouse as well.
    if (keyed) ShowRadio(dlg, kMouseHide, 0);
    EnableRadio(dlg, kMouseHide, !keyed);
}

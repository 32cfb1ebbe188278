#include "controller/ControlDlg.h"

#include "controller/NotifyBridge.h"
#include "res/resource.h"

CControlDlg::CControlDlg() : CDialog(IDD_CONTROL_PANEL) { CNotifyBridge::SetControl(this); }

CControlDlg::~CControlDlg() {
    if (CNotifyBridge::Control() == this) CNotifyBridge::SetControl(nullptr);
}

const CNoteLimits& CControlDlg::Limits() {
    static const CNoteLimits limits;
    return limits;
}

#include "collections/PoreSetSettingDlg.h"

#include "platform/WindowText.h"

#include <vector>

#include "collections/PresetRules.h"
#include "platform/MessageBox.h"
#include "platform/WinConvert.h"
#include "res/resource.h"
#include "winsel/ChildSelDlg.h"
#include "platform/WinText.h"

namespace {
constexpr char kNoProcessWindowNotice[] = "現在該当プロセスのウィンドウが存在しません";
}  // namespace

CPoreSetSettingDlg::CPoreSetSettingDlg(WindowListSource source)
    : CDialog(IDD_PRESETSETTING), m_source(std::move(source)) {}

BOOL CPoreSetSettingDlg::OnInitDialog() {
    auto check = [this](int id, int value) { ::CheckDlgButton(GetHwnd(), id, value ? BST_CHECKED : BST_UNCHECKED); };
    check(IDC_PS_PROCESSFLAG, m_preset.PROCESSFLAG);
    check(IDC_PS_TITLEFLAG, m_preset.TITLEFLAG);
    check(IDC_PS_EXTENTFLAG, m_preset.EXTENTFLAG);
    SetItemText(GetHwnd(), IDC_PS_NAME, m_preset.CONDNAME);
    ShowTarget();
    return TRUE;
}

void CPoreSetSettingDlg::ShowTarget() {
    SetItemText(GetHwnd(), IDC_PS_PROCESS, m_preset.EXENAME);
    SetItemText(GetHwnd(), IDC_PS_CLASS, m_preset.EXCLASS);
    SetItemText(GetHwnd(), IDC_PS_CTLID, std::to_string(m_preset.EXCTLID));
}

void CPoreSetSettingDlg::ReadControls() {
    auto checked = [this](int id) { return ::IsDlgButtonChecked(GetHwnd(), id) == BST_CHECKED ? 1 : 0; };
    m_preset.PROCESSFLAG = checked(IDC_PS_PROCESSFLAG);
    m_preset.TITLEFLAG = checked(IDC_PS_TITLEFLAG);
    m_preset.EXTENTFLAG = checked(IDC_PS_EXTENTFLAG);
    m_preset.CONDNAME = WindowText(GetItem(IDC_PS_NAME));
}

void CPoreSetSettingDlg::OnFromWindow() {
    if (m_newPreset) {
        CWinExSelDlg dialog(m_source);
        dialog.m_processName = m_preset.EXENAME;
        dialog.m_className = m_preset.EXCLASS;
        dialog.m_ctrlId = m_preset.EXCTLID;
        if (dialog.DoModal(GetHwnd()) != IDOK) return;
        m_preset.EXENAME = dialog.m_processName;
        m_preset.EXCLASS = dialog.m_className;
        m_preset.EXCTLID = dialog.m_ctrlId;
        // A name the user typed stays; an empty one becomes the process.
        if (::GetWindowTextLengthW(GetItem(IDC_PS_NAME)) == 0)
            SetItemText(GetHwnd(), IDC_PS_NAME, m_preset.EXENAME);
        ShowTarget();
        return;
    }
    // An existing preset keeps its process: its child is chosen on the
    // last listed window of that process.
    const std::vector<CWinInf> windows = m_source ? m_source() : std::vector<CWinInf>();
    const CWinInf* target = nullptr;
    for (const CWinInf& window : windows) {
        if (window.exeName == m_preset.EXENAME) target = &window;
    }
    if (!target) {
        ShowNotice(GetHwnd(), kNoProcessWindowNotice);
        return;
    }
    CChildSelDlg dialog;
    dialog.m_hTarget = ToHwnd(target->hWnd);
    dialog.m_className = m_preset.EXCLASS;
    dialog.m_ctrlId = m_preset.EXCTLID;
    if (dialog.DoModal(GetHwnd()) != IDOK) return;
    m_preset.EXCLASS = dialog.m_className;
    m_preset.EXCTLID = dialog.m_ctrlId;
    ShowTarget();
}

void CPoreSetSettingDlg::OnOK() {
    ReadControls();
    const CPresetOkCheck check = CheckPresetForOk(m_preset);
    if (check.notice) {
        ShowNotice(GetHwnd(), check.notice);
        return;
    }
    for (const char* question : check.questions) {
        if (!AskYesNo(GetHwnd(), question)) return;
    }
    EndDialog(IDOK);
}

bool CPoreSetSettingDlg::OnCommand(WORD id, WORD code, HWND control) {
    switch (id) {
    case IDOK: OnOK(); return true;
    case IDC_PS_FROMWINDOW: OnFromWindow(); return true;
    default: return CDialog::OnCommand(id, code, control);
    }
}

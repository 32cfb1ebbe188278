#include "winsel/MatchConditionDlg.h"

#include "platform/WindowText.h"

#include "data/Trace.h"
#include "platform/MessageBox.h"
#include "platform/WinConvert.h"
#include "res/resource.h"
#include "winsel/ChildSelDlg.h"
#include "platform/WinText.h"


namespace {

constexpr char kNoConditionNotice[] = "プロセス名かウィンドウタイトルいずれかをチェックしてください.";
constexpr char kNoChildNotice[] = "拡張条件が選択されていますが子ウィンドウ（コンポーネント）が選択されていません";

}  // namespace

CMatchConditionDlg::CMatchConditionDlg() : CDialog(IDD_MATCHCOND) {}

bool CMatchConditionDlg::Checked(int id) const { return ::IsDlgButtonChecked(GetHwnd(), id) == BST_CHECKED; }

std::string CMatchConditionDlg::ItemText(int id) const { return WindowText(GetItem(id)); }

BOOL CMatchConditionDlg::OnInitDialog() {
    m_fieldBrush.Reset(::CreateSolidBrush(RGB(255, 255, 180)));
    auto check = [this](int id, int value) { ::CheckDlgButton(GetHwnd(), id, value ? BST_CHECKED : BST_UNCHECKED); };
    check(IDC_MC_PROCESS, m_record.PRECESSEFLAG);
    check(IDC_MC_TITLE, m_record.TITLEFLAG);
    check(IDC_MC_FULL, m_record.FULL);
    check(IDC_MC_EXFULL, m_record.EXFULLFLAG);
    check(IDC_MC_EXTENT, m_record.EXTENTFLAG);
    SetItemText(GetHwnd(), IDC_MC_PART, m_record.PART);
    SetItemText(GetHwnd(), IDC_MC_EXPART, m_record.EXPART);
    if (!m_childChoiceAllowed) ::EnableWindow(GetItem(IDC_MC_CHOOSE), FALSE);
    ShowChildCondition();
    return TRUE;
}

void CMatchConditionDlg::ShowChildCondition() {
    SetItemText(GetHwnd(), IDC_MC_EXCLASS, m_record.EXCLASS);
    const std::string id = m_record.EXCTLID != 0 ? std::to_string(m_record.EXCTLID) : std::string();
    SetItemText(GetHwnd(), IDC_MC_EXCTLID, id);
    SetItemText(GetHwnd(), IDC_MC_EXTEXT, m_record.EXTEXT);
}

void CMatchConditionDlg::OnFullClicked(int checkId, int editId, const std::string& original) {
    if (!Checked(checkId) && ItemText(editId).empty()) SetItemText(GetHwnd(), editId, original);
}

void CMatchConditionDlg::OnChooseChild() {
    CChildSelDlg dialog;
    dialog.m_hTarget = ToHwnd(m_record.hTargetWnd);
    dialog.m_className = m_record.EXCLASS;
    dialog.m_ctrlId = m_record.EXCTLID;
    dialog.m_text = m_record.EXTEXT;
    if (dialog.DoModal(GetHwnd()) != IDOK) return;
    m_record.EXCLASS = dialog.m_className;
    m_record.EXCTLID = dialog.m_ctrlId;
    m_record.EXTEXT = dialog.m_text;
    Trace("WindowClass=%s\n", m_record.EXCLASS.c_str());
    Trace("ControlID=%d\n", m_record.EXCTLID);
    ShowChildCondition();
}

void CMatchConditionDlg::OnOK() {
    // The note was closed while the dialog was open: nothing is stored.
    if (m_ownerCheck && !::IsWindow(m_owner)) {
        EndDialog(IDCANCEL);
        return;
    }
    const bool process = Checked(IDC_MC_PROCESS);
    const bool title = Checked(IDC_MC_TITLE);
    const bool extent = Checked(IDC_MC_EXTENT);
    if (!process && !title) {
        ShowNotice(GetHwnd(), kNoConditionNotice);
        return;
    }
    if (extent && m_record.EXCLASS.empty()) {
        ShowNotice(GetHwnd(), kNoChildNotice);
        return;
    }
    m_record.TITLEFLAG = title;
    m_record.PRECESSEFLAG = process;
    m_record.EXTENTFLAG = extent;
    m_record.EXFULLFLAG = Checked(IDC_MC_EXFULL);
    m_record.FULL = Checked(IDC_MC_FULL);
    m_record.PART = ItemText(IDC_MC_PART);
    m_record.EXPART = ItemText(IDC_MC_EXPART);
    EndDialog(IDOK);
}

bool CMatchConditionDlg::OnCommand(WORD id, WORD code, HWND control) {
    switch (id) {
    case IDOK: OnOK(); return true;
    case IDC_MC_FULL: OnFullClicked(IDC_MC_FULL, IDC_MC_PART, m_record.TITLE); return true;
    case IDC_MC_EXFULL: OnFullClicked(IDC_MC_EXFULL, IDC_MC_EXPART, m_record.EXTEXT); return true;
    case IDC_MC_TITLESRC: SetItemText(GetHwnd(), IDC_MC_PART, m_record.TITLE); return true;
    case IDC_MC_EXTEXTSRC: SetItemText(GetHwnd(), IDC_MC_EXPART, m_record.EXTEXT); return true;
    case IDC_MC_CHOOSE: OnChooseChild(); return true;
    default: return CDialog::OnCommand(id, code, control);
    }
}

bool CMatchConditionDlg::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg != WM_CTLCOLORSTATIC) return CDialog::OnMessage(msg, wParam, lParam, result);
    // Every static control on a transparent background; the three fields
    // of the child condition on pale yellow.
    HDC dc = reinterpret_cast<HDC>(wParam);
    const int id = ::GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
    ::SetBkMode(dc, TRANSPARENT);
    if (id == IDC_MC_EXCLASS || id == IDC_MC_EXCTLID || id == IDC_MC_EXTEXT)
        result = reinterpret_cast<LRESULT>(m_fieldBrush.Get());
    else
        result = reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
    return true;
}

#include "collections/InportStackDlg.h"

#include "collections/ImportCheck.h"
#include "platform/NotifyBridge.h"
#include "data/VersionText.h"
#include "platform/MessageBox.h"
#include "res/resource.h"

CInportStackDlg::CInportStackDlg()
    : CNoteStackDlg(IDD_INPORTSTACK, IDC_INPORT_LIST),
      m_choosePath(OpenFileChooser("Pinvane(*.qnb)|*.qnb|INIファイル(*.ini)|*.ini|全てのファイル(*.*)|*.*||", "qnb")) {}

BOOL CInportStackDlg::OnInitDialog() {
    CNoteStackDlg::OnInitDialog();
    ::CheckDlgButton(GetHwnd(), IDC_INPORT_HIDEAFTER, BST_CHECKED);
    return TRUE;
}

bool CInportStackDlg::OnCommand(WORD id, WORD code, HWND control) {
    switch (id) {
    case IDC_INPORT_OPEN: OnOpen(); return true;
    case IDC_INPORT_DELETE: {
        const int row = MarkedRecord();
        if (row < 0) return true;
        m_records.RemoveAt(static_cast<std::size_t>(row));
        Refresh();
        return true;
    }
    case IDC_INPORT_CLEAR:
        m_records.Clear();
        Refresh();
        return true;
    case IDC_INPORT_IMPORT: OnImportSelected(); return true;
    case IDC_INPORT_REPASTE: OnRepasteSelected(); return true;
    case IDC_INPORT_IMPORTALL: OnImportAll(); return true;
    default: return CNoteStackDlg::OnCommand(id, code, control);
    }
}

void CInportStackDlg::OnOpen() {
    if (!m_records.Empty()) {
        ShowNotice(GetHwnd(), "キャッシュにデータがあります.");
        return;
    }
    std::string path;
    if (!m_choosePath(GetHwnd(), &path)) return;
    ReadFile(path);
    Refresh();
}

bool CInportStackDlg::ReadFile(const std::string& path) {
    CIniFile ini;
    const char* tooLarge = nullptr;
    if (!LoadImportFile(path, &ini, &tooLarge)) {
        ShowNotice(GetHwnd(), tooLarge);
        return false;
    }
    const CImportPlan plan = PlanImport(ini, StoredVersionText());
    if (plan.refusal) {
        ShowNotice(GetHwnd(), plan.refusal);
        return false;
    }
    for (const char* question : plan.questions)
        if (!AskYesNo(GetHwnd(), question)) return false;
    // The cache is filled only once every check has passed.
    if (!m_records.Empty()) return false;
    m_records.Assign(ReadImportNotes(ini));
    Refresh();
    return true;
}

void CInportStackDlg::OnImportSelected() {
    const int row = MarkedRecord();
    if (row < 0) return;
    CNotifyBridge::AddNote(m_records[static_cast<std::size_t>(row)]);
}

void CInportStackDlg::OnRepasteSelected() {
    const int row = MarkedRecord();
    if (row < 0) return;
    const std::uint64_t id = m_records.IdAt(static_cast<std::size_t>(row));
    const CTackletData copy = m_records[static_cast<std::size_t>(row)];
    if (!CNotifyBridge::RepasteToSelectedWindow(copy, GetHwnd())) return;
    // The cache may have changed while the window was being chosen.
    const int now = m_records.IndexOf(id);
    if (now < 0) return;
    m_records.RemoveAt(static_cast<std::size_t>(now));
    Refresh();
}

void CInportStackDlg::OnImportAll() {
    if (m_records.Empty()) {
        ShowNotice(GetHwnd(), "インポートするデータがありません.");
        return;
    }
    CNotifyBridge::AddNotes(m_records.Items());
    m_records.Clear();
    Refresh();
    if (::IsDlgButtonChecked(GetHwnd(), IDC_INPORT_HIDEAFTER) == BST_CHECKED) HidePanel();
}

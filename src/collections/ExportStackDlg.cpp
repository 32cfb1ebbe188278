#include "collections/ExportStackDlg.h"

#include "data/NoteFile.h"
#include "platform/MessageBox.h"
#include "res/resource.h"

CExportStackDlg::CExportStackDlg()
    : CNoteStackDlg(IDD_EXPORTSTACK, IDC_EXPORT_LIST),
      m_choosePath(SaveFileChooser("Pinvane(*.qnb)|*.qnb|全てのファイル(*.*)|*.*||", "qnb")) {}

CExportStackDlg::~CExportStackDlg() {
    if (CNotifyBridge::ExportStack() == this) CNotifyBridge::SetExportStack(nullptr);
}

BOOL CExportStackDlg::OnInitDialog() {
    CNoteStackDlg::OnInitDialog();
    ::CheckDlgButton(GetHwnd(), IDC_EXPORT_CLEARAFTER, BST_CHECKED);
    ::CheckDlgButton(GetHwnd(), IDC_EXPORT_HIDEAFTER, BST_CHECKED);
    CNotifyBridge::SetExportStack(this);
    return TRUE;
}

void CExportStackDlg::AddRecord(const CTackletData& record) {
    m_records.Append(record);
    Refresh();
}

bool CExportStackDlg::OnCommand(WORD id, WORD code, HWND control) {
    switch (id) {
    case IDC_EXPORT_DELETE: {
        const int row = MarkedRecord();
        if (row < 0) return true;
        m_records.RemoveAt(static_cast<std::size_t>(row));
        Refresh();
        return true;
    }
    case IDC_EXPORT_CLEAR:
        m_records.Clear();
        Refresh();
        return true;
    case IDC_EXPORT_GETALL: OnGetAll(); return true;
    case IDC_EXPORT_SAVE: OnSave(); return true;
    default: return CNoteStackDlg::OnCommand(id, code, control);
    }
}

void CExportStackDlg::OnGetAll() {
    const std::vector<CTackletData> notes = CNotifyBridge::CollectAllWindowStates();
    if (notes.empty()) return;
    for (const CTackletData& note : notes) m_records.Append(note);
    Refresh();
}

void CExportStackDlg::OnSave() {
    if (m_records.Empty()) {
        ShowNotice(GetHwnd(), "エクスポートキャッシュにデータがありません.");
        return;
    }
    std::string path;
    if (!m_choosePath(GetHwnd(), &path)) return;
    // What the cache holds after the dialog is what is written and cleared.
    if (!WriteExportFile(path, m_records.Items())) {
        ShowNotice(GetHwnd(), "エクスポートファイルを書き込めませんでした.");
        return;
    }
    const bool clear = ::IsDlgButtonChecked(GetHwnd(), IDC_EXPORT_CLEARAFTER) == BST_CHECKED;
    const bool hide = ::IsDlgButtonChecked(GetHwnd(), IDC_EXPORT_HIDEAFTER) == BST_CHECKED;
    if (clear) {
        m_records.Clear();
        Refresh();
    }
    if (hide) HidePanel();
}

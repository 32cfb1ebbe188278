#include "collections/NoteStackDlg.h"

#include "platform/ListView.h"
#include "platform/MessageBox.h"
#include "platform/WinText.h"

#include <commctrl.h>

namespace {

constexpr ListRows::ListColumn kColumns[] = {{"ProgramName", 100}, {"Window Title", 200}, {"TEXT", 500}, {"  ", 10}};

}  // namespace

CNoteStackDlg::CNoteStackDlg(int templateId, int listId) : CDialog(templateId), m_listId(listId) {}

bool CNoteStackDlg::CreateHidden() {
    if (!Create(nullptr)) return false;
    ::ShowWindow(GetHwnd(), SW_HIDE);
    return true;
}

void CNoteStackDlg::ShowPanel() {
    if (!GetHwnd() || ::IsWindowVisible(GetHwnd())) return;
    RECT r{}, desktop{};
    ::GetWindowRect(GetHwnd(), &r);
    ::GetWindowRect(::GetDesktopWindow(), &desktop);
    const int w = r.right - r.left, h = r.bottom - r.top;
    ::SetWindowPos(GetHwnd(), HWND_TOP, desktop.left + (desktop.right - desktop.left - w) / 2,
                   desktop.top + (desktop.bottom - desktop.top - h) / 2, 0, 0, SWP_NOSIZE);
    ::ShowWindow(GetHwnd(), SW_SHOW);
}

void CNoteStackDlg::HidePanel() {
    if (GetHwnd()) ::ShowWindow(GetHwnd(), SW_HIDE);
}

BOOL CNoteStackDlg::OnInitDialog() {
    m_list = GetItem(m_listId);
    ListRows::InitReportList(m_list, Columns());
    Refresh();
    return TRUE;
}

bool CNoteStackDlg::OnCommand(WORD id, WORD, HWND) {
    switch (id) {
    case IDCANCEL:  // Esc and the close box only hide the panel
        HidePanel();
        return true;
    case IDOK:  // Enter does nothing here
        return true;
    default:
        return false;
    }
}

void CNoteStackDlg::Refresh() {
    if (!m_list) return;
    const int mark = SelectionMark();
    ::SendMessageW(m_list, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(m_list);
    const std::size_t rows = RowCount();
    for (std::size_t r = 0; r < rows; ++r) {
        const std::vector<std::string> cells = RowCells(r);
        const int row = ListRows::AppendRow(m_list, cells.empty() ? std::string() : cells[0]);
        for (std::size_t c = 1; c < cells.size(); ++c) ListRows::SetCellText(m_list, row, static_cast<int>(c), cells[c]);
    }
    // The mark is kept by index: after a removal it denotes the next record.
    if (mark >= 0 && rows > 0) {
        ListView_SetSelectionMark(m_list, mark);
        ListView_SetItemState(m_list, mark, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        ListView_SetHotItem(m_list, mark);
        ListView_EnsureVisible(m_list, mark, FALSE);
    }
    ::SendMessageW(m_list, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(m_list, nullptr, TRUE);
    OnRefreshed();
}

int CNoteStackDlg::SelectionMark() const { return m_list ? ListView_GetSelectionMark(m_list) : -1; }

int CNoteStackDlg::MarkedRecord() {
    const int mark = SelectionMark();
    if (mark < 0) {
        ShowNotice(GetHwnd(), "データを選択してください");
        return -1;
    }
    return static_cast<std::size_t>(mark) < RowCount() ? mark : -1;
}

std::span<const ListRows::ListColumn> CNoteStackDlg::Columns() const { return kColumns; }

std::vector<std::string> CNoteStackDlg::RowCells(std::size_t row) const {
    const CTackletData& record = m_records[row];
    return {record.EXENAME, record.TITLE, record.TEXT};
}

#include "collections/TrashDlg.h"

#include "collections/TrashRows.h"
#include "platform/MessageBox.h"
#include "platform/WinText.h"
#include "res/resource.h"

namespace {

constexpr ListRows::ListColumn kTrashColumns[] = {{"本文", 260}, {"条件", 220}, {"削除日時", 120}, {"  ", 10}};

}  // namespace

CTrashDlg::CTrashDlg() : CNoteStackDlg(IDD_TRASH, IDC_TRASH_LIST) {}

CTrashDlg::~CTrashDlg() {
    if (m_source) m_source->SetTrashWatcher(nullptr);
}

void CTrashDlg::Start(ITrashSource* source) {
    if (m_source) m_source->SetTrashWatcher(nullptr);
    m_source = source;
    if (m_source) m_source->SetTrashWatcher([this] { Refresh(); });
    Refresh();
    if (GetHwnd() && m_source)
        ::SetDlgItemTextW(GetHwnd(), IDC_TRASH_DAYS, WideOf(TrashDaysText(m_source->TrashDays())).c_str());
}

std::span<const ListRows::ListColumn> CTrashDlg::Columns() const { return kTrashColumns; }

std::size_t CTrashDlg::RowCount() const { return m_source ? m_source->Trash().Size() : 0; }

std::vector<std::string> CTrashDlg::RowCells(std::size_t row) const {
    const std::array<std::string, 3> texts = TrashRowTexts(m_source->Trash().Items()[row]);
    return {texts.begin(), texts.end()};
}

void CTrashDlg::OnRefreshed() {
    ::SetDlgItemTextW(GetHwnd(), IDC_TRASH_COUNT, WideOf(std::to_string(RowCount())).c_str());
}

bool CTrashDlg::OnCommand(WORD id, WORD code, HWND control) {
    switch (id) {
    case IDC_TRASH_RESTORE: OnRestore(); return true;
    case IDC_TRASH_PURGE: OnPurge(); return true;
    default: return CNoteStackDlg::OnCommand(id, code, control);
    }
}

void CTrashDlg::OnRestore() {
    const int row = MarkedRecord();
    if (row < 0 || !m_source) return;
    m_source->RestoreFromTrash(m_source->Trash().Items()[static_cast<std::size_t>(row)].id);
}

void CTrashDlg::OnPurge() {
    const int row = MarkedRecord();
    if (row < 0 || !m_source) return;
    // The item is known by its identity across the question.
    const std::uint64_t id = m_source->Trash().Items()[static_cast<std::size_t>(row)].id;
    if (!AskYesNo(GetHwnd(), "選択したデータを完全に削除しますか？")) return;
    m_source->PurgeFromTrash(id);
}

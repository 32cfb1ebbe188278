#include "collections/PendingDlg.h"

#include "data/Trace.h"
#include "data/NoteFile.h"
#include "data/VolumeKey.h"
#include "platform/MessageBox.h"
#include "res/resource.h"
#include "platform/WinText.h"

#include <cstdio>

namespace {

constexpr char kWriteError[] = "保留リストのファイルに書き込めません.";

}  // namespace

CPendingDlg::CPendingDlg() : CNoteStackDlg(IDD_PENDING, IDC_PENDING_LIST) {}

CPendingDlg::~CPendingDlg() {
    if (CNotifyBridge::PendingList() == this) CNotifyBridge::SetPendingList(nullptr);
    if (m_countBrush) ::DeleteObject(m_countBrush);
}

void CPendingDlg::Start(const std::string& path, std::vector<CTackletData>&& records) {
    m_path = path;
    m_records.Assign(std::move(records));
    records.clear();
    Refresh();
    CNotifyBridge::SetPendingList(this);
}

void CPendingDlg::AddRecord(const CTackletData& record) {
    m_records.InsertAtHead(record);
    Refresh();
    SaveNeededStep();
}

bool CPendingDlg::MarkForSaving(bool reportFailure) { return SaveNeededStep(reportFailure, reportFailure); }

bool CPendingDlg::SaveNeededStep(bool reportFailure, bool reportUnread) {
    m_saveNeeded = true;
    m_records.MarkAll();
    if (m_path.empty()) return true;
    const std::uint32_t key = VolumeKeyForPath(m_path);
    // A file that could not be read at start is read again first; while it
    // still cannot be read it is not replaced.
    std::vector<CTackletData> older;
    if (!RereadBlockedNoteFile(m_path, key, &older)) {
        if (reportUnread) ShowNotice(GetHwnd(), kWriteError);
        return false;
    }
    if (!older.empty()) {
        // Parked before every record added since start.
        for (CTackletData& record : older) m_records.Append(std::move(record));
        m_records.MarkAll();
        Refresh();
    }
    if (WriteDataFile(m_path, m_records.Items(), CNotifyBridge::SaveFormat(), key)) {
        m_saveNeeded = false;
        return true;
    }
    if (reportFailure) ShowNotice(GetHwnd(), kWriteError);
    return false;
}

void CPendingDlg::OnRefreshed() {
    char count[32];
    std::snprintf(count, sizeof count, "%d", static_cast<int>(m_records.Size()));
    SetItemText(GetHwnd(), IDC_PENDING_COUNT, count);
}

bool CPendingDlg::OnCommand(WORD id, WORD code, HWND control) {
    switch (id) {
    case IDC_PENDING_DELETE: OnDelete(); return true;
    case IDC_PENDING_EXPORT: OnExport(); return true;
    case IDC_PENDING_REPASTE: OnRepaste(); return true;
    case IDC_PENDING_TOACTIVE: OnReturnToActive(); return true;
    default: return CNoteStackDlg::OnCommand(id, code, control);
    }
}

bool CPendingDlg::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg != WM_CTLCOLORSTATIC) return false;
    HDC dc = reinterpret_cast<HDC>(wParam);
    ::SetBkMode(dc, TRANSPARENT);
    if (reinterpret_cast<HWND>(lParam) == GetItem(IDC_PENDING_COUNT)) {
        if (!m_countBrush) m_countBrush = ::CreateSolidBrush(RGB(255, 255, 180));
        result = reinterpret_cast<LRESULT>(m_countBrush);
        return true;
    }
    result = reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
    return true;
}

bool CPendingDlg::TakeRecord(std::uint64_t id, CTackletData* record) {
    const int i = m_records.IndexOf(id);
    if (i < 0) return false;
    *record = m_records[static_cast<std::size_t>(i)];
    m_records.RemoveAt(static_cast<std::size_t>(i));
    Refresh();
    SaveNeededStep();
    return true;
}

void CPendingDlg::OnDelete() {
    const int mark = SelectionMark();
    if (mark < 0) {
        ShowNotice(GetHwnd(), "データを選択してください");
        return;
    }
    // The record is known by its identity across the question.
    const bool valid = static_cast<std::size_t>(mark) < m_records.Size();
    const std::uint64_t id = valid ? m_records.IdAt(static_cast<std::size_t>(mark)) : 0;
    if (!AskYesNo(GetHwnd(), "選択したデータを削除してよろしいですか.？") || !valid) return;
    CTackletData removed;
    TakeRecord(id, &removed);
}

void CPendingDlg::OnExport() {
    const int row = MarkedRecord();
    if (row < 0) return;
    CNotifyBridge::AddToExportStack(m_records[static_cast<std::size_t>(row)]);
}

void CPendingDlg::OnRepaste() {
    const int row = MarkedRecord();
    if (row < 0) return;
    const std::uint64_t id = m_records.IdAt(static_cast<std::size_t>(row));
    CWinInf chosen;
    if (!CNotifyBridge::ChooseWindow(GetHwnd(), CNotifyBridge::WindowListCopy(), &chosen)) return;
    CTackletData record;
    if (!TakeRecord(id, &record)) return;
    CNotifyBridge::RepasteToWindow(record, chosen);
}

void CPendingDlg::OnReturnToActive() {
    const int row = MarkedRecord();
    if (row < 0) return;
    CTackletData record;
    if (!TakeRecord(m_records.IdAt(static_cast<std::size_t>(row)), &record)) return;
    CNotifyBridge::AddNote(record);
}

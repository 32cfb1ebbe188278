// The main panel: the list of active notes and the commands on its rows.
#include "controller/BodyEditDlg.h"
#include "controller/ControlDlg.h"
#include "controller/MatchExplain.h"
#include "platform/NotifyBridge.h"
#include "data/TackletWindow.h"
#include "platform/MessageBox.h"
#include "res/resource.h"
#include "platform/WinText.h"

#include <cstdio>

void CControlDlg::RefreshNoteList() {
    if (!GetHwnd()) return;
    m_list.Rebuild(static_cast<int>(m_notes.Size()));
    char count[64];
    std::snprintf(count, sizeof count, "現在：%d 枚", static_cast<int>(m_notes.Size()));
    SetItemText(GetHwnd(), IDC_PANEL_COUNT, count);
    if (m_searchFlag == 1 && m_searchWindow) ::PostMessageW(m_searchWindow, m_searchMessage, 0, 0);
}

bool CControlDlg::NoteRow(int index, CNoteListView::Row* row) {
    if (index < 0 || static_cast<std::size_t>(index) >= m_notes.Size()) return false;
    const CTackletData& note = m_notes.Items()[static_cast<std::size_t>(index)];
    const std::string text = m_listMode == ListMode::Text ? note.GetText() : std::string();
    row->texts = NoteRowTexts(note, m_listMode, text);
    row->image = m_icons.GetIconIndex(note.EXEPATH);
    return true;
}

std::string CControlDlg::MatchTip(int row) const {
    if (row < 0 || static_cast<std::size_t>(row) >= m_notes.Size()) return std::string();
    const CTackletData& note = m_notes.Items()[static_cast<std::size_t>(row)];
    return ExplainMatch(note, note.m_pWin != nullptr, m_windowList, m_leftOutWindows).Text(note);
}

void CControlDlg::SetSearchSubscription(int flag, UINT message, HWND window) {
    m_searchFlag = flag;
    m_searchMessage = message;
    m_searchWindow = window;
}

void CControlDlg::SelectNoteRow(int index) {
    auto enable = [this](int id, bool on) { ::EnableWindow(GetItem(id), on ? TRUE : FALSE); };
    if (index < 0 || static_cast<std::size_t>(index) >= m_notes.Size()) {
        for (int id : {IDC_PANEL_EDITTEXT, IDC_PANEL_MATCHCOND, IDC_PANEL_CENTERWINDOW, IDC_PANEL_CENTERMONITOR})
            enable(id, false);
        return;
    }
    const CTackletData& note = m_notes[static_cast<std::size_t>(index)];
    const bool shown = note.m_pWin != nullptr;
    enable(IDC_PANEL_CENTERWINDOW, shown);
    enable(IDC_PANEL_CENTERMONITOR, shown);
    enable(IDC_PANEL_EDITTEXT, !shown);
    enable(IDC_PANEL_MATCHCOND, note.EXENAME != kDesktopName);
}

void CControlDlg::ShowNoteRow(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= m_notes.Size()) return;
    m_list.ShowRow(index);
    SelectNoteRow(index);
}

bool CControlDlg::OnCommand(WORD id, WORD code, HWND control) {
    switch (id) {
    case IDC_PANEL_DELETE: OnDeleteOne(); return true;
    case IDC_PANEL_DELETEALL: OnDeleteAll(); return true;
    case IDC_PANEL_EXPORT: OnExportRow(); return true;
    case IDC_PANEL_REPASTE: OnRepasteRow(); return true;
    case IDC_PANEL_PENDING: OnPendingRow(); return true;
    case IDC_PANEL_MATCHCOND: OnMatchConditionRow(); return true;
    case IDC_PANEL_CENTERWINDOW: OnCenterRow(false); return true;
    case IDC_PANEL_CENTERMONITOR: OnCenterRow(true); return true;
    case IDC_PANEL_EDITTEXT: OnEditBody(); return true;
    case IDC_PANEL_PROPATY: EditProperties(); return true;
    case IDC_PANEL_DEFAULTS: EditNoteDefaults(); return true;
    case IDC_PANEL_PRESET: EditPresets(); return true;
    case IDC_PANEL_MODE_TITLE:
    case IDC_PANEL_MODE_TEXT:
        m_listMode = ::IsDlgButtonChecked(GetHwnd(), IDC_PANEL_MODE_TEXT) ? ListMode::Text : ListMode::Title;
        RefreshNoteList();
        return true;
    case IDC_PANEL_HIDDEN1:
    case IDC_PANEL_HIDDEN2:
        return true;
    case IDOK:
    case IDCANCEL:
        // Enter and Esc in the panel belong to the main window.
        ::SendMessageW(::GetParent(GetHwnd()), WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(control));
        return true;
    default:
        return false;
    }
}

// The marked row when it denotes a note; the notice when no row is marked,
// -1 silently when the mark lies past the end.
int CControlDlg::MarkedRow(const char* noticeWhenNone) {
    int mark = m_list.SelectionMark();
    if (mark < 0) {
        ShowNotice(GetHwnd(), noticeWhenNone);
        return -1;
    }
    if (static_cast<std::size_t>(mark) >= m_notes.Size()) return -1;
    return mark;
}

void CControlDlg::OnDeleteOne() {
    int mark = m_list.SelectionMark();
    if (mark < 0) {
        ShowNotice(GetHwnd(), "削除するデータを一覧で選択してください");
        return;
    }
    // The question lets other messages run (a paste shifts the rows): keep
    // the note's identity, not its row.
    const bool inList = static_cast<std::size_t>(mark) < m_notes.Size();
    const std::uint64_t id = inList ? m_notes.IdAt(static_cast<std::size_t>(mark)) : 0;
    if (!AskYesNo(GetHwnd(), "選択したデータを削除しますか？")) return;
    const int row = inList ? m_notes.IndexOf(id) : -1;
    if (row < 0) return;
    RemoveNotes({id});
    SelectNoteRow(-1);
}

void CControlDlg::OnDeleteAll() {
    if (!AskYesNo(GetHwnd(), "全件データを削除しますか？")) return;
    if (!AskYesNo(GetHwnd(), "本当に全件データを削除しますか？")) return;
    std::vector<std::uint64_t> ids;
    ids.reserve(m_notes.Size());
    for (std::size_t i = 0; i < m_notes.Size(); ++i) ids.push_back(m_notes.IdAt(i));
    RemoveNotes(ids);
    SelectNoteRow(-1);
}

void CControlDlg::OnExportRow() {
    int row = MarkedRow("エクスポートするデータを一覧で選択してください");
    if (row < 0) return;
    CTackletData copy = m_notes[static_cast<std::size_t>(row)];
    copy.CopyWindowForExport();
    CNotifyBridge::AddToExportStack(copy);
}

void CControlDlg::OnRepasteRow() {
    int row = MarkedRow("貼り替えする付箋を一覧で選択してください");
    if (row < 0) return;
    const std::uint64_t id = m_notes.IdAt(static_cast<std::size_t>(row));
    CWinInf chosen;
    if (!ChooseWindow(m_windowList, &chosen)) return;
    row = m_notes.IndexOf(id);
    if (row < 0) return;
    RetargetToChosen(m_notes[static_cast<std::size_t>(row)], chosen);
    RefreshNoteList();
    SaveOnChange();
}

void CControlDlg::OnPendingRow() {
    int row = MarkedRow("保留リストへ移動するデータを一覧で選択してください");
    if (row < 0 || !CNotifyBridge::HasPendingList()) return;
    MoveToPendingList(static_cast<std::size_t>(row));
}

void CControlDlg::OnMatchConditionRow() {
    int row = MarkedRow("条件変更するデータを一覧で選択してください");
    if (row < 0) return;
    if (m_notes[static_cast<std::size_t>(row)].EXENAME == kDesktopName) {
        ShowNotice(GetHwnd(), "デスクトップ付箋は条件変更できません。");
        return;
    }
    if (!EditMatchCondition(static_cast<std::size_t>(row), nullptr)) return;
    SelectNoteRow(-1);
    SaveOnChange();
}

void CControlDlg::OnCenterRow(bool onMonitor) {
    int row = MarkedRow("表示を移動する付箋データを一覧で選択してください");
    if (row < 0) return;
    CTackletData& note = m_notes[static_cast<std::size_t>(row)];
    if (onMonitor)
        note.CenterOnTargetMonitor();
    else
        note.CenterOnTarget();
}

void CControlDlg::OnEditBody() {
    int row = MarkedRow("編集するデータを一覧で選択してください");
    if (row < 0) return;
    // The question and the dialog let other messages run (a paste shifts
    // the rows): from here on the note is found by its identity each time.
    const std::uint64_t id = m_notes.IdAt(static_cast<std::size_t>(row));
    m_notes[static_cast<std::size_t>(row)].EndTacklet();
    row = m_notes.IndexOf(id);
    if (row < 0) return;
    if (m_notes[static_cast<std::size_t>(row)].READONLY) {
        if (!AskYesNo(GetHwnd(), "書き込み禁止状態ですが編集しますか？")) return;
        row = m_notes.IndexOf(id);
        if (row < 0) return;
    }
    CBodyEditDlg dialog(m_notes[static_cast<std::size_t>(row)].GetText());
    if (dialog.DoModal(GetHwnd()) != IDOK) return;
    row = m_notes.IndexOf(id);
    if (row < 0) return;
    CTackletData& edited = m_notes[static_cast<std::size_t>(row)];
    if (edited.m_bAttached == 1) edited.EndTacklet();
    edited.SetText(dialog.Text());
}

bool CControlDlg::OnPanelColor(UINT msg, HDC dc, HWND control, LRESULT& result) {
    if (msg == WM_CTLCOLORSTATIC) {
        ::SetBkMode(dc, TRANSPARENT);
        if (control == GetItem(IDC_PANEL_COUNT)) {
            result = reinterpret_cast<LRESULT>(m_countBrush);
            return true;
        }
    }
    result = reinterpret_cast<LRESULT>(m_panelBrush);
    return true;
}

#include "winsel/WindowSelDlg.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "platform/DwmApi.h"
#include "platform/ListColumns.h"
#include "platform/MessageBox.h"
#include "platform/WinConvert.h"
#include "res/resource.h"

namespace {

enum Column { kColTitle, kColProcess, kColHandle };

constexpr ListColumn kColumns[] = {{"Title", 170}, {"ProcessName", 100}, {"Handle", 0}};

constexpr char kSelectNotice[] = "付箋を貼り付けるウィンドウを一覧で選択してください";

void SetCellText(HWND list, int row, int column, const std::string& text) {
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text.c_str());
    ::SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
}

}  // namespace

CWindowSelDlg::CWindowSelDlg() : CDialog(IDD_WINDOWSEL) {}

void CWindowSelDlg::SetWindowList(const std::vector<CWinInf>& list) { m_windows = list; }

void CWindowSelDlg::RemoveWindow(PvHandle handle) {
    auto it = std::find_if(m_windows.begin(), m_windows.end(),
                           [handle](const CWinInf& w) { return w.hWnd == handle; });
    if (it != m_windows.end()) m_windows.erase(it);
}

std::string CWindowSelDlg::HandleText(PvHandle handle) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08x", static_cast<unsigned>(static_cast<std::uint32_t>(handle)));
    return text;
}

BOOL CWindowSelDlg::OnInitDialog() {
    m_list = GetItem(IDC_WINSEL_LIST);
    m_preview.Attach(GetItem(IDC_WINSEL_IMAGE));
    InitColumns();
    ListView_SetImageList(m_list, m_icons.ImageList(), LVSIL_SMALL);
    FillList();
    if (!m_windows.empty()) {
        SelectRow(0);
        ShowPreview(0);
    }
    // Above every other window, where it stays (position and size kept).
    ::SetWindowPos(GetHwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    return TRUE;
}

void CWindowSelDlg::InitColumns() {
    DWORD exStyle = LVS_EX_FULLROWSELECT;
    if (IsVistaOrLater()) exStyle |= LVS_EX_GRIDLINES;
    ListView_SetExtendedListViewStyle(m_list, exStyle);
    InsertListColumns(m_list, kColumns);
}

void CWindowSelDlg::FillList() {
    ::SendMessageA(m_list, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(m_list);
    for (size_t i = 0; i < m_windows.size(); ++i) {
        const CWinInf& window = m_windows[i];
        LVITEMA item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = static_cast<int>(i);
        item.pszText = const_cast<char*>(window.title.c_str());
        const int image = m_icons.GetIconIndex(window.exePath);
        item.iImage = image >= 0 ? image : I_IMAGENONE;
        const int row = static_cast<int>(::SendMessageA(m_list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
        SetCellText(m_list, row, kColProcess, window.exeName);
        SetCellText(m_list, row, kColHandle, HandleText(window.hWnd));
    }
    ::SendMessageA(m_list, WM_SETREDRAW, TRUE, 0);
}

void CWindowSelDlg::SelectRow(int row) {
    const UINT state = LVIS_SELECTED | LVIS_FOCUSED;
    ListView_SetItemState(m_list, row, state, state);
    ListView_SetSelectionMark(m_list, row);
    ListView_SetHotItem(m_list, row);
    ListView_EnsureVisible(m_list, row, FALSE);
}

void CWindowSelDlg::ShowPreview(int row) {
    m_preview.m_hThumbDest = GetHwnd();
    m_preview.SetTargetWindow(ToHwnd(m_windows[row].hWnd));
    ::InvalidateRect(GetHwnd(), nullptr, TRUE);
}

bool CWindowSelDlg::HasMark() const { return ListView_GetSelectionMark(m_list) >= 0; }

int CWindowSelDlg::MarkedRow() const {
    const int mark = ListView_GetSelectionMark(m_list);
    return mark >= 0 && mark < static_cast<int>(m_windows.size()) ? mark : -1;
}

void CWindowSelDlg::ShowSelectNotice() { ShowNotice(GetHwnd(), kSelectNotice); }

void CWindowSelDlg::OnListClick() {
    if (!HasMark()) {
        ShowSelectNotice();
        return;
    }
    const int row = MarkedRow();
    if (row >= 0) ShowPreview(row);
}

void CWindowSelDlg::OnOK() {
    if (!HasMark()) {
        ShowSelectNotice();
        return;
    }
    const int row = MarkedRow();
    if (row < 0) return;
    m_selected = m_windows[row];
    EndDialog(IDOK);
}

bool CWindowSelDlg::OnCommand(WORD id, WORD code, HWND control) {
    if (id == IDOK) {
        OnOK();
        return true;
    }
    return CDialog::OnCommand(id, code, control);
}

bool CWindowSelDlg::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom == IDC_WINSEL_LIST && header->code == NM_CLICK) {
            OnListClick();
            result = 0;
            return true;
        }
    }
    return CDialog::OnMessage(msg, wParam, lParam, result);
}

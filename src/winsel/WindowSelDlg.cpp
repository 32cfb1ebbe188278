#include "winsel/WindowSelDlg.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "platform/DwmApi.h"
#include "platform/MessageBox.h"
#include "platform/WinConvert.h"
#include "res/resource.h"
#include "platform/ListView.h"

using namespace ListRows;

namespace {

enum Column { kColTitle, kColProcess, kColHandle };

constexpr char kSelectNotice[] = "付箋を貼り付けるウィンドウを一覧で選択してください";

}  // namespace

void FillWindowList(HWND list, const std::vector<CWinInf>& windows, CImageListCashSmoll& icons) {
    const std::string marked = SelectedCellText(list, kColHandle);
    ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(list);
    for (const CWinInf& window : windows) {
        const int row = AppendRow(list, window.title, icons.GetIconIndex(window.exePath));
        SetCellText(list, row, kColProcess, window.exeName);
        SetCellText(list, row, kColHandle, HandleText(window.hWnd));
    }
    // The row marked before the refill is marked again, found by its handle.
    if (!marked.empty()) {
        const int row = FindRowByText(list, kColHandle, marked);
        if (row >= 0) MarkRow(list, row);
    }
    ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
}

CWindowSelDlg::CWindowSelDlg() : CDialog(IDD_WINDOWSEL) {}

void CWindowSelDlg::SetWindowList(const std::vector<CWinInf>& list) { m_windows = list; }

void CWindowSelDlg::RemoveWindow(PvHandle handle) {
    auto it = std::find_if(m_windows.begin(), m_windows.end(),
                           [handle](const CWinInf& w) { return w.hWnd == handle; });
    if (it != m_windows.end()) m_windows.erase(it);
}

std::string CWindowSelDlg::HandleText(PvHandle handle) { return ListRows::HandleText(handle); }

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
    InitReportList(m_list, {{"Title", 170}, {"ProcessName", 100}, {"Handle", 0}});
}

void CWindowSelDlg::FillList() { FillWindowList(m_list, m_windows, m_icons); }

void CWindowSelDlg::SelectRow(int row) { MarkRow(m_list, row); }

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

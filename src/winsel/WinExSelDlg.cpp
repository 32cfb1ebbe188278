#include "winsel/WinExSelDlg.h"

#include <commctrl.h>

#include <algorithm>

#include "data/Trace.h"
#include "platform/WinConvert.h"
#include "platform/MessageBox.h"
#include "res/resource.h"
#include "platform/ListView.h"

using namespace ListRows;
#include "winsel/WindowSelDlg.h"

namespace {
// Image area at (20, 150), at most 150 x 120 pixels.
constexpr CChildPickerLayout kLayout{150, 80, 80, 20, 150, 150, 120, CaptureRestore::Layering};
constexpr char kSelectWindowNotice[] = "ウィンドウを一覧で選択してください";
}  // namespace

CWinExSelDlg::CWinExSelDlg(WindowListSource source)
    : CDialog(IDD_WINEXSEL), m_source(std::move(source)), m_picker(kLayout) {}

BOOL CWinExSelDlg::OnInitDialog() {
    m_windowList = GetItem(IDC_WINEX_WINDOWS);
    InitReportList(m_windowList, {{"Title", 400}, {"ProcessName", 100}, {"Handle", 0}});
    ListView_SetImageList(m_windowList, m_icons.ImageList(), LVSIL_SMALL);
    RefreshWindows();
    m_picker.Attach(GetHwnd(), GetItem(IDC_CHILD_LIST));
    if (!m_windows.empty()) {
        if (m_processName.empty()) {
            ChooseWindowRow(0);
        } else {
            // Every window of the wanted process in turn: the last one stays.
            for (std::size_t i = 0; i < m_windows.size(); ++i) {
                if (m_windows[i].exeName == m_processName) ChooseWindowRow(static_cast<int>(i));
            }
        }
        m_picker.Preselect(m_className, m_ctrlId);
    }
    ::InvalidateRect(GetHwnd(), nullptr, TRUE);
    return TRUE;
}

void CWinExSelDlg::RefreshWindows() {
    m_windows = m_source ? m_source() : std::vector<CWinInf>();
    const PvHandle desktop = ToHandle(::GetDesktopWindow());
    m_windows.erase(std::remove_if(m_windows.begin(), m_windows.end(),
                                   [desktop](const CWinInf& w) { return w.hWnd == desktop; }),
                    m_windows.end());
    FillWindowList(m_windowList, m_windows, m_icons);
}

void CWinExSelDlg::ChooseWindowRow(int row) {
    MarkRow(m_windowList, row);
    const CWinInf& window = m_windows[static_cast<std::size_t>(row)];
    m_processName = window.exeName;
    m_picker.SetWindow(ToHwnd(window.hWnd));
    m_picker.Capture();
    m_picker.Update();
}

void CWinExSelDlg::OnWindowClick() {
    const int mark = ListView_GetSelectionMark(m_windowList);
    if (mark < 0) {
        ShowNotice(GetHwnd(), kSelectWindowNotice);
        return;
    }
    if (static_cast<std::size_t>(mark) >= m_windows.size()) return;
    ChooseWindowRow(mark);
    m_picker.Preselect(m_className, m_ctrlId);
    ::InvalidateRect(GetHwnd(), nullptr, TRUE);
}

void CWinExSelDlg::OnOK() {
    const CChildWinInf* chosen = m_picker.ConfirmChoice();
    if (!chosen) return;
    m_className = chosen->className;
    m_ctrlId = chosen->ctrlId;
    Trace("WinodwClass=%s\n", m_className.c_str());
    Trace("ControlID=%d\n", m_ctrlId);
    EndDialog(IDOK);
}

bool CWinExSelDlg::OnCommand(WORD id, WORD code, HWND control) {
    switch (id) {
    case IDOK:
        OnOK();
        return true;
    case IDC_WINEX_REFRESH:
        RefreshWindows();
        return true;
    default:
        return CDialog::OnCommand(id, code, control);
    }
}

bool CWinExSelDlg::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->code == NM_CLICK && header->idFrom == IDC_WINEX_WINDOWS) {
            OnWindowClick();
            result = 0;
            return true;
        }
    }
    // The image shows once a window is chosen.
    const bool showImage = msg == WM_PAINT && ListView_GetSelectionMark(m_windowList) >= 0;
    return m_picker.OnDialogMessage(msg, lParam, showImage, result) ||
           CDialog::OnMessage(msg, wParam, lParam, result);
}

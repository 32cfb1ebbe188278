#include "dialogs/InitSizeDlg.h"

#include "res/resource.h"

#include <commctrl.h>

#include <algorithm>

CInitSizeDlg::CInitSizeDlg() : CDialog(IDD_INITSIZE) {}

BOOL CInitSizeDlg::OnInitDialog() {
    const HWND height = GetItem(IDC_INITSIZE_HEIGHTSPIN);
    const HWND width = GetItem(IDC_INITSIZE_WIDTHSPIN);
    ::SendMessageW(height, UDM_SETRANGE32, m_limits.m_minHeight, m_limits.m_maxHeight);
    ::SendMessageW(height, UDM_SETPOS32, 0, m_height);
    ::SendMessageW(width, UDM_SETRANGE32, m_limits.m_minWidth, m_limits.m_maxWidth);
    ::SendMessageW(width, UDM_SETPOS32, 0, m_width);
    return TRUE;
}

bool CInitSizeDlg::OnCommand(WORD id, WORD code, HWND control) {
    if (id != IDOK) return CDialog::OnCommand(id, code, control);
    // The spin reads its number field; text that is no number or lies out
    // of range leaves it at its last valid position.
    const int height = static_cast<int>(::SendMessageW(GetItem(IDC_INITSIZE_HEIGHTSPIN), UDM_GETPOS32, 0, 0));
    const int width = static_cast<int>(::SendMessageW(GetItem(IDC_INITSIZE_WIDTHSPIN), UDM_GETPOS32, 0, 0));
    m_height = std::clamp(height, m_limits.m_minHeight, m_limits.m_maxHeight);
    m_width = std::clamp(width, m_limits.m_minWidth, m_limits.m_maxWidth);
    EndDialog(IDOK);
    return true;
}

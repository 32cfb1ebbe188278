#include "app/AboutDlg.h"

#include <utility>

#include "res/resource.h"
#include "platform/WinText.h"

CAboutDlg::CAboutDlg(std::string versionLine) : CDialog(IDD_ABOUTBOX), m_versionLine(std::move(versionLine)) {}

BOOL CAboutDlg::OnInitDialog() {
    SetItemText(GetHwnd(), IDC_ABOUT_VERSION, m_versionLine);
    return TRUE;
}

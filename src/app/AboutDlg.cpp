#include "app/AboutDlg.h"

#include <utility>

#include "res/resource.h"

CAboutDlg::CAboutDlg(std::string versionLine) : CDialog(IDD_ABOUTBOX), m_versionLine(std::move(versionLine)) {}

BOOL CAboutDlg::OnInitDialog() {
    ::SetDlgItemTextA(GetHwnd(), IDC_ABOUT_VERSION, m_versionLine.c_str());
    return TRUE;
}

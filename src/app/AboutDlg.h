// The version dialog: the application icon and the version line given by
// the caller. Run modally.
#pragma once

#include <string>

#include "platform/Dialog.h"

class CAboutDlg : public CDialog {
public:
    // `versionLine` is shown as it is, for example "Ver.:1.1.6.193".
    explicit CAboutDlg(std::string versionLine);

    const std::string& VersionLine() const { return m_versionLine; }

protected:
    BOOL OnInitDialog() override;

private:
    std::string m_versionLine;
};

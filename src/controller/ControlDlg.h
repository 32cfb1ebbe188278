// The note controller: the main panel, the settings record and the owner of
// every active note.
#pragma once

#include "platform/Dialog.h"

// Note size limits (fixed values, not stored).
struct CNoteLimits {
    int m_minWidth = 50;
    int m_minHeight = 20;
    int m_maxWidth = 600;
    int m_maxHeight = 400;
};

class CControlDlg : public CDialog {
public:
    CControlDlg();
    ~CControlDlg() override;

    static const CNoteLimits& Limits();
    int PosInterval() const { return m_posInterval; }

private:
    int m_posInterval = 50;
};

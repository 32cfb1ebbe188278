// The body edit dialog: edits the text of a note that is not shown.
#pragma once

#include "platform/Dialog.h"

#include <string>

class CBodyEditDlg : public CDialog {
public:
    static constexpr int kTextLimit = 4000;

    explicit CBodyEditDlg(std::string text);
    const std::string& Text() const { return m_text; }

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;

private:
    void PutCaretAtEnd();
    std::string m_text;
};

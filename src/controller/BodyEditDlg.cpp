#include "controller/BodyEditDlg.h"

#include "data/MbString.h"
#include "platform/WindowText.h"
#include "res/resource.h"
#include "platform/WinText.h"

CBodyEditDlg::CBodyEditDlg(std::string text) : CDialog(IDD_BODYEDIT), m_text(std::move(text)) {}

BOOL CBodyEditDlg::OnInitDialog() {
    HWND edit = GetItem(IDC_BODYEDIT_TEXT);
    ::SendMessageW(edit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(2, 2));
    ::SendMessageW(edit, EM_LIMITTEXT, kTextLimit, 0);
    SetWindowTextOf(edit, m_text);
    ::SetFocus(edit);
    PutCaretAtEnd();
    return FALSE;  // the focus is set
}

void CBodyEditDlg::PutCaretAtEnd() {
    HWND edit = GetItem(IDC_BODYEDIT_TEXT);
    int end = ::GetWindowTextLengthW(edit);
    ::SendMessageW(edit, EM_SETSEL, end, end);
    ::SendMessageW(edit, EM_SCROLLCARET, 0, 0);
}

bool CBodyEditDlg::OnCommand(WORD id, WORD code, HWND control) {
    if (id == IDC_BODYEDIT_TEXT && code == EN_SETFOCUS) {
        // Never show the text all selected.
        PutCaretAtEnd();
        return true;
    }
    if (id == IDOK) {
        // The edit control counts characters; the note holds at most 4000 bytes.
        m_text = MbCut(WindowText(GetItem(IDC_BODYEDIT_TEXT)), kTextLimit);
    }
    return CDialog::OnCommand(id, code, control);
}

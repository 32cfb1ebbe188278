// Base of the note appearance dialogs. They only edit values: the caller
// copies values into the public fields, runs the dialog modally and, when
// it returns IDOK, copies the fields back and applies them.
//
// Opened for one note, the caller also gives the note window's handle; if
// that window has gone when OK is pressed (the note was closed while the
// dialog was open), OK acts as Cancel.
#pragma once

#include <windows.h>

#include "platform/Dialog.h"

class CAppearanceDlg : public CDialog {
public:
    // The dialog edits the values of the note shown by `noteWnd`.
    void SetNoteWindow(HWND noteWnd) {
        m_hNoteWnd = noteWnd;
        m_forNote = noteWnd != nullptr;
    }
    bool ForNote() const { return m_forNote; }

    // Runs modally without an owner window: closing the note must not take
    // the dialog with it. IDOK only when the values were read.
    INT_PTR Run() { return DoModal(nullptr); }

protected:
    explicit CAppearanceDlg(int templateId) : CDialog(templateId) {}

    // Shows the values (WM_INITDIALOG).
    virtual void ShowValues() = 0;
    // Whether OK may close the dialog (a dialog that refuses tells why).
    virtual bool ControlsValid() { return true; }
    // Reads the controls into the fields (OK).
    virtual void ReadControls() = 0;
    // Any other command of a control.
    virtual void OnControl(WORD /*id*/, WORD /*code*/) {}

    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;

private:
    HWND m_hNoteWnd = nullptr;
    bool m_forNote = false;
};

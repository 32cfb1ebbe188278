// Child window selection (dialog 152): the children of one window in a
// list beside a still image of the window, the chosen child framed in red.
// Usage:
//   CChildSelDlg dlg;
//   dlg.m_hTarget = window;
//   dlg.m_className = cls; dlg.m_ctrlId = id; dlg.m_text = text;   // current choice
//   if (dlg.DoModal(owner) == IDOK) use(dlg.m_className, dlg.m_ctrlId, dlg.m_text);
#pragma once

#include <windows.h>

#include <string>

#include "platform/Dialog.h"
#include "winsel/ChildPicker.h"

class CChildSelDlg : public CDialog {
public:
    CChildSelDlg();

    HWND m_hTarget = nullptr;
    // In: the current choice; out (after OK): the new one.
    std::string m_className;
    int m_ctrlId = 0;
    std::string m_text;

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    const CChildPicker& Picker() const { return m_picker; }

private:
    void OnOK();

    CChildPicker m_picker;
};

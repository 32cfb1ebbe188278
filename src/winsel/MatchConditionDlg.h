// Match condition (dialog 139): which parts of a note's condition are in
// force, whole or partial title comparison, and the child window of the
// extended condition, chosen on the note's target window.
// Usage:
//   CMatchConditionDlg dlg;
//   dlg.m_record = note;                      // a copy
//   dlg.m_childChoiceAllowed = false;         // optional
//   dlg.SetOwnerCheck(noteWindow);            // optional
//   if (dlg.DoModal(owner) == IDOK) store(dlg.m_record);
#pragma once

#include <windows.h>

#include "data/TackletData.h"
#include "platform/Dialog.h"
#include "platform/GdiHolders.h"

class CMatchConditionDlg : public CDialog {
public:
    CMatchConditionDlg();

    CTackletData m_record;
    bool m_childChoiceAllowed = true;
    // OK ends as Cancel when `noteWindow` has gone meanwhile.
    void SetOwnerCheck(HWND noteWindow) {
        m_ownerCheck = true;
        m_owner = noteWindow;
    }

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void ShowChildCondition();
    // A "完全一致" box clicked: unchecked with an empty edit box, the edit
    // box gets `original`.
    void OnFullClicked(int checkId, int editId, const std::string& original);
    void OnChooseChild();
    void OnOK();
    bool Checked(int id) const;
    std::string ItemText(int id) const;

    bool m_ownerCheck = false;
    HWND m_owner = nullptr;
    CBrush m_fieldBrush;
};

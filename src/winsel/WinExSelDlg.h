// Process and child window selection (dialog 159): a running window (and
// with it its process) from a list, and one of its children on a still
// image of it.
// Usage:
//   CWinExSelDlg dlg(source);                 // source: the current window list
//   dlg.m_processName = exe; dlg.m_className = cls; dlg.m_ctrlId = id;
//   if (dlg.DoModal(owner) == IDOK) use(dlg.m_processName, dlg.m_className, dlg.m_ctrlId);
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "data/WinInf.h"
#include "platform/Dialog.h"
#include "winsel/ChildPicker.h"
#include "winsel/ImageListCashSmoll.h"

// Gives a copy of the current list of windows a note can be put on.
using WindowListSource = std::function<std::vector<CWinInf>()>;

class CWinExSelDlg : public CDialog {
public:
    explicit CWinExSelDlg(WindowListSource source);

    // In: the wanted process and the current child; out (after OK): the
    // chosen window's process and the chosen child.
    std::string m_processName;
    std::string m_className;
    int m_ctrlId = 0;

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    const CChildPicker& Picker() const { return m_picker; }
    const std::vector<CWinInf>& Candidates() const { return m_windows; }
    HWND WindowListControl() const { return m_windowList; }

private:
    // The candidates afresh from the source, without the desktop.
    void RefreshWindows();
    // Row `row` becomes the chosen window: its process, image and children.
    void ChooseWindowRow(int row);
    void OnWindowClick();
    void OnOK();

    WindowListSource m_source;
    HWND m_windowList = nullptr;
    std::vector<CWinInf> m_windows;
    CImageListCashSmoll m_icons;
    CChildPicker m_picker;
};

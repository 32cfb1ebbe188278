// The note defaults dialog (template 137): the appearance and initial size
// new notes receive, each shown as a summary text or swatch, with a "変更"
// button per group that opens the matching appearance dialog on the
// dialog's copy. The caller sets the copy and the size, runs the dialog
// and reads both back after OK; Cancel discards every change.
#pragma once

#include "data/SettingsFile.h"
#include "data/TackletData.h"
#include "platform/Dialog.h"
#include "platform/GdiHolders.h"

class CNoteDefaultDlg : public CDialog {
public:
    CNoteDefaultDlg();

    CTackletData m_defaults;  // in and out; only its appearance is edited
    int m_iniHeight = 60;     // in and out, pixels
    int m_iniWidth = 200;
    CPropatyData m_limits;    // bounds of the initial size

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // Writes every summary field and repaints the swatches.
    void ShowSummary();
    HBRUSH StaticColors(HDC dc, HWND control);
    void OnColor();
    void OnFont();
    void OnTransparency();
    void OnFrame();
    void OnInitialSize();

    CBrush m_summaryBrush;
    CBrush m_textSwatch;
    CBrush m_earSwatch;
    CBrush m_backgroundSwatch;
};

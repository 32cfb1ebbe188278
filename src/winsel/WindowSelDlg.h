// The window selection dialog: the windows a note can be put on, each with
// its program's icon, beside a live image of the window last clicked.
// Usage:
//   CWindowSelDlg dlg;
//   dlg.SetWindowList(list);
//   dlg.RemoveWindow(handle);                 // optional
//   if (dlg.DoModal(owner) == IDOK) use(dlg.GetSelectedWindow());
#pragma once

#include <windows.h>

#include <vector>

#include "data/WinInf.h"
#include "platform/Dialog.h"
#include "winsel/ImageListCashSmoll.h"
#include "winsel/StcImage.h"

// Fills a window list control: one row per window ("Title" with the
// program's icon, "ProcessName", hidden "Handle"), redrawing suspended; the
// row selected before is selected again when its handle is still listed.
void FillWindowList(HWND list, const std::vector<CWinInf>& windows, CImageListCashSmoll& icons);

class CWindowSelDlg : public CDialog {
public:
    CWindowSelDlg();

    // The candidates: a copy of `list`, shown in its order.
    void SetWindowList(const std::vector<CWinInf>& list);
    // Drops the candidate whose window handle is `handle`, if there is one.
    void RemoveWindow(PvHandle handle);
    const std::vector<CWinInf>& WindowList() const { return m_windows; }

    // After OK: the chosen candidate.
    CWinInf GetSelectedWindow() const { return m_selected; }

    // The list control's column of window handles, "0x%08x" (32 bits).
    static std::string HandleText(PvHandle handle);

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    const CStcImage& Preview() const { return m_preview; }
    HWND List() const { return m_list; }

private:
    void InitColumns();
    void FillList();
    void SelectRow(int row);
    void ShowPreview(int row);
    void OnListClick();
    void OnOK();
    // The marked row when it denotes a candidate, else -1.
    int MarkedRow() const;
    bool HasMark() const;
    void ShowSelectNotice();

    HWND m_list = nullptr;
    std::vector<CWinInf> m_windows;
    CWinInf m_selected;
    CImageListCashSmoll m_icons;
    CStcImage m_preview;
};

// pvwinselshot: the window selection dialog on the real window list, with
// a window's image in its preview, for a screenshot.
// Usage: pvwinselshot <ready file> <done file>
// Touches <ready file> once the dialog is painted, then waits (at most
// 60 s) until <done file> exists.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "WinSelTestSupport.h"
#include "WinTestUtil.h"
#include "controller/WindowList.h"

namespace {

// Waits, one tick at a time, until the screenshot has been taken.
struct WaitForShot {
    const wintest::CShotFiles* files;
    DWORD start;
    void operator()(CScriptedWindowSelDlg& d) const {
        if (!files->Done() && ::GetTickCount() - start < 60000) d.AddStep(*this);
    }
};

// The dialog run modally: it clicks the row of `target`, announces the
// scene and waits for the screenshot.
class CShotDlg : public CScriptedWindowSelDlg {
public:
    CShotDlg(HWND target, const wintest::CShotFiles& files) {
        AddStep([target](CScriptedWindowSelDlg& d) {
            const std::string handle = HandleText(ToHandle(target));
            for (int row = 0; row < RowCount(d.List()); ++row) {
                if (CellText(d.List(), row, 2) == handle) d.ClickRow(row);
            }
        });
        AddStep([&files](CScriptedWindowSelDlg& d) {
            ::UpdateWindow(d.GetHwnd());
            files.MarkReady();
            d.AddStep(WaitForShot{&files, ::GetTickCount()});
        });
    }
};

}  // namespace

int main(int argc, char** argv) {
    wintest::CShotFiles files;
    if (!files.Parse(argc, argv, 3, "pvwinselshot <ready file> <done file>")) return 2;

    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&icc);

    CPaintedWindow backdrop("メモ帳 - 議事録.txt", 20, 20, 620, 460, RGB(235, 240, 250), true);
    CPaintedWindow target("売上集計 2024年度", 660, 60, 560, 420, RGB(250, 245, 225), true);
    std::vector<CWinInf> windows;
    CWindowListBuilder(nullptr).Build(windows);

    CShotDlg dlg(target.Hwnd(), files);
    dlg.SetWindowList(windows);
    dlg.DoModal(nullptr);
    return 0;
}

// pvwinselshot: the window selection dialog on the real window list, with
// a window's image in its preview, for a screenshot. With --hung the chosen
// window's program does not answer: the dialog shows without its image.
// Usage: pvwinselshot [--hung] <ready file> <done file>
// Touches <ready file> once the dialog is painted, then waits (at most
// 60 s) until <done file> exists.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <memory>
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

constexpr char kHungTitle[] = "応答なし - 売上集計";

// --hung-target: a window of another process that never answers, as a hung
// program's (a window of this process would be asked for its title).
int HungTarget() {
    CPaintedWindow window(kHungTitle, 660, 60, 560, 420, RGB(250, 245, 225), true);
    ::Sleep(90000);
    return 0;
}

// Starts this program as the hung target and waits for its window.
HWND StartHungTarget(PROCESS_INFORMATION* process) {
    char self[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string command = std::string("\"") + self + "\" --hung-target";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, process))
        return nullptr;
    for (int i = 0; i < 200; ++i) {
        if (HWND hwnd = ::FindWindowA(nullptr, kHungTitle)) return hwnd;
        ::Sleep(50);
    }
    return nullptr;
}

int main(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]) == "--hung-target") return HungTarget();
    wintest::CShotFiles files;
    if (!files.Parse(argc, argv, 3, "pvwinselshot [--hung] <ready file> <done file>")) return 2;

    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&icc);

    CPaintedWindow backdrop("メモ帳 - 議事録.txt", 20, 20, 620, 460, RGB(235, 240, 250), true);
    const bool hung = argc >= 4 && std::string(argv[1]) == "--hung";
    PROCESS_INFORMATION hungProcess{};
    HWND chosen = nullptr;
    std::unique_ptr<CPaintedWindow> target;
    if (hung) {
        chosen = StartHungTarget(&hungProcess);
    } else {
        target = std::make_unique<CPaintedWindow>("売上集計 2024年度", 660, 60, 560, 420, RGB(250, 245, 225), true);
        chosen = target->Hwnd();
    }
    std::vector<CWinInf> windows;
    CWindowListBuilder(nullptr).Build(windows);

    CShotDlg dlg(chosen, files);
    dlg.SetWindowList(windows);
    dlg.DoModal(nullptr);
    if (hungProcess.hProcess) {
        ::TerminateProcess(hungProcess.hProcess, 0);
        ::CloseHandle(hungProcess.hProcess);
        ::CloseHandle(hungProcess.hThread);
    }
    return 0;
}

// End-to-end checks of the collection panels: starts Pinvane.exe under Wine
// in scratch directories and drives its pending list, export cache, import
// cache and search panel from outside.
// Usage: pvcollect <scenario> <Pinvane.exe> [...]
#include "Driver.h"
#include "WindowFinder.h"

#include <commctrl.h>

#include <cstdio>
#include <string>

using namespace e2e;

namespace {

constexpr UINT kTrayPending = 32804;
constexpr UINT kNoteMovePending = 32805;
constexpr UINT kNoteExport = 32802;
constexpr int kPendingList = 1148;
constexpr int kPendingToActive = 1149;
constexpr UINT kTrayTrash = 32810;
constexpr int kPanelList = 1002;
constexpr int kPanelDelete = 1003;
constexpr int kTrashList = 1240;
constexpr int kTrashRestore = 1241;

// A data file with one note for the window titled "PvCollect Target".
std::string OneNoteOnTarget(const char* hexText) {
    return std::string("[SYSTEM]\r\nTACKLETNUM=1\r\n[TACKLETITEM0]\r\nTITLE=PvCollect Target\r\nEXENAME=pvcollect.exe\r\n"
                       "REC_LEFT=150\r\nREC_TOP=160\r\nREC_RIGHT=350\r\nREC_BOTTOM=220\r\nTEXT=") +
           hexText + "\r\n";
}

void PressButton(HWND dialog, int id) {
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

// Pinvane's main window once its panels exist (the pending list is created
// last), so that commands posted to it find them.
HWND WaitReady(CChecks& c, CPinvaneProcess& p) {
    HWND main = p.WaitMainWindow(20000);
    c.Expect(main && WaitProcessWindow(p.Pid(), "保留リスト", "#32770", 20000), "Pinvane is ready");
    return main;
}

int ItemCount(HWND list) { return static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

// The visible common file dialog of process `pid` (a dialog other than `panel`).
HWND WaitFileDialog(DWORD pid, HWND panel, DWORD timeoutMs) {
    HWND found = nullptr;
    WaitFor(
        [&] {
            found = pvtest::FindWindowOf(
                {.pid = pid, .owner = panel, .className = pvtest::kDialogClass, .except = panel});
            return found != nullptr;
        },
        timeoutMs);
    return found;
}

// Types `path` into a file dialog's name field and presses its OK button.
void AnswerFileDialog(HWND dialog, const std::string& path) {
    for (int id : {0x47c /* cmb13 */, 0x480 /* edt1 */}) {
        HWND field = ::GetDlgItem(dialog, id);
        if (field) ::SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(pvtest::Wide(path).c_str()));
    }
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

// A note parked from its own menu stays parked across a restart and comes
// back onto its window from the pending list.
int PendingAcrossRestart(const std::string& exe) {
    CChecks c;
    std::string appDir;
    const std::string copy = InstallCopy(exe, &appDir);
    const std::string data = appDir + "\\PinvaneData.ini";
    const std::string pendingFile = appDir + "\\MossrelPendingList.ini";
    WriteText(data, OneNoteOnTarget("7061726b6564"));  // "parked"
    HWND target = MakeTargetWindow("PvCollect Target", 100, 100, 400, 300);
    {
        CPinvaneProcess p;
        c.Expect(p.Start(copy, "", appDir), "Pinvane starts");
        HWND main = WaitReady(c, p);
        c.Expect(WaitFor([&] { return FindNotes(p.Pid(), main).ownedBy(target).size() == 1; }, 5000),
                 "the note comes onto its window");
        auto notes = FindNotes(p.Pid(), main).ownedBy(target);
        // The note's menu item エクスポート copies it into the export cache.
        if (!notes.empty()) ::PostMessageA(notes[0], WM_COMMAND, kNoteExport, 0);
        HWND exportPanel = WaitProcessWindow(p.Pid(), "エクスポートキャッシュ", "#32770", 5000);
        HWND exportList = exportPanel ? ::GetDlgItem(exportPanel, 1127) : nullptr;
        c.Expect(WaitFor([&] { return exportList && ItemCount(exportList) == 1; }, 3000),
                 "the note's menu item エクスポート fills the export cache");
        if (!notes.empty()) ::PostMessageA(notes[0], WM_COMMAND, kNoteMovePending, 0);
        c.Expect(WaitFor([&] { return FindNotes(p.Pid(), main).ownedBy(target).empty(); }, 3000),
                 "the note's menu item 保留リスト takes it off its window");
        c.Expect(WaitFor([&] { return ReadFile(pendingFile).find("TEXT=7061726b6564") != std::string::npos; }, 3000),
                 "the pending-list file holds it at once");
        WaitFor([] { return false; }, 1200);
        c.Expect(FindNotes(p.Pid(), main).ownedBy(target).empty(), "a parked note stays off its window");
        c.Expect(p.Exit(), "exit");
    }
    c.Expect(ReadFile(data).find("TACKLETNUM=0\r\r\n") != std::string::npos, "the data file no longer holds it");
    c.Expect(ReadFile(pendingFile).find("TACKLETNUM=1\r\r\n") != std::string::npos, "the pending-list file does");
    {
        CPinvaneProcess p;
        c.Expect(p.Start(copy, "", appDir), "Pinvane starts again");
        HWND main = WaitReady(c, p);
        ::PostMessageA(main, WM_COMMAND, kTrayPending, 0);
        HWND pending = WaitProcessWindow(p.Pid(), "保留リスト", "#32770", 5000);
        c.Expect(pending && WaitFor([&] { return ::IsWindowVisible(pending) != FALSE; }, 3000),
                 "the tray command shows the pending list");
        HWND list = pending ? ::GetDlgItem(pending, kPendingList) : nullptr;
        c.Expect(list && ItemCount(list) == 1, "the parked note is listed after the restart");
        ::SendMessageA(list, LVM_SETSELECTIONMARK, 0, 0);
        PressButton(pending, kPendingToActive);
        c.Expect(WaitFor([&] { return FindNotes(p.Pid(), main).ownedBy(target).size() == 1; }, 5000),
                 "ACTIVEに戻す brings it back onto its window");
        c.Expect(ItemCount(list) == 0, "and out of the pending list");
        c.Expect(p.Exit(), "exit");
    }
    c.Expect(ReadFile(data).find("TEXT=7061726b6564") != std::string::npos, "the data file holds it again");
    c.Expect(ReadFile(pendingFile).find("TACKLETNUM=0\r\r\n") != std::string::npos, "the pending-list file is empty");
    ::DestroyWindow(target);
    return c.ExitCode();
}

// A note deleted from the main panel lies in the trash across a restart
// and comes back onto its window from there.
int TrashAcrossRestart(const std::string& exe) {
    CChecks c;
    std::string appDir;
    const std::string copy = InstallCopy(exe, &appDir);
    const std::string data = appDir + "\\PinvaneData.ini";
    const std::string trashFile = appDir + "\\PinvaneTrash.ini";
    WriteText(data, OneNoteOnTarget("62696e6e6564"));  // "binned"
    HWND target = MakeTargetWindow("PvCollect Target", 100, 100, 400, 300);
    {
        CPinvaneProcess p;
        c.Expect(p.Start(copy, "", appDir), "Pinvane starts");
        HWND main = WaitReady(c, p);
        c.Expect(WaitFor([&] { return FindNotes(p.Pid(), main).ownedBy(target).size() == 1; }, 5000),
                 "the note comes onto its window");
        HWND panel = ::FindWindowExA(main, nullptr, "#32770", nullptr);
        HWND list = panel ? ::GetDlgItem(panel, kPanelList) : nullptr;
        ::SendMessageA(list, LVM_SETSELECTIONMARK, 0, 0);
        PressButton(panel, kPanelDelete);  // 1件削除
        HWND box = nullptr;
        WaitFor([&] { return (box = pvtest::FindWindowOf({.pid = p.Pid(), .except = main, .test = [](HWND h) {
                                  return pvtest::IsMessageBox(h);
                              }})) != nullptr; },
                15000);
        c.ExpectEq(box ? pvtest::ItemText(box, 0xFFFF) : std::string(), "選択したデータを削除しますか？",
                   "the delete question is asked as before");
        if (box) ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), 0);
        c.Expect(WaitFor([&] { return FindNotes(p.Pid(), main).ownedBy(target).empty(); }, 5000),
                 "Yes takes the note off its window");
        c.Expect(WaitFor([&] { return ReadFile(trashFile).find("TEXT=62696e6e6564") != std::string::npos; }, 3000),
                 "the trash file holds it at once");
        c.Expect(ReadFile(trashFile).find("DELDATE=") != std::string::npos, "with its deletion time");
        c.Expect(p.Exit(), "exit");
    }
    c.Expect(ReadFile(data).find("TACKLETNUM=0\r\r\n") != std::string::npos, "the data file no longer holds it");
    {
        CPinvaneProcess p;
        c.Expect(p.Start(copy, "", appDir), "Pinvane starts again");
        HWND main = WaitReady(c, p);
        c.Expect(FindNotes(p.Pid(), main).ownedBy(target).empty(), "the deleted note stays off its window");
        ::PostMessageA(main, WM_COMMAND, kTrayTrash, 0);  // tray ゴミ箱を表示
        HWND trash = WaitProcessWindow(p.Pid(), "ゴミ箱", "#32770", 5000);
        c.Expect(trash && WaitFor([&] { return ::IsWindowVisible(trash) != FALSE; }, 3000),
                 "the tray command shows the trash");
        HWND list = trash ? ::GetDlgItem(trash, kTrashList) : nullptr;
        c.Expect(list && ItemCount(list) == 1, "the deleted note is listed after the restart");
        ::SendMessageA(list, LVM_SETSELECTIONMARK, 0, 0);
        PressButton(trash, kTrashRestore);  // 元に戻す
        c.Expect(WaitFor([&] { return FindNotes(p.Pid(), main).ownedBy(target).size() == 1; }, 5000),
                 "元に戻す brings it back onto its window");
        c.Expect(ItemCount(list) == 0, "and out of the trash");
        c.Expect(p.Exit(), "exit");
    }
    c.Expect(ReadFile(data).find("TEXT=62696e6e6564") != std::string::npos, "the data file holds it again");
    c.Expect(ReadFile(trashFile).find("TACKLETNUM=0\r\r\n") != std::string::npos, "the trash file is empty");
    ::DestroyWindow(target);
    return c.ExitCode();
}

// Notes exported while their texts are protected come back through the
// import cache of another installation, every field intact.
int ExportImportRoundTrip(const std::string& exe) {
    CChecks c;
    std::string fromDir, toDir;
    const std::string from = InstallCopy(exe, &fromDir);
    const std::string to = InstallCopy(exe, &toDir);
    const std::string exportFile = fromDir + "\\notes.qnb";
    // The second note's body lies outside the code page.
    const std::string unicode = "Müller café ☕ 한국어 😀";
    const std::string exactBody = "TEXTW=" + Hex(unicode);
    WriteText(fromDir + "\\MossrelPropaty.ini", "[SV_FORMAT]\r\nFORMAT=1\r\n");
    WriteText(fromDir + "\\PinvaneData.ini",
              "[SYSTEM]\r\nTACKLETNUM=2\r\n"
              "[TACKLETITEM0]\r\nTITLE=PvCollect Nowhere\r\nEXENAME=NOWHERE.EXE\r\nCOLOR=3\r\nBKCOLOR=2\r\n"
              "GRAPTN=5\r\nFULL=0\r\nPART=Nowh\r\nEXTENTFLAG=1\r\nEXCLASS=Edit\r\nEXCTLID=15\r\n"
              "ARWFLAG=1\r\nARWSATRTX=10\r\nARWSTARTY=20\r\nARWENDX=300\r\nARWENDY=400\r\nARLINEWIDTH=2\r\n"
              "TEXTFORMAT=0\r\nTEXT=6669727374\r\n"
              "[TACKLETITEM1]\r\nTITLE=PvCollect Nowhere 2\r\nEXENAME=NOWHERE.EXE\r\nTEXTFORMAT=0\r\nTEXT=" +
                  Hex(CodePageText(unicode)) + "\r\n" + exactBody + "\r\n");
    {
        CPinvaneProcess p;
        c.Expect(p.Start(from, "", fromDir), "Pinvane starts");
        HWND main = WaitReady(c, p);
        ::PostMessageA(main, WM_COMMAND, MAKEWPARAM(3, BN_CLICKED), 0);  // main-window button エクスポートキャッシュ
        HWND panel = WaitProcessWindow(p.Pid(), "エクスポートキャッシュ", "#32770", 5000);
        c.Expect(panel && WaitFor([&] { return ::IsWindowVisible(panel) != FALSE; }, 3000), "the export cache shows");
        PressButton(panel, 1185);  // 全データ取得
        HWND list = ::GetDlgItem(panel, 1127);
        c.Expect(WaitFor([&] { return ItemCount(list) == 2; }, 3000), "全データ取得 lists both notes");
        PressButton(panel, 3);  // ファイル保存
        HWND dialog = WaitFileDialog(p.Pid(), panel, 5000);
        c.Expect(dialog != nullptr, "the save dialog opens");
        if (dialog) AnswerFileDialog(dialog, exportFile);
        c.Expect(WaitFor([&] { return FileExists(exportFile); }, 5000), "the export file is written");
        c.Expect(WaitFor([&] { return !::IsWindowVisible(panel); }, 3000), "the cache hides after saving");
        c.Expect(ItemCount(list) == 0, "and is empty");
        c.Expect(p.Exit(), "exit");
    }
    const std::string exported = ReadFile(exportFile);
    c.Expect(exported.find("SAVEFORMAT=0\r\r\n") != std::string::npos, "the export file is plain");
    c.Expect(exported.find("TEXT=6669727374\r\r\n") != std::string::npos, "with plain bodies");
    c.Expect(exported.find(exactBody + "-") != std::string::npos, "and the exact body outside the code page");
    c.Expect(ReadFile(fromDir + "\\PinvaneData.ini").find("SAVEFORMAT=1\r\r\n") != std::string::npos,
             "while the data file is protected");
    {
        CPinvaneProcess p;
        c.Expect(p.Start(to, "", toDir), "another Pinvane starts");
        HWND main = WaitReady(c, p);
        ::PostMessageA(main, WM_COMMAND, 32803, 0);  // tray インポートキャッシュを表示
        HWND panel = WaitProcessWindow(p.Pid(), "インポートキャッシュ", "#32770", 5000);
        c.Expect(panel && WaitFor([&] { return ::IsWindowVisible(panel) != FALSE; }, 3000), "the import cache shows");
        PressButton(panel, 1132);  // ファイルを開く
        HWND dialog = WaitFileDialog(p.Pid(), panel, 5000);
        c.Expect(dialog != nullptr, "the open dialog opens");
        if (dialog) AnswerFileDialog(dialog, exportFile);
        HWND list = ::GetDlgItem(panel, 1131);
        c.Expect(WaitFor([&] { return ItemCount(list) == 2; }, 5000), "both notes are read without a question");
        PressButton(panel, 1133);  // 全インポート実行
        c.Expect(WaitFor([&] { return ItemCount(list) == 0; }, 3000), "全インポート実行 empties the cache");
        c.Expect(p.Exit(), "exit");
    }
    const std::string data = ReadFile(toDir + "\\PinvaneData.ini");
    c.Expect(data.find("TACKLETNUM=2\r\r\n") != std::string::npos, "both notes are active after the import");
    for (const char* line : {"TITLE=PvCollect Nowhere 2\r\r\n", "COLOR=3\r\r\n", "GRAPTN=5\r\r\n", "PART=Nowh\r\r\n",
                             "EXCLASS=Edit\r\r\n", "EXCTLID=15\r\r\n", "ARWFLAG=1\r\r\n", "ARWENDY=400\r\r\n",
                             "ARLINEWIDTH=2\r\r\n", "TEXT=6669727374\r\r\n"})
        c.Expect(data.find(line) != std::string::npos, line);
    c.Expect(data.find(exactBody + "-") != std::string::npos, "the body outside the code page comes back exactly");
    c.Expect(data.find("TITLE=PvCollect Nowhere 2") < data.find("TITLE=PvCollect Nowhere\r"),
             "the file's last note leads");
    return c.ExitCode();
}

// The check box 検索パネル opens the search panel right above the main
// window; the panel follows the main window and closing it clears the box.
int SearchPanelPlacement(const std::string& exe) {
    CChecks c;
    std::string appDir;
    InstallCopy(exe, &appDir);
    CPinvaneProcess p;
    c.Expect(p.Start(appDir + "\\Pinvane.exe", "", appDir), "Pinvane starts");
    HWND main = WaitReady(c, p);
    ::PostMessageA(main, 0x464, 0, WM_LBUTTONDBLCLK);
    c.Expect(WaitFor([&] { return ::IsWindowVisible(main) != FALSE; }, 3000), "the main window shows");
    HWND check = ::GetDlgItem(main, 1162);
    ::PostMessageA(check, BM_CLICK, 0, 0);
    HWND panel = WaitProcessWindow(p.Pid(), "検索パネル", "#32770", 5000);
    c.Expect(panel && WaitFor([&] { return ::IsWindowVisible(panel) != FALSE; }, 3000), "the box shows the panel");
    c.Expect(::SendMessageA(check, BM_GETCHECK, 0, 0) == BST_CHECKED, "the box is checked");
    auto placed = [&] {
        RECT m = WindowRect(main), s = WindowRect(panel);
        return s.left == m.left && s.right == m.right && s.bottom == m.top;
    };
    c.Expect(WaitFor(placed, 2000), "the panel sits right above the main window, as wide as it");
    c.Expect(::GetWindow(panel, GW_OWNER) == main, "owned by the main window");
    RECT m = WindowRect(main);
    ::SetWindowPos(main, nullptr, m.left - 200, m.top - 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    c.Expect(WaitFor([&] { return WindowRect(main).left == m.left - 200 && placed(); }, 3000),
             "the panel follows the main window");
    // Near the top of the screen there is no room above: the panel goes below.
    RECT work{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    ::SetWindowPos(main, nullptr, m.left - 200, work.top + 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    auto below = [&] {
        RECT mm = WindowRect(main), s = WindowRect(panel);
        return s.left == mm.left && s.right == mm.right && s.top == mm.bottom;
    };
    c.Expect(WaitFor([&] { return WindowRect(main).top == work.top + 10 && below(); }, 3000),
             "near the top of the screen the panel sits right below the main window");
    const RECT s = WindowRect(panel);
    c.Expect(s.top >= work.top && s.bottom <= work.bottom, "and stays on the screen");
    ::SetWindowPos(main, nullptr, m.left, m.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    c.Expect(WaitFor(placed, 3000), "back in its corner, the panel is above it again");
    ::PostMessageA(panel, WM_COMMAND, IDCANCEL, 0);  // what Esc and the close box send
    c.Expect(WaitFor([&] { return !::IsWindowVisible(panel); }, 3000), "closing hides the panel");
    c.Expect(WaitFor([&] { return ::SendMessageA(check, BM_GETCHECK, 0, 0) == BST_UNCHECKED; }, 3000),
             "and clears the box");
    c.Expect(p.Exit(), "exit");
    return c.ExitCode();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: pvcollect <scenario> <Pinvane.exe> [...]\n");
        return 2;
    }
    const std::string scenario = argv[1];
    const std::string exe = ToWindowsPath(argv[2]);
    if (scenario == "pending-restart") return PendingAcrossRestart(exe);
    if (scenario == "export-import") return ExportImportRoundTrip(exe);
    if (scenario == "trash-restart") return TrashAcrossRestart(exe);
    if (scenario == "search-panel") return SearchPanelPlacement(exe);
    std::fprintf(stderr, "unknown scenario %s\n", scenario.c_str());
    return 2;
}

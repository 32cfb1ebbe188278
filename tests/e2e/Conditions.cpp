// End-to-end scenarios of match conditions on child controls and of
// per-application presets: the dialogs are driven from outside the way a
// user would (mouse clicks on list rows, buttons, message boxes).
#include "Conditions.h"

#include "WindowFinder.h"

#include <commctrl.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

using namespace e2e;

namespace {

constexpr int kEditId = 100;
constexpr UINT kTrayMessage = 0x464;
constexpr WPARAM kMatchConditionCommand = 32796;

// Waits until `done` holds, handling our windows' messages meanwhile (the
// program reads our controls' texts and lets our windows print themselves).
bool Until(const std::function<bool()>& done, DWORD timeoutMs = 5000) {
    const DWORD start = ::GetTickCount();
    for (;;) {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        if (done()) return true;
        if (::GetTickCount() - start > timeoutMs) return false;
        ::Sleep(20);
    }
}

void Settle(DWORD ms) { Until([] { return false; }, ms); }

// A top-level window with an edit (control ID 100) and two buttons of one
// class with control ID 0.
class CChildWindow {
public:
    CChildWindow(const char* title, int x, int y, const char* editText) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = L"PvDriveChildTarget";
        ::RegisterClassW(&wc);
        m_hWnd = ::CreateWindowExW(0, wc.lpszClassName, pvtest::Wide(title).c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y, 380, 240,
                                   nullptr, nullptr, wc.hInstance, nullptr);
        m_edit = Child("Edit", editText, WS_BORDER | ES_AUTOHSCROLL, 20, 20, 200, 24, kEditId);
        Child("Button", "一番", BS_PUSHBUTTON, 20, 60, 90, 28, 0);
        Child("Button", "二番", BS_PUSHBUTTON, 130, 60, 90, 28, 0);
        Settle(50);
    }
    ~CChildWindow() {
        if (::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
    }
    HWND Hwnd() const { return m_hWnd; }
    void SetText(const char* text) { ::SetWindowTextW(m_edit, pvtest::Wide(text).c_str()); }

private:
    HWND Child(const char* cls, const char* text, DWORD style, int x, int y, int w, int h, int id) {
        return ::CreateWindowExW(0, pvtest::Wide(cls).c_str(), pvtest::Wide(text).c_str(), WS_CHILD | WS_VISIBLE | style, x, y, w, h, m_hWnd,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr),
                                 nullptr);
    }
    HWND m_hWnd = nullptr;
    HWND m_edit = nullptr;
};

// The visible windows of `pid` owned by `owner`: the notes on it.
int NotesOn(DWORD pid, HWND owner) {
    return static_cast<int>(pvtest::FindWindowsOf({.pid = pid, .owner = owner}).size());
}

HWND NoteOn(DWORD pid, HWND owner) { return pvtest::FindWindowOf({.pid = pid, .owner = owner}); }

HWND WaitDialog(DWORD pid, const char* caption) {
    HWND found = nullptr;
    Until([&] {
        found = FindProcessWindow(pid, caption, "#32770");
        return found && ::IsWindowVisible(found);
    });
    return found;
}

// A message box of `pid` (it shows its text in control 0xFFFF) and its text.
HWND WaitMessageBox(DWORD pid, std::string* text) {
    HWND found = nullptr;
    Until([&] {
        found = pvtest::FindWindowOf({.pid = pid, .test = [](HWND h) { return pvtest::IsMessageBox(h); }});
        return found != nullptr;
    });
    if (found && text) *text = pvtest::ItemText(found, 0xFFFF);
    return found;
}

std::string ItemText(HWND dialog, int id) { return pvtest::ItemText(dialog, id); }

void Press(HWND dialog, int id) {
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

std::string HandleText(HWND hwnd) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08x", static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(hwnd)));
    return text;
}

std::string InstallAt(const std::string& exe, std::string* dir) {
    *dir = MakeScratchDir("cond");
    const std::string copy = *dir + "\\Pinvane.exe";
    return ::CopyFileA(exe.c_str(), copy.c_str(), FALSE) ? copy : std::string();
}

void WriteFileText(const std::string& path, const std::string& text) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return;
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
}

enum { kChildColClass, kChildColId, kChildColText, kChildColHandle };

// In the open child selection dialog: clicks the row whose text is `text`
// and presses OK.
void ChooseChildByText(DWORD pid, HWND dialog, const char* text) {
    CRemoteList children(pid, ::GetDlgItem(dialog, 1120));
    Until([&] { return children.Count() > 0; });
    children.Click(children.RowWithText(kChildColText, text));
    Press(dialog, IDOK);
}

}  // namespace

// A note takes an extended condition through the note menu: chosen on its
// target's image, with the uniqueness question for the two buttons; it then
// stays on a window only while the edit's text matches, whole or in part,
// and moves to the window whose edit holds the text.
int ChildConditions(const std::string& exe) {
    CChecks c;
    std::string dir;
    const std::string copy = InstallAt(exe, &dir);
    WriteFileText(dir + "\\PinvaneData.ini",
                  "[SYSTEM]\r\nTACKLETNUM=1\r\n[TACKLETITEM0]\r\nTITLE=PvDrive Child Target\r\nEXENAME=PVDRIVE.EXE\r\n"
                  "TEXT=6368696c64\r\n");
    CChildWindow back("PvDrive Child Target", 20, 560, "beta");
    CChildWindow front("PvDrive Child Target", 20, 20, "alpha");
    CPinvaneProcess p;
    c.Expect(p.Start(copy, "", dir), "started");
    const DWORD pid = p.Pid();
    c.Expect(p.WaitMainWindow(20000) != nullptr, "main window exists");
    c.Expect(Until([&] { return NotesOn(pid, front.Hwnd()) == 1; }), "the note comes onto the front window");

    // Note menu "マッチング条件設定": the condition dialog, then "条件選択".
    ::PostMessageA(NoteOn(pid, front.Hwnd()), WM_COMMAND, kMatchConditionCommand, 0);
    HWND match = WaitDialog(pid, "マッチング条件設定");
    c.Expect(match != nullptr, "the note menu opens the match condition dialog");
    c.Expect(match && ::IsWindowEnabled(::GetDlgItem(match, 1119)), "with the child choice enabled");
    Press(match, 1119);
    HWND child = WaitDialog(pid, "子ウィンドウ条件選択");
    c.Expect(child != nullptr, "条件選択 opens the child selection");
    CRemoteList children(pid, ::GetDlgItem(child, 1120));
    Until([&] { return children.Count() == 3; });
    c.Expect(children.Count() == 3, "the edit and both buttons are offered");
    c.Expect(children.Click(children.RowWithText(kChildColText, "二番")), "a button row is clicked");
    Press(child, IDOK);
    std::string question;
    HWND box = WaitMessageBox(pid, &question);
    c.ExpectEq(question,
               "この組はユニーク（唯一の子ウィンドウ）ではありません.\r\n最初に条件が合致した子ウィンドウでマッチングを行います.\r\n"
               "よろしいですか？",
               "two buttons of one class with ID 0 raise the uniqueness question");
    ::PostMessageA(box, WM_COMMAND, IDNO, 0);
    Until([&] { return !::IsWindow(box); });
    Settle(200);
    c.Expect(::IsWindowVisible(child) != FALSE, "No keeps the child selection open");
    ChooseChildByText(pid, child, "alpha");
    c.Expect(Until([&] { return !::IsWindow(child); }), "the unique edit is taken at once");
    c.ExpectEq(ItemText(match, 1114), "Edit", "the class is shown");
    c.ExpectEq(ItemText(match, 1115), "100", "the control ID is shown");
    c.ExpectEq(ItemText(match, 1116), "alpha", "the text is shown");
    ::SendMessageA(::GetDlgItem(match, 1050), BM_SETCHECK, BST_CHECKED, 0);
    Press(match, IDOK);
    c.Expect(Until([&] { return !::IsWindow(match); }), "OK ends the match condition dialog");

    // Whole text: the note leaves when the edit's text changes and goes to
    // the window whose edit holds the text.
    front.SetText("gamma");
    c.Expect(Until([&] { return NotesOn(pid, front.Hwnd()) == 0; }), "the note leaves when the text changes");
    Settle(1200);
    c.Expect(NotesOn(pid, back.Hwnd()) == 0, "and shows nowhere while no edit holds the text");
    back.SetText("alpha");
    c.Expect(Until([&] { return NotesOn(pid, back.Hwnd()) == 1; }), "it follows the text to the other window");
    front.SetText("alpha");
    Settle(1200);
    c.Expect(NotesOn(pid, back.Hwnd()) == 1 && NotesOn(pid, front.Hwnd()) == 0, "and stays where it is");
    back.SetText("alphabet");
    c.Expect(Until([&] { return NotesOn(pid, front.Hwnd()) == 1; }), "a longer text no longer matches whole");

    // Fragment: "lph" anywhere in the edit's text.
    ::PostMessageA(NoteOn(pid, front.Hwnd()), WM_COMMAND, kMatchConditionCommand, 0);
    match = WaitDialog(pid, "マッチング条件設定");
    c.Expect(match && ::SendMessageA(::GetDlgItem(match, 1050), BM_GETCHECK, 0, 0) == BST_CHECKED,
             "the dialog shows the extended condition on");
    ::SendMessageA(::GetDlgItem(match, 1118), BM_SETCHECK, BST_UNCHECKED, 0);
    ::SetDlgItemTextA(match, 1117, "lph");
    Press(match, IDOK);
    c.Expect(Until([&] { return !::IsWindow(match); }), "OK stores the fragment");
    front.SetText("xalphax");
    back.SetText("none");
    Settle(1200);
    c.Expect(NotesOn(pid, front.Hwnd()) == 1, "a text containing the fragment keeps the note");
    front.SetText("alp");
    c.Expect(Until([&] { return NotesOn(pid, front.Hwnd()) == 0; }), "one without it loses the note");
    back.SetText("ralpha");
    c.Expect(Until([&] { return NotesOn(pid, back.Hwnd()) == 1; }), "which goes to the window whose text has it");

    c.Expect(p.Exit(), "exit");
    const std::string saved = ReadFile(dir + "\\PinvaneData.ini");
    for (const char* line : {"EXTENTFLAG=1", "EXFULLFLAG=0", "EXCTLID=100", "EXCLASS=Edit", "EXTEXT=alpha", "EXPART=lph"})
        c.Expect(saved.find(std::string(line) + "\r\r\n") != std::string::npos, line);
    return c.ExitCode();
}

// A preset made in the preset dialogs from a running window is written to
// the preset file when the list ends with OK, every key in order; after a
// restart a new note for that program takes the child's current text.
int PresetsKept(const std::string& exe) {
    CChecks c;
    std::string dir;
    const std::string copy = InstallAt(exe, &dir);
    CChildWindow target("PvDrive Preset Target", 20, 20, "first");
    {
        CPinvaneProcess p;
        c.Expect(p.Start(copy, "", dir), "started");
        const DWORD pid = p.Pid();
        HWND main = p.WaitMainWindow(20000);
        HWND panel = nullptr;
        Until([&] { return main && (panel = ::FindWindowExA(main, nullptr, "#32770", nullptr)) != nullptr; });
        c.Expect(panel != nullptr, "the main panel exists");
        Settle(700);  // a matching tick has listed our window
        Press(panel, 1032);
        HWND list = WaitDialog(pid, "アプリケーション別マッチング条件プリセット");
        c.Expect(list != nullptr, "APL別プリセット条件 opens the preset list");
        Press(list, 1138);
        HWND setting = WaitDialog(pid, "プリセット条件設定");
        c.Expect(setting != nullptr, "条件追加 opens the preset dialog");
        Press(setting, 1147);
        HWND sel = WaitDialog(pid, "プロセス＆拡張条件選択");
        c.Expect(sel != nullptr, "実行中のウィンドウから設定 opens the window and child selection");
        CRemoteList windows(pid, ::GetDlgItem(sel, 1145));
        const std::string handle = HandleText(target.Hwnd());
        Until([&] { return windows.RowWithText(2, handle) >= 0; });
        c.Expect(windows.Click(windows.RowWithText(2, handle)), "our window is chosen");
        CRemoteList children(pid, ::GetDlgItem(sel, 1120));
        c.Expect(Until([&] { return children.Count() == 3; }), "its children are listed");
        ChooseChildByText(pid, sel, "first");
        c.Expect(Until([&] { return !::IsWindow(sel); }), "the selection ends");
        c.ExpectEq(ItemText(setting, 1139), "PVDRIVE.EXE", "the name becomes the process name");
        c.ExpectEq(ItemText(setting, 1144), "Edit", "the class is shown");
        Press(setting, IDOK);
        c.Expect(Until([&] { return !::IsWindow(setting); }), "the preset dialog ends");
        CRemoteList rows(pid, ::GetDlgItem(list, 1137));
        c.Expect(rows.Count() == 1 && rows.Text(0, 1) == "PVDRIVE.EXE", "the list shows the new preset");
        Press(list, IDOK);
        c.Expect(Until([&] { return !::IsWindow(list); }), "the list ends with OK");
        // The file is written once the list's modal run has returned, a
        // moment after its window is gone.
        const std::string presets =
            "[SYSTEM]\r\r\nPRESETCOUNT=1\r\r\n[PRESETITEM0]\r\r\nCONDNAME=PVDRIVE.EXE\r\r\nPROCESSFLAG=1\r\r\n"
            "TITLEFLAG=1\r\r\nEXTENTFLAG=1\r\r\nEXENAME=PVDRIVE.EXE\r\r\nEXCLASS=Edit\r\r\nEXCTLID=100\r\r\n";
        Until([&] { return ReadFile(dir + "\\MossrelPreset.ini") == presets; });
        c.ExpectEq(ReadFile(dir + "\\MossrelPreset.ini"), presets, "the preset file holds every key in order");
        c.Expect(p.Exit(), "exit");
    }
    {
        target.SetText("second");
        CPinvaneProcess p;
        c.Expect(p.Start(copy, "", dir), "started again");
        const DWORD pid = p.Pid();
        HWND main = p.WaitMainWindow(20000);
        // The extension utility's paste request for our window.
        unsigned char block[116] = {};
        const std::int32_t head[2] = {1, 1};
        std::memcpy(block, head, sizeof head);
        const std::uint64_t handle = reinterpret_cast<std::uint64_t>(target.Hwnd());
        std::memcpy(block + 16, &handle, sizeof handle);
        const std::int32_t point[2] = {150, 120};
        std::memcpy(block + 24, point, sizeof point);
        COPYDATASTRUCT cds{0, sizeof block, block};
        DWORD_PTR result = 0;
        ::SendMessageTimeoutA(main, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds), SMTO_NORMAL, 5000, &result);
        c.Expect(Until([&] { return NotesOn(pid, target.Hwnd()) == 1; }), "the new note shows on our window");
        target.SetText("third");
        c.Expect(Until([&] { return NotesOn(pid, target.Hwnd()) == 0; }),
                 "the kept preset gave it the child condition: another text loses it");
        target.SetText("second");
        c.Expect(Until([&] { return NotesOn(pid, target.Hwnd()) == 1; }), "the text at its creation brings it back");
        c.Expect(p.Exit(), "exit");
        const std::string saved = ReadFile(dir + "\\PinvaneData.ini");
        c.Expect(saved.find("EXTEXT=second\r\r\n") != std::string::npos && saved.find("EXCLASS=Edit\r\r\n") != std::string::npos,
                 "the note keeps the child's text and class");
    }
    return c.ExitCode();
}

// End-to-end driver: starts Pinvane.exe under Wine in scratch directories
// and checks it from outside.  Usage: pvdrive <scenario> <Pinvane.exe> [...]
#include "Conditions.h"
#include "Driver.h"
#include "MatchTips.h"
#include "Rescue.h"
#include "Sync.h"
#include "WindowFinder.h"
#include "data/ReminderRule.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdint>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

using namespace e2e;

namespace {

// Receives the main window's answer to the handle query.
struct QueryReply {
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    bool received = false;
};
QueryReply* g_reply = nullptr;

LRESULT CALLBACK ReplyProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (g_reply && msg == g_reply->message) {
        g_reply->received = true;
        g_reply->wParam = wParam;
        g_reply->lParam = lParam;
        return 0;
    }
    return ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND MakeReplyWindow() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = ReplyProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "PvDriveReply";
    ::RegisterClassA(&wc);
    return ::CreateWindowA("PvDriveReply", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
}

// Reads the visible text of the console of process `pid`.
bool ReadProcessConsole(DWORD pid, std::string* text) {
    ::FreeConsole();
    // The first attach after giving up our own console can fail under Wine
    // while the other console is being set up: try for a while.
    bool attached = false;
    for (int i = 0; i < 10 && !attached; ++i) {
        attached = ::AttachConsole(pid) != FALSE;
        if (!attached) ::Sleep(200);
    }
    if (!attached) return false;
    HANDLE out = ::CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               nullptr, OPEN_EXISTING, 0, nullptr);
    bool ok = false;
    CONSOLE_SCREEN_BUFFER_INFO info{};
    if (out != INVALID_HANDLE_VALUE && ::GetConsoleScreenBufferInfo(out, &info)) {
        for (SHORT y = 0; y <= info.dwCursorPosition.Y; ++y) {
            // Read as UTF-16 and convert to UTF-8 ourselves: the ANSI read
            // depends on the console's code page.
            std::wstring wide(static_cast<size_t>(info.dwSize.X), L' ');
            DWORD read = 0;
            ::ReadConsoleOutputCharacterW(out, wide.data(), info.dwSize.X, COORD{0, y}, &read);
            wide.resize(read);
            std::string row = pvtest::Utf8(wide);
            while (!row.empty() && row.back() == ' ') row.pop_back();
            *text += row + "\n";
        }
        ok = true;
    }
    if (out != INVALID_HANDLE_VALUE) ::CloseHandle(out);
    ::FreeConsole();
    return ok;
}

int HiddenStart(const std::string& exe) {
    CChecks c;
    std::string appDir;
    std::string copy = InstallCopy(exe, &appDir);
    std::string workDir = MakeScratchDir("cwd");
    c.Expect(!copy.empty(), "program copied into a scratch directory");

    CPinvaneProcess p;
    c.Expect(p.Start(copy, "", workDir), "Pinvane starts from another working directory");
    HWND main = p.WaitMainWindow(20000);
    c.Expect(main != nullptr, "main window exists");
    c.Expect(main && !::IsWindowVisible(main), "main window stays hidden");
    ::Sleep(700);  // a few ticks of the program's timers
    c.Expect(main && !::IsWindowVisible(main), "main window still hidden after its timers ran");
    c.Expect(ListFiles(appDir).size() == 1, "no file created beside the program before the first save");
    c.Expect(ListFiles(workDir).empty(), "nothing written into the working directory");

    // The extension utility's handle query.
    QueryReply reply;
    reply.message = ::RegisterWindowMessageA("PinvaneExtentUtl");
    g_reply = &reply;
    HWND me = MakeReplyWindow();
    DWORD_PTR result = 99;
    ::SendMessageTimeoutA(main, reply.message, 0, reinterpret_cast<LPARAM>(me), SMTO_NORMAL, 5000, &result);
    c.Expect(reply.received && reply.wParam == 1, "query wParam 0 answered with wParam 1");
    c.Expect(reinterpret_cast<HWND>(reply.lParam) == main, "query answer carries the main window");
    c.Expect(result == 0, "query returns 0");
    result = 99;
    ::SendMessageTimeoutA(main, reply.message, 3, 0, SMTO_NORMAL, 5000, &result);
    c.Expect(result == 0, "query wParam 3 returns 0");
    g_reply = nullptr;
    ::DestroyWindow(me);

    c.Expect(p.Exit(), "tray command 32772 ends the program");
    c.Expect(ListFiles(workDir).empty(), "working directory still untouched after exit");
    c.Expect(FileExists(appDir + "\\PinvaneData.ini"), "the exit save writes the data file beside the program");
    return c.ExitCode();
}

int SingleInstance(const std::string& exe) {
    CChecks c;
    std::string appDir;
    std::string copy = InstallCopy(exe, &appDir);
    CPinvaneProcess first;
    c.Expect(first.Start(copy, "", appDir), "first copy starts");
    HWND main = first.WaitMainWindow(20000);
    c.Expect(main != nullptr, "first copy has its main window");

    CPinvaneProcess second;
    c.Expect(second.Start(copy, "-D119", appDir), "second copy starts");
    HWND box = WaitProcessWindow(second.Pid(), "２重起動", nullptr, 20000);
    c.Expect(box != nullptr, "second copy shows the duplicate-start box");
    const std::string text = box ? pvtest::ItemText(box, 0xFFFF) : std::string();
    c.ExpectEq(text, "     Pinvaneは既に起動されています.     ", "duplicate-start message text");
    c.Expect(FindProcessWindow(second.Pid(), "Pinvane", "#32770") == nullptr, "second copy opens no main window");
    std::string console;
    c.Expect(!ReadProcessConsole(second.Pid(), &console), "second copy opens no console even with -D119");
    if (box) ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    c.Expect(second.WaitExit(10000), "second copy ends after OK");
    c.Expect(first.Running() && ::IsWindow(main), "first copy keeps running");
    c.Expect(main && !::IsWindowVisible(main), "first copy's main window not activated");
    c.Expect(first.Exit(), "first copy ends on exit");
    return c.ExitCode();
}

int DebugSwitch(const std::string& exe) {
    CChecks c;
    struct Case {
        const char* args;
        bool debug;
    };
    const Case cases[] = {
        {"-D119", true}, {"foo -D119", true}, {"-d119", false}, {"-D1190", false}, {"", false},
    };
    for (const Case& k : cases) {
        std::printf("-- arguments [%s]\n", k.args);
        std::string appDir;
        std::string copy = InstallCopy(exe, &appDir);
        std::string outDir = MakeScratchDir("out");
        std::string outFile = outDir + "\\stdout.txt";
        CPinvaneProcess p;
        c.Expect(p.Start(copy, k.args, outDir, outFile), "started with redirected output");
        c.Expect(p.WaitMainWindow(20000) != nullptr, "main window exists");
        std::string console;
        bool hasConsole = ReadProcessConsole(p.Pid(), &console);
        c.Expect(hasConsole == k.debug, k.debug ? "debug console allocated" : "no console");
        if (k.debug) {
            std::printf("%s", console.c_str());
            c.Expect(console.find("DEBUGMODE ON") != std::string::npos, "trace DEBUGMODE ON");
            c.Expect(console.find("********** Start Mossrel DEBUG MODE  *******") != std::string::npos,
                     "trace start line");
            c.Expect(console.find("DEBUG_MODE ON") != std::string::npos, "trace DEBUG_MODE ON");
            c.Expect(console.find("PORTABLE VERSION START") != std::string::npos, "trace PORTABLE VERSION START");
            c.Expect(console.find("CurrentDir=" + appDir) != std::string::npos, "trace CurrentDir is the program dir");
            c.Expect(console.find("番目の引数=-D119") != std::string::npos, "argument trace line");
            c.Expect(console.find("rcWork top=") != std::string::npos, "monitor trace lines");
        }
        c.Expect(p.Exit(), "ends on exit");
        c.ExpectEq(ReadFile(outFile), "", "nothing written to standard output or error");
    }
    return c.ExitCode();
}

// Notes from a data file come onto a window of ours, follow it, are saved
// at exit and come back at the next start; a desktop note shows; a note
// meant for Pinvane's own windows never shows.
int NotesOnWindows(const std::string& exe) {
    CChecks c;
    std::string appDir;
    std::string copy = InstallCopy(exe, &appDir);
    const std::string data = appDir + "\\PinvaneData.ini";
    WriteText(data,
              "[SYSTEM]\r\nTACKLETNUM=3\r\n"
              "[TACKLETITEM0]\r\nTITLE=PvDrive Target\r\nEXENAME=pvdrive.exe\r\n"
              "REC_LEFT=150\r\nREC_TOP=160\r\nREC_RIGHT=350\r\nREC_BOTTOM=220\r\n"
              "TGT_LEFT=100\r\nTGT_TOP=100\r\nTGT_RIGHT=500\r\nTGT_BOTTOM=400\r\nTEXT=68656c6c6f\r\n"
              "[TACKLETITEM1]\r\nTITLE=DESKTOP\r\nEXENAME=DESKTOP\r\nEXEPATH=DESKTOP\r\n"
              "[TACKLETITEM2]\r\nTITLE=Pinvane\r\nEXENAME=PINVANE.EXE\r\n");
    HWND target = MakeTargetWindow("PvDrive Target", 100, 100, 400, 300);
    c.Expect(target != nullptr, "target window created");

    HWND note = nullptr;
    HWND main = nullptr;
    {
        CPinvaneProcess p;
        c.Expect(p.Start(copy, "", appDir), "Pinvane starts");
        main = p.WaitMainWindow(20000);
        c.Expect(main != nullptr, "main window exists");
        c.Expect(WaitFor([&] { return FindNotes(p.Pid(), main).ownedBy(target).size() == 1; }, 5000),
                 "the note comes onto the target window");
        note = FindNotes(p.Pid(), main).ownedBy(target).empty() ? nullptr : FindNotes(p.Pid(), main).ownedBy(target)[0];
        RECT r = WindowRect(note);
        c.Expect(r.left == 150 && r.top == 160 && r.right == 350 && r.bottom == 220, "the note sits where it was saved");

        ::PostMessageA(main, 0x464, 0, WM_LBUTTONDBLCLK);  // show Pinvane's own window
        WaitFor([&] { return ::IsWindowVisible(main) != FALSE; }, 3000);
        WaitFor([] { return false; }, 1200);  // a few matching ticks
        NoteWindows notes = FindNotes(p.Pid(), main);
        c.Expect(notes.all.size() == 2, "the desktop note and the window note show, no other");
        c.Expect(notes.ownedBy(main).empty(), "no note on Pinvane's own window");

        ::SetWindowPos(target, nullptr, 150, 130, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        c.Expect(WaitFor([&] { return WindowRect(note).left == 200 && WindowRect(note).top == 190; }, 2000),
                 "the note follows its moved target");
        c.Expect(p.Exit(), "exit");
    }
    std::string saved = ReadFile(data);
    c.Expect(saved.find("TACKLETNUM=3\r\r\n") != std::string::npos, "all three notes saved at exit");
    c.Expect(saved.find("REC_LEFT=200\r\r\n") != std::string::npos && saved.find("REC_TOP=190\r\r\n") != std::string::npos,
             "the followed position is saved");
    c.Expect(saved.find("TEXT=68656c6c6f") != std::string::npos, "the body is saved");
    {
        CPinvaneProcess p;
        c.Expect(p.Start(copy, "", appDir), "Pinvane starts again");
        main = p.WaitMainWindow(20000);
        c.Expect(WaitFor([&] { return FindNotes(p.Pid(), main).ownedBy(target).size() == 1; }, 5000),
                 "the note comes back after a restart");
        auto owned = FindNotes(p.Pid(), main).ownedBy(target);
        RECT r = owned.empty() ? RECT{} : WindowRect(owned[0]);
        c.Expect(r.left == 200 && r.top == 190, "at the same place");
        ::ShowWindow(target, SW_MINIMIZE);
        c.Expect(WaitFor([&] { return FindNotes(p.Pid(), main).ownedBy(target).empty(); }, 2000),
                 "the note leaves with its minimised target");
        ::ShowWindow(target, SW_RESTORE);
        c.Expect(WaitFor([&] { return FindNotes(p.Pid(), main).ownedBy(target).size() == 1; }, 2000),
                 "and returns when it is restored");
        ::DestroyWindow(target);
        c.Expect(WaitFor([&] { return FindNotes(p.Pid(), main).all.size() == 1; }, 2000),
                 "closing the target leaves only the desktop note");
        c.Expect(p.Exit(), "exit");
    }
    return c.ExitCode();
}

// Touches `readyFile`, then waits for `doneFile` (at most a minute).
void HoldForScreenshot(const std::string& readyFile, const std::string& doneFile) {
    WaitFor([] { return false; }, 500);
    FILE* f = std::fopen(readyFile.c_str(), "w");
    if (f) std::fclose(f);
    WaitFor([&] { return FileExists(doneFile); }, 60000);
}

// Starts Pinvane, shows its main window and holds until `doneFile` exists
// (the screenshot script takes its picture meanwhile).
int HoldMainWindow(const std::string& exe, const std::string& readyFile, const std::string& doneFile) {
    CChecks c;
    std::string appDir;
    CPinvaneProcess p;
    HWND main = StartInstalled(c, exe, p, &appDir);
    if (main) ::PostMessageA(main, 0x464, 0, WM_LBUTTONDBLCLK);
    c.Expect(WaitFor([&] { return main && ::IsWindowVisible(main); }, 5000), "tray double-click shows the main window");
    HoldForScreenshot(readyFile, doneFile);
    c.Expect(p.Exit(), "ends on exit");
    return c.ExitCode();
}


// ------------------------------------------------------------ files and failures

// A visible message box of process `pid` (any dialog captioned "Pinvane" or
// "確認" other than `main`) and its text.
HWND WaitMessageBox(DWORD pid, HWND main, DWORD timeoutMs, std::string* text) {
    HWND box = nullptr;
    WaitFor(
        [&] {
            box = pvtest::FindWindowOf(
                {.pid = pid, .except = main, .test = [](HWND h) { return pvtest::IsMessageBox(h); }});
            return box != nullptr;
        },
        timeoutMs);
    if (box && text) *text = pvtest::ItemText(box, 0xFFFF);
    return box;
}

// Answers the next message box with `button` after checking its text.
void Answer(CChecks& c, DWORD pid, HWND main, const char* expected, int button, const char* what) {
    std::string text;
    HWND box = WaitMessageBox(pid, main, 15000, &text);
    c.ExpectEq(text, expected, what);
    if (box) ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    WaitFor([&] { return !::IsWindow(box); }, 5000);
}

// A data file of desktop notes with the given hexadecimal texts.
std::string DataFile(const std::vector<std::string>& hexTexts) {
    std::string out = "[SYSTEM]\r\nAPPNAME=Pinvane\r\nTACKLETNUM=" + std::to_string(hexTexts.size()) + "\r\n";
    for (size_t i = 0; i < hexTexts.size(); ++i) {
        out += "[TACKLETITEM" + std::to_string(i) + "]\r\nTITLE=PvDrive none\r\nEXENAME=NONE.EXE\r\n";
        out += "ARLINEWIDTH=1\r\nTEXTFORMAT=0\r\nTEXT=" + hexTexts[i] + "\r\n";
    }
    return out;
}

constexpr char kWriteError[] = "設定ファイルをOPENできません.エディタ等で設定ファイルを開いていいる可能性性があります。";
constexpr char kQuitAnyway[] = "付箋を保存できませんでした。保存せずに終了しますか？";

// A save that fails keeps every note, in memory and on disk, and says so.
int SaveFailures(const std::string& exe) {
    CChecks c;
    const std::string old = DataFile({"6f6c64"});  // "old"
    {
        // Locked by another program at start: told once, never overwritten;
        // once it can be read again its notes join the new ones.
        std::string appDir;
        std::string copy = InstallCopy(exe, &appDir);
        const std::string data = appDir + "\\PinvaneData.ini";
        WriteText(data, old);
        HANDLE lock = ::CreateFileA(data.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        c.Expect(lock != INVALID_HANDLE_VALUE, "locked: the test holds the file");
        CPinvaneProcess p;
        c.Expect(p.Start(copy, "", appDir), "locked: started");
        Answer(c, p.Pid(), nullptr, "データファイルを読み込めません。読み込めるまでデータファイルは書き換えません。", IDOK,
               "locked: told at start");
        HWND main = p.WaitMainWindow(20000);
        PasteDesktopNote(main, 400, 300);
        c.Expect(WaitFor([&] { return FindNotes(p.Pid(), main).all.size() == 1; }, 5000), "locked: a new note");
        ::PostMessageA(main, WM_COMMAND, 32772, 0);
        Answer(c, p.Pid(), main, kWriteError, IDOK, "locked: the write error at exit");
        Answer(c, p.Pid(), main, kQuitAnyway, IDNO, "locked: asked whether to quit anyway");
        WaitFor([] { return false; }, 500);
        c.Expect(p.Running(), "locked: No keeps the program running");
        c.Expect(FindNotes(p.Pid(), main).all.size() == 1, "locked: No keeps the note shown");
        ::CloseHandle(lock);
        c.ExpectEq(ReadFile(data), old, "locked: the file is untouched");
        c.Expect(p.Exit(), "locked: exits once the file can be written");
        const std::string saved = ReadFile(data);
        c.Expect(saved.find("TACKLETNUM=2\r\r\n") != std::string::npos && saved.find("TEXT=6f6c64") != std::string::npos,
                 "locked: the file's note and the new one are both saved");
    }
    struct Case {
        const char* name;
        std::function<void(const std::string& data)> arrange;
    };
    HANDLE held = INVALID_HANDLE_VALUE;
    const Case cases[] = {
        {"read-only", [](const std::string& data) { ::SetFileAttributesA(data.c_str(), FILE_ATTRIBUTE_READONLY); }},
        {"held by another program", [&held](const std::string& data) {
             // Opened the way a reader opens it: it may be read, not replaced.
             held = ::CreateFileA(data.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
         }},
    };
    for (const Case& k : cases) {
        std::string appDir;
        std::string copy = InstallCopy(exe, &appDir);
        const std::string data = appDir + "\\PinvaneData.ini";
        WriteText(data, old);
        k.arrange(data);
        CPinvaneProcess p;
        c.Expect(p.Start(copy, "", appDir), k.name);
        HWND main = p.WaitMainWindow(20000);
        PasteDesktopNote(main, 400, 300);
        WaitFor([&] { return FindNotes(p.Pid(), main).all.size() == 1; }, 5000);
        ::PostMessageA(main, WM_COMMAND, 32772, 0);
        Answer(c, p.Pid(), main, kWriteError, IDOK, k.name);
        Answer(c, p.Pid(), main, kQuitAnyway, IDYES, k.name);
        c.Expect(p.WaitExit(15000), k.name);
        c.ExpectEq(ReadFile(data), old, k.name);
        c.Expect(!FileExists(data + ".bak1"), k.name);
        if (held != INVALID_HANDLE_VALUE) ::CloseHandle(held);
        held = INVALID_HANDLE_VALUE;
    }
    {
        // Cut in the middle, with a good backup: restored, and told once.
        std::string appDir;
        std::string copy = InstallCopy(exe, &appDir);
        const std::string data = appDir + "\\PinvaneData.ini";
        const std::string good = DataFile({"6f6c64", "6f6c6432"});
        WriteText(data + ".bak1", good);
        WriteText(data, good.substr(0, good.size() / 2));
        CPinvaneProcess p;
        c.Expect(p.Start(copy, "", appDir), "cut: started");
        Answer(c, p.Pid(), nullptr, "データファイルが壊れていたため、バックアップから復元しました。", IDOK,
               "cut: told at start");
        c.Expect(p.WaitMainWindow(20000) != nullptr, "cut: runs");
        c.Expect(p.Exit(), "cut: exits");
        const std::string saved = ReadFile(data);
        c.Expect(saved.find("TACKLETNUM=2\r\r\n") != std::string::npos && saved.find("TEXT=6f6c6432") != std::string::npos,
                 "cut: the backup's notes are saved");
        c.ExpectEq(ReadFile(data + ".damaged"), good.substr(0, good.size() / 2), "cut: the damaged file is kept");
    }
    return c.ExitCode();
}

// Typed text reaches the file within 30 seconds without any save command;
// a kill afterwards loses nothing; an idle program writes nothing.
int AutosaveThenKill(const std::string& exe) {
    CChecks c;
    std::string appDir;
    CPinvaneProcess p;
    HWND main = StartInstalled(c, exe, p, &appDir);
    const std::string data = appDir + "\\PinvaneData.ini";
    PasteDesktopNote(main, 500, 400);
    c.Expect(WaitFor([&] { return FindNotes(p.Pid(), main).all.size() == 1; }, 5000), "a note");
    auto notes = FindNotes(p.Pid(), main).all;
    HWND edit = notes.empty() ? nullptr : ::FindWindowExA(notes[0], nullptr, "Edit", nullptr);
    c.Expect(edit != nullptr, "the note's edit control");
    for (char ch : std::string("autosave")) ::PostMessageA(edit, WM_CHAR, static_cast<WPARAM>(ch), 1);
    const std::string hex = "TEXT=6175746f73617665";
    c.Expect(WaitFor([&] { return ReadFile(data).find(hex) != std::string::npos; }, 40000),
             "the typed text is in the file within 30 seconds");
    c.Expect(::IsWindowVisible(notes.empty() ? nullptr : notes[0]) != FALSE, "the note stayed shown");
    const std::string written = ReadFile(data);
    WaitFor([] { return false; }, 12000);
    c.ExpectEq(ReadFile(data), written, "nothing is written while nothing changes");
    c.Expect(!FileExists(data + ".bak2"), "no further save while idle");
    p.Kill();
    c.Expect(ReadFile(data).find(hex) != std::string::npos, "the text survives the kill");
    return c.ExitCode();
}

// Killed while writing a large file, again and again: the data file is
// always the old or the new version, never a mix or empty.
int KillDuringSave(const std::string& exe) {
    CChecks c;
    std::vector<std::string> texts;
    for (int i = 0; i < 1500; ++i) texts.push_back(std::string(4000, static_cast<char>('a' + i % 6)));
    // Fixed dates: every complete save writes the same bytes.
    std::string old = DataFile(texts);
    const std::string names = "EXENAME=NONE.EXE\r\n";
    for (size_t at = old.find(names); at != std::string::npos; at = old.find(names, at + 1))
        old.insert(at + names.size(), "GENDATE=201204221530\r\nACSDATE=201204221530\r\n");
    std::string appDir;
    std::string copy = InstallCopy(exe, &appDir);
    const std::string data = appDir + "\\PinvaneData.ini";
    // The file is watched by its size (a save writes other line ends), never
    // held open: a reader would keep the program from replacing it.
    auto sizeOf = [&] {
        WIN32_FILE_ATTRIBUTE_DATA a{};
        return ::GetFileAttributesExA(data.c_str(), GetFileExInfoStandard, &a) ? a.nFileSizeLow : 0;
    };
    WriteText(data, old);
    std::string fresh;
    DWORD saveMs = 0;
    {
        CPinvaneProcess p;
        c.Expect(p.Start(copy, "", appDir), "started");
        HWND main = p.WaitMainWindow(30000);
        const DWORD start = ::GetTickCount();
        ::PostMessageA(main, WM_COMMAND, 32795, 0);
        c.Expect(WaitFor([&] { return sizeOf() != old.size(); }, 60000), "a complete save");
        saveMs = ::GetTickCount() - start;
        WaitFor([] { return false; }, 500);
        fresh = ReadFile(data);
        p.Kill();
    }
    c.Expect(fresh.find("TACKLETNUM=1500\r\r\n") != std::string::npos, "the new version holds every note");
    std::printf("one save of %zu bytes took about %lu ms (from the command to the file in place)\n", fresh.size(),
                static_cast<unsigned long>(saveMs));
    for (int round = 0; round < 6; ++round) {
        WriteText(data, old);
        CPinvaneProcess p;
        p.Start(copy, "", appDir);
        HWND main = p.WaitMainWindow(30000);
        ::PostMessageA(main, WM_COMMAND, 32795, 0);
        ::Sleep(saveMs * static_cast<DWORD>(round) / 5);
        p.Kill();
        const std::string now = ReadFile(data);
        c.Expect(now == old || now == fresh, ("round " + std::to_string(round) + ": old or new").c_str());
    }
    return c.ExitCode();
}

}  // namespace

void PressWinS() {
    INPUT in[4] = {};
    const WORD keys[4] = {VK_LWIN, 'S', 'S', VK_LWIN};
    for (int i = 0; i < 4; ++i) {
        in[i].type = INPUT_KEYBOARD;
        in[i].ki.wVk = keys[i];
        in[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
    }
    ::SendInput(4, in, sizeof(INPUT));
}

// The extension utility's messages and the paste hotkey.
int ExtensionAndHotkey(const std::string& exe) {
    CChecks c;
    std::string appDir;
    HWND target = MakeTargetWindow("PvDrive Hotkey", 200, 200, 500, 400);
    CPinvaneProcess p;
    HWND main = StartInstalled(c, exe, p, &appDir);
    const UINT query = ::RegisterWindowMessageA("PinvaneExtentUtl");
    DWORD_PTR result = 99;
    ::SendMessageTimeoutA(main, query, 2, reinterpret_cast<LPARAM>(target), SMTO_NORMAL, 5000, &result);
    c.Expect(result == 1, "wParam 2: an ordinary window may carry a note");
    ::SendMessageTimeoutA(main, query, 2, reinterpret_cast<LPARAM>(main), SMTO_NORMAL, 5000, &result);
    c.Expect(result == 0, "wParam 2: Pinvane's own window may not");

    // Paste request for the desktop, centred on (600, 500).
    unsigned char block[116] = {};
    const int32_t head[2] = {1, 1};
    std::memcpy(block, head, sizeof head);
    const uint64_t desktop = reinterpret_cast<uint64_t>(::GetDesktopWindow());
    std::memcpy(block + 16, &desktop, sizeof desktop);
    const int32_t values[6] = {600, 500, 2, 1, 3, 2};
    std::memcpy(block + 24, values, sizeof values);
    const int32_t height = -12, weight = 700;
    std::memcpy(block + 48, &height, 4);
    std::memcpy(block + 64, &weight, 4);
    std::memcpy(block + 76, "Arial", 5);
    const int32_t gra[2] = {1, 3};
    std::memcpy(block + 108, gra, sizeof gra);
    COPYDATASTRUCT cds{0, 100, block};
    ::SendMessageTimeoutA(main, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds), SMTO_NORMAL, 5000, &result);
    const uint64_t bogus = 0x12345678;
    unsigned char bad[116];
    std::memcpy(bad, block, sizeof bad);
    std::memcpy(bad + 16, &bogus, sizeof bogus);
    cds = COPYDATASTRUCT{0, sizeof bad, bad};
    ::SendMessageTimeoutA(main, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds), SMTO_NORMAL, 5000, &result);
    WaitFor([] { return false; }, 1200);
    c.Expect(p.Running() && FindNotes(p.Pid(), main).all.empty(),
             "a short block and one naming no window make no note and no crash");
    cds = COPYDATASTRUCT{0, sizeof block, block};
    ::SendMessageTimeoutA(main, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds), SMTO_NORMAL, 5000, &result);
    c.Expect(WaitFor([&] { return FindNotes(p.Pid(), main).all.size() == 1; }, 3000), "the desktop note appears");
    auto notes = FindNotes(p.Pid(), main).all;
    RECT r = notes.empty() ? RECT{} : WindowRect(notes[0]);
    c.Expect(r.left == 500 && r.top == 470 && r.right == 700 && r.bottom == 530,
             "centred on the requested point with the initial size");

    // Win+S over the target: one note per press.
    ::SetForegroundWindow(target);
    ::SetCursorPos(450, 400);
    WaitFor([] { return false; }, 300);
    PressWinS();
    c.Expect(WaitFor([&] { return FindNotes(p.Pid(), main).ownedBy(target).size() == 1; }, 3000),
             "Win+S sticks a note on the foreground window");
    WaitFor([] { return false; }, 1000);
    c.Expect(FindNotes(p.Pid(), main).ownedBy(target).size() == 1, "exactly one note for one press");
    ::SetForegroundWindow(target);
    PressWinS();
    c.Expect(WaitFor([&] { return FindNotes(p.Pid(), main).ownedBy(target).size() == 2; }, 3000),
             "a second press a second later makes a second note");
    auto owned = FindNotes(p.Pid(), main).ownedBy(target);
    bool centred = false;
    for (HWND h : owned) {
        RECT n = WindowRect(h);
        centred = centred || (n.left == 350 && n.top == 370);
    }
    c.Expect(centred, "a note is centred on the cursor inside the target");

    ::PostMessageA(main, 0x464, 0, WM_LBUTTONDBLCLK);
    WaitFor([&] { return ::IsWindowVisible(main) != FALSE; }, 3000);
    ::SetForegroundWindow(main);
    WaitFor([] { return false; }, 1000);
    size_t before = FindNotes(p.Pid(), main).all.size();
    PressWinS();
    WaitFor([] { return false; }, 1500);
    c.Expect(FindNotes(p.Pid(), main).all.size() == before, "no note while Pinvane's own window is in front");
    c.Expect(p.Exit(), "exit");
    std::string saved = ReadFile(appDir + "\\PinvaneData.ini");
    // The three shown notes; the request that named no window made none.
    c.Expect(saved.find("TACKLETNUM=3\r\r\n") != std::string::npos, "exit writes every note");
    c.Expect(saved.find("FONTFACENAME=Arial\r\r\n") != std::string::npos && saved.find("GRAPTN=3\r\r\n") != std::string::npos,
             "the request's font and gradient are kept");
    ::DestroyWindow(target);
    return c.ExitCode();
}

// The main window from the tray, hiding it again, and saving on command and
// at the end of the session.
int MainWindow(const std::string& exe) {
    CChecks c;
    std::string appDir;
    CPinvaneProcess p;
    HWND main = StartInstalled(c, exe, p, &appDir,
                               "[SYSTEM]\r\nTACKLETNUM=1\r\n[TACKLETITEM0]\r\nTITLE=DESKTOP\r\nEXENAME=DESKTOP\r\nTEXT=616263\r\n");
    const std::string data = appDir + "\\PinvaneData.ini";
    ::PostMessageA(main, 0x464, 0, WM_LBUTTONDBLCLK);
    c.Expect(WaitFor([&] { return ::IsWindowVisible(main) != FALSE; }, 3000), "tray double-click shows the main window");
    RECT work{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    RECT r = WindowRect(main);
    c.Expect(r.right == work.right && r.bottom == work.bottom, "its frame sits in the bottom-right corner of the work area");

    ::PostMessageA(main, WM_COMMAND, IDCANCEL, 0);  // what Esc sends
    c.Expect(WaitFor([&] { return !::IsWindowVisible(main); }, 3000), "Esc hides it");
    ::PostMessageA(main, 0x464, 0, WM_LBUTTONDBLCLK);
    WaitFor([&] { return ::IsWindowVisible(main) != FALSE; }, 3000);
    ::PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    c.Expect(WaitFor([&] { return !::IsWindowVisible(main); }, 3000), "the close box hides it");
    c.Expect(p.Running(), "Pinvane keeps running");

    // System menu item 16: the version dialog.
    ::PostMessageA(main, WM_SYSCOMMAND, 16, 0);
    HWND about = WaitProcessWindow(p.Pid(), "バージョン情報", "#32770", 5000);
    const std::string version = about ? pvtest::ItemText(about, 1004) : std::string();
    c.ExpectEq(version, "Ver.:1.1.6.193", "the version dialog shows the version text");
    if (about) ::PostMessageA(about, WM_COMMAND, IDOK, 0);
    c.Expect(WaitFor([&] { return !::IsWindow(about); }, 3000), "and closes with OK");

    // A save on command rewrites the file with every note (here: one).
    WriteText(data, "");
    ::PostMessageA(main, WM_COMMAND, 32795, 0);
    c.Expect(WaitFor([&] { return ReadFile(data).find("TEXT=616263\r\r\n") != std::string::npos; }, 5000),
             "手動保存 writes every note");
    c.Expect(ReadFile(data).find("TACKLETNUM=1\r\r\n") != std::string::npos, "with the count in the header");
    WaitFor([&] { return !FindNotes(p.Pid(), main).all.empty(); }, 3000);

    WriteText(data, "");
    DWORD_PTR result = 0;
    ::SendMessageTimeoutA(main, WM_ENDSESSION, TRUE, 0, SMTO_NORMAL, 10000, &result);
    c.Expect(ReadFile(data).find("TEXT=616263\r\r\n") != std::string::npos, "WM_ENDSESSION writes every note");
    c.Expect(p.Exit(), "exit");
    return c.ExitCode();
}


// Hexadecimal of a text, as the data file keeps plain bodies.
std::string HexOf(const std::string& text) {
    std::string hex;
    char pair[3];
    for (unsigned char ch : text) {
        std::snprintf(pair, sizeof pair, "%02x", ch);
        hex += pair;
    }
    return hex;
}

// A session that ends with hundreds of notes on screen: the data file is
// written from the notes as they are before any of them is destroyed.
int Logoff(const std::string& exe) {
    constexpr int kNotes = 300;
    CChecks c;
    std::string text = "[SYSTEM]\r\nTACKLETNUM=" + std::to_string(kNotes) + "\r\n";
    char item[256];
    for (int i = 0; i < kNotes; ++i) {
        const int x = 20 + (i * 37) % 1000, y = 20 + (i * 53) % 800;
        std::snprintf(item, sizeof item,
                      "[TACKLETITEM%d]\r\nTITLE=DESKTOP\r\nEXENAME=DESKTOP\r\nREC_LEFT=%d\r\nREC_TOP=%d\r\n"
                      "REC_RIGHT=%d\r\nREC_BOTTOM=%d\r\nTEXT=",
                      i, x, y, x + 160, y + 60);
        std::snprintf(item + std::strlen(item), 40, "%s\r\n", HexOf("note " + std::to_string(i)).c_str());
        text += item;
    }
    std::string appDir;
    CPinvaneProcess p;
    HWND main = StartInstalled(c, exe, p, &appDir, text);
    const std::string data = appDir + "\\PinvaneData.ini";
    c.Expect(WaitFor([&] { return FindNotes(p.Pid(), main).all.size() == kNotes; }, 240000), "every note is shown");
    auto notes = FindNotes(p.Pid(), main).all;
    // Typed into one note just before the session ends.
    HWND edited = notes.empty() ? nullptr : ::GetDlgItem(notes.front(), 1005);
    DWORD_PTR result = 0;
    ::SendMessageTimeoutA(edited, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("typed before logoff"), SMTO_NORMAL, 5000,
                          &result);
    auto everyNote = [&](const std::string& saved) {
        int found = 0;
        for (int i = 0; i < kNotes; ++i)
            if (saved.find("TEXT=" + HexOf("note " + std::to_string(i)) + "\r") != std::string::npos) ++found;
        return saved.find("TACKLETNUM=" + std::to_string(kNotes) + "\r") != std::string::npos && found == kNotes - 1 &&
               saved.find("TEXT=" + HexOf("typed before logoff") + "\r") != std::string::npos;
    };

    WriteText(data, "");
    result = 0;
    c.Expect(::SendMessageTimeoutA(main, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, 60000, &result) &&
                 result != 0,
             "the query to end the session is answered yes");
    c.Expect(everyNote(ReadFile(data)), "by then every note is written, with the text typed last");
    c.Expect(FindNotes(p.Pid(), main).all.size() == kNotes, "and no note window has been destroyed");

    WriteText(data, "");
    ::SendMessageTimeoutA(main, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_NORMAL, 120000, &result);
    c.Expect(everyNote(ReadFile(data)), "the end of the session writes every note again");
    c.Expect(p.Exit(120000), "exit");
    return c.ExitCode();
}

// Four notes of different looks on one window, for a person to look at.
int HoldNotes(const std::string& exe, const std::string& readyFile, const std::string& doneFile) {
    CChecks c;
    std::string appDir;
    std::string text;
    const char* items[] = {
        "COLOR=0\r\nPICKPOS=0\r\nBKCOLOR=5\r\nGRAFLG=1\r\nGRAPTN=0\r\nREC_LEFT=180\r\nREC_TOP=200\r\nREC_RIGHT=400\r\nREC_BOTTOM=270\r\n",
        "COLOR=1\r\nPICKPOS=1\r\nBKCOLOR=2\r\nGRAFLG=1\r\nGRAPTN=4\r\nREC_LEFT=440\r\nREC_TOP=200\r\nREC_RIGHT=660\r\nREC_BOTTOM=290\r\n",
        "COLOR=2\r\nPICKPOS=2\r\nBKCOLOR=3\r\nGRAFLG=0\r\nTXCOLOR=2\r\nREC_LEFT=180\r\nREC_TOP=330\r\nREC_RIGHT=400\r\nREC_BOTTOM=400\r\n",
        "COLOR=3\r\nPICKPOS=3\r\nBKCOLOR=4\r\nGRAFLG=1\r\nGRAPTN=6\r\nREADONLY=1\r\nREC_LEFT=440\r\nREC_TOP=330\r\nREC_RIGHT=660\r\nREC_BOTTOM=420\r\n",
    };
    // "付箋のテスト" and a second line, as Shift-JIS hex.
    const char* body = "9574e2b382cc8365835883670d0a50696e76616e65";
    text = "[SYSTEM]\r\nTACKLETNUM=4\r\n";
    for (int i = 0; i < 4; ++i) {
        char head[64];
        std::snprintf(head, sizeof head, "[TACKLETITEM%d]\r\n", i);
        text += std::string(head) + "TITLE=PvDrive Target\r\nEXENAME=PVDRIVE.EXE\r\nTGT_LEFT=150\r\nTGT_TOP=150\r\nTGT_RIGHT=750\r\nTGT_BOTTOM=550\r\n" +
                items[i] + "TEXT=" + body + "\r\n";
    }
    HWND target = MakeTargetWindow("PvDrive Target", 150, 150, 600, 400);
    CPinvaneProcess p;
    HWND main = StartInstalled(c, exe, p, &appDir, text);
    c.Expect(WaitFor([&] { return FindNotes(p.Pid(), main).ownedBy(target).size() == 4; }, 5000), "four notes shown");
    HoldForScreenshot(readyFile, doneFile);
    c.Expect(p.Exit(), "ends on exit");
    ::DestroyWindow(target);
    return c.ExitCode();
}

// The tray menu opened by a right click on the icon.
int HoldTrayMenu(const std::string& exe, const std::string& readyFile, const std::string& doneFile) {
    CChecks c;
    std::string appDir;
    CPinvaneProcess p;
    HWND main = StartInstalled(c, exe, p, &appDir);
    ::SetCursorPos(500, 300);
    if (main) ::PostMessageA(main, 0x464, 0, WM_RBUTTONUP);
    c.Expect(WaitFor([] { return ::FindWindowA("#32768", nullptr) != nullptr; }, 5000), "the tray menu opens");
    HoldForScreenshot(readyFile, doneFile);
    INPUT esc[2] = {};
    esc[0].type = esc[1].type = INPUT_KEYBOARD;
    esc[0].ki.wVk = esc[1].ki.wVk = VK_ESCAPE;
    esc[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, esc, sizeof(INPUT));
    WaitFor([] { return ::FindWindowA("#32768", nullptr) == nullptr; }, 3000);
    c.Expect(p.Exit(), "ends on exit");
    return c.ExitCode();
}

// ---------------------------------------------------------------- settings

// Presses the keys in order and releases them in reverse order.
void PressKeys(std::initializer_list<WORD> keys) {
    std::vector<INPUT> in;
    for (WORD k : keys) {
        INPUT i{};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = k;
        in.push_back(i);
    }
    for (auto it = keys.end(); it != keys.begin();) {
        INPUT i{};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = *--it;
        i.ki.dwFlags = KEYEVENTF_KEYUP;
        in.push_back(i);
    }
    ::SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
}

// A left click in the middle of a window, as a user makes it.
void ClickOn(HWND hwnd) {
    RECT r = WindowRect(hwnd);
    ::SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(2, in, sizeof(INPUT));
}

// The window with the keyboard focus in the thread of `window`.
HWND FocusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

// The whole text of a window of another process.
std::string TextOf(HWND hwnd) { return pvtest::ControlTextOf(hwnd); }

// The keyboard layout's name of a key.
std::string KeyName(int vk) {
    wchar_t name[128] = {};
    ::GetKeyNameTextW(static_cast<LONG>(::MapVirtualKeyW(static_cast<UINT>(vk), MAPVK_VK_TO_VSC) << 16), name, 128);
    return pvtest::Utf8(name);
}

// A message box of process `pid` (a dialog with an OK button only).
HWND FindMessageBox(DWORD pid) {
    return pvtest::FindWindowOf({.pid = pid, .test = [](HWND h) { return pvtest::IsMessageBox(h, true); }});
}

// Opens a settings dialog with the main panel's button `id`.
HWND OpenPanelDialog(DWORD pid, HWND main, int id, const char* caption) {
    // The panel is made while the main window starts: wait for its button.
    HWND panel = nullptr;
    WaitFor([&] { return (panel = ::FindWindowExA(main, nullptr, "#32770", nullptr)) && ::GetDlgItem(panel, id); }, 10000);
    ::PostMessageA(panel, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
    HWND dialog = WaitProcessWindow(pid, caption, "#32770", 5000);
    WaitFor([&] { return dialog && ::IsWindowVisible(dialog) && ::GetForegroundWindow() == dialog; }, 3000);
    return dialog;
}

// Clicks into a control until it has the focus; false when it never gets it.
bool ClickIntoField(HWND dialog, HWND field) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        // A note handing the focus back to its target may have put the
        // target (and the note) over the dialog: the dialog comes first.
        ::SetForegroundWindow(dialog);
        WaitFor([] { return false; }, 100);
        ClickOn(field);
        if (WaitFor([&] { return FocusOf(dialog) == field; }, 2000)) {
            WaitFor([] { return false; }, 200);  // the field's capture starts with the focus
            return true;
        }
    }
    return false;
}

// A copy started under another name knows its own windows: a note meant
// for its main window never shows there, and the extension utility is told
// that its windows may not carry a note.
int RenamedCopy(const std::string& exe) {
    CChecks c;
    const std::string appDir = MakeScratchDir("renamed");
    const std::string copy = appDir + "\\PvRenamed.exe";
    c.Expect(::CopyFileA(exe.c_str(), copy.c_str(), FALSE) != FALSE, "copied as PvRenamed.exe");
    WriteText(appDir + "\\PinvaneData.ini",
              "[SYSTEM]\r\nTACKLETNUM=1\r\n[TACKLETITEM0]\r\nTITLE=Pinvane\r\nEXENAME=PVRENAMED.EXE\r\n");
    CPinvaneProcess p;
    c.Expect(p.Start(copy, "", appDir), "started");
    HWND main = p.WaitMainWindow(30000);
    c.Expect(main != nullptr, "main window exists");
    ::PostMessageA(main, 0x464, 0, WM_LBUTTONDBLCLK);  // show its main window
    c.Expect(WaitFor([&] { return ::IsWindowVisible(main) != FALSE; }, 3000), "its main window shows");
    WaitFor([] { return false; }, 1500);  // a few matching ticks
    c.Expect(FindNotes(p.Pid(), main).ownedBy(main).empty(), "no note on its own main window");
    const UINT query = ::RegisterWindowMessageA("PinvaneExtentUtl");
    DWORD_PTR result = 99;
    ::SendMessageTimeoutA(main, query, 2, reinterpret_cast<LPARAM>(main), SMTO_NORMAL, 5000, &result);
    c.Expect(result == 0, "its own window may not carry a note");
    c.Expect(p.Exit(), "exit");
    return c.ExitCode();
}

// "手動保存" while a note is being edited: the file is written once, and
// every note stays where it is; the edited one keeps the focus and its caret.
int ManualSave(const std::string& exe) {
    CChecks c;
    std::string appDir;
    CPinvaneProcess p;
    HWND main = StartInstalled(c, exe, p, &appDir,
                               "[SYSTEM]\r\nTACKLETNUM=2\r\n"
                               "[TACKLETITEM0]\r\nTITLE=DESKTOP\r\nEXENAME=DESKTOP\r\nTEXT=616263646566\r\n"
                               "REC_LEFT=300\r\nREC_TOP=300\r\nREC_RIGHT=500\r\nREC_BOTTOM=400\r\n"
                               "[TACKLETITEM1]\r\nTITLE=DESKTOP\r\nEXENAME=DESKTOP\r\nTEXT=676869\r\n"
                               "REC_LEFT=600\r\nREC_TOP=300\r\nREC_RIGHT=800\r\nREC_BOTTOM=400\r\n");
    const std::string data = appDir + "\\PinvaneData.ini";
    c.Expect(WaitFor([&] { return FindNotes(p.Pid(), main).all.size() == 2; }, 5000), "both notes show");
    std::vector<HWND> before = FindNotes(p.Pid(), main).all;
    std::sort(before.begin(), before.end());
    HWND note = nullptr;
    for (HWND h : before)
        if (WindowRect(h).left == 300) note = h;
    HWND edit = note ? ::FindWindowExA(note, nullptr, "Edit", nullptr) : nullptr;
    c.Expect(edit && ClickIntoField(note, edit), "the first note's text has the focus");
    ::SendMessageTimeoutA(edit, EM_SETSEL, 2, 2, SMTO_BLOCK | SMTO_ABORTIFHUNG, 5000, nullptr);

    WriteText(data, "");
    ::PostMessageA(main, WM_COMMAND, 32795, 0);
    c.Expect(WaitFor([&] { return ReadFile(data).find("TEXT=616263646566\r\r\n") != std::string::npos; }, 5000),
             "手動保存 writes the notes");
    c.Expect(ReadFile(data).find("TACKLETNUM=2\r\r\n") != std::string::npos, "both of them");
    WaitFor([] { return false; }, 1000);  // two matching ticks: notes taken down would be back by now
    std::vector<HWND> after = FindNotes(p.Pid(), main).all;
    std::sort(after.begin(), after.end());
    c.Expect(after == before, "the same note windows are shown, none was taken down");
    c.Expect(FocusOf(note) == edit, "the edited note keeps the focus");
    DWORD_PTR sel = 0;
    ::SendMessageTimeoutA(edit, EM_GETSEL, 0, 0, SMTO_BLOCK | SMTO_ABORTIFHUNG, 5000, &sel);
    c.Expect(LOWORD(sel) == 2 && HIWORD(sel) == 2, "and its caret");
    c.Expect(p.Exit(), "exit");
    return c.ExitCode();
}

// Win+S, Tab, Enter and Esc typed into the hotkey field of the properties
// dialog; a combination another program holds is refused; the new hotkey
// makes notes after OK, is written to the settings file and is in force
// again after a restart.
int PropertiesHotkey(const std::string& exe) {
    CChecks c;
    std::string appDir;
    HWND target = MakeTargetWindow("PvDrive Props", 200, 200, 500, 400);
    const std::string settings = [&] {
        CPinvaneProcess p;
        HWND main = StartInstalled(c, exe, p, &appDir);
        const DWORD pid = p.Pid();
        HWND dialog = OpenPanelDialog(pid, main, 1018, "プロパティ設定");
        c.Expect(dialog != nullptr, "プロパティ設定 opens");
        HWND field = ::GetDlgItem(dialog, 1180);
        c.ExpectEq(TextOf(::GetDlgItem(dialog, 1182)), KeyName(VK_MENU) + " + Win + " + KeyName('V'),
                   "the desktop field shows Win+Alt+V, the default of a new settings file");
        c.Expect(ClickIntoField(dialog, field), "a click puts the focus into the field");
        const WORD plain[3] = {VK_TAB, VK_RETURN, VK_ESCAPE};
        for (WORD k : plain) {
            PressKeys({k});
            c.Expect(WaitFor([&] { return TextOf(field) == KeyName(k); }, 3000), "Tab, Enter, Esc become the combination");
        }
        c.Expect(::IsWindowVisible(dialog) && FocusOf(dialog) == field, "and neither close the dialog nor move the focus");
        PressKeys({VK_LWIN, 'S'});
        c.Expect(WaitFor([&] { return TextOf(field) == "Win + " + KeyName('S'); }, 3000), "Win+S shows Win + S");
        ClickOn(::GetDlgItem(dialog, 1190));
        c.Expect(WaitFor([&] { return FocusOf(dialog) == ::GetDlgItem(dialog, 1190); }, 3000), "a click elsewhere takes the focus away");
        PressKeys({VK_TAB});
        c.Expect(WaitFor([&] { return FocusOf(dialog) != ::GetDlgItem(dialog, 1190); }, 3000), "then Tab moves the focus again");
        PressKeys({VK_ESCAPE});
        c.Expect(WaitFor([&] { return !::IsWindow(dialog); }, 3000), "and Esc closes the dialog");

        // Another program holds Ctrl+Alt+K.
        HWND holder = MakeTargetWindow("PvDrive Holder", 0, 0, 10, 10);
        c.Expect(::RegisterHotKey(holder, 1, MOD_CONTROL | MOD_ALT, 'K') != FALSE, "another program holds Ctrl+Alt+K");
        dialog = OpenPanelDialog(pid, main, 1018, "プロパティ設定");
        field = ::GetDlgItem(dialog, 1180);
        c.Expect(ClickIntoField(dialog, field), "the field takes the focus again");
        PressKeys({VK_CONTROL, VK_MENU, 'K'});
        c.Expect(WaitFor([&] { return TextOf(field).find(KeyName('K')) != std::string::npos; }, 3000),
                 "a combination held by another program can be typed");
        ClickOn(::GetDlgItem(dialog, IDOK));
        HWND box = nullptr;
        c.Expect(WaitFor([&] { return (box = FindMessageBox(pid)) != nullptr; }, 5000), "OK shows a message");
        c.ExpectEq(box ? TextOf(::GetDlgItem(box, 0xFFFF)) : std::string(),
                   "ウィンドウへの貼り付け設定は既に他のアプリケーションで使用されています。他の組み合わせに変更してください.",
                   "the combination is taken");
        if (box) ::PostMessageA(box, WM_COMMAND, IDOK, 0);
        WaitFor([&] { return !::IsWindow(box); }, 3000);
        c.Expect(::IsWindowVisible(dialog) != FALSE, "the dialog stays open");
        ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        WaitFor([&] { return !::IsWindow(dialog); }, 3000);
        ::UnregisterHotKey(holder, 1);
        ::DestroyWindow(holder);
        ::SetForegroundWindow(target);
        WaitFor([] { return false; }, 300);
        PressWinS();
        c.Expect(WaitFor([&] { return FindNotes(pid, main).ownedBy(target).size() == 1; }, 3000),
                 "the old hotkey keeps working");

        // A new hotkey: Ctrl+Alt+J. (The new note hands the focus back to
        // its target a moment after it shows; let that pass first.)
        WaitFor([] { return false; }, 1000);
        dialog = OpenPanelDialog(pid, main, 1018, "プロパティ設定");
        field = ::GetDlgItem(dialog, 1180);
        c.Expect(ClickIntoField(dialog, field), "the field takes the focus once more");
        PressKeys({VK_CONTROL, VK_MENU, 'J'});
        c.Expect(WaitFor([&] { return TextOf(field).find(KeyName('J')) != std::string::npos; }, 3000),
                 "Ctrl+Alt+J typed into the field");
        ClickOn(::GetDlgItem(dialog, 1188));
        ClickOn(::GetDlgItem(dialog, IDOK));
        c.Expect(WaitFor([&] { return !::IsWindow(dialog); }, 5000), "OK closes the dialog");
        ::SetForegroundWindow(target);
        WaitFor([] { return false; }, 1000);
        PressWinS();
        WaitFor([] { return false; }, 1500);
        c.Expect(FindNotes(pid, main).ownedBy(target).size() == 1, "the old hotkey makes no note");
        PressKeys({VK_CONTROL, VK_MENU, 'J'});
        c.Expect(WaitFor([&] { return FindNotes(pid, main).ownedBy(target).size() == 2; }, 3000),
                 "the new hotkey makes a note");
        std::string written = ReadFile(appDir + "\\MossrelPropaty.ini");
        c.Expect(p.Exit(), "exit");
        return written;
    }();
    const char* order[] = {"[SYSTEM]",    "SAVETIMING=0", "TRANSPARENT=", "COLOR=",       "FRAME=",      "BKCOLOR=",
                           "GRAFLG=",     "GRAPTN=",      "TXCOLOR=",     "PICKPOS=",     "FONTFACENAME=", "FONTHEIGHT=",
                           "FONTWEIGHT=", "FONTITALIC=",  "ARWFLAG=",     "INIHEIGHT=",   "INIWIDTH=",   "ARROWLINEWIDTH=",
                           "POSINTERVAL=10", "[HK_PAST]", "MODIFIERS=3",  "KEY=74",       "[HK_PASTDT]", "MODIFIERS=9",
                           "KEY=86",      "[SV_FORMAT]",  "FORMAT=0"};
    size_t at = 0;
    bool inOrder = !settings.empty();
    for (const char* key : order) {
        at = settings.find(key, at);
        if (at == std::string::npos) {
            inOrder = false;
            std::printf("       missing or out of order: %s\n", key);
            break;
        }
        at += std::strlen(key);
    }
    c.Expect(inOrder, "the settings file holds every key in order with the new values");
    {
        CPinvaneProcess p;
        c.Expect(p.Start(appDir + "\\Pinvane.exe", "", appDir), "Pinvane starts again");
        HWND main = p.WaitMainWindow(20000);
        c.Expect(WaitFor([&] { return FindNotes(p.Pid(), main).ownedBy(target).size() == 2; }, 5000), "notes are back");
        // A program that has just started may still take the foreground once
        // (the dialog manager shows its hidden main window when its queue
        // first runs empty): the target is put in front until it stays there.
        c.Expect(WaitFor(
                     [&] {
                         ::SetForegroundWindow(target);
                         WaitFor([] { return false; }, 300);
                         return ::GetForegroundWindow() == target;
                     },
                     5000),
                 "the target stays in front");
        PressKeys({VK_CONTROL, VK_MENU, 'J'});
        c.Expect(WaitFor([&] { return FindNotes(p.Pid(), main).ownedBy(target).size() == 3; }, 3000),
                 "after a restart the new hotkey still makes notes");
        c.Expect(p.Exit(), "exit");
    }
    c.ExpectEq(ReadFile(appDir + "\\MossrelPropaty.ini"), settings, "the restart leaves the settings file as it was");
    ::DestroyWindow(target);
    return c.ExitCode();
}

// ------------------------------------------------------------ reminders

// Occurrences of `needle` in `text`.
int CountOf(const std::string& text, const std::string& needle) {
    int n = 0;
    for (size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1)) ++n;
    return n;
}

// A desktop note section with body `hex` and the reminder lines `reminder`.
std::string DesktopNote(int i, const char* hex, const std::string& reminder) {
    char head[64];
    std::snprintf(head, sizeof head, "[TACKLETITEM%d]\r\n", i);
    return std::string(head) + "TITLE=DESKTOP\r\nEXENAME=DESKTOP\r\nEXEPATH=DESKTOP\r\nTEXTFORMAT=0\r\nTEXT=" + hex +
           "\r\n" + reminder;
}

// Reminders read from the data file: one due at the next minute fires once
// when the clock gets there; a weekly one on today's weekday and a one-time
// one that fell due while Pinvane was not running fire at the start; a
// click on the balloon marks the note's row; the fired state is saved, so
// a restart fires nothing again.
int Reminders(const std::string& exe) {
    CChecks c;
    SYSTEMTIME st{};
    ::GetLocalTime(&st);
    // Far enough from the turn of the minute that the start happens before it.
    if (st.wSecond >= 45) {
        WaitFor([&] { ::GetLocalTime(&st); return st.wSecond < 45; }, 20000);
    }
    LocalMinute now = 0;
    ToLocalMinute(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, &now);
    const LocalClock next = ToLocalClock(now + 1);
    const LocalClock yesterday = ToLocalClock(now - 24 * 60);
    auto once = [](const LocalClock& at) {
        char lines[256];
        std::snprintf(lines, sizeof lines,
                      "RSVTYPE=1\r\nRSVYEAR=%d\r\nRSVMONTH=%d\r\nRSVDAY=%d\r\nRSVHOUR=%d\r\nRSVMINUTE=%d\r\n", at.year,
                      at.month, at.day, at.hour, at.minute);
        return std::string(lines);
    };
    char weekly[256];
    std::snprintf(weekly, sizeof weekly, "RSVTYPE=2\r\nRSVWEEKDAY=%d\r\nRSVHOUR=%d\r\nRSVMINUTE=%d\r\nRSVSINCE=%lld\r\n",
                  1 << st.wDayOfWeek, st.wHour, st.wMinute, static_cast<long long>(now - 60));
    const std::string plain = DesktopNote(3, "706c61696e", "");
    const std::string data = "[SYSTEM]\r\nTACKLETNUM=4\r\n" + DesktopNote(0, "6e657874", once(next)) +  // "next"
                             DesktopNote(1, "7765656b6c79", weekly) +                                        // "weekly"
                             DesktopNote(2, "6d6973736564", once(yesterday)) + plain;                       // "missed"
    std::string appDir;
    const std::string copy = InstallCopy(exe, &appDir);
    WriteText(appDir + "\\PinvaneData.ini", data);
    std::string console;
    {
        CPinvaneProcess p;
        // Standard output to a file, as in DebugSwitch: the traces go to
        // the console Pinvane allocates.
        c.Expect(p.Start(copy, "-D119", appDir, MakeScratchDir("out") + "\\stdout.txt"), "started with traces");
        HWND main = p.WaitMainWindow(20000);
        c.Expect(main != nullptr, "main window exists");
        auto read = [&] {
            console.clear();
            ReadProcessConsole(p.Pid(), &console);
        };
        auto seen = [&](const char* line) {
            read();
            return console.find(line) != std::string::npos;
        };
        c.Expect(WaitFor([&] { return seen("CheckReminders() item=2 "); }, 15000),
                 "the reminder that fell due while Pinvane was not running fires at the start");
        c.Expect(seen("CheckReminders() item=1 "), "the weekly reminder of today fires at the start, in the same tick");
        c.Expect(!seen("CheckReminders() item=0 "), "the reminder of the next minute has not fired yet");
        c.Expect(seen("ShowReminder() [weekly][[デスクトップ]] more=1"), "the balloon tells of the first note due");
        c.Expect(WaitFor([&] { return seen("CheckReminders() item=0 "); }, 75000),
                 "the reminder of the next minute fires when the clock gets there");
        c.Expect(seen("ShowReminder() [next][[デスクトップ]] more=0"), "its balloon has its first line and place");
        WaitFor([] { return false; }, 1500);  // a few more ticks
        read();
        c.Expect(CountOf(console, "CheckReminders() item=") == 3, "each reminder fired once");
        c.Expect(CountOf(console, "ShowReminder()") == 2, "one balloon per tick");

        // The balloon's click, as the shell delivers it.
        ::PostMessageA(main, 0x464, 0, NIN_BALLOONUSERCLICK);
        c.Expect(WaitFor([&] { return ::IsWindowVisible(main); }, 5000), "a click on the balloon shows the main panel");
        c.Expect(WaitFor([&] { return seen("ShowReminderNote() item=0"); }, 5000), "for the note of the last balloon");
        HWND list = ::FindWindowExA(::FindWindowExA(main, nullptr, "#32770", nullptr), nullptr, "SysListView32", nullptr);
        c.Expect(list && ::SendMessageA(list, LVM_GETSELECTIONMARK, 0, 0) == 0, "its row is marked");
        c.Expect(p.Exit(), "exit");
    }
    const std::string saved = ReadFile(appDir + "\\PinvaneData.ini");
    c.Expect(CountOf(saved, "RSVTYPE=") == 3, "the three reminders are saved, the note without one has none");
    c.Expect(CountOf(saved, "RSVDUE=1") == 2, "both one-time reminders are saved as shown");
    c.Expect(saved.find("TEXT=706c61696e\r\r\n") != std::string::npos &&
                 saved.find("RSV", saved.find("TEXT=706c61696e")) == std::string::npos,
             "the note without a reminder ends with its TEXT");
    {
        CPinvaneProcess p;
        c.Expect(p.Start(copy, "-D119", appDir, MakeScratchDir("out") + "\\stdout.txt"), "started again");
        HWND main = p.WaitMainWindow(20000);
        c.Expect(WaitFor([&] { return FindNotes(p.Pid(), main).all.size() == 4; }, 10000), "the four notes are back");
        WaitFor([] { return false; }, 1500);
        console.clear();
        ReadProcessConsole(p.Pid(), &console);
        c.Expect(console.find("CheckReminders()") == std::string::npos, "nothing fires again after a restart");
        c.Expect(p.Exit(), "exit");
    }
    return c.ExitCode();
}

// A note on the window titled `title` (whole), with the title and the body
// written as a program that keeps them exactly writes them.
std::string ExactTitleNote(int i, const std::string& title, const std::string& body, int left) {
    char head[64];
    std::snprintf(head, sizeof head, "[TACKLETITEM%d]\r\n", i);
    char rect[96];
    std::snprintf(rect, sizeof rect, "REC_LEFT=%d\r\nREC_TOP=200\r\nREC_RIGHT=%d\r\nREC_BOTTOM=280\r\n", left,
                  left + 180);
    return std::string(head) + "TITLEFLAG=1\r\nPRECESSEFLAG=0\r\nEXFULLFLAG=1\r\nTITLE=" + CodePageText(title) +
           "\r\nFULL=1\r\n" + rect + "TEXTFORMAT=0\r\nTEXT=" + Hex(CodePageText(body)) +
           "\r\nTITLEW=" + Hex(title) + "\r\n";
}

// The note owned by `owner`, and its text.
std::string NoteTextOn(DWORD pid, HWND main, HWND owner) {
    const std::vector<HWND> notes = FindNotes(pid, main).ownedBy(owner);
    if (notes.size() != 1) return "(" + std::to_string(notes.size()) + " notes)";
    HWND edit = ::FindWindowExW(notes[0], nullptr, L"Edit", nullptr);
    return edit ? pvtest::ControlTextOf(edit) : std::string("(no edit)");
}

// Text outside the code page: Pinvane started from a folder named
// "Müller ☕" keeps its notes beside itself; a note typed with accents,
// emoji and Korean comes back exactly after a restart; two windows whose
// titles differ only in an emoji each get their own note, whichever is in
// front.
int UnicodeTexts(const std::string& exe) {
    CChecks c;
    const std::string typed = "Müller café ☕ 한국어 😀 — ①②";
    const std::string smile = "Report 😀 draft";
    const std::string grin = "Report 😃 draft";
    const std::string appDir = MakeScratchDir("Müller ☕");
    c.Expect(!appDir.empty(), "a folder named with characters outside the code page");
    const std::string copy = appDir + "\\Pinvane.exe";
    c.Expect(CopyFileTo(exe, copy), "Pinvane copied into it");
    const std::string data = appDir + "\\PinvaneData.ini";
    WriteText(data, "[SYSTEM]\r\nTACKLETNUM=3\r\n" + DesktopNote(0, "706c61696e", "") +
                        "REC_LEFT=500\r\nREC_TOP=400\r\nREC_RIGHT=700\r\nREC_BOTTOM=480\r\n" +
                        ExactTitleNote(1, smile, "smile", 100) + ExactTitleNote(2, grin, "grin", 400));
    for (int round = 0; round < 2; ++round) {
        const std::string r = round == 0 ? "first run: " : "after a restart: ";
        // The look-alike windows, the other one in front each time.
        HWND first = MakeTargetWindow(round == 0 ? smile.c_str() : grin.c_str(), 50, 100, 300, 250);
        HWND second = MakeTargetWindow(round == 0 ? grin.c_str() : smile.c_str(), 380, 100, 300, 250);
        HWND smileWindow = round == 0 ? first : second;
        HWND grinWindow = round == 0 ? second : first;
        CPinvaneProcess p;
        c.Expect(p.Start(copy, "", appDir), r + "started from the folder");
        HWND main = p.WaitMainWindow(20000);
        c.Expect(main != nullptr, r + "main window exists");
        c.Expect(WaitFor([&] { return FindNotes(p.Pid(), main).all.size() == 3; }, 10000), r + "three notes show");
        c.ExpectEq(NoteTextOn(p.Pid(), main, smileWindow), "smile", r + "the smiling title has its own note");
        c.ExpectEq(NoteTextOn(p.Pid(), main, grinWindow), "grin", r + "the grinning title has its own note");
        const std::vector<HWND> desktop = FindNotes(p.Pid(), main).ownedBy(nullptr);
        HWND edit = desktop.size() == 1 ? ::FindWindowExW(desktop[0], nullptr, L"Edit", nullptr) : nullptr;
        c.Expect(edit != nullptr, r + "the desktop note shows");
        if (round == 0) {
            const std::wstring wide = pvtest::Wide(typed);
            ::SendMessageTimeoutW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()), SMTO_NORMAL, 5000,
                                  nullptr);
        } else {
            c.ExpectEq(edit ? pvtest::ControlTextOf(edit) : std::string(), typed, r + "the typed text is exact");
        }
        c.Expect(p.Exit(), r + "exit");
        ::DestroyWindow(first);
        ::DestroyWindow(second);
        const std::string bytes = ReadFile(data);
        c.Expect(bytes.find("TEXTW=" + Hex(typed)) != std::string::npos, r + "the data file beside it keeps the text exactly");
        c.Expect(bytes.find("TITLEW=" + Hex(smile)) != std::string::npos &&
                     bytes.find("TITLEW=" + Hex(grin)) != std::string::npos,
                 r + "and both exact titles");
    }
    return c.ExitCode();
}

// Starts Pinvane with a desktop note whose reminder fell due while it was
// not running and holds while the balloon shows.
int HoldReminder(const std::string& exe, const std::string& readyFile, const std::string& doneFile) {
    CChecks c;
    const std::string data = "[SYSTEM]\r\nTACKLETNUM=1\r\n" +
                             DesktopNote(0, "89ef8b638e9197bf82f0919782e9",
                                         "RSVTYPE=1\r\nRSVYEAR=2026\r\nRSVMONTH=1\r\nRSVDAY=5\r\nRSVHOUR=9\r\n"
                                         "RSVMINUTE=30\r\n") +
                             "REC_LEFT=500\r\nREC_TOP=300\r\nREC_RIGHT=700\r\nREC_BOTTOM=380\r\n";
    std::string appDir;
    CPinvaneProcess p;
    HWND main = StartInstalled(c, exe, p, &appDir, data);
    c.Expect(WaitFor([&] { return main && FindNotes(p.Pid(), main).all.size() == 1; }, 10000), "the note shows");
    WaitFor([] { return false; }, 1500);  // the balloon fades in
    HoldForScreenshot(readyFile, doneFile);
    c.Expect(p.Exit(), "ends on exit");
    return c.ExitCode();
}

// The desktop-paste hotkey of a new settings file held by another program
// (as Windows holds Win+V): the start says so once, in the tray balloon,
// and the properties dialog shows it.
int DesktopHotkeyRefused(const std::string& exe) {
    CChecks c;
    HWND holder = MakeTargetWindow("PvDrive Holder", 0, 0, 10, 10);
    c.Expect(::RegisterHotKey(holder, 1, MOD_WIN | MOD_ALT, 'V') != FALSE, "another program holds Win+Alt+V");
    std::string appDir;
    const std::string copy = InstallCopy(exe, &appDir);
    const std::string outDir = MakeScratchDir("out");
    CPinvaneProcess p;
    c.Expect(p.Start(copy, "-D119", outDir, outDir + "\\stdout.txt"), "started with the debug console");
    HWND main = p.WaitMainWindow(20000);
    c.Expect(main != nullptr, "main window exists");
    WaitFor([] { return false; }, 2500);  // the tray icon is up, and two tray ticks have passed
    std::string console;
    c.Expect(ReadProcessConsole(p.Pid(), &console), "the console is read");
    c.Expect(console.find("RegisterHotKey() Error=") != std::string::npos, "the refusal is traced");
    c.Expect(CountOf(console, "CControlDlg::ShowPendingNotice()") == 1, "the balloon tells of it once");
    HWND dialog = OpenPanelDialog(p.Pid(), main, 1018, "プロパティ設定");
    c.Expect(dialog != nullptr, "プロパティ設定 opens");
    HWND status = dialog ? ::GetDlgItem(dialog, 1191) : nullptr;
    c.Expect(status && ::IsWindowVisible(status), "the dialog has a line about it");
    c.ExpectEq(status ? TextOf(status) : std::string(), "デスクトップへの貼り付けホットキーは未登録です.",
               "saying the desktop hotkey is not registered");
    if (dialog) ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    WaitFor([&] { return !::IsWindow(dialog); }, 3000);
    console.clear();
    ReadProcessConsole(p.Pid(), &console);
    c.Expect(CountOf(console, "CControlDlg::ShowPendingNotice()") == 1, "and only once");
    c.Expect(p.Exit(), "exit");
    ::UnregisterHotKey(holder, 1);
    ::DestroyWindow(holder);
    return c.ExitCode();
}

// The balloon of a refused desktop hotkey, held for a screenshot.
int HoldHotkeyNotice(const std::string& exe, const std::string& readyFile, const std::string& doneFile) {
    CChecks c;
    HWND holder = MakeTargetWindow("PvDrive Holder", 0, 0, 10, 10);
    c.Expect(::RegisterHotKey(holder, 1, MOD_WIN | MOD_ALT, 'V') != FALSE, "another program holds Win+Alt+V");
    std::string appDir;
    CPinvaneProcess p;
    StartInstalled(c, exe, p, &appDir);
    WaitFor([] { return false; }, 4500);  // the first tray tick, then the tray shows balloons 2 s after asked
    HoldForScreenshot(readyFile, doneFile);
    c.Expect(p.Exit(), "ends on exit");
    ::UnregisterHotKey(holder, 1);
    ::DestroyWindow(holder);
    return c.ExitCode();
}

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: pvdrive <scenario> <Pinvane.exe> [...]\n");
        return 2;
    }
    std::string scenario = argv[1];
    std::string exe = ToWindowsPath(argv[2]);
    if (scenario == "hidden-start") return HiddenStart(exe);
    if (scenario == "single-instance") return SingleInstance(exe);
    if (scenario == "debug-switch") return DebugSwitch(exe);
    if (scenario == "notes-on-windows") return NotesOnWindows(exe);
    if (scenario == "extension-and-hotkey") return ExtensionAndHotkey(exe);
    if (scenario == "main-window") return MainWindow(exe);
    if (scenario == "manual-save") return ManualSave(exe);
    if (scenario == "renamed-copy") return RenamedCopy(exe);
    if (scenario == "unicode-texts") return UnicodeTexts(exe);
    if (scenario == "properties-hotkey") return PropertiesHotkey(exe);
    if (scenario == "logoff") return Logoff(exe);
    if (scenario == "child-conditions") return ChildConditions(exe);
    if (scenario == "presets-kept") return PresetsKept(exe);
    if (scenario == "save-failures") return SaveFailures(exe);
    if (scenario == "autosave-then-kill") return AutosaveThenKill(exe);
    if (scenario == "kill-during-save") return KillDuringSave(exe);
    if (scenario == "match-tips") return MatchTips(exe);
    if (scenario == "offscreen-rescue") return OffscreenRescue(exe);
    if (scenario == "reminders") return Reminders(exe);
    if (scenario == "synced-folder") return SyncedFolder(exe);
    if (scenario == "hold-tray-menu" && argc >= 5)
        return HoldTrayMenu(exe, ToWindowsPath(argv[3]), ToWindowsPath(argv[4]));
    if (scenario == "hold-notes" && argc >= 5) return HoldNotes(exe, ToWindowsPath(argv[3]), ToWindowsPath(argv[4]));
    if (scenario == "hold-match-tip" && argc >= 5) {
        const std::string ready = ToWindowsPath(argv[3]), done = ToWindowsPath(argv[4]);
        return HoldMatchTip(exe, [&] { HoldForScreenshot(ready, done); });
    }
    if (scenario == "hold-reminder" && argc >= 5)
        return HoldReminder(exe, ToWindowsPath(argv[3]), ToWindowsPath(argv[4]));
    if (scenario == "desktop-hotkey-refused") return DesktopHotkeyRefused(exe);
    if (scenario == "hold-hotkey-notice" && argc >= 5)
        return HoldHotkeyNotice(exe, ToWindowsPath(argv[3]), ToWindowsPath(argv[4]));
    if (scenario == "hold-main" && argc >= 5)
        return HoldMainWindow(exe, ToWindowsPath(argv[3]), ToWindowsPath(argv[4]));
    std::fprintf(stderr, "unknown scenario %s\n", scenario.c_str());
    return 2;
}

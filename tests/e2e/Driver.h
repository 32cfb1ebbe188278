// Helpers of the end-to-end driver: starting Pinvane.exe in a scratch
// directory, finding its windows and checking results from outside.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace e2e {

// A path given by CTest on Linux ("/work/...") as a Windows path.
std::string ToWindowsPath(const std::string& path);

// A new empty directory under the temporary directory.
std::string MakeScratchDir(const char* tag);

// Names of the files in a directory (without "." and "..").
std::vector<std::string> ListFiles(const std::string& dir);

bool FileExists(const std::string& path);
std::string ReadFile(const std::string& path);

class CPinvaneProcess {
public:
    CPinvaneProcess() = default;
    ~CPinvaneProcess();
    CPinvaneProcess(const CPinvaneProcess&) = delete;
    CPinvaneProcess& operator=(const CPinvaneProcess&) = delete;

    // Starts `exe` with the argument text in `cwd`; standard output and
    // error go to `outputFile` when it is not empty.
    bool Start(const std::string& exe, const std::string& args, const std::string& cwd,
               const std::string& outputFile = std::string());
    DWORD Pid() const { return m_pi.dwProcessId; }
    bool Running() const;
    // Waits for the end of the process; false on time-out.
    bool WaitExit(DWORD timeoutMs);
    // Waits for the main window of the process.
    HWND WaitMainWindow(DWORD timeoutMs);
    // Asks for the tray command "終了" and waits for the end.
    bool Exit(DWORD timeoutMs = 15000);
    void Kill();

private:
    PROCESS_INFORMATION m_pi{};
    bool m_started = false;
};

// The first top-level window of the process whose caption is `title`
// (any caption when null) and whose class is `className` (any when null).
HWND FindProcessWindow(DWORD pid, const char* title, const char* className);
HWND WaitProcessWindow(DWORD pid, const char* title, const char* className, DWORD timeoutMs);

// Records failed checks; the scenario's exit code is 1 when any failed.
class CChecks {
public:
    void Expect(bool ok, const char* what);
    void ExpectEq(const std::string& actual, const std::string& expected, const char* what);
    void Expect(bool ok, const std::string& what) { Expect(ok, what.c_str()); }
    void ExpectEq(const std::string& actual, const std::string& expected, const std::string& what) {
        ExpectEq(actual, expected, what.c_str());
    }
    int ExitCode() const;

private:
    int m_failed = 0;
    int m_passed = 0;
};

// Copies Pinvane.exe into a fresh directory and returns the copy's path.
std::string InstallCopy(const std::string& exe, std::string* dirOut);
// Installs a copy of Pinvane (with `data` as its data file when given),
// starts it in its own directory and waits for its main window.
HWND StartInstalled(CChecks& c, const std::string& exe, CPinvaneProcess& p, std::string* appDir,
                    const std::string& data = std::string());
// Waits until `done` holds, dispatching our own windows' messages meanwhile.
bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs);

struct NoteWindows {
    std::vector<HWND> all;
    std::vector<HWND> ownedBy(HWND owner) const;
};
// The visible windows of process `pid` other than its main window: its notes.
NoteWindows FindNotes(DWORD pid, HWND main);
// A plain visible top-level window of this process to put notes on.
HWND MakeTargetWindow(const char* title, int x, int y, int w, int h);
void WriteText(const std::string& path, const std::string& text);
// Text in the files as Pinvane writes it: the code page's bytes (through
// the system's conversion, best fit for characters it lacks).
std::string CodePageText(const std::string& utf8);
// Bytes as lower-case hexadecimal digits, as the files hold bodies.
std::string Hex(const std::string& bytes);
// Paths are UTF-8 throughout (any script).
bool CopyFileTo(const std::string& from, const std::string& to);
RECT WindowRect(HWND h);
// Sends an extension paste request for a desktop note centred on (x, y).
void PasteDesktopNote(HWND main, int x, int y);

// A list view of another process, read and clicked through memory of
// that process (list view messages carry pointers).
class CRemoteList {
public:
    CRemoteList(DWORD pid, HWND list);
    ~CRemoteList();
    CRemoteList(const CRemoteList&) = delete;
    CRemoteList& operator=(const CRemoteList&) = delete;

    int Count() const;
    std::string Text(int row, int column) const;
    int RowWithText(int column, const std::string& text) const;
    // A left click on the row's first cell, as a user makes it; true once
    // the row is marked (a lost click is made again).
    bool Click(int row) const;
    // The row's first cell in screen coordinates.
    RECT CellRect(int row) const;

private:
    HWND m_list;
    HANDLE m_process = nullptr;
    void* m_memory = nullptr;
};

}  // namespace e2e

// Helpers of the Windows tests: scratch directories, target windows and
// message pumping.
#pragma once

#include <windows.h>

#include "data/TackletData.h"

#include <functional>
#include <string>
#include <vector>

namespace wintest {

// Makes a fresh scratch directory current for the life of the object.
class CScratchDir {
public:
    CScratchDir();
    ~CScratchDir();
    const std::string& Path() const { return m_dir; }

private:
    char m_old[MAX_PATH] = {};
    std::string m_dir;
};

// A plain visible top-level window to put notes on.
class CTargetWindow {
public:
    CTargetWindow(const char* title, int x, int y, int width, int height,
                  DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    ~CTargetWindow();
    CTargetWindow(const CTargetWindow&) = delete;
    CTargetWindow& operator=(const CTargetWindow&) = delete;

    HWND Hwnd() const { return m_hWnd; }
    RECT Rect() const;
    void Close();

private:
    HWND m_hWnd = nullptr;
};

// Answers the message boxes of this process from another thread, in turn
// with the given buttons (IDOK when the list runs out), and records their
// texts.
class CMessageBoxAnswerer {
public:
    explicit CMessageBoxAnswerer(std::vector<int> answers = {});
    ~CMessageBoxAnswerer();
    CMessageBoxAnswerer(const CMessageBoxAnswerer&) = delete;
    CMessageBoxAnswerer& operator=(const CMessageBoxAnswerer&) = delete;

    std::vector<std::string> Texts();

private:
    static DWORD WINAPI ThreadProc(void* self);
    void Run();

    std::vector<int> m_answers;
    std::vector<std::string> m_texts;
    CRITICAL_SECTION m_lock;
    HANDLE m_stop = nullptr;
    HANDLE m_thread = nullptr;
};

// Runs `action` from another thread on the next visible dialog of this
// process captioned `caption` (once), e.g. to fill it in and press OK.
class CDialogDriver {
public:
    CDialogDriver(const char* caption, std::function<void(HWND)> action);
    ~CDialogDriver();
    CDialogDriver(const CDialogDriver&) = delete;
    CDialogDriver& operator=(const CDialogDriver&) = delete;
    // Whether the dialog was found (waits for the action to finish).
    bool Done();

private:
    static DWORD WINAPI ThreadProc(void* self);

    std::string m_caption;
    std::function<void(HWND)> m_action;
    HANDLE m_stop = nullptr;
    HANDLE m_done = nullptr;
    HANDLE m_thread = nullptr;
};

// Chooses the row titled `title` in the next window selection dialog of
// this process and presses OK; or Cancel when `title` is null. Records the
// titles that were listed.
class CWindowChooser {
public:
    // `before` (when given) runs on the driving thread once the dialog is
    // open, before the choice.
    explicit CWindowChooser(const char* title, std::function<void()> before = nullptr);
    std::vector<std::string> ListedTitles();

private:
    void Choose(HWND dialog);

    std::string m_title;
    bool m_cancel;
    std::function<void()> m_before;
    std::vector<std::string> m_listed;
    CDialogDriver m_driver;
};

// Dispatches the waiting messages of this thread for about `ms` milliseconds.
void Pump(DWORD ms);

// A path given on the Linux side ("/tmp/x") as Wine sees it ("Z:\\tmp\\x");
// other paths unchanged.
std::string WinePath(const std::string& path);

// Upper-case base name of this test program ("PV_CONTROLLER_TESTS.EXE").
std::string OwnExeName();

// The screenshot protocol of scripts/screens.sh: a shot program sets its
// scene, says so by creating the ready file, and keeps the scene until the
// done file exists (at most 60 s). Both are its last two arguments.
class CShotFiles {
public:
    // False (with `usage` printed) when fewer than `minArgs` arguments
    // (the program's name counted) were given.
    bool Parse(int argc, char** argv, int minArgs, const char* usage);
    void MarkReady() const;
    bool Done() const;
    // Dispatches this thread's messages until the done file exists.
    void PumpUntilDone() const;
    // MarkReady, then PumpUntilDone.
    void Hold() const;
    const std::string& ReadyPath() const { return m_ready; }

private:
    std::string m_ready;
    std::string m_done;
};

// The notes a starting program takes over from the data file at `path`
// (read as at start: a damaged file comes from its backup).
std::vector<CTackletData> StartupNotes(const std::string& path);
// Hands a controller the notes of the data file at `path`, as the program
// does at start.
template <class Control>
void LoadStartupNotes(Control& control, const std::string& path) {
    control.LoadNotes(path, StartupNotes(path));
}

}  // namespace wintest

#include "app/MossrelApp.h"

#include "app/CommandLine.h"
#include "app/MossrelDlg.h"
#include "app/MultiDisplay.h"
#include "notewin/WindowSystem.h"
#include "data/Trace.h"
#include "platform/AppPaths.h"
#include "platform/Platform.h"
#include "app/StartupData.h"
#include "platform/RuntimeDll.h"
#include "platform/WinText.h"

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>

namespace {
constexpr const char* kMutexName = "__PINVANE_FREE_KESTRANE__";

BOOL WINAPI ConsoleCtrlHandler(DWORD) {
    // Ctrl+C or closing the console must not end the program.
    return TRUE;
}

}  // namespace

void CMossrelApp::SetUpConsole() {
    if (m_debug) {
        ::AllocConsole();
        // Every trace text is Shift-JIS, whatever the system's console default.
        ::SetConsoleOutputCP(932);
        std::freopen("CONOUT$", "w", stdout);
        // Whole lines per write: a console fed byte by byte cannot join the
        // two bytes of a Shift-JIS character (every trace line is flushed).
        std::setvbuf(stdout, nullptr, _IOFBF, 4096);
        std::freopen("CONIN$", "r", stdin);
        ::SetConsoleCtrlHandler(ConsoleCtrlHandler, TRUE);
    } else {
        std::freopen("NUL", "w", stdout);
        std::freopen("NUL", "r", stdin);
    }
    TraceEnable(m_debug);
}

void CMossrelApp::TearDownConsole() {
    if (!m_debug) return;
    ::FreeConsole();
    ::Sleep(1000);
}

int CMossrelApp::Run(int argc, char** argv) {
    // Before anything may load a library.
    CRuntimeDll::RestrictSearchToSystemFolder();
    INITCOMMONCONTROLSEX icc{};
    icc.dwSize = sizeof icc;
    icc.dwICC = 0xFF;
    ::InitCommonControlsEx(&icc);

    // One copy only. The mutex stays owned until the process ends.
    HANDLE mutex = ::CreateMutexW(nullptr, TRUE, WideOf(kMutexName).c_str());
    if (!mutex) return 0;
    if (::GetLastError() == ERROR_ALREADY_EXISTS) {
        ::MessageBoxW(nullptr, L"     Pinvaneは既に起動されています.     ", L"２重起動", MB_OK);
        return 0;
    }

    // The argument lines are traced once the console exists, so find the
    // switch first with tracing still off.
    m_debug = ScanArgumentsForDebug(argc, argv);
    SetUpConsole();
    ScanArgumentsForDebug(argc, argv);

    Trace("********** Start Mossrel DEBUG MODE  *******\n");
    if (m_debug) Trace("DEBUG_MODE ON\n");
    Trace("PORTABLE VERSION START\n");

    // The files live beside the executable, whatever the working directory:
    // each is named by its full path from the program file's own.
    m_programDir = ModuleDirectory();
    if (m_programDir.empty()) {
        // The program's directory cannot be had: the files stay in the
        // working directory.
        m_programDir = CurrentDirFile("");
        Trace("CMossrelApp::Run() the program's directory has no usable name\n");
    } else {
        const std::wstring module = ModulePathWide();
        if (!::SetCurrentDirectoryW(module.substr(0, module.find_last_of(L'\\')).c_str()))
            Trace("CMossrelApp::Run() SetCurrentDirectory failed: %lu\n", ::GetLastError());
    }
    SetAppDirectory(m_programDir);
    Trace("CurrentDir=%s", m_programDir.c_str());

    InstallPlatformServices();

    // Told before any window exists, so that no note list is in use yet.
    for (const std::string& notice : CStartupData::Instance().Notices())
        ::MessageBoxW(nullptr, WideOf(notice).c_str(), L"Pinvane", MB_OK | MB_ICONWARNING);
    CMultiDisplay::Instance().Enumerate();

    {
        CWindowSystemScope windowSystem;
        CMossrelDlg mainWindow;
        mainWindow.DoModal(nullptr);

        CMultiDisplay::Destroy();
        CStartupData::Destroy();
        TearDownConsole();
    }
    return 0;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    CMossrelApp app;
    return app.Run(__argc, __argv);
}

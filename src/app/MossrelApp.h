// The application object: everything before the main window exists and
// after it has gone.
#pragma once

#include <windows.h>

#include <string>

class CMossrelApp {
public:
    // Runs the whole program; returns the process exit code.
    int Run(int argc, char** argv);

    bool DebugMode() const { return m_debug; }
    const std::string& ProgramDir() const { return m_programDir; }

private:
    void SetUpConsole();
    void TearDownConsole();

    bool m_debug = false;
    std::string m_programDir;
};

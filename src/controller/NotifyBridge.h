// Static access points through which note windows and panels reach the
// controller, the export cache, the pending list and the main window.
// Each does nothing (or returns a neutral value) while its target does not
// exist, so no window ever holds a pointer to those objects.
#pragma once

#include <windows.h>

class CControlDlg;
class CMossrelDlg;

class CNotifyBridge {
public:
    static void SetControl(CControlDlg* control) { s_control = control; }
    static void SetMainWindow(CMossrelDlg* main) { s_main = main; }
    static CControlDlg* Control() { return s_control; }
    static CMossrelDlg* MainWindow() { return s_main; }

    // Tracking period (POSINTERVAL) in milliseconds; 0 without a controller.
    static int PosInterval();
    // Note size limits of the settings record.
    static int MinNoteWidth();
    static int MinNoteHeight();
    static int MaxNoteWidth();
    static int MaxNoteHeight();

private:
    static inline CControlDlg* s_control = nullptr;
    static inline CMossrelDlg* s_main = nullptr;
};

// The platform's font dialog on a note's font: screen fonts only, without
// the effects part (no colour, underline or strike-out). Opened for one
// note or for the note defaults; it changes nothing itself.
#pragma once

#include <windows.h>

#include "data/PvLogFont.h"

class CNoteFontDlg {
public:
    // In and out: the whole chosen font on OK, at 96 DPI as note records
    // keep it (the dialog itself shows it at the screen's DPI).
    PvLogFont m_logFont{};

    // The dialog edits the font of the note shown by `noteWnd`: OK after that
    // window has gone acts as Cancel.
    void SetNoteWindow(HWND noteWnd) {
        m_hNoteWnd = noteWnd;
        m_forNote = noteWnd != nullptr;
    }

    // Runs the dialog; true on OK with m_logFont the chosen font.
    bool Run(HWND owner = nullptr);

private:
    HWND m_hNoteWnd = nullptr;
    bool m_forNote = false;
};

// Why a note is shown or not: worked out from the windows the last matching
// tick saw, without asking the window system anything. No window code here.
#pragma once

#include "data/ObjData.h"
#include "data/WinInf.h"

#include <string>
#include <vector>

// Why a top-level window with a title and a readable process did not enter
// the window list.
enum class WindowState { Minimised, Hidden, Disabled, OffScreen };

// A window the tick saw but left out of the window list.
struct CLeftOutWindow {
    PvHandle hWnd = 0;
    std::string title;
    std::string exeName;  // upper case
    WindowState state = WindowState::Hidden;
};

enum class MatchReason {
    NotChecked,    // no tick yet, or the child windows were not read yet
    Shown,         // the note is on its window
    Matching,      // a window matches: the next tick shows the note
    NoProgram,     // no window of the note's program is open
    TitleDiffers,  // windows of the program are open, none has the title
    ChildClass,    // the title matches, no child window has the class name
    ChildId,       // a child has the class name, none also the control ID
    ChildText,     // the child with class name and ID has another text
    Minimised,     // the matching window is minimised,
    Hidden,        // hidden,
    Disabled,      // disabled (a modal dialog is open, for example)
    OffScreen,     // or lies on no monitor
};

struct CMatchExplanation {
    MatchReason reason = MatchReason::NotChecked;
    // The window the reason is about: the target, the matching window, the
    // left-out window, or for TitleDiffers the nearest title.
    std::string windowTitle;

    // One or two short lines for the main panel's tip (lines end in CR LF).
    std::string Text(const CObjData& note) const;
};

// The note's condition against the last tick's window list (`windows`,
// children read where the tick tested them) and the windows it left out.
// An empty list means that no tick ran yet.
//
// Order of the answers: shown; a window that matches; a window of the
// program with the title whose child condition fails; a left-out window of
// the program with the title; windows of the program without the title
// (with the nearest title); no window of the program.
//
// The nearest title is the one with the fewest character edits (insert,
// delete, replace; a double-byte character counts as one) from the note's
// title, or for a title fragment the fewest edits until the fragment occurs
// in it; the frontmost window wins a tie. Only the first 256 bytes of each
// title count.
CMatchExplanation ExplainMatch(const CObjData& note, bool shown, const std::vector<CWinInf>& windows,
                               const std::vector<CLeftOutWindow>& leftOut);

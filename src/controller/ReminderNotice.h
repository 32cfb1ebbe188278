// What the tray's balloon says when notes' reminders fall due.
#pragma once

#include <string>

#include "data/ObjData.h"

struct CReminderNotice {
    static constexpr std::size_t kMaxTitle = 63;  // the balloon's title field holds 64 bytes
    static constexpr std::size_t kMaxText = 255;  // its text field 256
    static constexpr std::size_t kMaxLine = 120;  // each of the text's two lines

    std::string title;      // "リマインダー", with the number of further notes due
    std::string firstLine;  // the note's first line
    std::string source;     // its program and title, or the desktop
    // The balloon's text: the first line, a line break, the source.
    std::string Text() const { return firstLine + "\r\n" + source; }
};

// The notice for `note` with body `body`; `others` more notes fell due at
// the same time.
CReminderNotice MakeReminderNotice(const CObjData& note, const std::string& body, int others);

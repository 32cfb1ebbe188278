#include "controller/ReminderNotice.h"

#include <cstdio>

#include "data/MbString.h"
#include "data/PvTypes.h"

CReminderNotice MakeReminderNotice(const CObjData& note, const std::string& body, int others) {
    CReminderNotice n;
    n.title = "リマインダー";
    if (others > 0) {
        char more[32];
        std::snprintf(more, sizeof more, "（ほか%d件）", others);
        n.title += more;
    }
    n.title = MbCut(n.title, CReminderNotice::kMaxTitle);
    const std::string line = body.substr(0, body.find_first_of("\r\n"));
    n.firstLine = MbCut(line.empty() ? std::string("（本文なし）") : line, CReminderNotice::kMaxLine);
    if (note.EXENAME == kDesktopName) {
        n.source = "[デスクトップ]";
    } else {
        n.source = "[" + note.EXENAME + "] " + note.TITLE;
    }
    n.source = MbCut(n.source, CReminderNotice::kMaxLine);
    return n;
}

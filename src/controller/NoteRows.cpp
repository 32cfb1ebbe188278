#include "controller/NoteRows.h"

#include "data/NoteDate.h"

#include <cstdio>

std::string FormatListDate(PvTime time) {
    // The stored form "YYYYMMDDhhmm" carries exactly the fields shown.
    const std::string s = FormatNoteDate(time);
    if (s.size() != 12) return std::string();
    auto field = [&s](std::size_t pos, std::size_t len) { return std::stoi(s.substr(pos, len)); };
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d/%2d/%02d %02d:%02d", field(0, 4), field(4, 2), field(6, 2), field(8, 2),
                  field(10, 2));
    return buf;
}

std::array<std::string, 5> NoteRowTexts(const CTackletData& note, ListMode mode, const std::string& currentText) {
    std::array<std::string, 5> row;
    if (note.PRECESSEFLAG) row[0] = note.EXENAME;
    if (mode == ListMode::Text)
        row[1] = currentText;
    else if (note.TITLEFLAG)
        row[1] = note.FULL ? note.TITLE : note.PART;
    row[2] = FormatListDate(note.ACSDATE);
    row[3] = FormatListDate(note.GENDATE);
    return row;
}

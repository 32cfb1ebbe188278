#include "collections/TrashRows.h"

#include "data/NoteDate.h"

std::string FirstLineOf(std::string_view text) {
    // Line-break bytes are never part of a double-byte character.
    return std::string(text.substr(0, text.find_first_of("\r\n")));
}

std::string ConditionText(const CObjData& note) {
    std::string text;
    if (note.PRECESSEFLAG) text = note.EXENAME;
    const std::string& title = note.FULL ? note.TITLE : note.PART;
    // A desktop note asks for "DESKTOP" twice: said once.
    if (note.TITLEFLAG && !title.empty() && title != text) text += (text.empty() ? "" : " / ") + title;
    return text;
}

std::string TrashDateText(PvTime time) {
    const std::string s = FormatNoteDate(time);
    if (s.size() != 12) return std::string();
    return s.substr(0, 4) + "/" + s.substr(4, 2) + "/" + s.substr(6, 2) + " " + s.substr(8, 2) + ":" + s.substr(10, 2);
}

std::array<std::string, 3> TrashRowTexts(const CTrashItem& item) {
    return {FirstLineOf(item.note.TEXT), ConditionText(item.note), TrashDateText(item.deleted)};
}

std::string TrashDaysText(int days) { return "削除から" + std::to_string(days) + "日後に自動で消えます"; }

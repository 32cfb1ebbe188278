#include "collections/TrashRows.h"

#include <gtest/gtest.h>

#include "data/NoteDate.h"

namespace {

TEST(TrashRowsTest, ARowShowsTheFirstLineTheConditionAndTheDeletionTime) {
    struct Case {
        const char* text;
        int processFlag, titleFlag, full;
        const char* firstLine;
        const char* condition;
    };
    const Case cases[] = {
        {"one line", 1, 1, 1, "one line", "NOTEPAD.EXE / メモ - 無題"},
        {"first\r\nsecond", 1, 0, 1, "first", "NOTEPAD.EXE"},
        {"\r\nafter an empty line", 0, 1, 1, "", "メモ - 無題"},
        {"表示\nLF only", 0, 1, 0, "表示", "無題"},  // a fragment of the title
        {"", 0, 0, 1, "", ""},
    };
    CObjData desktop;
    desktop.EXENAME = desktop.TITLE = "DESKTOP";
    desktop.PRECESSEFLAG = desktop.TITLEFLAG = desktop.FULL = 1;
    EXPECT_EQ(ConditionText(desktop), "DESKTOP");
    PvTime deleted = 0;
    ASSERT_TRUE(ParseNoteDate("202612010905", &deleted));
    for (const Case& c : cases) {
        CTrashItem item;
        item.note.TEXT = c.text;
        item.note.EXENAME = "NOTEPAD.EXE";
        item.note.TITLE = "メモ - 無題";
        item.note.PART = "無題";
        item.note.PRECESSEFLAG = c.processFlag;
        item.note.TITLEFLAG = c.titleFlag;
        item.note.FULL = c.full;
        item.deleted = deleted;
        const std::array<std::string, 3> row = TrashRowTexts(item);
        EXPECT_EQ(row[0], c.firstLine) << c.text;
        EXPECT_EQ(row[1], c.condition) << c.text;
        EXPECT_EQ(row[2], "2026/12/01 09:05");
    }
}

TEST(TrashRowsTest, TheTrashFileLiesBesideTheDataFile) {
    EXPECT_EQ(TrashPathBeside("C:\\Tools\\Pinvane\\PinvaneData.ini"), "C:\\Tools\\Pinvane\\PinvaneTrash.ini");
    // "ソ" ends in the byte 0x5C: not a separator.
    EXPECT_EQ(TrashPathBeside("C:\\\x83\x5C\\PinvaneData.ini"), "C:\\\x83\x5C\\PinvaneTrash.ini");
    EXPECT_EQ(TrashPathBeside("/tmp/x/PinvaneData.ini"), "/tmp/x/PinvaneTrash.ini");
    EXPECT_EQ(TrashPathBeside("PinvaneData.ini"), "PinvaneTrash.ini");
}

}  // namespace

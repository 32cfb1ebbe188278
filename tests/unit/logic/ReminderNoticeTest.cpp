#include "controller/ReminderNotice.h"

#include <gtest/gtest.h>

namespace {

CObjData On(const char* exe, const char* title) {
    CObjData n;
    n.EXENAME = exe;
    n.TITLE = title;
    return n;
}

TEST(ReminderNoticeTest, FirstLineAndWhereTheNoteIs) {
    struct Case {
        const char* what;
        CObjData note;
        std::string body;
        int others;
        std::string title, text;
    };
    const Case cases[] = {
        {"first line of a window's note", On("NOTEPAD.EXE", "無題 - メモ帳"), "会議の資料\r\n二行目", 0, "リマインダー",
         "会議の資料\r\n[NOTEPAD.EXE] 無題 - メモ帳"},
        {"desktop note", On("DESKTOP", "DESKTOP"), "電話する", 0, "リマインダー", "電話する\r\n[デスクトップ]"},
        {"empty body", On("DESKTOP", "DESKTOP"), "", 0, "リマインダー", "（本文なし）\r\n[デスクトップ]"},
        {"body starting with a line break", On("A.EXE", "a"), "\r\nzwei", 0, "リマインダー", "（本文なし）\r\n[A.EXE] a"},
        {"more notes due", On("A.EXE", "a"), "x", 2, "リマインダー（ほか2件）", "x\r\n[A.EXE] a"},
    };
    for (const Case& k : cases) {
        const CReminderNotice n = MakeReminderNotice(k.note, k.body, k.others);
        EXPECT_EQ(n.title, k.title) << k.what;
        EXPECT_EQ(n.Text(), k.text) << k.what;
    }
}

// Long lines are cut on a character boundary and the whole fits the
// balloon's fields.
TEST(ReminderNoticeTest, LongTextsFitTheBalloon) {
    std::string body;
    for (int i = 0; i < 200; ++i) body += "あ";
    const CReminderNotice n = MakeReminderNotice(On("A.EXE", body.c_str()), "x" + body, 99999);
    EXPECT_LE(n.title.size(), CReminderNotice::kMaxTitle);
    EXPECT_LE(n.Text().size(), CReminderNotice::kMaxText);
    EXPECT_EQ(n.firstLine.size() % 3, 1u) << "x and whole characters";
    EXPECT_EQ(n.firstLine.substr(0, 4), "x" + body.substr(0, 3));
}

}  // namespace

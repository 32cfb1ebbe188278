#include <gtest/gtest.h>

#include "FakeWindows.h"
#include "data/CodePage.h"
#include "data/TackletData.h"

namespace {

CWinInf Window(PvHandle h, const char* exe, const char* title, const char* path = "C:\\x.exe") {
    CWinInf w;
    w.hWnd = h;
    w.exeName = exe;
    w.title = title;
    w.exePath = path;
    return w;
}

CChildWinInf Child(PvHandle h, const char* cls, int id, const char* text) {
    CChildWinInf c;
    c.hWnd = h;
    c.className = cls;
    c.ctrlId = id;
    c.text = text;
    return c;
}

struct MatchCase {
    const char* name;
    int processFlag, titleFlag, full, extentFlag, exFull;
    const char* exeName;
    const char* titleOrPart;
    const char* exClass;
    int exCtlId;
    const char* exText;
    bool matches;
};

class MatchTest : public ::testing::Test {
protected:
    MatchTest() {
        system.windows[1] = {0, 0, 100, 100};
        system.windows[2] = {0, 0, 100, 100};
        system.children[1] = {Child(11, "Static", 5, "ラベル"), Child(12, "Edit", 15, "検索文字列"),
                              Child(13, "Edit", 15, "second")};
    }
    FakeWindowSystem system;
};

TEST_F(MatchTest, ConditionTable) {
    // Window 1: NOTEPAD.EXE, "無題 - メモ帳".
    const MatchCase cases[] = {
        {"all flags off", 0, 0, 1, 0, 1, "", "", "", 0, "", true},
        {"process only", 1, 0, 1, 0, 1, "NOTEPAD.EXE", "", "", 0, "", true},
        {"process is case-sensitive", 1, 0, 1, 0, 1, "notepad.exe", "", "", 0, "", false},
        {"whole title", 0, 1, 1, 0, 1, "", "無題 - メモ帳", "", 0, "", true},
        {"whole title differs", 0, 1, 1, 0, 1, "", "無題", "", 0, "", false},
        {"fragment", 0, 1, 0, 0, 1, "", "メモ", "", 0, "", true},
        {"empty fragment", 0, 1, 0, 0, 1, "", "", "", 0, "", true},
        {"fragment inside a character", 0, 1, 0, 0, 1, "", "\xA1", "", 0, "", false},
        {"child whole text", 0, 0, 1, 1, 1, "", "", "Edit", 15, "検索文字列", true},
        {"first child of class and id", 0, 0, 1, 1, 1, "", "", "Edit", 15, "second", false},
        {"child fragment", 0, 0, 1, 1, 0, "", "", "Edit", 15, "文字", true},
        {"child id differs", 0, 0, 1, 1, 0, "", "", "Edit", 16, "", false},
        {"child class is case-sensitive", 0, 0, 1, 1, 0, "", "", "edit", 15, "", false},
        {"all three", 1, 1, 0, 1, 1, "NOTEPAD.EXE", "メモ帳", "Static", 5, "ラベル", true},
    };
    for (const auto& c : cases) {
        CTackletData n;
        n.PRECESSEFLAG = c.processFlag;
        n.TITLEFLAG = c.titleFlag;
        n.FULL = c.full;
        n.EXTENTFLAG = c.extentFlag;
        n.EXFULLFLAG = c.exFull;
        n.EXENAME = c.exeName;
        (c.full ? n.TITLE : n.PART) = c.titleOrPart;
        n.EXCLASS = c.exClass;
        n.EXCTLID = c.exCtlId;
        (c.exFull ? n.EXTEXT : n.EXPART) = c.exText;
        CWinInf w = Window(1, "NOTEPAD.EXE", "無題 - メモ帳");
        EXPECT_EQ(n.IsMatchWindow(w), c.matches) << c.name;
    }
}

// Look-alike titles outside the code page: a record with the exact title
// matches only its window; a record of an older file, which holds the
// titles' code-page form, matches either as it always did.
TEST_F(MatchTest, ExactTitlesTellLookAlikesApartAndOldRecordsMatchAsBefore) {
    const std::string smile = "Report 😀 draft";
    const std::string grin = "Report 😃 draft";
    const std::string old = TextOfCodePage(CodePageOf(smile));
    ASSERT_EQ(old, TextOfCodePage(CodePageOf(grin)));
    struct Case {
        const char* what;
        int full;
        std::string text;
        bool smileMatches, grinMatches;
    };
    const Case cases[] = {
        {"exact whole title", 1, smile, true, false},
        {"exact fragment", 0, "😃", false, true},
        {"old whole title", 1, old, true, true},
        {"old fragment", 0, old.substr(0, old.size() - 2), true, true},
    };
    for (const Case& c : cases) {
        CTackletData n;
        n.PRECESSEFLAG = 0;
        n.TITLEFLAG = 1;
        n.FULL = c.full;
        (c.full ? n.TITLE : n.PART) = c.text;
        CWinInf a = Window(1, "WORDPAD.EXE", smile.c_str());
        CWinInf b = Window(2, "WORDPAD.EXE", grin.c_str());
        EXPECT_EQ(n.IsMatchWindow(a), c.smileMatches) << c.what;
        EXPECT_EQ(n.IsMatchWindow(b), c.grinMatches) << c.what;
    }
    // A process name from an older file matches the same way.
    CTackletData n;
    n.PRECESSEFLAG = 1;
    n.TITLEFLAG = 0;
    n.EXENAME = TextOfCodePage(CodePageOf("MÜLLER.EXE"));
    CWinInf w = Window(1, "MÜLLER.EXE", "t");
    EXPECT_TRUE(n.IsMatchWindow(w));
}

TEST_F(MatchTest, ProcessMatchUpdatesThePathEvenWhenTheTitleFails) {
    CTackletData n;
    n.EXENAME = "NOTEPAD.EXE";
    n.EXEPATH = "old";
    n.TITLE = "other";
    CWinInf w = Window(1, "NOTEPAD.EXE", "無題 - メモ帳", "D:\\new\\notepad.exe");
    EXPECT_FALSE(n.IsMatchWindow(w));
    EXPECT_EQ(n.EXEPATH, "D:\\new\\notepad.exe");

    CWinInf other = Window(2, "CALC.EXE", "電卓", "E:\\calc.exe");
    EXPECT_FALSE(n.IsMatchWindow(other));
    EXPECT_EQ(n.EXEPATH, "D:\\new\\notepad.exe");
}

TEST_F(MatchTest, ChildrenAreEnumeratedOnceAndOnlyForExistingWindows) {
    CTackletData n;
    n.PRECESSEFLAG = n.TITLEFLAG = 0;
    n.EXTENTFLAG = 1;
    n.EXCLASS = "Static";
    n.EXCTLID = 5;
    n.EXTEXT = "ラベル";
    CWinInf w = Window(1, "A.EXE", "t");
    EXPECT_TRUE(n.IsMatchWindow(w));
    EXPECT_TRUE(n.IsMatchWindow(w));
    EXPECT_EQ(system.enumerations, 1);
    EXPECT_EQ(w.childrenEnumerated, 1);

    CWinInf gone = Window(7, "A.EXE", "t");
    EXPECT_FALSE(n.IsMatchWindow(gone));
    EXPECT_EQ(gone.childrenEnumerated, 0);
    EXPECT_EQ(system.enumerations, 1);
}

TEST_F(MatchTest, FindChildTakesTheFirstOfClassAndId) {
    CWinInf w = Window(1, "A.EXE", "t");
    w.EnumerateChildren();
    CChildWinInf found;
    ASSERT_EQ(w.FindChild("Edit", 15, &found), 1);
    EXPECT_EQ(found.hWnd, 12u);
    EXPECT_EQ(w.FindChild("Edit", 5, &found), 0);
}

TEST_F(MatchTest, DetachedRecordAttachesToTheFirstMatchingWindow) {
    CTackletData n;
    n.PRECESSEFLAG = n.TITLEFLAG = n.EXTENTFLAG = 0;
    std::vector<CWinInf> list{Window(2, "B.EXE", "b"), Window(1, "A.EXE", "a")};
    n.MatchWindows(list);
    EXPECT_EQ(n.m_bAttached, 1);
    EXPECT_EQ(n.hTargetWnd, 2u);
    EXPECT_EQ(system.created.size(), 1u);
}

TEST_F(MatchTest, AttachedRecordStaysOrDetaches) {
    CTackletData n;
    n.EXENAME = "A.EXE";
    n.TITLEFLAG = 0;
    std::vector<CWinInf> list{Window(2, "B.EXE", "b"), Window(1, "A.EXE", "a")};
    n.MatchWindows(list);
    ASSERT_EQ(n.hTargetWnd, 1u);
    FakeTackletWindow* w = system.LastWindow();

    n.MatchWindows(list);  // still there and matching
    EXPECT_EQ(n.m_bAttached, 1);
    EXPECT_FALSE(w->destroyed);

    list[1].exeName = "C.EXE";  // stops matching
    n.MatchWindows(list);
    EXPECT_EQ(n.m_bAttached, 0);
    EXPECT_TRUE(w->destroyed);
    EXPECT_EQ(n.m_bModified, 1);
}

TEST_F(MatchTest, TargetMissingFromTheListDetachesAndTouchesAccessTime) {
    CTackletData n;
    n.PRECESSEFLAG = n.TITLEFLAG = 0;
    std::vector<CWinInf> list{Window(1, "A.EXE", "a")};
    n.MatchWindows(list);
    ASSERT_EQ(n.m_bAttached, 1);
    n.ACSDATE = 0;
    std::vector<CWinInf> other{Window(2, "A.EXE", "a")};
    n.MatchWindows(other);
    EXPECT_EQ(n.m_bAttached, 0);
    EXPECT_GT(n.ACSDATE, 0);
}

}  // namespace

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controller/MatchExplain.h"

namespace {

CWinInf Window(PvHandle h, const std::string& exe, const std::string& title) {
    CWinInf w;
    w.hWnd = h;
    w.exeName = exe;
    w.title = title;
    return w;
}

CChildWinInf Child(const std::string& cls, int id, const std::string& text) {
    CChildWinInf c;
    c.className = cls;
    c.ctrlId = id;
    c.text = text;
    return c;
}

CWinInf WithChildren(CWinInf w, std::vector<CChildWinInf> children) {
    w.children = std::move(children);
    w.childrenEnumerated = 1;
    return w;
}

CObjData Note(const std::string& exe, const std::string& title) {
    CObjData n;
    n.EXENAME = exe;
    n.TITLE = title;
    return n;
}

CObjData ChildNote(const std::string& cls, int id, const std::string& text) {
    CObjData n = Note("EDITOR.EXE", "文書 - エディタ");
    n.EXTENTFLAG = 1;
    n.EXCLASS = cls;
    n.EXCTLID = id;
    n.EXTEXT = text;
    return n;
}

// The window list of one tick: the desktop entry first.
std::vector<CWinInf> List(std::vector<CWinInf> windows) {
    windows.insert(windows.begin(), Window(1, kDesktopName, kDesktopName));
    return windows;
}

struct Case {
    const char* name;
    CObjData note;
    bool shown;
    std::vector<CWinInf> windows;
    std::vector<CLeftOutWindow> leftOut;
    MatchReason reason;
    std::string windowTitle;
};

TEST(MatchExplain, EveryReason) {
    const CWinInf editor = Window(10, "EDITOR.EXE", "文書 - エディタ");
    const CWinInf other = Window(11, "OTHER.EXE", "文書 - エディタ");
    const std::vector<CChildWinInf> children = {Child("Button", 0, "一番"), Child("Edit", 100, "本文")};
    CObjData shown = Note("EDITOR.EXE", "文書 - エディタ");
    shown.hTargetWnd = 10;
    CObjData part = Note("EDITOR.EXE", "");
    part.FULL = 0;
    part.PART = "エディタ";
    CObjData partChild = ChildNote("Edit", 100, "");
    partChild.EXFULLFLAG = 0;
    partChild.EXPART = "本";
    const Case cases[] = {
        {"no tick yet", Note("EDITOR.EXE", "文書 - エディタ"), false, {}, {}, MatchReason::NotChecked, ""},
        {"shown on its target", shown, true, List({other, editor}), {}, MatchReason::Shown, "文書 - エディタ"},
        {"a window matches", Note("EDITOR.EXE", "文書 - エディタ"), false, List({other, editor}), {},
         MatchReason::Matching, "文書 - エディタ"},
        {"a fragment matches", part, false, List({editor}), {}, MatchReason::Matching, "文書 - エディタ"},
        {"desktop note", Note(kDesktopName, kDesktopName), false, List({editor}), {}, MatchReason::Matching,
         kDesktopName},
        {"no window of the program", Note("EDITOR.EXE", "文書 - エディタ"), false, List({other}), {},
         MatchReason::NoProgram, ""},
        {"only a hidden window of the program", Note("EDITOR.EXE", "設定"), false, List({other}),
         {{12, "隠れ窓", "EDITOR.EXE", WindowState::Hidden}}, MatchReason::NoProgram, ""},
        {"title differs", Note("EDITOR.EXE", "文書 - エディタ"), false,
         List({Window(12, "EDITOR.EXE", "無題 - エディタ"), Window(13, "EDITOR.EXE", "設定")}), {},
         MatchReason::TitleDiffers, "無題 - エディタ"},
        {"a minimised window counts for the nearest title", Note("EDITOR.EXE", "文書 - エディタ"), false,
         List({Window(12, "EDITOR.EXE", "設定")}), {{13, "文書2 - エディタ", "EDITOR.EXE", WindowState::Minimised}},
         MatchReason::TitleDiffers, "文書2 - エディタ"},
        {"fragment nearest", part, false,
         List({Window(12, "EDITOR.EXE", "無題 - エヂタ"), Window(13, "EDITOR.EXE", "エディ - 無題")}), {},
         MatchReason::TitleDiffers, "エディ - 無題"},
        {"child class differs", ChildNote("Static", 100, "本文"), false, List({WithChildren(editor, children)}), {},
         MatchReason::ChildClass, "文書 - エディタ"},
        {"child ID differs", ChildNote("Edit", 7, "本文"), false, List({WithChildren(editor, children)}), {},
         MatchReason::ChildId, "文書 - エディタ"},
        {"child text differs", ChildNote("Edit", 100, "下書き"), false, List({WithChildren(editor, children)}), {},
         MatchReason::ChildText, "文書 - エディタ"},
        {"child text fragment matches", partChild, false, List({WithChildren(editor, children)}), {},
         MatchReason::Matching, "文書 - エディタ"},
        {"the furthest child stage wins", ChildNote("Edit", 100, "下書き"), false,
         List({WithChildren(Window(12, "EDITOR.EXE", "文書 - エディタ"), {Child("Static", 1, "x")}),
               WithChildren(editor, children)}),
         {}, MatchReason::ChildText, "文書 - エディタ"},
        {"children not read yet", ChildNote("Edit", 100, "本文"), false, List({editor}), {}, MatchReason::NotChecked,
         ""},
        {"minimised", Note("EDITOR.EXE", "文書 - エディタ"), false, List({other}),
         {{12, "文書 - エディタ", "EDITOR.EXE", WindowState::Minimised}}, MatchReason::Minimised, "文書 - エディタ"},
        {"hidden", Note("EDITOR.EXE", "文書 - エディタ"), false, List({}),
         {{12, "文書 - エディタ", "EDITOR.EXE", WindowState::Hidden}}, MatchReason::Hidden, "文書 - エディタ"},
        {"disabled", Note("EDITOR.EXE", "文書 - エディタ"), false, List({}),
         {{12, "文書 - エディタ", "EDITOR.EXE", WindowState::Disabled}}, MatchReason::Disabled, "文書 - エディタ"},
        {"off every monitor", Note("EDITOR.EXE", "文書 - エディタ"), false, List({}),
         {{12, "文書 - エディタ", "OTHER.EXE", WindowState::Minimised},
          {13, "文書 - エディタ", "EDITOR.EXE", WindowState::OffScreen}},
         MatchReason::OffScreen, "文書 - エディタ"},
    };
    for (const Case& c : cases) {
        const CMatchExplanation e = ExplainMatch(c.note, c.shown, c.windows, c.leftOut);
        EXPECT_EQ(e.reason, c.reason) << c.name;
        EXPECT_EQ(e.windowTitle, c.windowTitle) << c.name;
        EXPECT_FALSE(e.Text(c.note).empty()) << c.name;
    }
}

TEST(MatchExplain, NearestTitleCountsDoubleByteCharactersAsOne) {
    // From "メモ": "メモabc" takes three edits however one counts; "メモ帳2"
    // takes two characters but three bytes. Counted in bytes the front
    // window would win the tie.
    const CObjData note = Note("EDITOR.EXE", "メモ");
    const auto windows = List({Window(12, "EDITOR.EXE", "メモabc"), Window(13, "EDITOR.EXE", "メモ帳2")});
    const CMatchExplanation e = ExplainMatch(note, false, windows, {});
    EXPECT_EQ(e.reason, MatchReason::TitleDiffers);
    EXPECT_EQ(e.windowTitle, "メモ帳2");
}

// Titles outside the code page: the exact title a record holds is matched
// exactly, so the explanation names the look-alike window as the nearest
// title (one character apart), never as a match.
TEST(MatchExplain, LookAlikeTitlesOutsideTheCodePageAreToldApart) {
    const CObjData note = Note("WORDPAD.EXE", "Report 😀 draft");
    const auto windows = List({Window(12, "WORDPAD.EXE", "Report 😃 draft"), Window(13, "WORDPAD.EXE", "Other")});
    const CMatchExplanation e = ExplainMatch(note, false, windows, {});
    EXPECT_EQ(e.reason, MatchReason::TitleDiffers);
    EXPECT_EQ(e.windowTitle, "Report 😃 draft");
    EXPECT_NE(e.Text(note).find("「Report 😃 draft」"), std::string::npos);
}

TEST(MatchExplain, NearestTitleTieGoesToTheFrontWindow) {
    const CObjData note = Note("EDITOR.EXE", "abc");
    const auto windows = List({Window(12, "EDITOR.EXE", "abx"), Window(13, "EDITOR.EXE", "xbc")});
    EXPECT_EQ(ExplainMatch(note, false, windows, {}).windowTitle, "abx");
}

// Titles are compared on their first 256 bytes only: an 8 KB stored title
// against a 100 KB window title costs no more than two short titles, and
// what differs past that point does not count (the front window wins the
// tie, where the whole titles would have chosen the other).
TEST(MatchExplain, NearestTitleComparesOnlyTheStartOfLongTitles) {
    const std::string start(256, 'x');
    const CObjData note = Note("EDITOR.EXE", start + std::string(8 * 1024, 'a'));
    const auto windows = List({Window(12, "EDITOR.EXE", start + std::string(100 * 1024, 'b')),
                               Window(13, "EDITOR.EXE", start + std::string(8 * 1024, 'a') + "!")});
    const CMatchExplanation e = ExplainMatch(note, false, windows, {});
    EXPECT_EQ(e.reason, MatchReason::TitleDiffers);
    // The front window, told by its length (the titles are too long to print).
    EXPECT_EQ(e.windowTitle.size(), windows[1].title.size());
}

TEST(MatchExplain, TextsNameTheStoredConditionAndTheWindow) {
    CObjData note = Note("EDITOR.EXE", "文書 - エディタ");
    CMatchExplanation e;
    e.reason = MatchReason::TitleDiffers;
    e.windowTitle = "無題 - エディタ";
    EXPECT_EQ(e.Text(note), "タイトルが合いません。近いタイトル:「無題 - エディタ」\r\n付箋の条件:「文書 - エディタ」");
    note.FULL = 0;
    note.PART = "文書";
    EXPECT_EQ(e.Text(note), "タイトルが合いません。近いタイトル:「無題 - エディタ」\r\n付箋の条件(部分):「文書」");

    e.reason = MatchReason::NoProgram;
    EXPECT_EQ(e.Text(note), "EDITOR.EXE のウィンドウが開いていません。");

    CObjData child = ChildNote("Edit", 100, "本文");
    e.reason = MatchReason::ChildId;
    EXPECT_EQ(e.Text(child), "子ウィンドウのIDが合いません。\r\n付箋の条件: ID 100（クラス名「Edit」）");

    e.reason = MatchReason::Minimised;
    e.windowTitle = std::string(200, 'a') + "長い";
    const std::string text = e.Text(note);
    EXPECT_EQ(text, "ウィンドウが最小化されています。\r\n「" + std::string(120, 'a') + "…」");

    // A cut never splits a double-byte character.
    e.windowTitle = std::string(119, 'a') + "長い";
    EXPECT_EQ(e.Text(note), "ウィンドウが最小化されています。\r\n「" + std::string(119, 'a') + "…」");
}

}  // namespace

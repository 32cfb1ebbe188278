// Commands that wait for the user (a question, a dialog) while other
// messages change the note list: each must act on the note it was asked
// for, and on nothing else.
#include "ControllerFixture.h"
#include "WinTestUtil.h"

#include "controller/ExtensionRequest.h"
#include "res/resource.h"

#include <algorithm>
#include <functional>
#include <set>

namespace {

// Runs a function on the test's own thread when asked from another thread,
// the way a paste request of another program runs inside a modal loop.
class CUiThreadCall {
public:
    CUiThreadCall() {
        WNDCLASSA wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "PvUiThreadCall";
        ::RegisterClassA(&wc);
        m_hwnd = ::CreateWindowA("PvUiThreadCall", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    }
    ~CUiThreadCall() { ::DestroyWindow(m_hwnd); }
    // From the other thread: returns once `f` has run on the window's thread.
    void Run(const std::function<void()>& f) const {
        ::SendMessageA(m_hwnd, WM_APP, 0, reinterpret_cast<LPARAM>(&f));
    }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == WM_APP) {
            (*reinterpret_cast<const std::function<void()>*>(lParam))();
            return 0;
        }
        return ::DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    HWND m_hwnd = nullptr;
};

class ModalPointTest : public CControllerFixture {
public:  // the table's commands and changes reach the fixture through a reference
    void SetUp() override {
        CControllerFixture::SetUp();
        for (const char* text : {"one", "two", "three"}) {
            CTackletData note;
            note.TITLE = "PvModal A";
            note.EXENAME = wintest::OwnExeName();
            note.TEXT = text;
            control.AddNote(note);
        }
        control.MatchTick();  // rows: three, two, one; all shown on A
    }

    int RowOf(const std::string& text) {
        for (size_t i = 0; i < control.Notes().Size(); ++i)
            if (control.Notes()[i].GetText() == text) return static_cast<int>(i);
        return -1;
    }
    HWND NoteHwnd(const std::string& text) {
        const CTackletData& note = control.Notes()[static_cast<size_t>(RowOf(text))];
        return note.m_pWin ? reinterpret_cast<HWND>(note.m_pWin->Handle()) : nullptr;
    }
    void MarkRow(const std::string& text) {
        ListView_SetSelectionMark(control.GetItem(IDC_PANEL_LIST), RowOf(text));
    }
    void PanelCommand(int id) { ::SendMessageA(control.GetHwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    void NoteCommand(HWND note, int id) { ::SendMessageA(note, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

    // The texts and titles of all notes, "text@title", sorted.
    std::set<std::string> State() {
        std::set<std::string> out;
        for (const CTackletData& note : control.Notes().Items()) out.insert(note.GetText() + "@" + note.TITLE);
        return out;
    }

    wintest::CTargetWindow targetA{"PvModal A", 100, 100, 500, 400};
    wintest::CTargetWindow targetB{"PvModal B", 650, 100, 400, 300};
    CUiThreadCall ui;
};

// A change of the list made while the command waits; `added` is the state
// entry it adds ("" for none), `removed` the one it removes.
struct ListChange {
    const char* name;
    std::function<void(ModalPointTest&, CControlDlg&)> run;
    std::string added;
    std::string removed;
};

// Presses `button` in the next message box captioned `caption`, after
// `change` has run on the test's thread.
class CAnswerAfter {
public:
    CAnswerAfter(const char* caption, int button, std::function<void()> change)
        : m_driver(caption, [button, change](HWND box) {
              change();
              ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
          }) {}
    bool Done() { return m_driver.Done(); }

private:
    wintest::CDialogDriver m_driver;
};

TEST_F(ModalPointTest, EachCommandActsOnItsOwnNoteAfterTheListChanged) {
    const ListChange changes[] = {
        {"paste by hotkey",
         [](ModalPointTest& t, CControlDlg& c) { c.PasteToWindow(t.targetB.Hwnd()); }, "@PvModal B", ""},
        {"paste by the extension",
         [](ModalPointTest&, CControlDlg& c) {
             CExtensionRequest request;
             request.target = reinterpret_cast<PvHandle>(::GetDesktopWindow());
             c.PasteFromExtension(request);
         },
         "@DESKTOP", ""},
        {"another note peeled off",
         [](ModalPointTest& t, CControlDlg& c) { c.notifyDeleteWindow(t.NoteHwnd("one")); }, "", "one@PvModal A"},
    };
    struct Point {
        const char* name;
        // Starts the command on note "two", with `change` running while it waits.
        std::function<void(ModalPointTest&, const std::function<void()>& change)> command;
        // What the command does to note "two" ("" : removed).
        std::string result;
    };
    const Point points[] = {
        {"delete one",
         [](ModalPointTest& t, const std::function<void()>& change) {
             t.MarkRow("two");
             CAnswerAfter answer("Pinvane", IDYES, change);
             t.PanelCommand(IDC_PANEL_DELETE);
             EXPECT_TRUE(answer.Done());
         },
         ""},
        {"body edit",
         [](ModalPointTest& t, const std::function<void()>& change) {
             t.MarkRow("two");
             wintest::CDialogDriver edit("本文編集", [change](HWND dialog) {
                 change();
                 ::SetDlgItemTextA(dialog, 1007, "edited");
                 ::PostMessageA(dialog, WM_COMMAND, IDOK, 0);
             });
             t.PanelCommand(IDC_PANEL_EDITTEXT);
             EXPECT_TRUE(edit.Done());
         },
         "edited@PvModal A"},
        {"re-attach from the panel",
         [](ModalPointTest& t, const std::function<void()>& change) {
             t.MarkRow("two");
             wintest::CWindowChooser chooser("PvModal B", change);
             t.PanelCommand(IDC_PANEL_REPASTE);
             EXPECT_FALSE(chooser.ListedTitles().empty());
         },
         "two@PvModal B"},
        {"move from the note's menu",
         [](ModalPointTest& t, const std::function<void()>& change) {
             wintest::CWindowChooser chooser("PvModal B", change);
             t.NoteCommand(t.NoteHwnd("two"), ID_TACKLET_MOVE_WINDOW);
             EXPECT_FALSE(chooser.ListedTitles().empty());
         },
         "two@PvModal B"},
        {"peel off",
         [](ModalPointTest& t, const std::function<void()>& change) {
             CAnswerAfter answer("確認", IDYES, change);
             t.NoteCommand(t.NoteHwnd("two"), ID_TACKLET_DELETE);
             EXPECT_TRUE(answer.Done());
         },
         ""},
    };
    for (const Point& point : points) {
        for (const ListChange& change : changes) {
            SCOPED_TRACE(std::string(point.name) + " / " + change.name);
            TearDown();
            SetUp();
            std::set<std::string> expected = State();
            expected.erase("two@PvModal A");
            if (!point.result.empty()) expected.insert(point.result);
            if (!change.added.empty()) expected.insert(change.added);
            if (!change.removed.empty()) expected.erase(change.removed);

            bool changed = false;
            point.command(*this, [&] {
                ui.Run([&] { change.run(*this, control); });
                changed = true;
            });
            EXPECT_TRUE(changed);
            control.MatchTick();
            EXPECT_EQ(State(), expected);
        }
    }
}


// The peel-off question is open while the note loses its window (a tick
// detaches it, its target closes) or leaves the list: the answer acts on
// that note by its identity, never on the window object that asked.
TEST_F(ModalPointTest, PeelOffActsOnItsNoteAfterItsWindowWentAway) {
    struct Case {
        const char* name;
        std::function<void(ModalPointTest&, CControlDlg&, wintest::CTargetWindow&)> change;
        int answer;
        bool kept;  // whether note "peel" is still in the list afterwards
    };
    const Case cases[] = {
        {"its target hidden: detached, window ended",
         [](ModalPointTest&, CControlDlg& c, wintest::CTargetWindow& target) {
             ::ShowWindow(target.Hwnd(), SW_HIDE);
             c.MatchTick();
         },
         IDYES, false},
        {"detached and attached again: a new window",
         [](ModalPointTest&, CControlDlg& c, wintest::CTargetWindow& target) {
             ::ShowWindow(target.Hwnd(), SW_HIDE);
             c.MatchTick();
             ::ShowWindow(target.Hwnd(), SW_SHOWNA);
             c.MatchTick();
         },
         IDYES, false},
        {"its target closed: the window ended with it",
         [](ModalPointTest&, CControlDlg& c, wintest::CTargetWindow& target) {
             target.Close();
             c.MatchTick();
         },
         IDYES, false},
        {"removed from the list meanwhile",
         [](ModalPointTest& t, CControlDlg& c, wintest::CTargetWindow&) { c.notifyDeleteWindow(t.NoteHwnd("peel")); },
         IDYES, false},
        {"detached, then No",
         [](ModalPointTest&, CControlDlg& c, wintest::CTargetWindow& target) {
             ::ShowWindow(target.Hwnd(), SW_HIDE);
             c.MatchTick();
         },
         IDNO, true},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        TearDown();
        SetUp();
        wintest::CTargetWindow target{"PvModal Peel", 200, 150, 400, 300};
        CTackletData note;
        note.TITLE = "PvModal Peel";
        note.EXENAME = wintest::OwnExeName();
        note.TEXT = "peel";
        control.AddNote(note);
        control.MatchTick();
        const HWND window = NoteHwnd("peel");
        ASSERT_NE(window, nullptr);
        std::set<std::string> expected = State();
        if (!k.kept) expected.erase("peel@PvModal Peel");

        bool changed = false;
        CAnswerAfter answer("確認", k.answer, [&] {
            ui.Run([&] { k.change(*this, control, target); });
            changed = true;
        });
        NoteCommand(window, ID_TACKLET_DELETE);
        EXPECT_TRUE(answer.Done());
        EXPECT_TRUE(changed);
        EXPECT_FALSE(::IsWindow(window));
        EXPECT_EQ(State(), expected);
    }
}

}  // namespace

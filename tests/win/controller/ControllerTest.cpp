// The controller with real windows under Wine: the window list, attaching,
// detaching, following and the note requests.
#include "ControllerFixture.h"
#include "data/IniFile.h"
#include "data/MbString.h"
#include "data/TextProtect.h"
#include "WinTestUtil.h"

#include "controller/ControlDlg.h"
#include "controller/ExtensionRequest.h"
#include "controller/TargetWatch.h"
#include "controller/WindowList.h"
#include "notewin/WindowSystem.h"
#include "res/resource.h"
#include "notewin/TackletWin.h"
#include "WindowFinder.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <memory>
#include <fstream>
#include <functional>
#include <iterator>
#include <utility>

using wintest::CTargetWindow;
using wintest::Pump;

namespace {

class ControllerTest : public CControllerFixture {
protected:

    // A note for windows of this program titled `title`.
    CTackletData NoteFor(const char* title) {
        CTackletData note;
        note.TITLE = title;
        note.EXENAME = wintest::OwnExeName();
        note.TEXT = title;
        return note;
    }
    CTackletData& Note(size_t i) { return control.Notes()[i]; }
    HWND NoteHwnd(size_t i) { return Note(i).m_pWin ? reinterpret_cast<HWND>(Note(i).m_pWin->Handle()) : nullptr; }
    HWND OwnerOf(size_t i) { return NoteHwnd(i) ? ::GetWindow(NoteHwnd(i), GW_OWNER) : nullptr; }
    // A window created with the desktop as owner has no owner of its own.
    HWND TargetOf(size_t i) { return Note(i).m_pWin ? static_cast<CTackletWin*>(Note(i).m_pWin)->TargetHwnd() : nullptr; }
    RECT NoteRect(size_t i) {
        RECT r{};
        ::GetWindowRect(NoteHwnd(i), &r);
        return r;
    }
    bool Listed(HWND h) {
        const auto& list = control.WindowList();
        return std::any_of(list.begin(), list.end(), [h](const CWinInf& w) { return ToHwnd(w.hWnd) == h; });
    }

};

TEST_F(ControllerTest, WindowListStartsWithTheDesktopAndSkipsIneligibleWindows) {
    CTargetWindow good("PvTarget good", 100, 100, 300, 200);
    CTargetWindow hidden("PvTarget hidden", 100, 100, 300, 200);
    ::ShowWindow(hidden.Hwnd(), SW_HIDE);
    CTargetWindow untitled("", 100, 100, 300, 200);
    CTargetWindow disabled("PvTarget disabled", 100, 100, 300, 200);
    ::EnableWindow(disabled.Hwnd(), FALSE);
    CTargetWindow offscreen("PvTarget offscreen", -5000, -5000, 300, 200);
    CTargetWindow flat("PvTarget flat", 100, 100, 0, 200, WS_POPUP | WS_VISIBLE);
    CTargetWindow shell("program manager", 100, 100, 300, 200);
    CTargetWindow minimised("PvTarget minimised", 100, 100, 300, 200);
    ::ShowWindow(minimised.Hwnd(), SW_MINIMIZE);

    control.MatchTick();
    const auto& list = control.WindowList();
    ASSERT_FALSE(list.empty());
    EXPECT_EQ(ToHwnd(list[0].hWnd), ::GetDesktopWindow());
    EXPECT_EQ(list[0].title, "DESKTOP");
    EXPECT_EQ(list[0].exeName, "DESKTOP");
    EXPECT_TRUE(Listed(good.Hwnd()));
    const std::pair<const char*, HWND> skipped[] = {
        {"hidden", hidden.Hwnd()},         {"untitled", untitled.Hwnd()}, {"disabled", disabled.Hwnd()},
        {"offscreen", offscreen.Hwnd()},   {"flat", flat.Hwnd()},         {"shell", shell.Hwnd()},
        {"minimised", minimised.Hwnd()},
    };
    for (const auto& [name, h] : skipped) EXPECT_FALSE(Listed(h)) << name;
    auto it = std::find_if(list.begin(), list.end(), [&](const CWinInf& w) { return ToHwnd(w.hWnd) == good.Hwnd(); });
    ASSERT_NE(it, list.end());
    EXPECT_EQ(it->exeName, wintest::OwnExeName());
    EXPECT_NE(MbToUpper(it->exePath).find(wintest::OwnExeName()), std::string::npos) << it->exePath;
}

TEST_F(ControllerTest, WindowsOfTheOwnProcessAreNeverTargetsWhateverTheFileName) {
    // This program is a test program, not Pinvane.exe: its windows are ours by process, not by name.
    ASSERT_NE(wintest::OwnExeName(), "PINVANE.EXE");
    CTargetWindow own("PvTarget own", 100, 100, 300, 200);
    control.AddNote(NoteFor("PvTarget own"));
    const struct {
        const char* name;
        DWORD ownProcess;
        bool target;
    } cases[] = {
        {"no own process given", 0, true},
        {"another process", ::GetCurrentProcessId() + 4, true},
        {"this process", ::GetCurrentProcessId(), false},
    };
    for (const auto& c : cases) {
        control.SetOwnProcess(c.ownProcess);
        control.MatchTick();
        EXPECT_EQ(Listed(own.Hwnd()), c.target) << c.name;
        EXPECT_EQ(control.IsPasteTarget(own.Hwnd()), c.target) << c.name;
        EXPECT_EQ(Note(0).m_bAttached == 1, c.target) << c.name;
    }
}

TEST_F(ControllerTest, PasteTargetTests) {
    CTargetWindow good("PvTarget paste", 100, 100, 300, 200);
    CTargetWindow shell("Program Manager", 100, 100, 300, 200);
    CTargetWindow lower("program manager", 100, 100, 300, 200);
    CTargetWindow disabled("PvTarget disabled", 100, 100, 300, 200);
    ::EnableWindow(disabled.Hwnd(), FALSE);
    EXPECT_TRUE(control.IsPasteTarget(good.Hwnd()));
    EXPECT_FALSE(control.IsPasteTarget(shell.Hwnd()));
    // Unlike the window list, the paste test compares the title exactly.
    EXPECT_TRUE(control.IsPasteTarget(lower.Hwnd()));
    EXPECT_FALSE(control.IsPasteTarget(disabled.Hwnd()));
    EXPECT_FALSE(control.IsPasteTarget(nullptr));
}

TEST_F(ControllerTest, DetachedNoteTakesTheFrontmostMatchAndKeepsIt) {
    CTargetWindow back("PvTarget same", 100, 100, 300, 200);
    CTargetWindow front("PvTarget same", 150, 150, 300, 200);
    ::SetWindowPos(front.Hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    control.AddNote(NoteFor("PvTarget same"));
    control.MatchTick();
    ASSERT_EQ(Note(0).m_bAttached, 1);
    EXPECT_EQ(OwnerOf(0), front.Hwnd());

    ::SetWindowPos(back.Hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    control.MatchTick();
    EXPECT_EQ(OwnerOf(0), front.Hwnd());
}

TEST_F(ControllerTest, NoteWithoutConditionsLandsOnTheDesktop) {
    CTargetWindow any("PvTarget any", 100, 100, 300, 200);
    CTackletData note = NoteFor("x");
    note.TITLEFLAG = note.PRECESSEFLAG = note.EXTENTFLAG = 0;
    control.AddNote(note);
    control.MatchTick();
    EXPECT_EQ(TargetOf(0), ::GetDesktopWindow());
}

struct DetachCase {
    const char* name;
    std::function<void(HWND)> leave;
    std::function<void(HWND)> comeBack;  // null: the window cannot come back
};

TEST_F(ControllerTest, DetachesWhenTheTargetLeavesAndComesBackAtTheSameOffset) {
    const DetachCase cases[] = {
        {"minimised", [](HWND h) { ::ShowWindow(h, SW_MINIMIZE); }, [](HWND h) { ::ShowWindow(h, SW_RESTORE); }},
        {"hidden", [](HWND h) { ::ShowWindow(h, SW_HIDE); }, [](HWND h) { ::ShowWindow(h, SW_SHOWNOACTIVATE); }},
        {"disabled", [](HWND h) { ::EnableWindow(h, FALSE); }, [](HWND h) { ::EnableWindow(h, TRUE); }},
        {"retitled", [](HWND h) { ::SetWindowTextA(h, "PvTarget other"); },
         [](HWND h) { ::SetWindowTextA(h, "PvTarget leave"); }},
        {"moved off every monitor",
         [](HWND h) { ::SetWindowPos(h, nullptr, -6000, -6000, 0, 0, SWP_NOSIZE | SWP_NOZORDER); },
         [](HWND h) { ::SetWindowPos(h, nullptr, 200, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER); }},
    };
    for (const DetachCase& k : cases) {
        SCOPED_TRACE(k.name);
        CTargetWindow target("PvTarget leave", 200, 150, 400, 300);
        control.AddNote(NoteFor("PvTarget leave"));
        control.MatchTick();
        ASSERT_EQ(Note(0).m_bAttached, 1);
        Note(0).m_pWin->MoveWindow(230, 190, 150, 60);
        RECT before = NoteRect(0);
        Note(0).ACSDATE = 0;

        k.leave(target.Hwnd());
        Pump(20);
        control.MatchTick();
        EXPECT_EQ(Note(0).m_bAttached, 0);
        EXPECT_EQ(Note(0).m_pWin, nullptr);
        EXPECT_GT(Note(0).ACSDATE, 0) << "access time touched on detach";
        EXPECT_EQ(Note(0).REC_LEFT, before.left);

        k.comeBack(target.Hwnd());
        Pump(20);
        control.MatchTick();
        ASSERT_EQ(Note(0).m_bAttached, 1);
        EXPECT_EQ(OwnerOf(0), target.Hwnd());
        RECT after = NoteRect(0);
        EXPECT_EQ(after.left, before.left);
        EXPECT_EQ(after.top, before.top);
        Note(0).EndTacklet();
        control.Notes().RemoveAt(0);
    }
}

TEST_F(ControllerTest, ClosedTargetLetsTheNoteReturnOnANewWindowAtTheSameOffset) {
    auto first = std::make_unique<CTargetWindow>("PvTarget reopen", 100, 100, 400, 300);
    control.AddNote(NoteFor("PvTarget reopen"));
    control.MatchTick();
    ASSERT_EQ(Note(0).m_bAttached, 1);
    Note(0).m_pWin->MoveWindow(120, 130, 150, 60);

    first.reset();
    control.MatchTick();
    EXPECT_EQ(Note(0).m_bAttached, 0);
    EXPECT_EQ(Note(0).REC_LEFT, 120) << "state kept although the system destroyed the note with its owner";

    CTargetWindow second("PvTarget reopen", 300, 250, 400, 300);
    control.MatchTick();
    ASSERT_EQ(Note(0).m_bAttached, 1);
    EXPECT_EQ(OwnerOf(0), second.Hwnd());
    RECT r = NoteRect(0);
    EXPECT_EQ(r.left - 300, 20);
    EXPECT_EQ(r.top - 250, 30);
}

TEST_F(ControllerTest, TextTypedIntoANoteSurvivesItsTargetClosing) {
    auto target = std::make_unique<CTargetWindow>("PvTarget typed", 100, 100, 400, 300);
    control.AddNote(NoteFor("PvTarget typed"));
    control.MatchTick();
    ASSERT_EQ(Note(0).m_bAttached, 1);
    auto* win = static_cast<CTackletWin*>(Note(0).m_pWin);
    ::SetWindowTextA(win->EditHwnd(), "typed just before closing");
    target.reset();  // the system destroys the owned note window too
    control.MatchTick();
    EXPECT_EQ(Note(0).m_bAttached, 0);
    EXPECT_EQ(Note(0).TEXT, "typed just before closing");
}

TEST_F(ControllerTest, NoteFollowsItsMovedTarget) {
    CTargetWindow target("PvTarget follow", 100, 100, 400, 300);
    control.AddNote(NoteFor("PvTarget follow"));
    control.MatchTick();
    ASSERT_EQ(Note(0).m_bAttached, 1);
    RECT before = NoteRect(0);
    ::SetWindowPos(target.Hwnd(), nullptr, 160, 140, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    static_cast<CTackletWin*>(Note(0).m_pWin)->FollowTargetOnce();
    RECT after = NoteRect(0);
    EXPECT_EQ(after.left - before.left, 60);
    EXPECT_EQ(after.top - before.top, 40);
}

// Moving the target is enough: the target watch wakes the controller, no
// tick or timer of the test's own is needed.
TEST_F(ControllerTest, NoteFollowsItsTargetThroughTheTargetWatch) {
    CTargetWindow target("PvTarget watched", 100, 100, 400, 300);
    control.AddNote(NoteFor("PvTarget watched"));
    control.MatchTick();
    ASSERT_EQ(Note(0).m_bAttached, 1);
    const RECT before = NoteRect(0);
    ::SetWindowPos(target.Hwnd(), nullptr, 130, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    for (int i = 0; i < 100 && NoteRect(0).left == before.left; ++i) Pump(50);
    EXPECT_EQ(NoteRect(0).left - before.left, 30);
    EXPECT_EQ(NoteRect(0).top - before.top, 50);
}

TEST_F(ControllerTest, DesktopNoteStaysShown) {
    control.PasteToDesktop();
    control.MatchTick();
    ASSERT_EQ(Note(0).m_bAttached, 1);
    {
        CTargetWindow other("PvTarget other", 100, 100, 300, 200);
        control.MatchTick();
    }
    control.MatchTick();
    EXPECT_EQ(Note(0).m_bAttached, 1);
    EXPECT_EQ(TargetOf(0), ::GetDesktopWindow());
    EXPECT_TRUE(::IsWindowVisible(NoteHwnd(0)));
}

// The release polling runs only while a latch waits: a hotkey starts it,
// five polls with the key up release the latch and stop it again.
TEST_F(ControllerTest, ReleasePollingRunsOnlyWhileAHotkeyWaitsForRelease) {
    const HWND hwnd = control.GetHwnd();
    ::SendMessageA(hwnd, WM_HOTKEY, HOTKEY_PASTE_DESKTOP, 0);
    ::SendMessageA(hwnd, WM_HOTKEY, HOTKEY_PASTE_DESKTOP, 0);  // latched: no second note
    ASSERT_EQ(control.Notes().Size(), 1u);
    Pump(1500);  // the timer started by the hotkey polls the key up five times
    EXPECT_FALSE(::KillTimer(hwnd, TIMER_HOTKEY_RELEASE)) << "the polling stops once the latch is released";
    ::SendMessageA(hwnd, WM_HOTKEY, HOTKEY_PASTE_DESKTOP, 0);
    EXPECT_EQ(control.Notes().Size(), 2u);
    EXPECT_TRUE(::KillTimer(hwnd, TIMER_HOTKEY_RELEASE)) << "armed again by the next hotkey";
}

TEST_F(ControllerTest, PasteToWindowCentresOnTheCursorOnlyInsideTheWindow) {
    CTargetWindow target("PvTarget paste", 100, 100, 400, 300);
    ::SetCursorPos(5, 5);
    control.PasteToWindow(target.Hwnd());
    ASSERT_EQ(control.Notes().Size(), 1u);
    EXPECT_EQ(Note(0).TITLE, "PvTarget paste");
    EXPECT_EQ(Note(0).EXENAME, wintest::OwnExeName());
    EXPECT_EQ(Note(0).REC_LEFT, Note(0).REC_RIGHT) << "outside: no position, centred when shown";

    ::SetCursorPos(300, 250);
    control.PasteToWindow(target.Hwnd());
    ASSERT_EQ(control.Notes().Size(), 2u);
    EXPECT_EQ(Note(0).REC_LEFT, 300 - 100);
    EXPECT_EQ(Note(0).REC_TOP, 250 - 30);
    EXPECT_EQ(Note(0).REC_RIGHT, 300 + 100);
    EXPECT_EQ(Note(0).REC_BOTTOM, 250 + 30);
    EXPECT_EQ(Note(0).TGT_LEFT, target.Rect().left);
    EXPECT_EQ(Note(1).m_bModified, 1);

    CTargetWindow shell("Program Manager", 100, 100, 400, 300);
    control.PasteToWindow(shell.Hwnd());
    EXPECT_EQ(control.Notes().Size(), 2u);
}

TEST_F(ControllerTest, RequestsFindTheCallerAndActOnIt) {
    CTargetWindow target("PvTarget requests", 100, 100, 400, 300);
    for (int i = 0; i < 3; ++i) control.AddNote(NoteFor("PvTarget requests"));
    control.MatchTick();
    for (size_t i = 0; i < 3; ++i) ASSERT_EQ(Note(i).m_bAttached, 1);
    for (auto& n : control.Notes().Items()) n.m_bModified = 0;

    // Duplicate: 5 pixels right of and below, detached, at the head.
    Note(1).m_pWin->MoveWindow(120, 130, 150, 60);
    control.notifyCopyWindow(NoteHwnd(1));
    ASSERT_EQ(control.Notes().Size(), 4u);
    EXPECT_EQ(Note(0).m_bAttached, 0);
    EXPECT_EQ(Note(0).REC_LEFT, 125);
    EXPECT_EQ(Note(0).REC_TOP, 135);

    // Delete the note at position 2: the following ones are marked.
    for (auto& n : control.Notes().Items()) n.m_bModified = 0;
    HWND gone = NoteHwnd(2);
    control.notifyDeleteWindow(gone);
    ASSERT_EQ(control.Notes().Size(), 3u);
    EXPECT_FALSE(::IsWindow(gone));
    EXPECT_EQ(Note(0).m_bModified, 0);
    EXPECT_EQ(Note(2).m_bModified, 1);

    // A caller that is no note changes nothing.
    control.notifyDeleteWindow(target.Hwnd());
    EXPECT_EQ(control.Notes().Size(), 3u);
}

TEST_F(ControllerTest, CompositionCountsOverlapsAndMergesOne) {
    CTargetWindow target("PvTarget merge", 100, 100, 500, 400);
    for (int i = 0; i < 3; ++i) control.AddNote(NoteFor("PvTarget merge"));
    control.MatchTick();
    Note(0).m_pWin->MoveWindow(110, 110, 100, 50);
    Note(1).m_pWin->MoveWindow(150, 120, 100, 50);
    Note(2).m_pWin->MoveWindow(400, 400, 100, 50);
    Note(0).m_pWin->SetText("abc");
    Note(1).m_pWin->SetText("def");
    EXPECT_EQ(control.notifyComposition(NoteHwnd(2)), 0);
    Note(2).m_pWin->MoveWindow(130, 115, 100, 50);
    EXPECT_EQ(control.notifyComposition(NoteHwnd(2)), 2);
    Note(2).m_pWin->MoveWindow(400, 400, 100, 50);
    Note(0).m_pWin->SetText(std::string(3999, 'x'));
    EXPECT_EQ(control.notifyComposition(NoteHwnd(0)), -1);
    EXPECT_EQ(control.Notes().Size(), 3u);
    Note(0).m_pWin->SetText("abc");
    EXPECT_EQ(control.notifyComposition(NoteHwnd(0)), 1);
    ASSERT_EQ(control.Notes().Size(), 2u);
    EXPECT_EQ(Note(0).GetText(), "abcdef");
}

TEST_F(ControllerTest, MoveToDesktopCentresOnTheScreenAndReappears) {
    CTargetWindow target("PvTarget desk", 100, 100, 400, 300);
    control.AddNote(NoteFor("PvTarget desk"));
    control.MatchTick();
    Note(0).m_pWin->MoveWindow(120, 130, 200, 60);
    control.notifyMoveDesktop(NoteHwnd(0));
    EXPECT_EQ(Note(0).EXENAME, "DESKTOP");
    RECT screen{};
    ::GetWindowRect(::GetDesktopWindow(), &screen);
    EXPECT_EQ(Note(0).REC_LEFT, (screen.right - 200) / 2);
    control.MatchTick();
    ASSERT_EQ(Note(0).m_bAttached, 1);
    EXPECT_EQ(TargetOf(0), ::GetDesktopWindow());
}

TEST_F(ControllerTest, SaveAllDetachesWritesAndTheNextStartRestores) {
    CTargetWindow target("PvTarget save", 100, 100, 400, 300);
    control.AddNote(NoteFor("PvTarget save"));
    control.MatchTick();
    Note(0).m_pWin->MoveWindow(140, 150, 180, 70);
    Note(0).m_pWin->SetText("saved text");
    control.SaveAll();
    EXPECT_EQ(Note(0).m_bAttached, 0);

    CControlDlg again;
    ASSERT_TRUE(again.Create(host.Hwnd()));
    wintest::LoadStartupNotes(again, scratch.Path() + "\\PinvaneData.ini");
    ::KillTimer(again.GetHwnd(), 103);
    ASSERT_EQ(again.Notes().Size(), 1u);
    EXPECT_EQ(again.Notes()[0].TEXT, "saved text");
    // Both controllers share the records' window system; attach through the new one.
    again.MatchTick();
    ASSERT_EQ(again.Notes()[0].m_bAttached, 1);
    RECT r{};
    ::GetWindowRect(reinterpret_cast<HWND>(again.Notes()[0].m_pWin->Handle()), &r);
    EXPECT_EQ(r.left, 140);
    EXPECT_EQ(r.top, 150);
    EXPECT_EQ(r.right - r.left, 180);
    again.Notes()[0].EndTacklet();
    again.DestroyWindow();
}

// A condition on a child text with a line break still matches after a
// restart: the text comes back whole from the data file.
TEST_F(ControllerTest, AChildTextWithALineBreakStillMatchesAfterARestart) {
    CTargetWindow target("PvTarget child", 100, 100, 400, 300);
    const std::string text = "OK\r\n押してください";
    const HWND child = ::CreateWindowExW(0, L"EDIT", pvtest::Wide(text).c_str(), WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 0, 200, 60,
                                         target.Hwnd(), reinterpret_cast<HMENU>(77), nullptr, nullptr);
    ASSERT_NE(child, nullptr);
    CTackletData note = NoteFor("PvTarget child");
    note.EXTENTFLAG = 1;
    note.EXFULLFLAG = 1;
    note.EXCLASS = "Edit";
    note.EXCTLID = 77;
    note.EXTEXT = text;
    control.AddNote(note);
    control.MatchTick();
    ASSERT_EQ(Note(0).m_bAttached, 1);
    control.SaveAll();

    CControlDlg again;
    ASSERT_TRUE(again.Create(host.Hwnd()));
    wintest::LoadStartupNotes(again, scratch.Path() + "\\PinvaneData.ini");
    ::KillTimer(again.GetHwnd(), 103);
    ASSERT_EQ(again.Notes().Size(), 1u);
    EXPECT_EQ(again.Notes()[0].EXTEXT, text);
    again.MatchTick();
    EXPECT_EQ(again.Notes()[0].m_bAttached, 1);
    if (again.Notes()[0].m_bAttached == 1) again.Notes()[0].EndTacklet();
    again.DestroyWindow();
}

// A body the program could not read shows its notice in the note and goes
// back to the file as it stood there, through the note window and a save.
TEST_F(ControllerTest, AnUnreadableBodyIsShownAsANoticeAndSavedAsItStood) {
    CTargetWindow target("PvTarget body", 100, 100, 400, 300);
    CTackletData note = NoteFor("PvTarget body");
    note.TEXT = kUnreadableBodyNotice;
    note.m_storedFormat = 7;
    note.m_storedDigits = "0011223344";
    control.AddNote(note);
    control.MatchTick();
    ASSERT_EQ(Note(0).m_bAttached, 1);
    EXPECT_EQ(Note(0).m_pWin->GetText(), kUnreadableBodyNotice);
    ASSERT_TRUE(control.SaveAll(false));
    const CIniFile saved = CIniFile::Load(scratch.Path() + "\\PinvaneData.ini");
    EXPECT_EQ(saved.GetString("TACKLETITEM0", "TEXTFORMAT", ""), "7");
    EXPECT_EQ(saved.GetString("TACKLETITEM0", "TEXT", ""), "0011223344");
}

std::string ReadWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Counts the rebuilds of the main panel's list by the texts its note count
// receives (one per rebuild).
class CRefreshCounter {
public:
    explicit CRefreshCounter(HWND countStatic) : m_hwnd(countStatic) {
        ::SetWindowSubclass(m_hwnd, Proc, 1, reinterpret_cast<DWORD_PTR>(this));
    }
    ~CRefreshCounter() { ::RemoveWindowSubclass(m_hwnd, Proc, 1); }
    int Take() { return std::exchange(m_count, 0); }

private:
    static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR self) {
        if (msg == WM_SETTEXT) ++reinterpret_cast<CRefreshCounter*>(self)->m_count;
        return ::DefSubclassProc(h, msg, w, l);
    }
    HWND m_hwnd;
    int m_count = 0;
};

TEST_F(ControllerTest, WorkOnManyNotesRebuildsTheListOnce) {
    constexpr int kNotes = 40;
    CTargetWindow target("PvTarget many", 100, 100, 500, 400);
    for (int i = 0; i < kNotes; ++i) control.AddNote(NoteFor("PvTarget many"));
    CRefreshCounter refreshes(::GetDlgItem(control.GetHwnd(), IDC_PANEL_COUNT));

    control.MatchTick();
    for (size_t i = 0; i < kNotes; ++i) ASSERT_EQ(Note(i).m_bAttached, 1) << i;
    refreshes.Take();
    Note(7).m_pWin->SetText("typed last");
    control.SaveAll();
    EXPECT_EQ(refreshes.Take(), 1) << "save";
    for (size_t i = 0; i < kNotes; ++i) EXPECT_EQ(Note(i).m_bAttached, 0) << i;
    const std::string saved = ReadWhole(scratch.Path() + "\\PinvaneData.ini");
    EXPECT_NE(saved.find("TACKLETNUM=40\r"), std::string::npos);

    control.MatchTick();  // all attach again
    refreshes.Take();
    ::ShowWindow(target.Hwnd(), SW_HIDE);
    control.MatchTick();  // all detach
    EXPECT_EQ(refreshes.Take(), 1) << "tick";
    for (size_t i = 0; i < kNotes; ++i) EXPECT_EQ(Note(i).m_bAttached, 0) << i;
    EXPECT_EQ(Note(7).TEXT, "typed last");
}

TEST_F(ControllerTest, SaveCurrentStateWritesWhatTheNotesShowAndKeepsThemShown) {
    CTargetWindow target("PvTarget state", 100, 100, 400, 300);
    control.AddNote(NoteFor("PvTarget state"));
    control.MatchTick();
    ASSERT_EQ(Note(0).m_bAttached, 1);
    Note(0).m_pWin->SetText("on screen");
    const HWND shown = NoteHwnd(0);
    ASSERT_TRUE(control.SaveCurrentState());
    EXPECT_EQ(NoteHwnd(0), shown);
    EXPECT_TRUE(::IsWindowVisible(shown));
    const std::string saved = ReadWhole(scratch.Path() + "\\PinvaneData.ini");
    EXPECT_NE(saved.find("TACKLETNUM=1\r"), std::string::npos);
    EXPECT_EQ(Note(0).TEXT, "on screen");
}

TEST_F(ControllerTest, MoveOffersTheOtherWindowsAndRetargetsToTheChosenOne) {
    CTargetWindow from("PvTarget from", 100, 100, 400, 300);
    CTargetWindow to("PvTarget to", 500, 300, 300, 200);
    CTackletData note = NoteFor("PvTarget from");
    note.m_arrow.ARWFLAG = 1;
    control.AddNote(note);
    control.MatchTick();
    ASSERT_EQ(Note(0).m_bAttached, 1);
    Note(0).m_pWin->MoveWindow(120, 130, 100, 40);
    {
        wintest::CWindowChooser chooser("PvTarget to");
        control.notifyMove(NoteHwnd(0));
        std::vector<std::string> listed = chooser.ListedTitles();
        EXPECT_EQ(std::count(listed.begin(), listed.end(), "PvTarget from"), 0) << "the current target is left out";
        EXPECT_EQ(std::count(listed.begin(), listed.end(), "PvTarget to"), 1);
    }
    EXPECT_EQ(Note(0).TITLE, "PvTarget to");
    EXPECT_EQ(Note(0).m_arrow.ARWFLAG, 0);
    EXPECT_EQ(Note(0).REC_LEFT, 500 + (300 - 100) / 2);
    control.MatchTick();
    ASSERT_EQ(Note(0).m_bAttached, 1);
    EXPECT_EQ(OwnerOf(0), to.Hwnd());

    {
        wintest::CWindowChooser chooser(nullptr);  // Cancel
        control.notifyMove(NoteHwnd(0));
    }
    EXPECT_EQ(Note(0).TITLE, "PvTarget to");
}

TEST_F(ControllerTest, RepasteToSelectedWindowAddsTheRecordOnlyOnOk) {
    CTargetWindow to("PvTarget repaste", 300, 200, 300, 200);
    control.MatchTick();
    CTackletData record = NoteFor("elsewhere");
    {
        wintest::CWindowChooser chooser(nullptr);
        EXPECT_FALSE(control.RepasteToSelectedWindow(record));
    }
    EXPECT_EQ(control.Notes().Size(), 0u);
    {
        wintest::CWindowChooser chooser("PvTarget repaste");
        EXPECT_TRUE(control.RepasteToSelectedWindow(record));
    }
    ASSERT_EQ(control.Notes().Size(), 1u);
    EXPECT_EQ(Note(0).TITLE, "PvTarget repaste");
}

// The watch posts one message per change until it is acknowledged.
TEST(TargetWatch, PostsWhenATargetMovesOnceUntilAcknowledged) {
    constexpr UINT kMoved = WM_APP + 7;
    CTargetWindow receiver("PvWatch receiver", 0, 0, 100, 100);
    CTargetWindow target("PvWatch target", 100, 100, 300, 200);
    auto posted = [&](DWORD waitMs) {
        int count = 0;
        MSG msg;
        for (DWORD waited = 0; waited <= waitMs; waited += 20) {
            while (::PeekMessageA(&msg, receiver.Hwnd(), kMoved, kMoved, PM_REMOVE)) ++count;
            if (count) break;
            ::Sleep(20);
        }
        ::Sleep(60);  // anything posted right behind it
        while (::PeekMessageA(&msg, receiver.Hwnd(), kMoved, kMoved, PM_REMOVE)) ++count;
        return count;
    };
    CTargetWatch watch;
    watch.Watch(receiver.Hwnd(), kMoved, 10, {target.Hwnd()});
    ASSERT_TRUE(watch.Watching());
    EXPECT_EQ(posted(5000), 1) << "a target seen for the first time counts as moved";
    ::SetWindowPos(target.Hwnd(), nullptr, 150, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_EQ(posted(300), 0) << "not acknowledged yet: no second message";
    watch.Acknowledge();
    ::SetWindowPos(target.Hwnd(), nullptr, 150, 100, 250, 250, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(posted(5000), 1) << "a change of size after the acknowledgement";
    watch.Acknowledge();
    EXPECT_EQ(posted(300), 0) << "nothing moved";
    watch.Watch(receiver.Hwnd(), kMoved, 10, {});
    EXPECT_FALSE(watch.Watching());
}

TEST(ExtensionRequest, ParsesTheBlockAndRefusesShortOrWrongOnes) {
    unsigned char block[120] = {};
    int32_t one = 1;
    std::memcpy(block, &one, 4);
    std::memcpy(block + 4, &one, 4);
    uint64_t handle = 0x10010;
    std::memcpy(block + 16, &handle, 8);
    int32_t values[] = {500, 400, 2, 1, 3, 1};
    std::memcpy(block + 24, values, sizeof values);
    std::memset(block + 76, 'A', 32);  // face name without terminator
    int32_t gra[] = {1, 6};
    std::memcpy(block + 108, gra, sizeof gra);

    CExtensionRequest r;
    ASSERT_EQ(ParseExtensionRequest(block, 116, &r), ExtensionParse::Ok);
    EXPECT_EQ(r.target, 0x10010u);
    EXPECT_EQ(r.x, 500);
    EXPECT_EQ(r.y, 400);
    EXPECT_EQ(r.COLOR, 2);
    EXPECT_EQ(r.TXCOLOR, 1);
    EXPECT_EQ(r.GRAPTN, 6);
    EXPECT_EQ(std::string(r.font.lfFaceName), std::string(31, 'A'));
    EXPECT_EQ(ParseExtensionRequest(block, 115, &r), ExtensionParse::TooShort);
    block[4] = 2;
    EXPECT_EQ(ParseExtensionRequest(block, 116, &r), ExtensionParse::WrongHeader);
}

}  // namespace

namespace {

TEST_F(ControllerTest, NewNotesTakeTheLeaderLineWidthOfTheSettings) {
    const std::string path = scratch.Path() + "\\MossrelPropaty.ini";
    FILE* f = std::fopen(path.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fputs("[SYSTEM]\r\nARROWLINEWIDTH=2\r\n", f);
    std::fclose(f);
    {
        wintest::CMessageBoxAnswerer answerer;  // should a hotkey be taken already
        control.SetPropatyPath(path);
    }
    control.PasteToDesktop();
    ASSERT_EQ(control.Notes().Size(), 1u);
    EXPECT_EQ(control.Notes()[0].ARLINEWIDTH, 2);
    EXPECT_EQ(control.DefaultNote().ARLINEWIDTH, 2);
}


// The preset file is locked by another program while the controller reads
// it: the preset dialog's OK does not replace it (and says so) until the
// file can be read again; then its presets are offered and kept.
TEST_F(ControllerTest, APresetFileLockedAtStartIsNotReplacedUntilItCanBeRead) {
    const std::string path = scratch.Path() + "\\MossrelPreset.ini";
    const std::string kept = "[SYSTEM]\r\nPRESETCOUNT=1\r\n[PRESETITEM0]\r\nCONDNAME=kept\r\nEXENAME=A.EXE\r\n";
    std::ofstream(path, std::ios::binary) << kept;
    auto fileText = [&] {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    HANDLE lock = ::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    control.SetPresetPath(path);
    EXPECT_TRUE(control.Presets().empty());
    {
        wintest::CMessageBoxAnswerer boxes;
        wintest::CDialogDriver ok("アプリケーション別マッチング条件プリセット",
                                  [](HWND dialog) { ::PostMessageA(dialog, WM_COMMAND, IDOK, 0); });
        control.EditPresets();
        EXPECT_TRUE(ok.Done());
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"プリセット条件ファイルを保存できません."});
    }
    ::CloseHandle(lock);
    EXPECT_EQ(fileText(), kept);

    wintest::CDialogDriver ok("アプリケーション別マッチング条件プリセット",
                              [](HWND dialog) { ::PostMessageA(dialog, WM_COMMAND, IDOK, 0); });
    control.EditPresets();
    EXPECT_TRUE(ok.Done());
    ASSERT_EQ(control.Presets().size(), 1u);
    EXPECT_EQ(control.Presets()[0].CONDNAME, "kept");
    EXPECT_NE(fileText().find("CONDNAME=kept"), std::string::npos);
}


// Titles beyond every old fixed buffer (a double-byte character is two
// bytes; "表" ends in the byte 0x5C, the backslash): the note takes the
// whole title from its window, keeps it through the data file and a
// restart, and comes back on that window.
TEST_F(ControllerTest, LongTitlesSurviveTheDataFileAndARestartAndStillMatch) {
    auto repeat = [](const std::string& unit, int n) {
        std::string out;
        for (int i = 0; i < n; ++i) out += unit;
        return out;
    };
    std::string path300 = "C:\\ソース\\";
    path300 += std::string(300 - path300.size(), 'a');
    const std::string titles[] = {repeat("表", 100), repeat("表", 127), repeat("表", 128), repeat("表", 200), path300};
    for (const std::string& title : titles) {
        SCOPED_TRACE(std::to_string(title.size()) + " bytes");
        TearDown();
        ::DeleteFileA((scratch.Path() + "\\PinvaneData.ini").c_str());  // the previous case's note
        SetUp();
        CTargetWindow target(title.c_str(), 100, 100, 400, 300);
        control.PasteToWindow(target.Hwnd());
        ASSERT_EQ(control.Notes().Size(), 1u);
        EXPECT_EQ(Note(0).TITLE, title);
        control.MatchTick();
        EXPECT_EQ(OwnerOf(0), target.Hwnd());
        EXPECT_TRUE(control.SaveAll(false));

        CControlDlg again;
        ASSERT_TRUE(again.Create(host.Hwnd()));
        wintest::LoadStartupNotes(again, scratch.Path() + "\\PinvaneData.ini");
        ::KillTimer(again.GetHwnd(), 103);
        ::KillTimer(again.GetHwnd(), 110);
        ASSERT_EQ(again.Notes().Size(), 1u);
        EXPECT_EQ(again.Notes()[0].TITLE, title);
        again.MatchTick();
        ASSERT_EQ(again.Notes()[0].m_bAttached, 1);
        EXPECT_EQ(::GetWindow(reinterpret_cast<HWND>(again.Notes()[0].m_pWin->Handle()), GW_OWNER), target.Hwnd());
        again.Notes()[0].EndTacklet();
        again.DestroyWindow();
    }
}

}  // namespace

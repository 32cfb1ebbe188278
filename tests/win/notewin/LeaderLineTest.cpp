// The leader line on real windows: placement, clamping, colours, following,
// opacity, handles, the pixels Wine draws, and the block through the note
// record, the data file and a detach.
#include "ControllerFixture.h"
#include "WinTestUtil.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>

#include "NoteTestNote.h"
#include "NoteTestSupport.h"
#include "data/IniFile.h"
#include "notewin/ArrowWin.h"
#include "notewin/TackletWin.h"

namespace {

RECT ClientOnScreen(HWND hwnd) {
    RECT r{};
    ::GetClientRect(hwnd, &r);
    ::MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

RECT WindowRect(HWND hwnd) {
    RECT r{};
    ::GetWindowRect(hwnd, &r);
    return r;
}

POINT Centre(HWND hwnd) {
    const RECT r = WindowRect(hwnd);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void MoveTo(HWND hwnd, int left, int top) {
    ::SetWindowPos(hwnd, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Pixel of the screen as Wine shows it.
COLORREF ScreenPixel(int x, int y) {
    const HDC screen = ::GetDC(nullptr);
    const COLORREF c = ::GetPixel(screen, x, y);
    ::ReleaseDC(nullptr, screen);
    return c;
}

// The colours the test target paints (stripes on a blue ground).
bool OnTarget(COLORREF c) { return c == RGB(70, 110, 160) || c == RGB(90, 135, 190); }

// Pumps messages until `done` holds, for at most `ms` milliseconds.
bool PumpUntil(const std::function<bool()>& done, DWORD ms = 3000) {
    const DWORD start = ::GetTickCount();
    while (!done()) {
        if (::GetTickCount() - start > ms) return false;
        Pump(20);
    }
    return true;
}

class LeaderLineTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(note, nullptr);
        note->SetTarget(false, target.Handle());
        note->MoveWindow(200, 180, 160, 90);
    }
    // Shows the note with a leader line of block `arrow` and `width`.
    CArrowWin* Start(const CArrowData& arrow, int width = 1) {
        note->SetArrow(arrow, width);
        note->CompleteStart();
        return note->LeaderLine();
    }
    RECT Note() const { return ClientOnScreen(note->GetHwnd()); }
    RECT Target() const { return ClientOnScreen(target.Get()); }
    // A block whose start handle's centre is at `from` and end handle's
    // centre at `to` (screen).
    CArrowData BlockFor(POINT from, POINT to) const {
        const int half = 7;
        CArrowData a;
        a.ARWFLAG = 1;
        a.ARWSATRTX = from.x - half - Note().left;
        a.ARWSTARTY = from.y - half - Note().top;
        a.ARWENDX = to.x - half - Target().left;
        a.ARWENDY = to.y - half - Target().top;
        return a;
    }

    CTargetWindow target{100, 100, 600, 460};
    CNotePtr note = MakeNote(target.Get());
};

TEST_F(LeaderLineTest, NewLineStartsInTheMiddleAndEndsBelowWithinTheWorkArea) {
    RECT work{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const struct {
        int top;          // of the note window
        int expectedDrop; // end handle below the start handle
    } cases[] = {{180, 100}, {static_cast<int>(work.bottom) - 95, -1}};
    for (const auto& c : cases) {
        CNotePtr n = MakeNote(target.Get());
        ASSERT_NE(n, nullptr);
        n->SetTarget(false, target.Handle());
        n->MoveWindow(200, c.top, 160, 90);
        CArrowData arrow;
        arrow.ARWFLAG = 1;  // never placed: start x -200
        n->SetArrow(arrow, 1);
        n->CompleteStart();
        CArrowWin* line = n->LeaderLine();
        ASSERT_NE(line, nullptr) << c.top;
        const RECT window = WindowRect(n->GetHwnd());
        const RECT client = ClientOnScreen(n->GetHwnd());
        const RECT start = WindowRect(line->StartHandle());
        const RECT end = WindowRect(line->EndHandle());
        EXPECT_EQ(start.left, client.left + 80) << c.top;
        EXPECT_EQ(start.top, client.top + 45) << c.top;
        EXPECT_EQ(start.right - start.left, 15);
        EXPECT_EQ(end.bottom - end.top, 15);
        EXPECT_EQ(end.left, window.left + 80) << c.top;
        const int endTop = c.expectedDrop > 0 ? window.top + 45 + 100 : work.bottom - 10;
        EXPECT_EQ(end.top, endTop) << c.top;
        const CArrowData block = n->GetArrow();
        EXPECT_EQ(block.ARWSATRTX, 80);
        EXPECT_EQ(block.ARWSTARTY, 45);
        EXPECT_EQ(block.ARWENDX, end.left - Target().left);
        EXPECT_EQ(block.ARWENDY, end.top - Target().top);
        // Owned by the note, the handles by the line; handles start hidden.
        EXPECT_EQ(::GetWindow(line->GetHwnd(), GW_OWNER), n->GetHwnd());
        EXPECT_EQ(::GetWindow(line->StartHandle(), GW_OWNER), line->GetHwnd());
        EXPECT_TRUE(::IsWindowVisible(line->GetHwnd()));
        EXPECT_FALSE(::IsWindowVisible(line->StartHandle()));
        EXPECT_FALSE(::IsWindowVisible(line->EndHandle()));
        EXPECT_TRUE(::GetWindowLongPtrA(line->GetHwnd(), GWL_EXSTYLE) & WS_EX_LAYERED);
    }
}

TEST_F(LeaderLineTest, NoTargetNoLine) {
    CNotePtr n = MakeNote(target.Get());
    ASSERT_NE(n, nullptr);
    n->SetTarget(false, 0x1234);  // not a window
    CArrowData arrow;
    arrow.ARWFLAG = 1;
    n->SetArrow(arrow, 1);
    n->CompleteStart();
    EXPECT_EQ(n->LeaderLine(), nullptr);
}

TEST_F(LeaderLineTest, StartHandleDraggedOffTheNoteComesBackToItsEdge) {
    CArrowWin* line = Start(BlockFor({260, 220}, {500, 400}));
    ASSERT_NE(line, nullptr);
    const RECT n = Note();
    const struct {
        POINT dragTo;  // top-left of the handle
        POINT centre;  // where its centre ends up
    } cases[] = {
        {{n.right + 50, n.top + 20}, {n.right, n.top + 27}},
        {{n.left - 100, n.top - 60}, {n.left, n.top}},
        {{n.left + 30, n.bottom + 5}, {n.left + 37, n.bottom}},
        {{n.left + 30, n.top + 20}, {n.left + 37, n.top + 27}},
    };
    for (const auto& c : cases) {
        MoveTo(line->StartHandle(), c.dragTo.x, c.dragTo.y);
        const POINT at = Centre(line->StartHandle());
        EXPECT_EQ(at.x, c.centre.x) << c.dragTo.x << "," << c.dragTo.y;
        EXPECT_EQ(at.y, c.centre.y) << c.dragTo.x << "," << c.dragTo.y;
        const CArrowData block = note->GetArrow();
        EXPECT_EQ(block.ARWSATRTX, at.x - 7 - n.left);
        EXPECT_EQ(block.ARWSTARTY, at.y - 7 - n.top);
        // The line window encloses both handles with 10 pixels to spare.
        const RECT s = WindowRect(line->StartHandle());
        const RECT e = WindowRect(line->EndHandle());
        const RECT box = WindowRect(line->GetHwnd());
        EXPECT_EQ(box.left, std::min(s.left, e.left) - 10);
        EXPECT_EQ(box.bottom, std::max(s.bottom, e.bottom) + 10);
    }
}

TEST_F(LeaderLineTest, LineTakesTheEarColourOnlyFromTheEar) {
    note->SetColor(2);    // blue ear
    note->SetBkColor(4);  // orange background
    CArrowWin* line = Start(BlockFor({260, 220}, {500, 400}));
    ASSERT_NE(line, nullptr);
    const RECT ear = WindowRect(note->EarHwnd());
    EXPECT_EQ(line->LineColor(), RGB(255, 255, 180));
    MoveTo(line->StartHandle(), ear.left + 1, ear.top + 20);
    EXPECT_EQ(line->LineColor(), RGB(0, 0, 255));
    MoveTo(line->StartHandle(), Note().left + 5, Note().top + 5);
    EXPECT_EQ(line->LineColor(), RGB(255, 255, 180));
    // The ear goes elsewhere: the line follows the new ear.
    note->SetPickPos(1);
    note->SetColor(0);
    note->SetLeaderLineColors();
    EXPECT_EQ(line->LineColor(), RGB(255, 0, 0));
}

TEST_F(LeaderLineTest, FollowsTheNoteAtTheStartAndTheTargetAtTheEnd) {
    CArrowWin* line = Start(BlockFor({260, 220}, {500, 400}));
    ASSERT_NE(line, nullptr);
    const CArrowData before = note->GetArrow();
    const RECT s0 = WindowRect(line->StartHandle());
    const RECT e0 = WindowRect(line->EndHandle());

    // The note alone moves: the end stays where it was on the target.
    const RECT w = WindowRect(note->GetHwnd());
    note->MoveWindow(w.left + 40, w.top - 10, w.right - w.left, w.bottom - w.top);
    RECT s1 = WindowRect(line->StartHandle());
    RECT e1 = WindowRect(line->EndHandle());
    EXPECT_EQ(s1.left, s0.left + 40);
    EXPECT_EQ(s1.top, s0.top - 10);
    EXPECT_EQ(e1.left, e0.left);
    EXPECT_EQ(e1.top, e0.top);
    EXPECT_EQ(note->GetArrow(), before);

    // The target moves: the note follows and the whole line with it.
    const RECT t = WindowRect(target.Get());
    MoveTo(target.Get(), t.left + 30, t.top + 20);
    note->FollowTargetOnce();
    const RECT s2 = WindowRect(line->StartHandle());
    const RECT e2 = WindowRect(line->EndHandle());
    EXPECT_EQ(s2.left, s1.left + 30);
    EXPECT_EQ(s2.top, s1.top + 20);
    EXPECT_EQ(e2.left, e1.left + 30);
    EXPECT_EQ(e2.top, e1.top + 20);
    EXPECT_EQ(note->GetArrow(), before);
}

TEST_F(LeaderLineTest, OpacityFollowsTheNote) {
    note->SetTransparent(50);
    CArrowWin* line = Start(BlockFor({260, 220}, {500, 400}));
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(LayeredOf(line->GetHwnd()).alpha, 127);
    EXPECT_EQ(LayeredOf(line->GetHwnd()).key, CArrowWin::kColorKey);
    EXPECT_EQ(LayeredOf(line->GetHwnd()).flags, static_cast<DWORD>(LWA_COLORKEY | LWA_ALPHA));
    note->MakeOpaque();  // being edited
    EXPECT_EQ(LayeredOf(line->GetHwnd()).alpha, 255);
    note->RestoreAlpha();
    EXPECT_EQ(LayeredOf(line->GetHwnd()).alpha, 127);
}

TEST_F(LeaderLineTest, ClickOnTheLineTogglesTheHandlesAndADoubleClickHidesThem) {
    CArrowWin* line = Start(BlockFor({260, 220}, {500, 400}));
    ASSERT_NE(line, nullptr);
    ::SendMessageA(line->GetHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, 0);
    EXPECT_TRUE(::IsWindowVisible(line->StartHandle()));
    EXPECT_TRUE(::IsWindowVisible(line->EndHandle()));
    EXPECT_TRUE(::IsWindowEnabled(line->EndHandle()));
    ::SendMessageA(line->EndHandle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(7, 7));
    EXPECT_FALSE(::IsWindowVisible(line->StartHandle()));
    EXPECT_FALSE(::IsWindowVisible(line->EndHandle()));
    ::SendMessageA(line->GetHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, 0);
    ::SendMessageA(line->GetHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, 0);
    EXPECT_FALSE(::IsWindowVisible(line->StartHandle()));
    // Hiding the note hides the line and its handles.
    ::SendMessageA(line->GetHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, 0);
    ::ShowWindow(note->GetHwnd(), SW_HIDE);
    EXPECT_FALSE(::IsWindowVisible(line->GetHwnd()));
    EXPECT_FALSE(::IsWindowVisible(line->StartHandle()));
    ::ShowWindow(note->GetHwnd(), SW_SHOWNOACTIVATE);
    EXPECT_TRUE(::IsWindowVisible(line->GetHwnd()));
}

TEST_F(LeaderLineTest, RemovedLineKeepsItsPointsForTheNextTime) {
    CArrowWin* line = Start(BlockFor({260, 220}, {500, 400}));
    ASSERT_NE(line, nullptr);
    const HWND lineWnd = line->GetHwnd();
    const HWND handle = line->StartHandle();
    const CArrowData shown = note->GetArrow();
    note->RemoveLeaderLine();
    EXPECT_EQ(note->LeaderLine(), nullptr);
    EXPECT_FALSE(::IsWindow(lineWnd));
    EXPECT_FALSE(::IsWindow(handle));
    CArrowData off = note->GetArrow();
    EXPECT_EQ(off.ARWFLAG, 0);
    off.ARWFLAG = 1;
    EXPECT_EQ(off, shown);
    note->SetArrow(off, 1);
    note->CreateLeaderLine();
    ASSERT_NE(note->LeaderLine(), nullptr);
    EXPECT_EQ(note->GetArrow(), shown);
}

// What Wine draws: the line, its thickness and its arrowhead, sampled on the
// target beside a frameless note whose right edge is body (ear on top).
TEST_F(LeaderLineTest, DrawsTheLineWithItsWidthAndArrowhead) {
    note->SetFrame(0);
    note->SetPickPos(1);
    note->SetBkColor(2);  // the line: pale green on the blue target
    const COLORREF green = RGB(200, 255, 200);
    const struct {
        int width;
        int length;
        bool head;
        int beside;  // the pixels just above and below the line: 0 plain, 1 coloured, -1 either (2-pixel pen)
    } cases[] = {{0, 120, true, 0}, {1, 120, true, -1}, {2, 120, true, 1}, {0, 8, false, 0}};
    int row = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "width " << c.width << " length " << c.length);
        // Each line on a row of its own, so no earlier line's pixels count.
        const RECT n = Note();
        const int y = n.top + 12 + 20 * row++;
        const POINT from{n.right, y};
        const POINT tip{n.right + c.length, y};
        if (note->LeaderLine()) note->RemoveLeaderLine();
        note->SetArrow(BlockFor(from, tip), c.width);
        note->CreateLeaderLine();
        ASSERT_NE(note->LeaderLine(), nullptr);
        const int midX = (from.x + tip.x) / 2;
        ASSERT_TRUE(PumpUntil([&] { return ScreenPixel(midX, tip.y) == green; })) << std::hex << ScreenPixel(midX, tip.y);
        if (c.beside >= 0) {
            EXPECT_EQ(ScreenPixel(midX, tip.y - 1) == green, c.beside == 1);
            EXPECT_EQ(ScreenPixel(midX, tip.y + 1) == green, c.beside == 1);
        } else {
            EXPECT_NE(ScreenPixel(midX, tip.y - 1) == green, ScreenPixel(midX, tip.y + 1) == green);
        }
        // Off the line the target shows through the line window.
        EXPECT_TRUE(OnTarget(ScreenPixel(midX, tip.y - 4))) << std::hex << ScreenPixel(midX, tip.y - 4);
        EXPECT_TRUE(OnTarget(ScreenPixel(tip.x + 3, tip.y))) << std::hex << ScreenPixel(tip.x + 3, tip.y);
        // Inside the head for every width: 8 pixels back, 2 to each side.
        EXPECT_EQ(ScreenPixel(tip.x - 8, tip.y - 2) == green, c.head);
        EXPECT_EQ(ScreenPixel(tip.x - 8, tip.y + 2) == green, c.head);
        EXPECT_TRUE(OnTarget(ScreenPixel(tip.x - 8, tip.y - 7)));
        if (!c.head) {
            EXPECT_TRUE(OnTarget(ScreenPixel(tip.x - 8, tip.y - 2)));
        }
    }
}

// The leader line of a note the controller holds: the block in the data
// file, and a detach that takes the line away and brings it back.
class LeaderLineRecordTest : public CControllerFixture {
protected:
    CTackletData& Note0() { return control.Notes()[0]; }
    CTackletWin* Win0() { return static_cast<CTackletWin*>(Note0().m_pWin); }
    void AddNoteWithLine(const char* title) {
        CTackletData note;
        note.TITLE = title;
        note.EXENAME = wintest::OwnExeName();
        note.TEXT = "leader";
        note.m_arrow.ARWFLAG = 1;
        note.ARLINEWIDTH = 2;
        control.AddNote(note);
        control.MatchTick();
    }
};

TEST_F(LeaderLineRecordTest, BlockGoesThroughTheDataFileAndComesBack) {
    wintest::CTargetWindow target("PvTarget leader", 100, 100, 500, 400);
    AddNoteWithLine("PvTarget leader");
    ASSERT_EQ(Note0().m_bAttached, 1);
    ASSERT_NE(Win0()->LeaderLine(), nullptr);
    CArrowWin* line = Win0()->LeaderLine();
    const RECT t = ClientOnScreen(target.Hwnd());
    MoveTo(line->EndHandle(), t.left + 321, t.top + 234);
    const RECT n = ClientOnScreen(Win0()->GetHwnd());
    MoveTo(line->StartHandle(), n.left + 12, n.top + 9);
    control.SaveAll();

    const CIniFile ini = CIniFile::Load(scratch.Path() + "\\PinvaneData.ini");
    const char* item = "TACKLETITEM0";
    EXPECT_EQ(ini.GetInt(item, "ARWFLAG", -1), 1);
    EXPECT_EQ(ini.GetInt(item, "ARWSATRTX", -1), 12);
    EXPECT_EQ(ini.GetInt(item, "ARWSTARTY", -1), 9);
    EXPECT_EQ(ini.GetInt(item, "ARWENDX", -1), 321);
    EXPECT_EQ(ini.GetInt(item, "ARWENDY", -1), 234);
    EXPECT_EQ(ini.GetInt(item, "ARLINEWIDTH", -1), 2);

    CControlDlg again;
    ASSERT_TRUE(again.Create(host.Hwnd()));
    wintest::LoadStartupNotes(again, scratch.Path() + "\\PinvaneData.ini");
    ::KillTimer(again.GetHwnd(), 103);
    ASSERT_EQ(again.Notes().Size(), 1u);
    again.MatchTick();
    auto* win = static_cast<CTackletWin*>(again.Notes()[0].m_pWin);
    ASSERT_NE(win, nullptr);
    ASSERT_NE(win->LeaderLine(), nullptr);
    EXPECT_EQ(win->LeaderLine()->WidthIndex(), 2);
    const RECT end = WindowRect(win->LeaderLine()->EndHandle());
    EXPECT_EQ(end.left, t.left + 321);
    EXPECT_EQ(end.top, t.top + 234);
    again.Notes()[0].EndTacklet();
    again.DestroyWindow();
}

TEST_F(LeaderLineRecordTest, MinimisedTargetTakesTheLineAwayAndBringsItBack) {
    wintest::CTargetWindow target("PvTarget leader min", 100, 100, 500, 400);
    AddNoteWithLine("PvTarget leader min");
    ASSERT_NE(Win0(), nullptr);
    ASSERT_NE(Win0()->LeaderLine(), nullptr);
    const HWND lineWnd = Win0()->LeaderLine()->GetHwnd();
    const CArrowData shown = Win0()->GetArrow();

    ::ShowWindow(target.Hwnd(), SW_MINIMIZE);
    Pump(20);
    control.MatchTick();
    EXPECT_EQ(Note0().m_bAttached, 0);
    EXPECT_FALSE(::IsWindow(lineWnd));
    EXPECT_EQ(Note0().m_arrow, shown);  // the flag stays set in the record

    ::ShowWindow(target.Hwnd(), SW_RESTORE);
    Pump(20);
    control.MatchTick();
    ASSERT_EQ(Note0().m_bAttached, 1);
    ASSERT_NE(Win0()->LeaderLine(), nullptr);
    EXPECT_EQ(Win0()->GetArrow(), shown);
}

TEST_F(LeaderLineRecordTest, ClosedTargetKeepsTheLineInTheRecord) {
    auto target = std::make_unique<wintest::CTargetWindow>("PvTarget leader gone", 100, 100, 500, 400);
    AddNoteWithLine("PvTarget leader gone");
    ASSERT_NE(Win0(), nullptr);
    const CArrowData shown = Win0()->GetArrow();
    target.reset();  // the note window and its line go with their owner
    control.MatchTick();
    EXPECT_EQ(Note0().m_bAttached, 0);
    EXPECT_EQ(Note0().m_arrow, shown);
}

}  // namespace

TEST_F(LeaderLineTest, OnAMonitorOfAnotherScalingHandlesAndMarginGrow) {
    CArrowWin* line = Start(BlockFor({260, 220}, {500, 400}));
    ASSERT_NE(line, nullptr);
    const RECT suggested{0, 0, 10, 10};  // the line window places itself around its handles
    ::SendMessageA(line->GetHwnd(), WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
    RECT start{};
    RECT end{};
    ::GetWindowRect(line->StartHandle(), &start);
    ::GetWindowRect(line->EndHandle(), &end);
    EXPECT_EQ(start.right - start.left, 30);
    EXPECT_EQ(end.bottom - end.top, 30);
    RECT window{};
    ::GetWindowRect(line->GetHwnd(), &window);
    EXPECT_EQ(window.left, std::min(start.left, end.left) - 20);
    EXPECT_EQ(window.bottom, std::max(start.bottom, end.bottom) + 20);
}

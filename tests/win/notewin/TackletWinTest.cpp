// The note window against real windows under Wine: opacity, layout, text,
// following, wheel sizing, fading, the desktop topmost rule.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "NoteTestNote.h"
#include "NoteTestSupport.h"
#include "data/RecordDefaults.h"
#include "platform/WindowSubclass.h"
#include "res/resource.h"

namespace {

std::string Text(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "-" + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

// Whether the edit control's caret sits after its last character, with
// nothing selected (positions compared with the control's own end).
bool CaretAtEnd(HWND edit) {
    DWORD start = 0;
    DWORD end = 0;
    ::SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    ::SendMessageA(edit, EM_SETSEL, 0x7fffffff, 0x7fffffff);
    DWORD last = 0;
    ::SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&last), 0);
    ::SendMessageA(edit, EM_SETSEL, start, end);
    return start == end && end == last && last > 0;
}

// WM_MOUSEWHEEL's first parameter.
WPARAM Wheel(WORD keys, short delta) { return MAKEWPARAM(keys, static_cast<WORD>(delta)); }

class TackletWinTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(target.Get(), nullptr);
        note = MakeNote(target.Get());
        ASSERT_NE(note, nullptr);
        note->SetTarget(false, target.Handle());
        note->MoveWindow(300, 200, 180, 100);
    }

    std::string EarText() const { return ::EarText(*note); }

    CTargetWindow target{100, 100, 500, 400};
    CNotePtr note;
};

TEST_F(TackletWinTest, FreshWindowIsHiddenDisabledLayeredAndFramed) {
    const HWND hwnd = note->GetHwnd();
    EXPECT_FALSE(::IsWindowVisible(hwnd));
    EXPECT_FALSE(::IsWindowEnabled(hwnd));
    EXPECT_TRUE(::GetWindowLongPtrA(hwnd, GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_TRUE(::GetWindowLongPtrA(hwnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_EQ(note->HasFrame(), 1);
    EXPECT_EQ(::GetWindow(hwnd, GW_OWNER), target.Get());
    EXPECT_EQ(note->BaseAlpha(), 200);
    EXPECT_TRUE(note->IsAlive());
    EXPECT_EQ(note->Handle(), reinterpret_cast<PvHandle>(hwnd));

    note->EnableAfterCreate();
    EXPECT_TRUE(::IsWindowEnabled(hwnd));
}

TEST_F(TackletWinTest, BaseAlphaFollowsThePercentage) {
    const struct {
        int percent;
        BYTE alpha;
    } cases[] = {{70, 178}, {100, 255}, {20, 51}, {50, 127}};
    for (const auto& c : cases) {
        note->SetTransparent(c.percent);
        const CLayered l = LayeredOf(note->GetHwnd());
        EXPECT_EQ(note->BaseAlpha(), c.alpha) << c.percent;
        EXPECT_EQ(l.alpha, c.alpha) << c.percent;
        EXPECT_EQ(l.flags, static_cast<DWORD>(LWA_ALPHA)) << c.percent;
        EXPECT_EQ(note->GetTransparent(), c.percent);
    }
}

TEST_F(TackletWinTest, TransparentBackgroundIsColourKeyedUntilOpaque) {
    note->SetBkTransparent(1);
    note->SetBkColor(3);
    note->SetTransparent(70);
    CLayered l = LayeredOf(note->GetHwnd());
    EXPECT_EQ(l.flags, static_cast<DWORD>(LWA_COLORKEY | LWA_ALPHA));
    EXPECT_EQ(l.key, RGB(200, 200, 255));
    EXPECT_EQ(l.alpha, 178);
    EXPECT_FALSE(note->Edit().Background().Gradient()) << "no gradient under a keyed-out background";

    note->MakeOpaque();
    l = LayeredOf(note->GetHwnd());
    EXPECT_EQ(l.flags, static_cast<DWORD>(LWA_ALPHA));
    EXPECT_EQ(l.alpha, 255);

    note->RestoreAlpha();
    l = LayeredOf(note->GetHwnd());
    EXPECT_EQ(l.flags, static_cast<DWORD>(LWA_COLORKEY | LWA_ALPHA));
    EXPECT_EQ(l.alpha, 178);
}

TEST_F(TackletWinTest, EditPaintingValuesFollowTheNote) {
    note->SetBkColor(2);
    note->SetGradient(1, 6);
    EXPECT_TRUE(note->Edit().Background().Gradient());
    EXPECT_EQ(note->Edit().Background().Pattern(), 6);
    EXPECT_EQ(note->Edit().Background().Color(), RGB(200, 255, 200));
    note->SetBkTransparent(1);
    EXPECT_FALSE(note->Edit().Background().Gradient());
    note->SetBkTransparent(0);
    note->SetGradient(0, 6);
    EXPECT_FALSE(note->Edit().Background().Gradient());
    EXPECT_EQ(note->GetGraFlg(), 0);
    EXPECT_EQ(note->GetGraPtn(), 6);
}

TEST_F(TackletWinTest, EarLayoutForEachPosition) {
    constexpr int cx = 200;
    constexpr int cy = 120;
    const struct {
        int pos;
        RECT ear;
        RECT edit;
    } cases[] = {
        {0, {183, 0, 200, 120}, {0, 0, 183, 120}},
        {1, {0, 0, 200, 17}, {0, 17, 200, 120}},
        {2, {0, 0, 17, 120}, {17, 0, 200, 120}},
        {3, {0, 103, 200, 120}, {0, 0, 200, 103}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pos);
        note->SetPickPos(c.pos);
        SetClientSize(*note, cx, cy);
        RECT client;
        ::GetClientRect(note->GetHwnd(), &client);
        ASSERT_EQ(client.right, cx);
        ASSERT_EQ(client.bottom, cy);
        EXPECT_EQ(Text(ChildRect(note->EarHwnd())), Text(c.ear));
        EXPECT_EQ(Text(ChildRect(note->EditHwnd())), Text(c.edit));
    }

    // An unknown position lays nothing out: the children stay where they were.
    const RECT earBefore = ChildRect(note->EarHwnd());
    note->SetPickPos(7);
    SetClientSize(*note, 150, 90);
    const RECT earAfter = ChildRect(note->EarHwnd());
    EXPECT_EQ(Text(earAfter), Text(earBefore));
    EXPECT_EQ(note->GetPickPos(), 7);
}

TEST_F(TackletWinTest, NeverThinnerThanFramePlusEar) {
    RECT window;
    RECT client;
    ::GetWindowRect(note->GetHwnd(), &window);
    ::GetClientRect(note->GetHwnd(), &client);
    const int frameX = window.right - window.left - client.right;
    const int frameY = window.bottom - window.top - client.bottom;
    ASSERT_GT(frameX, 0) << "the resize frame is there";

    note->SetPickPos(0);
    note->MoveWindow(300, 200, 5, 100);
    PvRect r = note->GetWindowRect();
    EXPECT_EQ(r.Width(), frameX + 17);

    note->SetPickPos(2);
    note->MoveWindow(300, 200, 1, 100);
    EXPECT_EQ(note->GetWindowRect().Width(), frameX + 17);

    // Turning a very flat note's ear to the top raises it at once.
    note->SetPickPos(0);
    note->MoveWindow(300, 200, 180, 10);
    ASSERT_LT(note->GetWindowRect().Height(), frameY + 17);
    note->SetPickPos(1);
    r = note->GetWindowRect();
    EXPECT_EQ(r.Height(), frameY + 17);
    EXPECT_EQ(r.left, 300);
    EXPECT_EQ(r.top, 200);
    EXPECT_EQ(note->GetRectWin(), r) << "the kept rectangle follows every size change";
}

TEST_F(TackletWinTest, ReadOnlyShowsRInTheEar) {
    EXPECT_EQ(EarText(), "");
    note->SetReadOnly(1);
    EXPECT_EQ(note->IsReadOnly(), 1);
    EXPECT_TRUE(::GetWindowLongPtrA(note->EditHwnd(), GWL_STYLE) & ES_READONLY);
    EXPECT_EQ(EarText(), " R");
    note->SetReadOnly(0);
    EXPECT_EQ(note->IsReadOnly(), 0);
    EXPECT_EQ(EarText(), "");
}

TEST_F(TackletWinTest, TextLimitMarginsAndCaret) {
    const HWND edit = note->EditHwnd();
    EXPECT_EQ(::SendMessageA(edit, EM_GETLIMITTEXT, 0, 0), 4000);
    EXPECT_EQ(::SendMessageA(edit, EM_GETMARGINS, 0, 0), MAKELONG(2, 2));

    const std::string text = "付箋のテキスト\r\n二行目";
    note->SetText(text);
    EXPECT_EQ(note->GetText(), text);
    EXPECT_TRUE(CaretAtEnd(edit));

    // Typing stops at 4000 bytes.
    note->SetText(std::string(3998, 'a'));
    ::SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"bcdef"));
    EXPECT_EQ(note->GetText().size(), 4000u);

    // Double-byte characters count two bytes each.
    note->SetText(std::string(3996, 'a'));
    ::SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"あいう"));
    EXPECT_EQ(note->GetText(), std::string(3996, 'a') + "あい");

    // Text outside the code page is held exactly, typed or set.
    const std::string unicode = "Müller café ☕ 한국어 😀 — ①②";
    note->SetText(unicode);
    EXPECT_EQ(note->GetText(), unicode);
    note->SetText("");
    ::SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"x 😀 한"));
    EXPECT_EQ(note->GetText(), "x 😀 한");
}

TEST_F(TackletWinTest, FontGoesToTheEditControlAndComesBack) {
    PvLogFont font = CRecordDefaults::DefaultFont();
    font.lfHeight = -20;
    font.lfWeight = 700;
    font.lfItalic = 1;
    note->SetEditFont(font);
    const PvLogFont back = note->GetEditFont();
    EXPECT_EQ(back.lfHeight, -20);
    EXPECT_EQ(back.lfWeight, 700);
    EXPECT_EQ(back.lfItalic, 1);
    EXPECT_EQ(FaceNameOf(back), FaceNameOf(font));
    EXPECT_NE(::SendMessageA(note->EditHwnd(), WM_GETFONT, 0, 0), 0);
}

TEST_F(TackletWinTest, FollowsMovesOfTheTargetOnly) {
    const HWND t = target.Get();
    RECT start;
    ::GetWindowRect(t, &start);
    note->SetTargetRect(PvRect{start.left, start.top, start.right, start.bottom});
    const PvRect home = note->GetWindowRect();

    // Each step changes the target, follows once, and says where the note is
    // relative to where it started.
    const struct {
        const char* what;
        int x, y, w, h;  // new target rectangle (w 0: minimise instead)
        int dx, dy;      // expected note offset from home
    } steps[] = {
        {"moved", 130, 120, 500, 400, 30, 20},
        {"resized", 130, 120, 650, 300, 30, 20},
        {"parked far below", 130, 6000, 650, 300, 30, 20},
        {"back from parking at the old place", 130, 120, 650, 300, 30, 20},
        {"back elsewhere", 100, 100, 650, 300, 0, 0},
        {"moved off the top edge", 100, -500, 650, 300, 0, 0},  // bottom -200: ignored
        {"back", 90, 95, 650, 300, -10, -5},
        {"minimised", 0, 0, 0, 0, -10, -5},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.what);
        if (s.w == 0) {
            ::ShowWindow(t, SW_MINIMIZE);
        } else {
            ::SetWindowPos(t, nullptr, s.x, s.y, s.w, s.h, SWP_NOZORDER | SWP_NOACTIVATE);
        }
        note->FollowTargetOnce();
        const PvRect r = note->GetWindowRect();
        EXPECT_EQ(r.left - home.left, s.dx);
        EXPECT_EQ(r.top - home.top, s.dy);
        EXPECT_EQ(r.Width(), home.Width());
        EXPECT_EQ(r.Height(), home.Height());
        EXPECT_EQ(note->GetRectWin(), r);
    }
    // The stored target rectangle is the last one that counted.
    EXPECT_EQ(note->GetTargetRect(), (PvRect{90, 95, 740, 395}));
}

TEST_F(TackletWinTest, DesktopNoteAndVanishedTargetStayPut) {
    RECT start;
    ::GetWindowRect(target.Get(), &start);
    note->SetTargetRect(PvRect{start.left, start.top, start.right, start.bottom});
    const PvRect home = note->GetWindowRect();

    note->SetTarget(true, target.Handle());
    ::SetWindowPos(target.Get(), nullptr, start.left + 40, start.top + 40, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    note->FollowTargetOnce();
    note->OnFollowTimer();
    EXPECT_EQ(note->GetWindowRect(), home);

    note->SetTarget(false, reinterpret_cast<PvHandle>(HWND(nullptr)));
    note->FollowTargetOnce();
    EXPECT_EQ(note->GetWindowRect(), home);
}

TEST_F(TackletWinTest, CtrlAndShiftWheelResizeWithinTheMinimum) {
    const struct {
        UINT keys;
        short delta;
        int w0, h0;  // size before
        int w, h;    // size after
    } cases[] = {
        {MK_CONTROL, -120, 180, 100, 181, 100},            // towards the user: wider
        {MK_CONTROL, 360, 180, 100, 177, 100},             // away: three notches narrower
        {MK_SHIFT, -240, 180, 100, 180, 102},
        {MK_CONTROL | MK_SHIFT, -120, 180, 100, 181, 101},
        {0, -120, 180, 100, 180, 100},                     // plain turns do not resize
        {MK_CONTROL, 1200, 55, 100, 50, 100},              // never below 50 wide
        {MK_SHIFT, 1200, 180, 24, 180, 20},                // never below 20 high
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "keys " << c.keys << " delta " << c.delta);
        note->SetPickPos(0);  // ear at the right: the frame rule (frame + 17 wide) stays below 50
        note->MoveWindow(300, 200, c.w0, c.h0);
        note->MouseWheel(c.keys, c.delta);
        const PvRect r = note->GetWindowRect();
        EXPECT_EQ(r.left, 300);
        EXPECT_EQ(r.top, 200);
        EXPECT_EQ(r.Width(), c.w);
        EXPECT_EQ(r.Height(), c.h);
    }
}

TEST_F(TackletWinTest, WheelTurnsReachTheNoteThroughTheEditControl) {
    note->MoveWindow(300, 200, 180, 100);
    ::SendMessageA(note->EditHwnd(), WM_MOUSEWHEEL, Wheel(MK_CONTROL, -240), MAKELPARAM(350, 250));
    EXPECT_EQ(note->GetWindowRect().Width(), 182);
    ::SendMessageA(note->EditHwnd(), WM_MOUSEWHEEL, Wheel(MK_SHIFT, -120), MAKELPARAM(350, 250));
    EXPECT_EQ(note->GetWindowRect().Height(), 101);
}

TEST(TackletWinFade, FactorTable) {
    const int factors[] = {0, 0, 0, 0, 60, 100, 150, 180, 220, 255};
    for (int counter = 0; counter < 10; ++counter) {
        EXPECT_EQ(CNoteFade::FadeAlpha(counter, 255), factors[counter]) << counter;
        EXPECT_EQ(CNoteFade::FadeAlpha(counter, 178), factors[counter] * 178 / 255) << counter;
    }
    EXPECT_EQ(CNoteFade::FadeAlpha(8, 178), 153);
}

TEST_F(TackletWinTest, MouseHideFadesOutInTenStepsAndAClickMakesItOpaque) {
    note->SetMouseHideCtl(1);
    note->SetTransparent(70);
    note->MouseOver(0);
    ASSERT_TRUE(note->IsMouseIn());
    ASSERT_EQ(note->FadeCounter(), 10);
    const BYTE expected[] = {178, 153, 125, 104, 69, 41, 0, 0, 0, 0};
    for (BYTE alpha : expected) {
        note->FadeStep();
        EXPECT_EQ(LayeredOf(note->GetHwnd()).alpha, alpha) << "counter " << note->FadeCounter();
    }
    EXPECT_EQ(note->FadeCounter(), 0);
    note->FadeStep();  // nothing left to fade
    EXPECT_EQ(LayeredOf(note->GetHwnd()).alpha, 0);

    // A press in the edit control makes the note opaque.
    ::SendMessageA(note->EditHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(LayeredOf(note->GetHwnd()).alpha, 255);
    ::SendMessageA(note->EditHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));

    // The mouse leaves: back to the base opacity.
    const PvRect r = note->GetWindowRect();
    note->MouseOutStep(POINT{r.right + 50, r.bottom + 50}, false);
    EXPECT_FALSE(note->IsMouseIn());
    EXPECT_EQ(LayeredOf(note->GetHwnd()).alpha, 178);
}

TEST_F(TackletWinTest, KeyedNoteTurnsOpaqueOnlyWithCtrl) {
    note->SetBkTransparent(1);
    note->SetTransparent(80);
    const PvRect r = note->GetWindowRect();
    const POINT inside{r.left + 10, r.top + 10};
    const POINT outside{r.right + 40, r.top};

    note->MouseOver(0);
    note->MouseOutStep(inside, false);
    EXPECT_FALSE(note->IsMouseIn());
    EXPECT_EQ(LayeredOf(note->GetHwnd()).flags, static_cast<DWORD>(LWA_COLORKEY | LWA_ALPHA));

    note->MouseOutStep(inside, true);  // Ctrl held while the mouse is over it
    EXPECT_TRUE(note->IsMouseIn());
    CLayered l = LayeredOf(note->GetHwnd());
    EXPECT_EQ(l.flags, static_cast<DWORD>(LWA_ALPHA));
    EXPECT_EQ(l.alpha, 255);

    note->MouseOutStep(outside, false);
    EXPECT_FALSE(note->IsMouseIn());
    l = LayeredOf(note->GetHwnd());
    EXPECT_EQ(l.flags, static_cast<DWORD>(LWA_COLORKEY | LWA_ALPHA));
    EXPECT_EQ(l.alpha, 204);

    note->MouseOver(MK_CONTROL);  // the same through a mouse move with Ctrl
    EXPECT_TRUE(note->IsMouseIn());
    EXPECT_EQ(LayeredOf(note->GetHwnd()).alpha, 255);
}

TEST_F(TackletWinTest, EditingKeepsTheNoteOpaque) {
    note->SetText("abc");
    ::SendMessageA(note->EditHwnd(), EM_SETSEL, 0, 0);
    note->SetTransparent(50);
    note->EnableAfterCreate();
    note->CompleteStart();
    Pump(50);

    ::SetFocus(note->EditHwnd());
    ASSERT_EQ(::GetFocus(), note->EditHwnd());
    EXPECT_TRUE(note->HasEditFocus());
    EXPECT_EQ(LayeredOf(note->GetHwnd()).alpha, 255);
    EXPECT_TRUE(CaretAtEnd(note->EditHwnd())) << "the first focus puts the caret after the text";

    // The mouse leaving while editing keeps it opaque.
    note->MouseOver(0);
    note->MouseOutStep(POINT{-500, -500}, false);
    EXPECT_EQ(LayeredOf(note->GetHwnd()).alpha, 255);

    ::SetFocus(target.Get());
    EXPECT_FALSE(note->HasEditFocus());
    EXPECT_EQ(LayeredOf(note->GetHwnd()).alpha, 127);
}

TEST(TackletWinDesktop, PrefixKeepsADesktopNoteOnTop) {
    // A desktop note is owned by the desktop window, that is by nobody.
    CNotePtr note = MakeNote(::GetDesktopWindow());
    ASSERT_NE(note, nullptr);
    ASSERT_EQ(::GetWindow(note->GetHwnd(), GW_OWNER), nullptr);
    note->MoveWindow(300, 200, 180, 100);
    ::ShowWindow(note->GetHwnd(), SW_SHOWNOACTIVATE);
    auto topmost = [&] { return (::GetWindowLongPtrA(note->GetHwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };

    note->SetText("~#&上に置く");
    note->CheckDesktopTopmost();
    EXPECT_FALSE(topmost()) << "only desktop notes";

    note->SetTarget(true, reinterpret_cast<PvHandle>(::GetDesktopWindow()));
    note->CheckDesktopTopmost();
    EXPECT_TRUE(topmost());
    EXPECT_TRUE(note->IsTopmostByPrefix());

    note->SetText("~#上に置かない");
    note->MouseOutStep(POINT{-500, -500}, false);  // the 200 ms step runs the check
    EXPECT_FALSE(topmost());
    EXPECT_FALSE(note->IsTopmostByPrefix());

    const PvRect before = note->GetWindowRect();
    note->SetText("~#&");
    note->CheckDesktopTopmost();
    EXPECT_TRUE(topmost());
    EXPECT_EQ(note->GetWindowRect(), before) << "size and position stay";
}

TEST_F(TackletWinTest, CompleteStartShowsWithoutTakingTheFocus) {
    ::SetForegroundWindow(target.Get());
    ::SetFocus(target.Get());
    note->CompleteStart();
    EXPECT_TRUE(::IsWindowVisible(note->GetHwnd()));
    EXPECT_EQ(LayeredOf(note->GetHwnd()).alpha, 200) << "shown at its base alpha";
    RECT t;
    ::GetWindowRect(target.Get(), &t);
    EXPECT_EQ(note->GetTargetRect(), (PvRect{t.left, t.top, t.right, t.bottom}))
        << "an empty target rectangle takes the target's";
    Pump(250);  // timer 106 has enabled the window
    EXPECT_TRUE(::IsWindowEnabled(note->GetHwnd()));
    // The note never keeps the focus; where the system puts it otherwise
    // depends on who is in the foreground.
    EXPECT_NE(::GetActiveWindow(), note->GetHwnd());
    EXPECT_NE(::GetFocus(), note->EditHwnd());
    EXPECT_NE(::GetFocus(), note->GetHwnd());
    EXPECT_FALSE(note->HasEditFocus());
}

TEST_F(TackletWinTest, EscapeAndCloseNeverCloseTheNote) {
    ::SendMessageA(note->GetHwnd(), WM_COMMAND, IDCANCEL, 0);
    ::SendMessageA(note->GetHwnd(), WM_CLOSE, 0, 0);
    Pump(20);
    EXPECT_TRUE(note->IsAlive());
    EXPECT_TRUE(::IsWindow(note->GetHwnd()));
}

}  // namespace

namespace {

void SendMouse(DWORD flags, int x, int y) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    ::SendInput(1, &in, sizeof in);
}

DWORD WINAPI DragThread(void*) {
    ::Sleep(300);
    SendMouse(0, 480, 250);
    ::Sleep(100);
    SendMouse(0, 500, 270);
    ::Sleep(100);
    SendMouse(0, 530, 290);
    ::Sleep(200);
    SendMouse(MOUSEEVENTF_LEFTUP, 530, 290);
    return 0;
}

// A press on the ear (which lets mouse input through to the note) starts
// the system's move loop; the drag itself comes from another thread, as the
// loop runs inside this one.
TEST_F(TackletWinTest, DraggingTheEarMovesTheNote) {
    note->CompleteStart();
    Pump(200);
    const PvRect home = note->GetWindowRect();
    ASSERT_EQ(home, (PvRect{300, 200, 480, 300}));
    SendMouse(0, 470, 250);  // on the ear, at the right edge
    Pump(100);
    SendMouse(MOUSEEVENTF_LEFTDOWN, 470, 250);
    HANDLE thread = ::CreateThread(nullptr, 0, DragThread, nullptr, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    Pump(1500);
    ::WaitForSingleObject(thread, INFINITE);
    ::CloseHandle(thread);
    SendMouse(0, 1250, 1000);  // out of the way of the other tests
    Pump(50);

    const PvRect r = note->GetWindowRect();
    EXPECT_EQ(r.left - home.left, 60);
    EXPECT_EQ(r.top - home.top, 40);
    EXPECT_EQ(r.Width(), home.Width());
    EXPECT_EQ(r.Height(), home.Height());
    EXPECT_EQ(note->GetRectWin(), r);
}

}  // namespace

TEST_F(TackletWinTest, OnAMonitorOfAnotherScalingEarMarginsAndFontFollowWhileTheStoredFontStays) {
    PvLogFont font = CRecordDefaults::DefaultFont();
    font.lfHeight = -12;
    note->SetEditFont(font);
    note->SetPickPos(2);  // ear on the left
    const HWND hwnd = note->GetHwnd();

    const RECT suggested{320, 210, 320 + 270, 210 + 150};
    ::SendMessageA(hwnd, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(note->Dpi(), 144u);
    RECT window{};
    ::GetWindowRect(hwnd, &window);
    EXPECT_EQ(Text(window), Text(suggested));
    const RECT ear = ChildRect(note->EarHwnd());
    EXPECT_EQ(ear.right - ear.left, 26);  // 17 at 150 %
    LOGFONTA shown{};
    ::GetObjectA(reinterpret_cast<HFONT>(::SendMessageA(note->EditHwnd(), WM_GETFONT, 0, 0)), sizeof shown, &shown);
    EXPECT_EQ(shown.lfHeight, -18);
    const LRESULT margins = ::SendMessageA(note->EditHwnd(), EM_GETMARGINS, 0, 0);
    EXPECT_EQ(LOWORD(margins), 3);  // 2 at 150 %
    // What the record collects is the font as it was given.
    EXPECT_EQ(note->GetEditFont().lfHeight, -12);

    const RECT back{320, 210, 320 + 180, 210 + 100};
    ::SendMessageA(hwnd, WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&back));
    EXPECT_EQ(ChildRect(note->EarHwnd()).right - ChildRect(note->EarHwnd()).left, 17);
    EXPECT_EQ(note->GetEditFont().lfHeight, -12);
}

TEST(TackletWinDesktop, EnablingADesktopNoteLeavesTheActiveWindowAlone) {
    // The desktop takes no keyboard focus: handing it over would only take
    // the activation from whatever window of ours has it, and give it back.
    CTargetWindow active{100, 100, 400, 300};
    ::SetActiveWindow(active.Get());
    ::SetFocus(active.Get());
    ASSERT_EQ(::GetActiveWindow(), active.Get());
    CNotePtr note = MakeNote(::GetDesktopWindow());
    ASSERT_NE(note, nullptr);
    note->SetTarget(true, reinterpret_cast<PvHandle>(::GetDesktopWindow()));
    int activations = 0;
    CWindowSubclass watch;
    ASSERT_TRUE(watch.Install(active.Get(), [&](HWND, UINT msg, WPARAM, LPARAM, LRESULT&) {
        if (msg == WM_NCACTIVATE || msg == WM_ACTIVATE || msg == WM_KILLFOCUS) ++activations;
        return false;
    }));
    note->EnableAfterCreate();
    Pump(50);
    EXPECT_TRUE(::IsWindowEnabled(note->GetHwnd()));
    EXPECT_EQ(activations, 0);
    EXPECT_EQ(::GetActiveWindow(), active.Get());
    EXPECT_EQ(::GetFocus(), active.Get());
}

namespace {

// Stands for a note in the mouse watch: counts its steps and can end the
// watch of another client from its own step.
struct CWatchClient : CNoteMouseWatch::IClient {
    int steps = 0;
    CWatchClient* ends = nullptr;
    void MouseOutStep(POINT, bool) override {
        ++steps;
        if (ends) CNoteMouseWatch::Instance().Remove(ends);
    }
};

}  // namespace

// Notes stacked under the mouse share one timer; a step that ends another
// client's watch keeps that client from being stepped; the timer stops with
// the last client.
TEST(NoteMouseWatch, OneTimerForEveryWatchedClient) {
    CNoteMouseWatch& watch = CNoteMouseWatch::Instance();
    ASSERT_FALSE(watch.TimerRunning());
    CWatchClient a, b, c;
    a.ends = &b;
    for (CWatchClient* client : {&a, &b, &c, &a}) watch.Add(client);
    EXPECT_TRUE(watch.TimerRunning());
    watch.Step(POINT{0, 0}, false);
    EXPECT_EQ(a.steps, 1);
    EXPECT_EQ(b.steps, 0) << "ended by the client stepped before it";
    EXPECT_EQ(c.steps, 1);
    watch.Remove(&a);
    EXPECT_TRUE(watch.TimerRunning());
    watch.Remove(&c);
    watch.Remove(&c);
    EXPECT_FALSE(watch.TimerRunning());
}

// The mouse over a note starts the watch; once the mouse has left, the
// next 200 ms step restores the note and ends the watch. A note destroyed
// while watched leaves the watch with its window.
TEST_F(TackletWinTest, TheMouseWatchEndsWhenTheMouseHasLeft) {
    CNoteMouseWatch& watch = CNoteMouseWatch::Instance();
    POINT cursor{};
    ASSERT_TRUE(::GetCursorPos(&cursor));
    // Away from the cursor, whichever corner of the screen it is in.
    note->MoveWindow(cursor.x > 400 ? 0 : cursor.x + 200, cursor.y > 300 ? 0 : cursor.y + 200, 180, 100);
    note->MouseOver(0);
    ASSERT_TRUE(note->IsMouseIn());
    EXPECT_TRUE(watch.Contains(note.get()));
    EXPECT_TRUE(watch.TimerRunning());
    Pump(CNoteMouseWatch::kPeriod * 2 + 100);
    EXPECT_FALSE(note->IsMouseIn());
    EXPECT_FALSE(watch.Contains(note.get()));
    EXPECT_FALSE(watch.TimerRunning());

    note->MouseOver(0);
    ASSERT_TRUE(watch.Contains(note.get()));
    ::DestroyWindow(note->GetHwnd());
    EXPECT_FALSE(watch.Contains(note.get()));
    EXPECT_FALSE(watch.TimerRunning());
}

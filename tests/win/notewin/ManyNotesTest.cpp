// A thousand note windows on one target: what GDI objects they hold while
// shown and that every one of them is given back when they are destroyed.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "GdiCounter.h"
#include "NoteTestSupport.h"
#include "data/TackletData.h"
#include "notewin/TackletWin.h"
#include "platform/SharedGdi.h"
#include "WindowFinder.h"

namespace {

constexpr int kNotes = 1000;

long ProcessGdiObjects() { return static_cast<long>(::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS)); }

TEST(ManyNotes, AThousandWindowsHoldFewGdiObjectsAndGiveThemAllBack) {
    ASSERT_TRUE(GdiCounter::Install());
    CTestWindowSystem system;
    CTargetWindow target(100, 100, 900, 700);
    std::vector<CTackletData> notes(kNotes);
    for (int i = 0; i < kNotes; ++i) {
        CTackletData& n = notes[static_cast<std::size_t>(i)];
        n.EXENAME = "NOTEPAD.EXE";
        n.TEXT = "note " + std::to_string(i);
        // Every ear and background colour, text colour and gradient, two fonts.
        n.COLOR = i % 5;
        n.BKCOLOR = i % 6;
        n.TXCOLOR = i % 3;
        n.GRAFLG = i % 2;
        n.GRAPTN = i % 8;
        n.PICKPOS = i % 4;
        n.m_logFont.lfHeight = i % 2 ? -12 : -16;
        const int x = 120 + (i * 7) % 600, y = 120 + (i * 11) % 500;
        n.SetNoteRect({x, y, x + 160, y + 60});
    }
    Pump(50);
    const int ownBefore = GdiCounter::Live();
    const long createdBefore = GdiCounter::Created();
    const long processBefore = ProcessGdiObjects();

    for (int i = 0; i < kNotes; ++i) {
        notes[static_cast<std::size_t>(i)].StartTacklet(target.Handle());
        if (i % 100 == 99) Pump(10);
    }
    Pump(200);
    for (int i = 0; i < kNotes; ++i) ASSERT_NE(notes[static_cast<std::size_t>(i)].m_pWin, nullptr) << i;

    const double ownPerWindow = static_cast<double>(GdiCounter::Live() - ownBefore) / kNotes;
    const double createdPerWindow = static_cast<double>(GdiCounter::Created() - createdBefore) / kNotes;
    const long processShown = ProcessGdiObjects();
    std::printf("per note window: %.2f GDI objects held by our code, %.2f created; process count %ld -> %ld\n",
                ownPerWindow, createdPerWindow, processBefore, processShown);
    EXPECT_LE(ownPerWindow, 4.0);
    // Painting may make short-lived objects; it must not make them per window for good.
    if (processBefore > 0) {
        EXPECT_LE(static_cast<double>(processShown - processBefore) / kNotes, 4.0);
    }

    for (CTackletData& n : notes) n.EndTacklet();
    Pump(200);
    EXPECT_EQ(GdiCounter::Live(), ownBefore);
    if (processBefore > 0) {
        EXPECT_EQ(ProcessGdiObjects(), processBefore);
    }
}

// While alive, hands `onMessage` every message a hook of type `Id` sees on
// this thread (WH_GETMESSAGE: MSG, with PM_REMOVE or PM_NOREMOVE;
// WH_CALLWNDPROC: CWPSTRUCT, with whether the current thread sent it).
template <int Id, class Message>
class CThreadHook {
public:
    using Handler = std::function<void(WPARAM, const Message&)>;
    explicit CThreadHook(Handler onMessage) : m_onMessage(std::move(onMessage)) {
        s_self = this;
        m_hook = ::SetWindowsHookExA(Id, Proc, nullptr, ::GetCurrentThreadId());
    }
    ~CThreadHook() {
        ::UnhookWindowsHookEx(m_hook);
        s_self = nullptr;
    }
    CThreadHook(const CThreadHook&) = delete;
    CThreadHook& operator=(const CThreadHook&) = delete;

private:
    static LRESULT CALLBACK Proc(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HC_ACTION && s_self) s_self->m_onMessage(wParam, *reinterpret_cast<const Message*>(lParam));
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static inline CThreadHook* s_self = nullptr;
    HHOOK m_hook = nullptr;
    Handler m_onMessage;
};

bool IsClass(HWND hwnd, const char* name) {
    char cls[16] = {};
    return ::GetClassNameA(hwnd, cls, sizeof cls) && lstrcmpiA(cls, name) == 0;
}

// Paint messages the note windows of this thread take from the queue.
class CPaintCounter {
public:
    int For(HWND window) const {
        int n = 0;
        for (HWND h : m_painted) n += h == window;
        return n;
    }

private:
    std::vector<HWND> m_painted;
    CThreadHook<WH_GETMESSAGE, MSG> m_hook{[this](WPARAM removal, const MSG& msg) {
        if (removal == PM_REMOVE && msg.message == WM_PAINT) m_painted.push_back(msg.hwnd);
    }};
};

TEST(ManyNotes, ANewNoteIsDrawnOnceWithEveryValueSet) {
    CTestWindowSystem system;
    CTargetWindow target(100, 100, 600, 400);
    CTackletData note;
    note.EXENAME = "NOTEPAD.EXE";
    note.TEXT = "drawn once";
    note.COLOR = 2;
    note.BKCOLOR = 3;
    note.READONLY = 1;
    note.SetNoteRect({150, 150, 330, 230});
    Pump(100);
    CPaintCounter paints;
    note.StartTacklet(target.Handle());
    ASSERT_NE(note.m_pWin, nullptr);
    const HWND hwnd = reinterpret_cast<HWND>(note.m_pWin->Handle());
    Pump(600);  // past the delayed enabling
    EXPECT_EQ(paints.For(hwnd), 1);
    note.EndTacklet();
}

// Texts the edit controls of this thread are given, with the edit
// control's window rectangle and font at that moment.
class CSetTextWatch {
public:
    struct Seen {
        std::string text;
        RECT editRect;
        HFONT font;
    };
    std::vector<Seen> seen;

private:
    CThreadHook<WH_CALLWNDPROC, CWPSTRUCT> m_hook{[this](WPARAM, const CWPSTRUCT& msg) {
        if (msg.message != WM_SETTEXT || !msg.lParam || !IsClass(msg.hwnd, "Edit")) return;
        Seen s{pvtest::Utf8(reinterpret_cast<const wchar_t*>(msg.lParam)), {}, nullptr};
        ::GetWindowRect(msg.hwnd, &s.editRect);
        s.font = reinterpret_cast<HFONT>(::SendMessageA(msg.hwnd, WM_GETFONT, 0, 0));
        seen.push_back(std::move(s));
    }};
};

TEST(ManyNotes, ANewNoteGetsItsBodyOnceAtItsFinalSizeAndFont) {
    CTestWindowSystem system;
    CTargetWindow target(100, 100, 600, 400);
    CTackletData note;
    note.EXENAME = "NOTEPAD.EXE";
    note.TEXT = std::string(300, 'x') + " laid out once";
    note.m_logFont.lfHeight = -19;
    note.SetNoteRect({150, 150, 350, 250});
    CSetTextWatch watch;
    note.StartTacklet(target.Handle());
    ASSERT_NE(note.m_pWin, nullptr);
    ASSERT_EQ(watch.seen.size(), 1u);
    const CSetTextWatch::Seen& set = watch.seen.front();
    EXPECT_EQ(set.text, note.TEXT);
    // The edit control had the size it has on the placed note.
    const HWND edit = static_cast<CTackletWin*>(note.m_pWin)->EditHwnd();
    RECT now{};
    ::GetWindowRect(edit, &now);
    EXPECT_EQ(set.editRect.right - set.editRect.left, now.right - now.left);
    EXPECT_EQ(set.editRect.bottom - set.editRect.top, now.bottom - now.top);
    EXPECT_EQ(note.m_pWin->GetWindowRect(), (PvRect{150, 150, 350, 250}));
    LOGFONTA lf{};
    ASSERT_TRUE(set.font && ::GetObjectA(set.font, sizeof lf, &lf));
    EXPECT_EQ(lf.lfHeight, -19);
    EXPECT_EQ(note.m_pWin->GetText(), note.TEXT);
    // The caret waits at the end of the body, as after any text set.
    DWORD from = 0, to = 0;
    ::SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    EXPECT_EQ(from, static_cast<DWORD>(note.TEXT.size()));
    EXPECT_EQ(to, from);
    note.EndTacklet();
    EXPECT_EQ(note.TEXT, std::string(300, 'x') + " laid out once");
}

// Style changes of the note windows (dialogs) of this thread, and the sizes
// their edit controls are given.
class CStartWatch {
public:
    int styleChanges = 0;
    std::vector<SIZE> editSizes;

private:
    CThreadHook<WH_CALLWNDPROC, CWPSTRUCT> m_hook{[this](WPARAM, const CWPSTRUCT& msg) {
        if (msg.message == WM_STYLECHANGED && IsClass(msg.hwnd, "#32770")) ++styleChanges;
        if (msg.message == WM_WINDOWPOSCHANGED && IsClass(msg.hwnd, "Edit") && IsClass(::GetParent(msg.hwnd), "#32770")) {
            const auto* pos = reinterpret_cast<const WINDOWPOS*>(msg.lParam);
            if (!(pos->flags & SWP_NOSIZE)) editSizes.push_back(SIZE{pos->cx, pos->cy});
        }
    }};
};

// A new note takes its styles from its template and lays its ear and edit
// control out once, at its final size; only a note without the resize frame
// changes a style, once.
TEST(ManyNotes, ANewNoteChangesItsStyleOnlyForAFrameAndLaysOutOnce) {
    CTestWindowSystem system;
    CTargetWindow target(100, 100, 600, 400);
    for (const int frame : {1, 0}) {
        SCOPED_TRACE(frame);
        CTackletData note;
        note.EXENAME = "NOTEPAD.EXE";
        note.TEXT = "laid out once";
        note.FRAME = frame;
        note.PICKPOS = 2;  // ear on the left
        note.TRANSPARENT_ = 60;
        note.SetNoteRect({150, 150, 350, 250});
        CStartWatch watch;
        note.StartTacklet(target.Handle());
        ASSERT_NE(note.m_pWin, nullptr);
        auto* win = static_cast<CTackletWin*>(note.m_pWin);
        const HWND hwnd = win->GetHwnd();
        // The template has no frame (most notes have none): a note with a
        // frame changes its style once, a note without none at all.
        EXPECT_EQ(watch.styleChanges, frame ? 1 : 0);
        EXPECT_EQ(win->HasFrame(), frame);
        EXPECT_EQ((::GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_THICKFRAME) != 0, frame != 0);
        RECT window, client;
        ::GetWindowRect(hwnd, &window);
        ::GetClientRect(hwnd, &client);
        EXPECT_EQ(window.right - window.left, 200);
        EXPECT_EQ(window.bottom - window.top, 100);
        ASSERT_EQ(watch.editSizes.size(), 1u);
        EXPECT_EQ(watch.editSizes[0].cx, client.right - 17);
        EXPECT_EQ(watch.editSizes[0].cy, client.bottom);
        RECT ear;
        ::GetWindowRect(win->EarHwnd(), &ear);
        ::MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&ear), 2);
        EXPECT_EQ(ear.left, 0);
        EXPECT_EQ(ear.right, 17);
        EXPECT_EQ(ear.bottom, client.bottom);
        BYTE alpha = 0;
        DWORD flags = 0;
        ASSERT_TRUE(::GetLayeredWindowAttributes(hwnd, nullptr, &alpha, &flags));
        EXPECT_EQ(alpha, 153);
        EXPECT_TRUE(::IsWindowVisible(hwnd));
        note.EndTacklet();
        EXPECT_EQ(note.FRAME, frame);
    }
}

TEST(SharedGdi, EqualValuesShareOneObjectUntilTheLastHolderLetsGo) {
    const int before = SharedGdi::LiveObjects();
    {
        CSharedBrush a(RGB(1, 2, 3));
        CSharedBrush b(RGB(1, 2, 3));
        CSharedBrush c(RGB(3, 2, 1));
        EXPECT_NE(a.Get(), nullptr);
        EXPECT_EQ(a.Get(), b.Get());
        EXPECT_NE(a.Get(), c.Get());
        LOGFONTW lf{};
        lf.lfHeight = -13;
        std::wcscpy(lf.lfFaceName, L"Arial");
        CSharedFont f, g;
        ASSERT_TRUE(f.Set(lf));
        lf.lfFaceName[6] = L'x';  // beyond the terminator: the same font
        ASSERT_TRUE(g.Set(lf));
        EXPECT_EQ(f.Get(), g.Get());
        EXPECT_EQ(SharedGdi::LiveObjects(), before + 3);
        b.Reset();
        g.Reset();
        EXPECT_EQ(SharedGdi::LiveObjects(), before + 3);  // still held by a and f
        c.Set(RGB(1, 2, 3));                              // moves to a's brush, its own goes
        EXPECT_EQ(c.Get(), a.Get());
        EXPECT_EQ(SharedGdi::LiveObjects(), before + 2);
    }
    EXPECT_EQ(SharedGdi::LiveObjects(), before);
}

}  // namespace

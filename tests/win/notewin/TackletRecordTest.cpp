// The note record driving the real note window: StartTacklet hands the
// record over, EndTacklet takes it back; the window object deletes itself,
// also when the target (owner) window is destroyed first.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "LiveAllocations.h"
#include "NoteTestSupport.h"
#include "data/Trace.h"
#include "data/RecordDefaults.h"
#include "data/TackletData.h"
#include "notewin/TackletWin.h"
#include "platform/Dialog.h"
#include "res/resource.h"
#include "data/CodePage.h"

namespace {

// Collects the trace output while it lives.
class CTraceCapture {
public:
    CTraceCapture() {
        TraceEnable(true);
        TraceSetSink(&CTraceCapture::Sink, this);
    }
    ~CTraceCapture() {
        TraceSetSink(nullptr, nullptr);
        TraceEnable(false);
    }
    int Count(const std::string& line) const {
        int n = 0;
        for (std::size_t at = m_text.find(line); at != std::string::npos; at = m_text.find(line, at + 1)) ++n;
        return n;
    }

private:
    static void Sink(const char* text, void* context) { static_cast<CTraceCapture*>(context)->m_text += text; }
    std::string m_text;
};

struct Appearance {
    int readOnly, bkTransparent, transparent, mouseHide, color, frame, pickPos, bkColor, txColor, graFlg, graPtn;
};

CTackletData MakeRecord(const Appearance& a) {
    CTackletData rec;
    rec.EXENAME = "NOTEPAD.EXE";
    rec.READONLY = a.readOnly;
    rec.BKTRANSPARENT = a.bkTransparent;
    rec.TRANSPARENT_ = a.transparent;
    rec.MOUSEHIDECTL = a.mouseHide;
    rec.COLOR = a.color;
    rec.FRAME = a.frame;
    rec.PICKPOS = a.pickPos;
    rec.BKCOLOR = a.bkColor;
    rec.TXCOLOR = a.txColor;
    rec.GRAFLG = a.graFlg;
    rec.GRAPTN = a.graPtn;
    return rec;
}

class TackletRecordTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(target.Get(), nullptr);
        WatchAllocations(sizeof(CTackletWin));
    }
    void TearDown() override { WatchAllocations(0); }

    CTestWindowSystem system{200, 120};
    CTargetWindow target{100, 100, 600, 400};
};

TEST_F(TackletRecordTest, StartAndEndRoundTripThroughTheWindow) {
    const Appearance sets[] = {
        {1, 0, 60, 1, 3, 1, 2, 4, 2, 1, 5},
        {0, 1, 20, 0, 4, 0, 1, 1, 1, 0, 7},
        {0, 0, 100, 0, 0, 1, 3, 5, 0, 1, 0},
    };
    RECT t;
    ::GetWindowRect(target.Get(), &t);
    for (const Appearance& a : sets) {
        SCOPED_TRACE(testing::Message() << "pickpos " << a.pickPos << " frame " << a.frame);
        CTraceCapture trace;
        CTackletData rec = MakeRecord(a);
        // 3999 single bytes, then two double-byte characters: 4003 bytes
        // in the code page.
        rec.TEXT = "一行目\r\n" + std::string(3999 - 8, 'x') + "あい";
        ASSERT_EQ(CodePageOf(rec.TEXT).size(), 4003u);
        rec.SetNoteRect(PvRect{250, 180, 450, 300});
        rec.SetTargetRect(PvRect{t.left, t.top, t.right, t.bottom});
        rec.m_logFont.lfHeight = -16;
        rec.m_logFont.lfWeight = 700;
        rec.m_logFont.lfItalic = 1;
        rec.m_reserve.year = 2024;
        rec.m_reserve.enable = 0;
        rec.m_arrow.ARWSATRTX = 10;
        rec.m_arrow.ARWSTARTY = 20;
        rec.m_arrow.ARWENDX = 30;
        rec.m_arrow.ARWENDY = 40;
        rec.ARLINEWIDTH = 2;
        const CTackletData before = rec;
        const int updates = system.Updates();

        rec.StartTacklet(target.Handle());
        ASSERT_EQ(rec.m_bAttached, 1);
        ASSERT_NE(rec.m_pWin, nullptr);
        auto* win = dynamic_cast<CTackletWin*>(rec.m_pWin);
        ASSERT_NE(win, nullptr);
        const HWND hwnd = win->GetHwnd();
        EXPECT_TRUE(::IsWindowVisible(hwnd));
        EXPECT_EQ(::GetWindow(hwnd, GW_OWNER), target.Get());
        RECT r;
        ::GetWindowRect(hwnd, &r);
        EXPECT_EQ(r.left, 250);
        EXPECT_EQ(r.top, 180);
        EXPECT_EQ(r.right, 450);
        EXPECT_EQ(r.bottom, 300);
        EXPECT_EQ(win->BaseAlpha(), CNoteFade::AlphaFromPercent(a.transparent));
        EXPECT_EQ(LiveWatchedAllocations(), 1);
        Pump(30);

        rec.EndTacklet();
        EXPECT_EQ(rec.m_bAttached, 0);
        EXPECT_EQ(rec.m_pWin, nullptr);
        EXPECT_EQ(rec.m_bModified, 1);
        EXPECT_EQ(system.Updates(), updates + 1);
        EXPECT_FALSE(::IsWindow(hwnd));
        EXPECT_EQ(LiveWatchedAllocations(), 0) << "the window object deleted itself";
        EXPECT_EQ(trace.Count("TackletWin Create!\n"), 1);
        EXPECT_EQ(trace.Count("CTackletWin::PostNcDestroy()\n"), 1);

        // Text cut to 4000 bytes in the code page without splitting a
        // character: "あい" goes.
        EXPECT_EQ(rec.TEXT, before.TEXT.substr(0, before.TEXT.size() - std::string("あい").size()));
        EXPECT_EQ(rec.NoteRect(), before.NoteRect());
        EXPECT_EQ(rec.TargetRect(), before.TargetRect());
        EXPECT_EQ(rec.READONLY, a.readOnly);
        EXPECT_EQ(rec.BKTRANSPARENT, a.bkTransparent);
        EXPECT_EQ(rec.TRANSPARENT_, a.transparent);
        EXPECT_EQ(rec.MOUSEHIDECTL, a.mouseHide);
        EXPECT_EQ(rec.COLOR, a.color);
        EXPECT_EQ(rec.FRAME, a.frame);
        EXPECT_EQ(rec.PICKPOS, a.pickPos);
        EXPECT_EQ(rec.BKCOLOR, a.bkColor);
        EXPECT_EQ(rec.TXCOLOR, a.txColor);
        EXPECT_EQ(rec.GRAFLG, a.graFlg);
        EXPECT_EQ(rec.GRAPTN, a.graPtn);
        EXPECT_EQ(rec.m_logFont, before.m_logFont);
        EXPECT_EQ(rec.m_reserve, before.m_reserve);
        EXPECT_EQ(rec.m_arrow, before.m_arrow);
        EXPECT_EQ(rec.ARLINEWIDTH, 2);
    }
}

TEST_F(TackletRecordTest, NoteWithoutPositionOpensCentredAtTheInitialSize) {
    CTackletData rec;
    rec.StartTacklet(target.Handle());
    ASSERT_NE(rec.m_pWin, nullptr);
    // Target (100,100)-(700,500): centre (400,300); the note is 200 x 120.
    EXPECT_EQ(rec.m_pWin->GetWindowRect(), (PvRect{300, 240, 500, 360}));
    rec.EndTacklet();
    EXPECT_EQ(rec.NoteRect(), (PvRect{300, 240, 500, 360}));
    EXPECT_EQ(LiveWatchedAllocations(), 0);
}

TEST_F(TackletRecordTest, OwnerDestroyedFirstLosesNothingAndLeaksNothing) {
    CTraceCapture trace;
    CTackletData rec;
    rec.EXENAME = "NOTEPAD.EXE";
    rec.SetNoteRect(PvRect{260, 200, 460, 320});
    rec.FRAME = 1;
    rec.StartTacklet(target.Handle());
    ASSERT_NE(rec.m_pWin, nullptr);
    auto* win = dynamic_cast<CTackletWin*>(rec.m_pWin);
    ASSERT_NE(win, nullptr);
    const HWND hwnd = win->GetHwnd();
    rec.SetText("消さないでほしいメモ");
    win->SetColor(2);
    win->MoveWindow(270, 210, 220, 130);

    // The system destroys owned windows together with their owner.
    target.DestroyNow();
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_FALSE(win->IsAlive());
    EXPECT_EQ(win->Handle(), 0u);
    EXPECT_EQ(trace.Count("CTackletWin::PostNcDestroy()\n"), 1);
    EXPECT_EQ(LiveWatchedAllocations(), 1) << "kept until the record lets go";

    // Nothing the record or the timers' steps can call touches a window now.
    win->SetText("ignored");
    win->SetReadOnly(1);
    win->SetFrame(0);
    win->SetTransparent(30);
    win->SetEditFont(CRecordDefaults::DefaultFont());
    win->MoveWindow(0, 0, 10, 10);
    win->CompleteStart();
    win->EnableAfterCreate();
    win->OnFollowTimer();
    win->MouseOutStep(POINT{0, 0}, true);
    win->FadeStep();
    win->MouseWheel(MK_CONTROL, -120);
    EXPECT_EQ(rec.GetText(), "消さないでほしいメモ");

    rec.EndTacklet();
    EXPECT_EQ(rec.m_pWin, nullptr);
    EXPECT_EQ(rec.TEXT, "消さないでほしいメモ");
    EXPECT_EQ(rec.NoteRect(), (PvRect{270, 210, 490, 340}));
    EXPECT_EQ(rec.READONLY, 0);
    EXPECT_EQ(rec.FRAME, 1);
    EXPECT_EQ(rec.COLOR, 2);
    EXPECT_EQ(LiveWatchedAllocations(), 0);
}

// The dialog base: a window destroyed inside one of its own handlers gets
// its final call only after that handler has returned.
class CSelfClosingDlg : public CDialog {
public:
    explicit CSelfClosingDlg(std::string& log) : CDialog(IDD_TACKLET), m_log(log) {}

protected:
    bool OnCommand(WORD id, WORD, HWND) override {
        if (id != 100) return false;
        m_log += "handler;";
        DestroyWindow();
        m_log += m_tag;  // the object is still there
        return true;
    }
    void OnFinalMessage() override {
        m_log += "final;";
        delete this;
    }

private:
    std::string& m_log;
    std::string m_tag = "after-destroy;";
};

TEST(DialogFinalMessage, WaitsForTheHandlerThatDestroyedTheWindow) {
    WatchAllocations(sizeof(CSelfClosingDlg));
    std::string log;
    auto* dlg = new CSelfClosingDlg(log);
    ASSERT_TRUE(dlg->Create(nullptr));
    const HWND hwnd = dlg->GetHwnd();
    ::SendMessageA(hwnd, WM_COMMAND, 100, 0);
    EXPECT_EQ(log, "handler;after-destroy;final;");
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_EQ(LiveWatchedAllocations(), 0);

    log.clear();
    dlg = new CSelfClosingDlg(log);
    ASSERT_TRUE(dlg->Create(nullptr));
    dlg->DestroyWindow();  // from outside: final at once
    EXPECT_EQ(log, "final;");
    EXPECT_EQ(LiveWatchedAllocations(), 0);
    WatchAllocations(0);
}

}  // namespace

// The answer to the extension utility's handle query, from a stand-in main
// window, to senders that do not answer or that ask again while answered.
#include "app/ExtensionReply.h"
#include "WinTestUtil.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <atomic>

namespace {

const UINT kQuery = ::RegisterWindowMessageA("PinvaneExtentUtl");

// The main window's part: answers each query with wParam 0 through one
// CExtensionReply, and counts how deep its handler nests.
struct CStandIn {
    CExtensionReply reply;
    int depth = 0;
    int deepest = 0;
    int queries = 0;
};
CStandIn* g_standIn = nullptr;

// Posted by the probe: the stand-in has got to its queue.
constexpr UINT kProbeMessage = WM_APP + 7;

LRESULT CALLBACK StandInProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kProbeMessage) {
        ::SetEvent(reinterpret_cast<HANDLE>(lParam));
        return 0;
    }
    if (msg == kQuery && wParam == 0 && g_standIn) {
        ++g_standIn->queries;
        g_standIn->deepest = std::max(g_standIn->deepest, ++g_standIn->depth);
        g_standIn->reply.Send(reinterpret_cast<HWND>(lParam), kQuery, hwnd);
        --g_standIn->depth;
        return 0;
    }
    return ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND MakeStandIn() {
    static const ATOM atom = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = StandInProc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "PvStandInMain";
        return ::RegisterClassA(&wc);
    }();
    return atom ? ::CreateWindowExA(0, "PvStandInMain", "stand-in", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                    nullptr, nullptr)
                : nullptr;
}

// A thread that owns a window and then answers nothing until released.
class CSilentThread {
public:
    CSilentThread()
        : m_ready(::CreateEventA(nullptr, TRUE, FALSE, nullptr)), m_release(::CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
        m_thread = ::CreateThread(nullptr, 0, Run, this, 0, nullptr);
        ::WaitForSingleObject(m_ready, 10000);
    }
    ~CSilentThread() {
        ::SetEvent(m_release);
        ::WaitForSingleObject(m_thread, 10000);
        for (HANDLE h : {m_thread, m_ready, m_release}) ::CloseHandle(h);
    }
    HWND Hwnd() const { return m_hwnd; }

private:
    static DWORD WINAPI Run(void* param) {
        auto* self = static_cast<CSilentThread*>(param);
        self->m_hwnd = ::CreateWindowExA(0, "STATIC", "silent", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                                         nullptr);
        ::SetEvent(self->m_ready);
        ::WaitForSingleObject(self->m_release, INFINITE);
        ::DestroyWindow(self->m_hwnd);
        return 0;
    }
    HANDLE m_ready;
    HANDLE m_release;
    HANDLE m_thread = nullptr;
    HWND m_hwnd = nullptr;
};

// Asks `main` from another thread, each `gapMs`, whether it still gets to
// its queue (where input, painting and timers wait) within a second; counts
// the times it did not.
class CProbe {
public:
    CProbe(HWND main, int probes, DWORD gapMs) : m_main(main), m_probes(probes), m_gap(gapMs) {
        m_thread = ::CreateThread(nullptr, 0, Run, this, 0, nullptr);
    }
    ~CProbe() {
        ::WaitForSingleObject(m_thread, 60000);
        ::CloseHandle(m_thread);
    }
    bool Done() const { return m_done; }
    int Missed() const { return m_missed; }

private:
    static DWORD WINAPI Run(void* param) {
        auto* self = static_cast<CProbe*>(param);
        HANDLE seen = ::CreateEventA(nullptr, FALSE, FALSE, nullptr);
        for (int i = 0; i < self->m_probes; ++i) {
            ::PostMessageA(self->m_main, kProbeMessage, 0, reinterpret_cast<LPARAM>(seen));
            if (::WaitForSingleObject(seen, 1000) != WAIT_OBJECT_0) {
                ++self->m_missed;
                ::WaitForSingleObject(seen, 60000);  // the late answer, before the next probe
            }
            ::Sleep(self->m_gap);
        }
        ::CloseHandle(seen);
        self->m_done = true;
        return 0;
    }
    HWND m_main;
    int m_probes;
    DWORD m_gap;
    HANDLE m_thread = nullptr;
    std::atomic<int> m_missed{0};
    std::atomic<bool> m_done{false};
};

// A sender on a thread of its own that asks again each time it is answered,
// from inside the answer, and records how deep that nests on its side.
class CAskingAgain {
public:
    explicit CAskingAgain(HWND main) : m_main(main) {
        m_thread = ::CreateThread(nullptr, 0, Run, this, 0, nullptr);
    }
    ~CAskingAgain() {
        ::WaitForSingleObject(m_thread, 60000);
        ::CloseHandle(m_thread);
    }
    bool Done() const { return m_done; }
    int Deepest() const { return m_deepest; }
    int Answers() const { return m_answers; }

private:
    static constexpr int kMaxAsks = 20;  // the test's own end to an endless exchange

    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<CAskingAgain*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (self && msg == kQuery && wParam == 1) {
            ++self->m_answers;
            self->m_deepest = std::max(self->m_deepest.load(), ++self->m_depth);
            if (self->m_asks++ < kMaxAsks) {
                DWORD_PTR ignored = 0;
                ::SendMessageTimeoutA(self->m_main, kQuery, 0, reinterpret_cast<LPARAM>(hwnd), SMTO_NORMAL, 10000,
                                      &ignored);
            }
            --self->m_depth;
            return 0;
        }
        return ::DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    static DWORD WINAPI Run(void* param) {
        auto* self = static_cast<CAskingAgain*>(param);
        WNDCLASSA wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "PvAskingAgain";
        ::RegisterClassA(&wc);
        HWND hwnd = ::CreateWindowExA(0, "PvAskingAgain", "asking", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                      nullptr, nullptr);
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        ++self->m_asks;
        DWORD_PTR ignored = 0;
        ::SendMessageTimeoutA(self->m_main, kQuery, 0, reinterpret_cast<LPARAM>(hwnd), SMTO_NORMAL, 10000, &ignored);
        ::DestroyWindow(hwnd);
        self->m_done = true;
        return 0;
    }

    HWND m_main;
    HANDLE m_thread = nullptr;
    int m_depth = 0;
    int m_asks = 0;
    std::atomic<int> m_deepest{0};
    std::atomic<int> m_answers{0};
    std::atomic<bool> m_done{false};
};

// Pumps this thread's messages until `done` or a minute has passed.
template <typename Done>
void PumpUntil(Done done) {
    const ULONGLONG end = ::GetTickCount64() + 60000;
    while (!done() && ::GetTickCount64() < end) wintest::Pump(20);
}

class ExtensionReplyTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_standIn = &standIn;
        main = MakeStandIn();
        ASSERT_NE(main, nullptr);
    }
    void TearDown() override {
        ::DestroyWindow(main);
        g_standIn = nullptr;
    }
    CStandIn standIn;
    HWND main = nullptr;
};

}  // namespace

// Thirty queries naming a window that does not answer: the main window
// keeps answering other programs within a second all along.
TEST_F(ExtensionReplyTest, AFloodNamingASilentWindowDoesNotFreezeTheMainWindow) {
    CSilentThread silent;
    ASSERT_NE(silent.Hwnd(), nullptr);
    for (int i = 0; i < 30; ++i) ::PostMessageA(main, kQuery, 0, reinterpret_cast<LPARAM>(silent.Hwnd()));
    CProbe probe(main, 10, 200);
    PumpUntil([&] { return probe.Done(); });
    EXPECT_TRUE(probe.Done());
    EXPECT_EQ(probe.Missed(), 0);
    EXPECT_EQ(standIn.queries, 30);
}

// A sender that asks again from inside each answer: no query runs inside
// another on either side, and the exchange ends.
TEST_F(ExtensionReplyTest, ASenderAskingAgainFromItsAnswerDoesNotReenter) {
    CAskingAgain sender(main);
    PumpUntil([&] { return sender.Done(); });
    ASSERT_TRUE(sender.Done());
    EXPECT_GE(sender.Answers(), 1);
    EXPECT_EQ(sender.Deepest(), 1);
    EXPECT_EQ(standIn.deepest, 1);
}

// An ordinary sender gets its answer, each time it asks.
TEST_F(ExtensionReplyTest, AnOrdinarySenderIsAnswered) {
    wintest::CTargetWindow sender("PvSender", 0, 0, 10, 10, WS_POPUP);
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(standIn.reply.Send(sender.Hwnd(), WM_NULL, main)) << i;
    }
    EXPECT_FALSE(standIn.reply.Send(nullptr, WM_NULL, main));
}

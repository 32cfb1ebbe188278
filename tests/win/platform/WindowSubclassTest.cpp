// The two ways of subclassing a window: messages seen first, results
// returned, the window's own procedure restored, and the lookup-free way
// surviving a subclass put over it.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <memory>

#include "platform/WindowSubclass.h"

namespace {

constexpr UINT kAsk = WM_APP + 7;  // answered 7 by the test window's own procedure

LRESULT CALLBACK OwnProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kAsk) return 7;
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

// A window of a class of our own, destroyed with the holder.
class CPlainWindow {
public:
    CPlainWindow() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = OwnProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"PvSubclassTestWindow";
        ::RegisterClassW(&wc);
        m_hwnd = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                   wc.hInstance, nullptr);
    }
    ~CPlainWindow() {
        if (::IsWindow(m_hwnd)) ::DestroyWindow(m_hwnd);
    }
    HWND Get() const { return m_hwnd; }

private:
    HWND m_hwnd = nullptr;
};

// Answers kAsk with 42 while `answer` is set; counts what it sees.
struct CCounter {
    bool answer = true;
    int seen = 0;
    CWindowSubclass::Handler Handler() {
        return [this](HWND, UINT msg, WPARAM, LPARAM, LRESULT& result) {
            if (msg != kAsk) return false;
            ++seen;
            if (!answer) return false;
            result = 42;
            return true;
        };
    }
};

LRESULT CALLBACK OverProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    return ::DefSubclassProc(hwnd, msg, wParam, lParam);
}

LONG_PTR ProcOf(HWND hwnd) { return ::GetWindowLongPtrW(hwnd, GWLP_WNDPROC); }

}  // namespace

TEST(WindowSubclass, BothWaysSeeMessagesFirstAndRestoreTheWindowWhenRemoved) {
    for (const bool sole : {false, true}) {
        CPlainWindow window;
        const LONG_PTR own = ProcOf(window.Get());
        CCounter counter;
        CWindowSubclass subclass;
        ASSERT_TRUE(sole ? subclass.InstallSole(window.Get(), counter.Handler())
                         : subclass.Install(window.Get(), counter.Handler()));
        EXPECT_EQ(::SendMessageW(window.Get(), kAsk, 0, 0), 42) << sole;
        counter.answer = false;
        EXPECT_EQ(::SendMessageW(window.Get(), kAsk, 0, 0), 7) << "passed on to the window's own procedure";
        EXPECT_TRUE(::IsWindowUnicode(window.Get())) << sole;
        subclass.Remove();
        EXPECT_FALSE(subclass.Installed());
        EXPECT_EQ(ProcOf(window.Get()), own) << sole;
        EXPECT_EQ(::GetWindowLongPtrW(window.Get(), GWLP_USERDATA), 0) << sole;
        EXPECT_EQ(::SendMessageW(window.Get(), kAsk, 0, 0), 7);
        EXPECT_EQ(counter.seen, 2) << "nothing seen once removed";
    }
}

TEST(WindowSubclass, SoleLeavesTakenUserDataAloneAndStillSubclasses) {
    CPlainWindow window;
    ::SetWindowLongPtrW(window.Get(), GWLP_USERDATA, 1234);
    CCounter counter;
    CWindowSubclass subclass;
    ASSERT_TRUE(subclass.InstallSole(window.Get(), counter.Handler()));
    EXPECT_EQ(::SendMessageW(window.Get(), kAsk, 0, 0), 42);
    EXPECT_EQ(::GetWindowLongPtrW(window.Get(), GWLP_USERDATA), 1234);
    subclass.Remove();
    EXPECT_EQ(::SendMessageW(window.Get(), kAsk, 0, 0), 7);
    EXPECT_EQ(::GetWindowLongPtrW(window.Get(), GWLP_USERDATA), 1234);
}

TEST(WindowSubclass, SoleHolderGoneUnderAnotherSubclassLeavesTheWindowWorking) {
    CPlainWindow window;
    CCounter counter;
    auto subclass = std::make_unique<CWindowSubclass>();
    ASSERT_TRUE(subclass->InstallSole(window.Get(), counter.Handler()));
    ASSERT_TRUE(::SetWindowSubclass(window.Get(), OverProc, 1, 0));  // somebody else's, over ours
    EXPECT_EQ(::SendMessageW(window.Get(), kAsk, 0, 0), 42);
    subclass.reset();  // cannot take itself off: another procedure sits over it
    EXPECT_EQ(::SendMessageW(window.Get(), kAsk, 0, 0), 7) << "messages still reach the window's own procedure";
    EXPECT_EQ(counter.seen, 1);
    EXPECT_TRUE(::DestroyWindow(window.Get()));
}

TEST(WindowSubclass, EndsWithItsWindow) {
    for (const bool sole : {false, true}) {
        CCounter counter;
        CWindowSubclass subclass;
        {
            CPlainWindow window;
            ASSERT_TRUE(sole ? subclass.InstallSole(window.Get(), counter.Handler())
                             : subclass.Install(window.Get(), counter.Handler()));
        }
        EXPECT_FALSE(subclass.Installed()) << sole;
        EXPECT_EQ(subclass.Hwnd(), nullptr) << sole;
    }
}

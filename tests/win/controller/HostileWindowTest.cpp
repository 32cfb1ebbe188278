// Windows of other programs that answer what they like: texts that claim
// any length, windows whose reading fails. The matching tick goes on.
#include "ControllerFixture.h"
#include "WinTestUtil.h"

#include "controller/ExtensionRequest.h"
#include "notewin/WindowSystem.h"
#include "data/Trace.h"
#include "platform/WinConvert.h"
#include "platform/WindowText.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <new>
#include <string>
#include <utility>

namespace {

constexpr char kClaimingClass[] = "PvClaimingControl";
constexpr char kClaimedText[] = "claims";
constexpr int kClaimingId = 4711;

// A control whose answer to WM_GETTEXTLENGTH is kept in its user data; its
// text is kClaimedText.
LRESULT CALLBACK ClaimingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_GETTEXTLENGTH:
        return ::GetWindowLongPtrA(hwnd, GWLP_USERDATA);
    case WM_GETTEXT: {
        if (wParam == 0) return 0;
        const std::size_t n = std::min<std::size_t>(wParam - 1, sizeof kClaimedText - 1);
        std::memcpy(reinterpret_cast<char*>(lParam), kClaimedText, n);
        reinterpret_cast<char*>(lParam)[n] = '\0';
        return static_cast<LRESULT>(n);
    }
    default:
        return ::DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

HWND MakeClaimingControl(HWND parent, LONG_PTR claimedLength) {
    static const ATOM atom = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = ClaimingProc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = kClaimingClass;
        return ::RegisterClassA(&wc);
    }();
    if (!atom) return nullptr;
    HWND h = ::CreateWindowExA(0, kClaimingClass, "", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(kClaimingId)), nullptr, nullptr);
    if (h) ::SetWindowLongPtrA(h, GWLP_USERDATA, claimedLength);
    return h;
}

// The real window system, except that reading the children of one window
// fails the way a huge allocation does.
class CFailingChildren : public CWin32WindowSystem {
public:
    explicit CFailingChildren(HWND failing) : m_failing(failing), m_previous(TackletWindowSystem()) {
        SetTackletWindowSystem(this);
    }
    ~CFailingChildren() override { SetTackletWindowSystem(m_previous); }
    void EnumerateChildWindows(PvHandle parent, std::vector<CChildWinInf>* children) override {
        if (ToHwnd(parent) == m_failing) throw std::bad_alloc();
        CWin32WindowSystem::EnumerateChildWindows(parent, children);
    }

private:
    HWND m_failing;
    IWindowSystem* m_previous;
};

class HostileWindowTest : public CControllerFixture {};

const LONG_PTR kClaims[] = {0x7fffffff, std::numeric_limits<LONG_PTR>::max(), -1};

}  // namespace

// Whatever length a control claims, its text is read up to the bound and
// no further.
TEST(WindowText, AClaimedLengthIsReadOnlyUpToTheBound) {
    wintest::CTargetWindow window("PvTarget claims", 100, 100, 300, 200);
    for (LONG_PTR claim : kClaims) {
        HWND control = MakeClaimingControl(window.Hwnd(), claim);
        ASSERT_NE(control, nullptr);
        const std::string text = ControlText(control);
        EXPECT_LE(text.size(), static_cast<std::size_t>(kMaxWindowTextBytes)) << claim;
        EXPECT_LE(WindowText(control).size(), static_cast<std::size_t>(kMaxWindowTextBytes)) << claim;
        if (claim > 0) EXPECT_EQ(text, kClaimedText) << claim;
        ::DestroyWindow(control);
    }
}

// A note whose window has a control claiming a huge text, or whose children
// cannot be read at all, leaves every other note matching, tick after tick,
// and the tick stays armed.
TEST_F(HostileWindowTest, OneWindowDoesNotStopTheTick) {
    wintest::CTargetWindow hostile("PvTarget hostile", 100, 100, 300, 200);
    wintest::CTargetWindow steady("PvTarget steady", 450, 100, 300, 200);
    CTackletData steadyNote;
    steadyNote.TITLE = "PvTarget steady";
    steadyNote.EXENAME = wintest::OwnExeName();
    control.AddNote(steadyNote);
    CTackletData hostileNote;
    hostileNote.TITLE = "PvTarget hostile";
    hostileNote.EXENAME = wintest::OwnExeName();
    hostileNote.EXTENTFLAG = 1;
    hostileNote.EXCLASS = kClaimingClass;
    hostileNote.EXCTLID = kClaimingId;
    hostileNote.EXFULLFLAG = 1;
    hostileNote.EXTEXT = "something else";
    control.AddNote(hostileNote);  // first in the list: matched first
    ASSERT_EQ(control.Notes()[1].TITLE, "PvTarget steady");

    struct Case {
        const char* name;
        LONG_PTR claim;
        bool failChildren;
    };
    const Case cases[] = {
        {"claims 0x7fffffff", 0x7fffffff, false},
        {"claims the largest LRESULT", std::numeric_limits<LONG_PTR>::max(), false},
        {"children cannot be read", 5, true},
    };
    for (const Case& k : cases) {
        HWND child = MakeClaimingControl(hostile.Hwnd(), k.claim);
        ASSERT_NE(child, nullptr);
        std::unique_ptr<CFailingChildren> failing;
        if (k.failChildren) failing = std::make_unique<CFailingChildren>(hostile.Hwnd());
        for (int round = 0; round < 4; ++round) {
            const bool shown = round % 2 == 0;
            ::ShowWindow(steady.Hwnd(), shown ? SW_SHOWNOACTIVATE : SW_HIDE);
            control.MatchTick();
            EXPECT_EQ(control.Notes()[1].m_bAttached == 1, shown) << k.name << " round " << round;
            // Killing succeeds only for a timer that is set.
            EXPECT_TRUE(::KillTimer(control.GetHwnd(), TIMER_MATCH)) << k.name << " round " << round;
        }
        failing.reset();
        ::DestroyWindow(child);
        control.MatchTick();
        ::KillTimer(control.GetHwnd(), TIMER_MATCH);
    }
}

namespace {
CExtensionRequest PasteRequest(HWND target) {
    CExtensionRequest request;
    request.target = ToHandle(target);
    request.x = 300;
    request.y = 300;
    return request;
}
}  // namespace

// A paste request naming something that may not carry a note makes no
// note; one naming a proper window or the desktop does.
TEST_F(HostileWindowTest, ExtensionPasteNeedsAWindowThatMayCarryANote) {
    wintest::CTargetWindow good("PvTarget extension", 100, 100, 300, 200);
    wintest::CTargetWindow hidden("PvTarget hidden", 100, 100, 300, 200);
    ::ShowWindow(hidden.Hwnd(), SW_HIDE);
    wintest::CTargetWindow disabled("PvTarget disabled", 100, 100, 300, 200);
    ::EnableWindow(disabled.Hwnd(), FALSE);
    wintest::CTargetWindow gone("PvTarget gone", 100, 100, 300, 200);
    const HWND goneHwnd = gone.Hwnd();
    gone.Close();
    const std::pair<const char*, HWND> refused[] = {
        {"no window at all", reinterpret_cast<HWND>(static_cast<UINT_PTR>(0x12345678))},
        {"a closed window", goneHwnd},
        {"a hidden window", hidden.Hwnd()},
        {"a disabled window", disabled.Hwnd()},
        {"null", nullptr},
    };
    for (const auto& [name, h] : refused) {
        control.PasteFromExtension(PasteRequest(h));
        EXPECT_EQ(control.Notes().Size(), 0u) << name;
    }
    control.PasteFromExtension(PasteRequest(good.Hwnd()));
    ASSERT_EQ(control.Notes().Size(), 1u);
    EXPECT_EQ(control.Notes()[0].TITLE, "PvTarget extension");
    control.PasteFromExtension(PasteRequest(::GetDesktopWindow()));
    ASSERT_EQ(control.Notes().Size(), 2u);
    EXPECT_EQ(control.Notes()[0].EXENAME, "DESKTOP");
}

// A flood of paste requests makes a burst of notes, not one per request;
// the dropped ones are traced.
TEST_F(HostileWindowTest, AFloodOfExtensionPastesIsCutOff) {
    TraceEnable(true);
    std::string traced;
    TraceSetSink([](const char* t, void* ctx) { *static_cast<std::string*>(ctx) += t; }, &traced);
    for (int i = 0; i < 100; ++i) control.PasteFromExtension(PasteRequest(::GetDesktopWindow()));
    TraceSetSink(nullptr, nullptr);
    TraceEnable(false);
    EXPECT_EQ(control.Notes().Size(), static_cast<std::size_t>(kExtensionPasteBurst));
    EXPECT_NE(traced.find("PasteFromExtension() dropped"), std::string::npos);
}

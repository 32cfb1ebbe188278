#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "WinTestUtil.h"
#include "platform/WindowText.h"
#include "res/resource.h"
#include "WindowFinder.h"

namespace {

std::string Repeat(const std::string& unit, std::size_t times) {
    std::string text;
    for (std::size_t i = 0; i < times; ++i) text += unit;
    return text;
}

// Answers nothing until released: its window's messages wait.
class CBlockedThread {
public:
    CBlockedThread() : m_ready(::CreateEventA(nullptr, TRUE, FALSE, nullptr)),
                       m_release(::CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
        m_thread = ::CreateThread(nullptr, 0, Run, this, 0, nullptr);
        ::WaitForSingleObject(m_ready, 10000);
    }
    ~CBlockedThread() {
        ::SetEvent(m_release);
        ::WaitForSingleObject(m_thread, 10000);
        for (HANDLE h : {m_thread, m_ready, m_release}) ::CloseHandle(h);
    }
    HWND Edit() const { return m_edit; }

private:
    static DWORD WINAPI Run(void* param) {
        auto* self = static_cast<CBlockedThread*>(param);
        self->m_edit = ::CreateWindowExA(0, "EDIT", "blocked", WS_POPUP, 0, 0, 100, 30, nullptr, nullptr,
                                         nullptr, nullptr);
        ::SetEvent(self->m_ready);
        ::WaitForSingleObject(self->m_release, INFINITE);
        ::DestroyWindow(self->m_edit);
        return 0;
    }

    HANDLE m_ready;
    HANDLE m_release;
    HANDLE m_thread = nullptr;
    HWND m_edit = nullptr;
};

}  // namespace

// Texts past the sizes of fixed buffers (256, 260, 512 bytes), double-byte
// ones included, come back whole from a title and from a control.
TEST(WindowText, ReadsTitlesAndControlTextsWhole) {
    const std::string texts[] = {"", "a", Repeat("x", 300), Repeat("日本語", 200), Repeat("z", 5000)};
    wintest::CTargetWindow window("", 100, 100, 300, 200);
    HWND edit = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | ES_MULTILINE | ES_AUTOVSCROLL, 0, 0, 200, 100,
                                  window.Hwnd(), nullptr, nullptr, nullptr);
    ASSERT_NE(edit, nullptr);
    for (const std::string& text : texts) {
        ASSERT_TRUE(::SetWindowTextW(window.Hwnd(), pvtest::Wide(text).c_str()));
        ASSERT_TRUE(::SetWindowTextW(edit, pvtest::Wide(text).c_str()));
        EXPECT_EQ(WindowText(window.Hwnd()), text) << text.size();
        EXPECT_EQ(WindowText(edit), text) << text.size();
        EXPECT_EQ(ControlText(edit), text) << text.size();
    }
    EXPECT_EQ(WindowText(nullptr), "");
    EXPECT_EQ(ControlText(nullptr), "");
}

// A control whose thread does not answer gives an empty text instead of
// stopping the caller.
TEST(WindowText, ControlOfABlockedThreadGivesNoText) {
    CBlockedThread blocked;
    ASSERT_NE(blocked.Edit(), nullptr);
    EXPECT_EQ(ControlText(blocked.Edit(), 200), "");
}

TEST(WindowText, LoadsResourceStringsWhole) {
    EXPECT_EQ(LoadResourceString(IDS_ABOUTBOX), "Pinvane のﾊﾞｰｼﾞｮﾝ情報(&A)...");
    EXPECT_EQ(LoadResourceString(0xfff0), "");
}

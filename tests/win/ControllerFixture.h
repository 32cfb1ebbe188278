// A controller on a hidden host window in a scratch directory, with its
// timers stopped: the tests run the ticks themselves.
#pragma once

#include "WinTestUtil.h"

#include "controller/ControlDlg.h"
#include "notewin/WindowSystem.h"

#include <commctrl.h>
#include <gtest/gtest.h>

class CControllerFixture : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX icc{sizeof icc, 0xFF};
        ::InitCommonControlsEx(&icc);
        ::ShowWindow(host.Hwnd(), SW_HIDE);
        ASSERT_TRUE(control.Create(host.Hwnd()));
        wintest::LoadStartupNotes(control, scratch.Path() + "\\PinvaneData.ini");
        ::KillTimer(control.GetHwnd(), 103);
        ::KillTimer(control.GetHwnd(), 105);
        ::KillTimer(control.GetHwnd(), 110);  // autosave: the tests save when they mean to
    }
    void TearDown() override {
        for (CTackletData& note : control.Notes().Items()) note.EndTacklet();
        control.DestroyWindow();
    }

    wintest::CScratchDir scratch;
    CWindowSystemScope windowSystem;
    wintest::CTargetWindow host{"PvHost", 0, 0, 800, 600};  // the panel is a child dialog
    CControlDlg control;
};

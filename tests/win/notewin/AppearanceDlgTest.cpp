// The note appearance dialogs on their own: what they show, their enabling
// rules, what OK reads, and OK turning into Cancel once the note's window
// has gone.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "WinTestUtil.h"
#include "dialogs/FrameDlg.h"
#include "dialogs/TackletColorDlg.h"
#include "dialogs/TransparentDlg.h"
#include "res/resource.h"

namespace {

bool Checked(HWND dialog, int id) { return ::IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
bool Enabled(HWND dialog, int id) { return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != FALSE; }
void Click(HWND dialog, int id) { ::SendMessageA(::GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
void Press(HWND dialog, int id) { ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

// The ids of the checked buttons among `ids`.
std::vector<int> CheckedOf(HWND dialog, const std::vector<int>& ids) {
    std::vector<int> out;
    for (int id : ids)
        if (Checked(dialog, id)) out.push_back(id);
    return out;
}

std::vector<int> Patterns() {
    std::vector<int> ids;
    for (int i = 0; i < 8; ++i) ids.push_back(IDC_COLOR_PTN_FIRST + i);
    return ids;
}

TEST(TackletColorDlg, ShowsTheValuesAndReadsTheChoices) {
    CTackletColorDlg dlg;
    dlg.COLOR = 3;
    dlg.PICKPOS = 2;
    dlg.BKCOLOR = 4;
    dlg.TXCOLOR = 1;
    dlg.ARWFLAG = 0;
    dlg.GRAFLG = 1;
    dlg.GRAPTN = 6;
    dlg.ARLINEWIDTH = 2;
    std::vector<int> shown;
    bool patternsEnabled = false;
    wintest::CDialogDriver driver("付箋色＆引出し線設定", [&](HWND d) {
        shown = CheckedOf(d, {IDC_COLOR_EAR_ORANGE, IDC_COLOR_POS_LEFT, IDC_COLOR_BK_ORANGE, IDC_COLOR_TX_RED,
                              IDC_COLOR_ARROW_OFF, IDC_COLOR_GRADIENT, IDC_COLOR_PTN_FIRST + 6,
                              IDC_COLOR_WIDTH_THICK, IDC_COLOR_EAR_RED, IDC_COLOR_ARROW_ON});
        patternsEnabled = Enabled(d, IDC_COLOR_PTN_FIRST) && Enabled(d, IDC_COLOR_PTN_FIRST + 7);
        for (int id : {IDC_COLOR_EAR_BLUE, IDC_COLOR_POS_BOTTOM, IDC_COLOR_BK_GREY, IDC_COLOR_TX_BLUE,
                       IDC_COLOR_ARROW_ON, IDC_COLOR_PTN_FIRST + 1, IDC_COLOR_WIDTH_THIN})
            Click(d, id);
        Press(d, IDOK);
    });
    EXPECT_EQ(dlg.Run(), IDOK);
    ASSERT_TRUE(driver.Done());
    EXPECT_EQ(shown, (std::vector<int>{IDC_COLOR_EAR_ORANGE, IDC_COLOR_POS_LEFT, IDC_COLOR_BK_ORANGE,
                                       IDC_COLOR_TX_RED, IDC_COLOR_ARROW_OFF, IDC_COLOR_GRADIENT,
                                       IDC_COLOR_PTN_FIRST + 6, IDC_COLOR_WIDTH_THICK}));
    EXPECT_TRUE(patternsEnabled);
    EXPECT_EQ(dlg.COLOR, 2);
    EXPECT_EQ(dlg.PICKPOS, 3);
    EXPECT_EQ(dlg.BKCOLOR, 5);
    EXPECT_EQ(dlg.TXCOLOR, 2);
    EXPECT_EQ(dlg.ARWFLAG, 1);
    EXPECT_EQ(dlg.GRAFLG, 1);
    EXPECT_EQ(dlg.GRAPTN, 1);
    EXPECT_EQ(dlg.ARLINEWIDTH, 0);
}

TEST(TackletColorDlg, GradientSwitchesThePatternChoicesAndKeepsThePattern) {
    CTackletColorDlg dlg;
    dlg.GRAFLG = 0;
    dlg.GRAPTN = 5;
    std::vector<bool> enabled;  // at start, after checking, after unchecking
    bool widthsEnabled = false;
    wintest::CDialogDriver driver("付箋色＆引出し線設定", [&](HWND d) {
        auto all = [&](bool on) {
            for (int id : Patterns())
                if (Enabled(d, id) != on) return false;
            return true;
        };
        widthsEnabled = Enabled(d, IDC_COLOR_WIDTH_THIN) && Enabled(d, IDC_COLOR_WIDTH_THICK);
        enabled.push_back(!all(false));
        Click(d, IDC_COLOR_GRADIENT);
        enabled.push_back(all(true));
        Click(d, IDC_COLOR_GRADIENT);
        enabled.push_back(!all(false));
        Press(d, IDOK);
    });
    EXPECT_EQ(dlg.Run(), IDOK);
    ASSERT_TRUE(driver.Done());
    EXPECT_EQ(enabled, (std::vector<bool>{false, true, false}));
    EXPECT_TRUE(widthsEnabled);  // whatever the leader-line choice says
    EXPECT_EQ(dlg.GRAFLG, 0);
    EXPECT_EQ(dlg.GRAPTN, 5);
}

TEST(TackletColorDlg, SwatchesShowTheNoteColours) {
    const struct {
        int id;
        COLORREF color;
    } expected[] = {{1015, RGB(255, 0, 0)},     {1016, RGB(0, 255, 0)},     {1017, RGB(0, 0, 255)},
                    {1018, RGB(253, 140, 2)},   {1060, RGB(0, 0, 0)},       {1026, RGB(255, 200, 200)},
                    {1027, RGB(200, 255, 200)}, {1028, RGB(200, 200, 255)}, {1029, RGB(255, 255, 180)},
                    {1036, RGB(150, 150, 150)}};
    ASSERT_EQ(CTackletColorDlg::Swatches().size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(CTackletColorDlg::Swatches()[i].id, expected[i].id);
        EXPECT_EQ(CTackletColorDlg::Swatches()[i].color, expected[i].color) << expected[i].id;
    }
}

TEST(TransparentDlg, SpinRangeAndTheBackgroundRuleForANoteAndForTheDefaults) {
    const struct {
        bool forNote;
        int bkTransparent;
    } cases[] = {{true, 1}, {false, 0}};
    for (const auto& c : cases) {
        wintest::CTargetWindow noteStandIn("PvNoteStandIn", 0, 0, 100, 100);
        CTransparentDlg dlg;
        dlg.TRANSPARENT_ = 45;
        dlg.MOUSEHIDECTL = 1;
        dlg.BKTRANSPARENT = c.bkTransparent;
        if (c.forNote) dlg.SetNoteWindow(noteStandIn.Hwnd());
        int low = 0, high = 0, pos = 0;
        bool groupEnabled = false, mouseEnabledAtStart = false, mouseOnAtStart = false;
        std::vector<bool> mouseEnabled;
        std::vector<bool> mouseOff;
        wintest::CDialogDriver driver("透明度の設定", [&](HWND d) {
            const HWND spin = ::GetDlgItem(d, IDC_TRANS_SPIN);
            ::SendMessageA(spin, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
            pos = static_cast<int>(::SendMessageA(spin, UDM_GETPOS32, 0, 0));
            groupEnabled = Enabled(d, IDC_TRANS_BK);
            mouseEnabledAtStart = Enabled(d, IDC_TRANS_MOUSE_ON);
            mouseOnAtStart = Checked(d, IDC_TRANS_MOUSE_ON);
            if (c.forNote) {
                for (int i = 0; i < 2; ++i) {  // unchecked, then checked again
                    Click(d, IDC_TRANS_BK);
                    mouseEnabled.push_back(Enabled(d, IDC_TRANS_MOUSE_ON));
                    mouseOff.push_back(Checked(d, IDC_TRANS_MOUSE_OFF));
                }
            }
            ::SendMessageA(spin, UDM_SETPOS32, 0, 80);
            Press(d, IDOK);
        });
        EXPECT_EQ(dlg.Run(), IDOK);
        ASSERT_TRUE(driver.Done());
        EXPECT_EQ(low, 20);
        EXPECT_EQ(high, 100);
        EXPECT_EQ(pos, 45);
        EXPECT_EQ(groupEnabled, c.forNote);
        // The rule is not applied at the start.
        EXPECT_TRUE(mouseEnabledAtStart);
        EXPECT_TRUE(mouseOnAtStart);
        EXPECT_EQ(dlg.TRANSPARENT_, 80);
        if (c.forNote) {
            EXPECT_EQ(mouseEnabled, (std::vector<bool>{true, false}));
            EXPECT_EQ(mouseOff, (std::vector<bool>{false, true}));
            EXPECT_EQ(dlg.BKTRANSPARENT, 1);
            EXPECT_EQ(dlg.MOUSEHIDECTL, 0);
        } else {
            EXPECT_EQ(dlg.BKTRANSPARENT, 0);
            EXPECT_EQ(dlg.MOUSEHIDECTL, 1);
        }
    }
}

TEST(TransparentDlg, OkTakesTheSpinPositionWithinTwentyToHundred) {
    // Typed numbers within the range are taken; anything else never leaves it.
    const struct {
        const char* typed;
        int exact;  // 0: any value of the range
    } cases[] = {{"64", 64}, {"20", 20}, {"150", 0}, {"5", 0}, {"", 0}};
    for (const auto& c : cases) {
        CTransparentDlg dlg;
        dlg.TRANSPARENT_ = 70;
        wintest::CDialogDriver driver("透明度の設定", [&](HWND d) {
            ::SetDlgItemTextA(d, IDC_TRANS_PERCENT, c.typed);
            Press(d, IDOK);
        });
        EXPECT_EQ(dlg.Run(), IDOK);
        ASSERT_TRUE(driver.Done());
        if (c.exact) {
            EXPECT_EQ(dlg.TRANSPARENT_, c.exact) << c.typed;
        }
        EXPECT_GE(dlg.TRANSPARENT_, 20) << c.typed;
        EXPECT_LE(dlg.TRANSPARENT_, 100) << c.typed;
    }
}

TEST(FrameDlg, ShowsAndReadsTheFrame) {
    for (int frame : {0, 1}) {
        CFrameDlg dlg;
        dlg.FRAME = frame;
        bool shownOn = false;
        wintest::CDialogDriver driver("サイズ変更枠", [&](HWND d) {
            shownOn = Checked(d, IDC_FRAME_ON);
            Click(d, frame ? IDC_FRAME_OFF : IDC_FRAME_ON);
            Press(d, IDOK);
        });
        EXPECT_EQ(dlg.Run(), IDOK);
        ASSERT_TRUE(driver.Done());
        EXPECT_EQ(shownOn, frame == 1);
        EXPECT_EQ(dlg.FRAME, 1 - frame);
    }
}

TEST(AppearanceDlg, OkAfterTheNoteWindowHasGoneActsAsCancel) {
    wintest::CTargetWindow noteStandIn("PvNoteStandIn", 0, 0, 100, 100);
    CTackletColorDlg dlg;
    dlg.COLOR = 1;
    dlg.SetNoteWindow(noteStandIn.Hwnd());
    wintest::CDialogDriver driver("付箋色＆引出し線設定", [&](HWND d) {
        Click(d, IDC_COLOR_EAR_BLUE);
        // Closed meanwhile, on the dialog's own thread.
        ::SendMessageA(noteStandIn.Hwnd(), WM_CLOSE, 0, 0);
        Press(d, IDOK);
    });
    EXPECT_EQ(dlg.Run(), IDCANCEL);
    ASSERT_TRUE(driver.Done());
    EXPECT_FALSE(::IsWindow(noteStandIn.Hwnd()));
    EXPECT_EQ(dlg.COLOR, 1);

    // Without a note window (the note defaults) OK always reads.
    CFrameDlg defaults;
    wintest::CDialogDriver second("サイズ変更枠", [&](HWND d) {
        Click(d, IDC_FRAME_ON);
        Press(d, IDOK);
    });
    EXPECT_EQ(defaults.Run(), IDOK);
    ASSERT_TRUE(second.Done());
    EXPECT_EQ(defaults.FRAME, 1);
}

}  // namespace

// The note defaults dialog and the initial size dialog under Wine, alone
// and run by the controller from the main panel.
#include "ControllerFixture.h"
#include "SettingsTestSupport.h"

#include "data/IniFile.h"
#include "data/RecordDefaults.h"
#include "dialogs/InitSizeDlg.h"
#include "dialogs/NoteDefaultDlg.h"
#include "dialogs/NoteDefaultsText.h"
#include "res/resource.h"

#include <commctrl.h>
#include <gtest/gtest.h>

using namespace settingstest;
using wintest::CDialogDriver;

namespace {

constexpr char kDefaultsCaption[] = "付箋初期値";
constexpr char kSizeCaption[] = "付箋初期サイズ設定";

std::string Item(HWND dialog, int id) { return Text(::GetDlgItem(dialog, id)); }

// The colour in the middle of a control as it shows on the screen.
COLORREF CentreColour(HWND control) {
    RECT r{};
    ::GetClientRect(control, &r);
    HDC dc = ::GetDC(control);
    const COLORREF c = ::GetPixel(dc, r.right / 2, r.bottom / 2);
    ::ReleaseDC(control, dc);
    return c;
}

TEST(NoteDefaultDlgTest, ShowsEveryValueAsSummaryAndSwatch) {
    CNoteDefaultDlg dialog;
    CTackletData& d = dialog.m_defaults;
    d.PICKPOS = 1;
    d.TXCOLOR = 1;
    d.COLOR = 3;
    d.BKCOLOR = 2;
    d.GRAFLG = 1;
    d.GRAPTN = 5;
    d.m_arrow.ARWFLAG = 1;
    d.ARLINEWIDTH = 2;
    SetFaceName(d.m_logFont, "Arial");
    d.m_logFont.lfHeight = 24;
    d.TRANSPARENT_ = 55;
    d.MOUSEHIDECTL = 1;
    d.FRAME = 1;
    dialog.m_iniHeight = 80;
    dialog.m_iniWidth = 250;
    std::vector<std::string> shown;
    COLORREF swatches[3] = {};
    CDialogDriver driver(kDefaultsCaption, [&](HWND dlg) {
        ::Sleep(300);  // painted
        for (int id : {IDC_DEFAULTS_PICKPOS, IDC_DEFAULTS_GRADIENT, IDC_DEFAULTS_ARROW, IDC_DEFAULTS_FACENAME,
                       IDC_DEFAULTS_SIZELABEL, IDC_DEFAULTS_FONTSIZE, IDC_DEFAULTS_TRANSPARENT, IDC_DEFAULTS_MOUSEHIDE,
                       IDC_DEFAULTS_FRAME, IDC_DEFAULTS_INIHEIGHT, IDC_DEFAULTS_INIWIDTH})
            shown.push_back(Item(dlg, id));
        const int swatchIds[3] = {IDC_DEFAULTS_TXCOLOR, IDC_DEFAULTS_COLOR, IDC_DEFAULTS_BKCOLOR};
        for (int i = 0; i < 3; ++i) swatches[i] = CentreColour(::GetDlgItem(dlg, swatchIds[i]));
        ::PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(dialog.DoModal(nullptr), IDCANCEL);
    EXPECT_TRUE(driver.Done());
    const std::vector<std::string> expected = {"上",   "Gradation 有り:中央から上下", "あり　　線幅：太い",
                                               "Arial", "高さ", "24", "55", "マウス重なり透明化ON",
                                               "サイズ変更枠を付ける", "80", "250"};
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(swatches[0], RGB(255, 0, 0)) << "text colour 赤";
    EXPECT_EQ(swatches[1], RGB(253, 140, 2)) << "ear colour 橙";
    EXPECT_EQ(swatches[2], RGB(200, 255, 200)) << "background 緑";
}

TEST(NoteDefaultDlgTest, ColourChangeRunsTheColourDialogOnTheDefaults) {
    CNoteDefaultDlg dialog;
    dialog.m_defaults.GRAFLG = 1;
    dialog.m_defaults.ARLINEWIDTH = 1;
    bool gradientShown = false;
    CDialogDriver colour("付箋色＆引出し線設定", [&](HWND d) {
        gradientShown = ::IsDlgButtonChecked(d, IDC_COLOR_GRADIENT) == BST_CHECKED;
        ::SendMessageA(::GetDlgItem(d, IDC_COLOR_GRADIENT), BM_CLICK, 0, 0);
        ::SendMessageA(::GetDlgItem(d, IDC_COLOR_WIDTH_THICK), BM_CLICK, 0, 0);
        ::PostMessageA(d, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    std::string summary;
    CDialogDriver defaults(kDefaultsCaption, [&](HWND d) {
        ::PostMessageA(d, WM_COMMAND, MAKEWPARAM(IDC_DEFAULTS_CHANGE_COLOR, BN_CLICKED), 0);
        colour.Done();
        for (int i = 0; i < 100 && summary.rfind("Gradation 無し", 0) != 0; ++i, ::Sleep(20))
            summary = Item(d, IDC_DEFAULTS_GRADIENT);
        ::PostMessageA(d, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    EXPECT_EQ(dialog.DoModal(nullptr), IDOK);
    ASSERT_TRUE(defaults.Done());
    EXPECT_TRUE(gradientShown);
    EXPECT_EQ(summary, "Gradation 無し");
    EXPECT_EQ(dialog.m_defaults.GRAFLG, 0);
    EXPECT_EQ(dialog.m_defaults.ARLINEWIDTH, 2);
}

TEST(InitSizeDlgTest, SpinsOfferOnlyTheNoteSizeLimits) {
    CInitSizeDlg dialog;
    dialog.m_height = 60;
    dialog.m_width = 200;
    int ranges[4] = {};
    int clamped[2] = {};
    CDialogDriver driver(kSizeCaption, [&](HWND dlg) {
        HWND heightSpin = ::GetDlgItem(dlg, IDC_INITSIZE_HEIGHTSPIN);
        HWND widthSpin = ::GetDlgItem(dlg, IDC_INITSIZE_WIDTHSPIN);
        ::SendMessageA(heightSpin, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&ranges[0]), reinterpret_cast<LPARAM>(&ranges[1]));
        ::SendMessageA(widthSpin, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&ranges[2]), reinterpret_cast<LPARAM>(&ranges[3]));
        ::SendMessageA(heightSpin, UDM_SETPOS32, 0, 401);
        ::SendMessageA(widthSpin, UDM_SETPOS32, 0, 49);
        clamped[0] = static_cast<int>(::SendMessageA(heightSpin, UDM_GETPOS32, 0, 0));
        clamped[1] = static_cast<int>(::SendMessageA(widthSpin, UDM_GETPOS32, 0, 0));
        // Typed values beyond the limits are not taken.
        ::SetDlgItemTextA(dlg, IDC_INITSIZE_HEIGHT, "999");
        ::SetDlgItemTextA(dlg, IDC_INITSIZE_WIDTH, "12");
        ::PostMessageA(dlg, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(dialog.DoModal(nullptr), IDOK);
    EXPECT_TRUE(driver.Done());
    EXPECT_EQ(ranges[0], 20);
    EXPECT_EQ(ranges[1], 400);
    EXPECT_EQ(ranges[2], 50);
    EXPECT_EQ(ranges[3], 600);
    EXPECT_EQ(clamped[0], 400);
    EXPECT_EQ(clamped[1], 50);
    EXPECT_TRUE(dialog.m_height >= 20 && dialog.m_height <= 400) << dialog.m_height;
    EXPECT_TRUE(dialog.m_width >= 50 && dialog.m_width <= 600) << dialog.m_width;
}

class NoteDefaultsStepTest : public CControllerFixture {
protected:
    std::string SettingsPath() { return scratch.Path() + "\\MossrelPropaty.ini"; }

    // Runs the defaults dialog from the panel; inside it the initial size
    // dialog gets `height` and `width`; then the defaults dialog ends with
    // `finish` (IDOK or IDCANCEL).
    void RunDefaults(const char* height, const char* width, int finish) {
        CDialogDriver sizeDriver(kSizeCaption, [&](HWND dlg) {
            ::SetDlgItemTextA(dlg, IDC_INITSIZE_HEIGHT, height);
            ::SetDlgItemTextA(dlg, IDC_INITSIZE_WIDTH, width);
            ::PostMessageA(dlg, WM_COMMAND, IDOK, 0);
        });
        CDialogDriver driver(kDefaultsCaption, [&](HWND dlg) {
            ::PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDC_DEFAULTS_CHANGE_SIZE, BN_CLICKED), 0);
            sizeDriver.Done();
            WaitUntil([&] { return Item(dlg, IDC_DEFAULTS_INIWIDTH) == width; });
            shownWidth = Item(dlg, IDC_DEFAULTS_INIWIDTH);
            ::PostMessageA(dlg, WM_COMMAND, finish, 0);
        });
        ::SendMessageA(control.GetHwnd(), WM_COMMAND, MAKEWPARAM(IDC_PANEL_DEFAULTS, BN_CLICKED), 0);
        EXPECT_TRUE(driver.Done());
    }
    std::string shownWidth;
};

TEST_F(NoteDefaultsStepTest, OkTakesTheInitialSizeForNewNotesAndWritesTheSettings) {
    control.SetPropatyPath(SettingsPath());
    RunDefaults("100", "300", IDOK);
    EXPECT_EQ(shownWidth, "300") << "the summary follows the initial size dialog";
    EXPECT_EQ(control.Settings().INIHEIGHT, 100);
    EXPECT_EQ(control.Settings().INIWIDTH, 300);
    CIniFile ini = CIniFile::Load(SettingsPath());
    EXPECT_EQ(ini.GetInt("SYSTEM", "INIHEIGHT", 0), 100);
    EXPECT_EQ(ini.GetInt("SYSTEM", "INIWIDTH", 0), 300);
    EXPECT_EQ(ini.GetText("SYSTEM", "FONTFACENAME", "", 100), CRecordDefaults::DefaultFaceName());

    wintest::CTargetWindow target("PvDefaults Target", 100, 100, 600, 400);
    ::SetCursorPos(400, 300);
    control.PasteToWindow(target.Hwnd());
    ASSERT_EQ(control.Notes().Size(), 1u);
    const CTackletData& note = control.Notes()[0];
    EXPECT_EQ(note.REC_RIGHT - note.REC_LEFT, 300);
    EXPECT_EQ(note.REC_BOTTOM - note.REC_TOP, 100);
}

TEST_F(NoteDefaultsStepTest, CancelKeepsTheDefaultsAndWritesNothing) {
    control.SetPropatyPath(SettingsPath());
    RunDefaults("100", "300", IDCANCEL);
    EXPECT_EQ(control.Settings().INIHEIGHT, 60);
    EXPECT_EQ(control.Settings().INIWIDTH, 200);
    EXPECT_EQ(::GetFileAttributesA(SettingsPath().c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace

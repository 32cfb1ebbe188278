// The properties dialog and its hotkey fields under Wine, alone and run
// by the controller from the main panel.
#include "ControllerFixture.h"
#include "SettingsTestSupport.h"

#include "platform/NotifyBridge.h"
#include "data/IniFile.h"
#include "dialogs/HotKeyExCtrl.h"
#include "dialogs/PropatyDlg.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

using namespace settingstest;
using wintest::CDialogDriver;

namespace {

constexpr char kCaption[] = "プロパティ設定";
constexpr int kWin = 8, kCtrlAlt = 3, kWinAlt = 9;

std::string Shown(int systemModifiers, int key) { return HotkeyDisplayText(systemModifiers, key); }

HWND Field(HWND dialog, int id) { return ::GetDlgItem(dialog, id); }

bool Checked(HWND dialog, int id) { return ::SendMessageA(::GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

TEST(PropatyDlgTest, OpensWithBothHotkeysAndTheChosenPeriod) {
    ASSERT_EQ(Shown(kWin, 'S'), "Win + " + LayoutKeyName('S', false));
    ASSERT_FALSE(LayoutKeyName('S', false).empty());
    const int periodIds[3] = {IDC_PROPATY_PERIOD_10, IDC_PROPATY_PERIOD_20, IDC_PROPATY_PERIOD_50};
    for (int choice = 0; choice < 3; ++choice) {
        CPropatyDlg dialog;
        dialog.m_posIntervalChoice = choice;
        dialog.m_format = choice == 1 ? 1 : 0;
        std::string window, desktop;
        bool periodChecked = false, formatChecked = false, fieldHasFocus = true;
        CDialogDriver driver(kCaption, [&](HWND d) {
            window = Text(Field(d, IDC_PROPATY_HK_PAST));
            desktop = Text(Field(d, IDC_PROPATY_HK_PASTDT));
            periodChecked = Checked(d, periodIds[choice]);
            formatChecked = Checked(d, choice == 1 ? IDC_PROPATY_SCRAMBLE : IDC_PROPATY_PLAIN);
            fieldHasFocus = CHotKeyExCtrl::Capturing();
            ::PostMessageA(d, WM_COMMAND, IDCANCEL, 0);
        });
        EXPECT_EQ(dialog.DoModal(nullptr), IDCANCEL);
        EXPECT_TRUE(driver.Done());
        EXPECT_EQ(window, Shown(kWin, 'S'));
        EXPECT_EQ(desktop, Shown(kWin, 'V')) << "the desktop-paste field is filled too";
        EXPECT_TRUE(periodChecked) << choice;
        EXPECT_TRUE(formatChecked) << choice;
        EXPECT_FALSE(fieldHasFocus) << "no field captures the keyboard before it is clicked";
    }
}

TEST(PropatyDlgTest, DuplicateChecksAnswerForTheCombinationShown) {
    CHeldHotkey held(kCtrlAlt, 'K');
    ASSERT_TRUE(held.Held());
    CPropatyDlg dialog;
    std::vector<std::string> answers;
    CDialogDriver driver(kCaption, [&](HWND d) {
        HWND window = Field(d, IDC_PROPATY_HK_PAST);
        answers.push_back(ClickForMessage(d, IDC_PROPATY_CHECK_PAST));
        TypeCombination(window, {VK_CONTROL, VK_MENU}, 'J');
        answers.push_back(ClickForMessage(d, IDC_PROPATY_CHECK_PAST));
        TypeCombination(window, {VK_LCONTROL, VK_LMENU}, 'K');
        answers.push_back(ClickForMessage(d, IDC_PROPATY_CHECK_PAST));
        TypeCombination(window, {VK_LWIN}, 'V');
        answers.push_back(ClickForMessage(d, IDC_PROPATY_CHECK_PAST));
        answers.push_back(ClickForMessage(d, IDC_PROPATY_CHECK_PASTDT));
        ::PostMessageA(d, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(dialog.DoModal(nullptr), IDCANCEL);
    EXPECT_TRUE(driver.Done());
    const std::vector<std::string> expected = {
        "現在の設定です。",
        "設定可能です.",
        "このキーの組み合わせは既に他のアプリケーションで使用されています。他の組み合わせに変更してください.",
        "ウィンドウへの貼り付けとデスクトップへの貼り付けに同じキーの組み合わせは設定できません.",
        "現在の設定です。",  // the desktop field still shows what it opened with
    };
    EXPECT_EQ(answers, expected);
    EXPECT_EQ(dialog.m_pastKey, 'S') << "Cancel returns nothing";
}

TEST(PropatyDlgTest, OkRefusesTakenCombinationsAndReturnsTheFields) {
    CHeldHotkey held(kCtrlAlt, 'K');
    ASSERT_TRUE(held.Held());
    CPropatyDlg dialog;
    std::vector<std::string> answers;
    bool openAfterRefusals = false;
    CDialogDriver driver(kCaption, [&](HWND d) {
        HWND window = Field(d, IDC_PROPATY_HK_PAST);
        HWND desktop = Field(d, IDC_PROPATY_HK_PASTDT);
        TypeCombination(window, {VK_CONTROL, VK_MENU}, 'K');
        answers.push_back(ClickForMessage(d, IDOK));
        TypeCombination(window, {VK_CONTROL, VK_MENU}, 'J');
        TypeCombination(desktop, {VK_RCONTROL, VK_RMENU}, 'K');
        answers.push_back(ClickForMessage(d, IDOK));
        Type(desktop, {{VK_CONTROL, true}, {VK_CONTROL, false}});
        answers.push_back(ClickForMessage(d, IDOK));
        TypeCombination(desktop, {VK_CONTROL, VK_MENU}, 'J');
        answers.push_back(ClickForMessage(d, IDOK));
        openAfterRefusals = ::IsWindowVisible(d) != FALSE;
        TypeCombination(desktop, {VK_SHIFT, VK_APPS}, VK_F9);
        ::CheckRadioButton(d, IDC_PROPATY_PLAIN, IDC_PROPATY_SCRAMBLE, IDC_PROPATY_SCRAMBLE);
        ::CheckRadioButton(d, IDC_PROPATY_PERIOD_10, IDC_PROPATY_PERIOD_50, IDC_PROPATY_PERIOD_20);
        answers.push_back(ClickForMessage(d, IDOK, 1500));
    });
    EXPECT_EQ(dialog.DoModal(nullptr), IDOK);
    EXPECT_TRUE(driver.Done());
    const std::vector<std::string> expected = {
        "ウィンドウへの貼り付け設定は既に他のアプリケーションで使用されています。他の組み合わせに変更してください.",
        "デスクトップへの貼り付け設定は既に他のアプリケーションで使用されています。他の組み合わせに変更してください.",
        "ホットキーが設定されていません.変更したいキーを押下してください.",
        "ウィンドウへの貼り付けとデスクトップへの貼り付けに同じキーの組み合わせは設定できません.",
        "",
    };
    EXPECT_EQ(answers, expected);
    EXPECT_TRUE(openAfterRefusals);
    EXPECT_EQ(dialog.m_pastKey, 'J');
    EXPECT_EQ(dialog.m_pastModifiers, kCtrlAlt);
    EXPECT_EQ(dialog.m_pastDtKey, VK_F9);
    EXPECT_EQ(dialog.m_pastDtModifiers, 4 | 8) << "Shift and the Applications key as Win";
    EXPECT_EQ(dialog.m_format, 1);
    EXPECT_EQ(dialog.m_posIntervalChoice, 1);
    EXPECT_EQ(dialog.m_saveTiming, 0);
}

TEST(PropatyDlgTest, TheCombinationsItOpenedWithPassWithoutASystemTest) {
    CHeldHotkey held(kCtrlAlt, 'K');  // taken, but it is what the dialog was given
    ASSERT_TRUE(held.Held());
    CPropatyDlg dialog;
    dialog.m_pastModifiers = kCtrlAlt;
    dialog.m_pastKey = 'K';
    std::string answer = "none yet";
    CDialogDriver driver(kCaption, [&](HWND d) {
        // The two fields swap their combinations: both belong to us.
        TypeCombination(Field(d, IDC_PROPATY_HK_PAST), {VK_LWIN}, 'V');
        TypeCombination(Field(d, IDC_PROPATY_HK_PASTDT), {VK_CONTROL, VK_MENU}, 'K');
        answer = ClickForMessage(d, IDOK, 1500);
    });
    EXPECT_EQ(dialog.DoModal(nullptr), IDOK);
    EXPECT_TRUE(driver.Done());
    EXPECT_EQ(answer, "");
    EXPECT_EQ(dialog.m_pastKey, 'V');
    EXPECT_EQ(dialog.m_pastDtKey, 'K');
}

TEST(PropatyDlgTest, ACombinationTheSystemRefusedIsShownAndNotTakenForOurs) {
    CHeldHotkey held(kCtrlAlt, 'K');  // the desktop combination, refused at start
    ASSERT_TRUE(held.Held());
    CPropatyDlg dialog;
    dialog.m_pastDtModifiers = kCtrlAlt;
    dialog.m_pastDtKey = 'K';
    dialog.m_pastDtRegistered = false;
    std::string status, answer;
    bool statusShown = false;
    CDialogDriver driver(kCaption, [&](HWND d) {
        status = Text(Field(d, IDC_PROPATY_HK_STATUS));
        statusShown = ::IsWindowVisible(Field(d, IDC_PROPATY_HK_STATUS)) != FALSE;
        // Moved to the window field, it is tested like any other.
        TypeCombination(Field(d, IDC_PROPATY_HK_PAST), {VK_CONTROL, VK_MENU}, 'K');
        TypeCombination(Field(d, IDC_PROPATY_HK_PASTDT), {VK_LWIN}, 'S');
        answer = ClickForMessage(d, IDOK);
        ::PostMessageA(d, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(dialog.DoModal(nullptr), IDCANCEL);
    ASSERT_TRUE(driver.Done());
    EXPECT_TRUE(statusShown);
    EXPECT_EQ(status, "デスクトップへの貼り付けホットキーは未登録です.");
    EXPECT_EQ(answer,
              "ウィンドウへの貼り付け設定は既に他のアプリケーションで使用されています。他の組み合わせに変更してください.");

    CPropatyDlg registered;  // both registered: no such line
    bool shownWhenRegistered = true;
    CDialogDriver second(kCaption, [&](HWND d) {
        shownWhenRegistered = ::IsWindowVisible(Field(d, IDC_PROPATY_HK_STATUS)) != FALSE;
        ::PostMessageA(d, WM_COMMAND, IDCANCEL, 0);
    });
    registered.DoModal(nullptr);
    ASSERT_TRUE(second.Done());
    EXPECT_FALSE(shownWhenRegistered);
}

// ------------------------------------------------------------ controller

class PropertiesStepTest : public CControllerFixture {
protected:
    std::string SettingsPath() { return scratch.Path() + "\\MossrelPropaty.ini"; }
};

// Keys of a settings file in the order they stand.
std::vector<std::string> KeysInOrder(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> keys;
    std::string line;
    while (std::getline(in, line)) {
        const auto eq = line.find('=');
        if (!line.empty() && line[0] == '[') keys.push_back(line.substr(0, line.find(']') + 1));
        else if (eq != std::string::npos) keys.push_back(line.substr(0, eq));
    }
    return keys;
}

TEST_F(PropertiesStepTest, OkAppliesHotkeysAndPeriodAndWritesEveryKey) {
    control.SetPropatyPath(SettingsPath());
    ASSERT_FALSE(CanRegister(kWin, 'S')) << "the controller holds Win+S";
    bool typed = false;
    CDialogDriver driver(kCaption, [&](HWND d) {
        TypeCombination(Field(d, IDC_PROPATY_HK_PAST), {VK_CONTROL, VK_MENU}, 'J');
        TypeCombination(Field(d, IDC_PROPATY_HK_PASTDT), {VK_CONTROL, VK_MENU}, 'L');
        ::CheckRadioButton(d, IDC_PROPATY_PERIOD_10, IDC_PROPATY_PERIOD_50, IDC_PROPATY_PERIOD_10);
        typed = true;
        ::PostMessageA(d, WM_COMMAND, IDOK, 0);
    });
    control.EditProperties();
    ASSERT_TRUE(driver.Done());
    ASSERT_TRUE(typed);
    EXPECT_EQ(control.Settings().HK_PAST_KEY, 'J');
    EXPECT_EQ(control.Settings().HK_PAST_MODIFIERS, kCtrlAlt);
    EXPECT_EQ(control.Settings().HK_PASTDT_KEY, 'L');
    EXPECT_EQ(CNotifyBridge::Settings().POSINTERVAL, 10) << "the period reaches the notes at once";
    EXPECT_TRUE(CanRegister(kWin, 'S')) << "the old window hotkey is released";
    EXPECT_TRUE(CanRegister(kWinAlt, 'V')) << "the old desktop hotkey is released";
    EXPECT_FALSE(CanRegister(kCtrlAlt, 'J')) << "the new window hotkey is registered";
    EXPECT_FALSE(CanRegister(kCtrlAlt, 'L')) << "the new desktop hotkey is registered";

    const std::vector<std::string> expectedKeys = {
        "[SYSTEM]",  "SAVETIMING", "TRANSPARENT", "COLOR",     "FRAME",          "BKCOLOR",
        "GRAFLG",    "GRAPTN",     "TXCOLOR",     "PICKPOS",   "FONTFACENAME",   "FONTHEIGHT",
        "FONTWEIGHT", "FONTITALIC", "ARWFLAG",    "INIHEIGHT", "INIWIDTH",       "ARROWLINEWIDTH",
        "POSINTERVAL", "[HK_PAST]", "MODIFIERS",  "KEY",       "[HK_PASTDT]",    "MODIFIERS",
        "KEY",       "[SV_FORMAT]", "FORMAT",   "[TRASH]",   "KEEPDAYS"};
    EXPECT_EQ(KeysInOrder(SettingsPath()), expectedKeys);
    CIniFile ini = CIniFile::Load(SettingsPath());
    EXPECT_EQ(ini.GetInt("HK_PAST", "KEY", 0), 'J');
    EXPECT_EQ(ini.GetInt("HK_PAST", "MODIFIERS", 0), kCtrlAlt);
    EXPECT_EQ(ini.GetInt("HK_PASTDT", "KEY", 0), 'L');
    EXPECT_EQ(ini.GetInt("SYSTEM", "POSINTERVAL", 0), 10);
}

TEST_F(PropertiesStepTest, CancelChangesNothingAndWritesNothing) {
    control.SetPropatyPath(SettingsPath());
    CDialogDriver driver(kCaption, [&](HWND d) {
        TypeCombination(Field(d, IDC_PROPATY_HK_PAST), {VK_CONTROL, VK_MENU}, 'J');
        ::PostMessageA(d, WM_COMMAND, IDCANCEL, 0);
    });
    control.EditProperties();
    ASSERT_TRUE(driver.Done());
    EXPECT_EQ(control.Settings().HK_PAST_KEY, 'S');
    EXPECT_FALSE(CanRegister(kWin, 'S'));
    EXPECT_EQ(::GetFileAttributesA(SettingsPath().c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(PropertiesStepTest, AHotkeyHeldElsewhereGivesTheSecondMessageAfterOk) {
    CHeldHotkey held(kWin, 'S');
    ASSERT_TRUE(held.Held());
    std::string atStart, afterOk;
    {
        // The start message comes from SetPropatyPath, owned by the panel.
        HANDLE thread = nullptr;
        struct Ctx {
            HWND owner;
            std::string* text;
        } ctx{control.GetHwnd(), &atStart};
        thread = ::CreateThread(
            nullptr, 0,
            [](void* p) -> DWORD {
                auto* c = static_cast<Ctx*>(p);
                *c->text = TakeMessageBox(c->owner, 10000);
                return 0;
            },
            &ctx, 0, nullptr);
        control.SetPropatyPath(SettingsPath());
        ::WaitForSingleObject(thread, 10000);
        ::CloseHandle(thread);
    }
    EXPECT_EQ(atStart, "Windowへの貼り付けホットキーの登録が失敗しました.メインパネルのHotKey変更で他のキーに変更してください.");
    CDialogDriver driver(kCaption, [&](HWND d) {
        ::PostMessageA(d, WM_COMMAND, IDOK, 0);  // unchanged: no test in the dialog
        afterOk = TakeMessageBox(control.GetHwnd(), 10000);
    });
    control.EditProperties();
    EXPECT_TRUE(driver.Done());
    EXPECT_EQ(afterOk, "ウィンドウ貼り付けホットキーの登録が失敗しました.メインパネルのHotKey変更で他のキーに変更してください.");
}

TEST_F(PropertiesStepTest, ANewSettingsFileGivesADesktopHotkeyWindowsDoesNotHold) {
    control.SetPropatyPath(SettingsPath());  // no file yet
    EXPECT_EQ(control.Settings().HK_PASTDT_MODIFIERS, kWinAlt);
    EXPECT_EQ(control.Settings().HK_PASTDT_KEY, 'V');
    EXPECT_TRUE(control.DesktopHotkeyRegistered());
    EXPECT_FALSE(CanRegister(kWinAlt, 'V'));
    EXPECT_TRUE(CanRegister(kWin, 'V')) << "Win+V is left to the system";
}

TEST_F(PropertiesStepTest, ARefusedDesktopHotkeyIsToldOnceInABalloonAndInTheDialog) {
    CHeldHotkey held(kWinAlt, 'V');  // held elsewhere, as Windows holds Win+V
    ASSERT_TRUE(held.Held());
    std::vector<std::string> balloons;
    bool trayIcon = false;  // the main window adds its icon after the settings are read
    control.SetNoticeBalloon([&](const std::string& title, const std::string& text) {
        if (!trayIcon) return false;
        balloons.push_back(title + "|" + text);
        return true;
    });
    control.SetPropatyPath(SettingsPath());
    EXPECT_TRUE(control.WindowHotkeyRegistered());
    EXPECT_FALSE(control.DesktopHotkeyRegistered());
    EXPECT_TRUE(balloons.empty());
    trayIcon = true;
    control.ShowPendingNotice();
    control.ShowPendingNotice();
    ASSERT_EQ(balloons.size(), 1u) << "told once";
    EXPECT_EQ(balloons[0], "Pinvane|デスクトップへの貼り付けホットキー(" + Shown(kWinAlt, 'V') +
                               ")の登録が失敗しました.プロパティ設定で他のキーに変更してください.");

    std::string status;
    CDialogDriver driver(kCaption, [&](HWND d) {
        status = Text(Field(d, IDC_PROPATY_HK_STATUS));
        ::PostMessageA(d, WM_COMMAND, IDCANCEL, 0);
    });
    control.EditProperties();
    ASSERT_TRUE(driver.Done());
    EXPECT_EQ(status, "デスクトップへの貼り付けホットキーは未登録です.");
    EXPECT_EQ(balloons.size(), 1u);
}

TEST_F(PropertiesStepTest, ACombinationRefusedAfterTheDialogKeepsThePreviousWorkingOne) {
    control.SetPropatyPath(SettingsPath());
    ASSERT_TRUE(control.WindowHotkeyRegistered());
    ASSERT_TRUE(control.DesktopHotkeyRegistered());
    // Taken by another program between the dialog's test and the registration.
    CHeldHotkey heldJ(kCtrlAlt, 'J');
    CHeldHotkey heldL(kCtrlAlt, 'L');
    ASSERT_TRUE(heldJ.Held() && heldL.Held());
    const CControlDlg::HotkeysRefused refused = control.ApplyHotkeys(kCtrlAlt, 'J', kCtrlAlt, 'L');
    EXPECT_TRUE(refused.window);
    EXPECT_TRUE(refused.desktop);
    EXPECT_EQ(control.Settings().HK_PAST_MODIFIERS, kWin);
    EXPECT_EQ(control.Settings().HK_PAST_KEY, 'S');
    EXPECT_EQ(control.Settings().HK_PASTDT_MODIFIERS, kWinAlt);
    EXPECT_EQ(control.Settings().HK_PASTDT_KEY, 'V');
    EXPECT_TRUE(control.WindowHotkeyRegistered());
    EXPECT_TRUE(control.DesktopHotkeyRegistered());
    EXPECT_FALSE(CanRegister(kWin, 'S')) << "the previous window hotkey is in force";
    EXPECT_FALSE(CanRegister(kWinAlt, 'V')) << "the previous desktop hotkey is in force";
    // One refused, one free: each on its own.
    const CControlDlg::HotkeysRefused mixed = control.ApplyHotkeys(kCtrlAlt, 'J', kCtrlAlt, 'M');
    EXPECT_TRUE(mixed.window);
    EXPECT_FALSE(mixed.desktop);
    EXPECT_EQ(control.Settings().HK_PAST_KEY, 'S');
    EXPECT_EQ(control.Settings().HK_PASTDT_KEY, 'M');
    EXPECT_TRUE(CanRegister(kWinAlt, 'V'));
    EXPECT_FALSE(CanRegister(kCtrlAlt, 'M'));
}

}  // namespace

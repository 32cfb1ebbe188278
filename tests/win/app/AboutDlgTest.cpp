// CAboutDlg: the version dialog shows the version line it is given.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "app/AboutDlg.h"
#include "platform/Platform.h"
#include "res/resource.h"
#include "WindowFinder.h"

namespace {

// Records what the running dialog shows, then closes it with OK.
class CAboutProbe : public CAboutDlg {
public:
    using CAboutDlg::CAboutDlg;
    std::string shownVersion;
    HICON shownIcon = nullptr;

protected:
    BOOL OnInitDialog() override {
        const BOOL result = CAboutDlg::OnInitDialog();
        shownVersion = pvtest::ItemText(GetHwnd(), IDC_ABOUT_VERSION);
        shownIcon = reinterpret_cast<HICON>(::SendDlgItemMessageA(GetHwnd(), IDC_ABOUT_ICON, STM_GETICON, 0, 0));
        ::PostMessageA(GetHwnd(), WM_COMMAND, IDOK, 0);
        return result;
    }
};

TEST(AboutDlgTest, ShowsTheGivenVersionLineAndTheIcon) {
    CAboutProbe dlg("Ver.:9.8.7.6");
    EXPECT_EQ(dlg.DoModal(nullptr), IDOK);
    EXPECT_EQ(dlg.shownVersion, "Ver.:9.8.7.6");
    EXPECT_NE(dlg.shownIcon, nullptr);
}

TEST(AboutDlgTest, ShowsTheProgramsOwnVersion) {
    CAboutProbe dlg(ReadVersionText());
    EXPECT_EQ(dlg.DoModal(nullptr), IDOK);
    EXPECT_EQ(dlg.shownVersion, "Ver.:1.1.6.193");
}

}  // namespace

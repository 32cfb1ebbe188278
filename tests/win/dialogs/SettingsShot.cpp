// Shows one settings dialog for the screenshot script: touches the ready
// file once the dialog is up and closes it when the done file exists.
// Usage: pvsettingsshot <properties|properties-refused|defaults|initial-size> <ready file> <done file>
#include "WinTestUtil.h"

#include "dialogs/InitSizeDlg.h"
#include "dialogs/NoteDefaultDlg.h"
#include "dialogs/PropatyDlg.h"
#include "platform/Platform.h"

#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace {

struct Scene {
    std::unique_ptr<CDialog> dialog;
    const char* caption;
};

Scene MakeScene(const std::string& name) {
    if (name == "properties") {
        auto dialog = std::make_unique<CPropatyDlg>();
        dialog->m_pastDtModifiers = 2 | 4;  // Ctrl+Shift+F2 for the desktop
        dialog->m_pastDtKey = VK_F2;
        return {std::move(dialog), "プロパティ設定"};
    }
    if (name == "properties-refused") {
        // The desktop combination was refused (Windows keeps Win+V for itself).
        auto dialog = std::make_unique<CPropatyDlg>();
        dialog->m_pastDtRegistered = false;
        return {std::move(dialog), "プロパティ設定"};
    }
    if (name == "defaults") {
        auto dialog = std::make_unique<CNoteDefaultDlg>();
        dialog->m_defaults.COLOR = 3;        // orange ear
        dialog->m_defaults.TXCOLOR = 2;      // blue text
        dialog->m_defaults.m_arrow.ARWFLAG = 1;
        return {std::move(dialog), "付箋初期値"};
    }
    if (name == "initial-size") return {std::make_unique<CInitSizeDlg>(), "付箋初期サイズ設定"};
    return {nullptr, nullptr};
}

}  // namespace

int main(int argc, char** argv) {
    wintest::CShotFiles files;
    if (!files.Parse(argc, argv, 4,
                     "pvsettingsshot <properties|properties-refused|defaults|initial-size> <ready file> <done file>"))
        return 2;
    INITCOMMONCONTROLSEX icc{sizeof icc, 0xFF};
    ::InitCommonControlsEx(&icc);
    InstallPlatformServices();  // the default font for this screen
    Scene scene = MakeScene(argv[1]);
    if (!scene.dialog) return 2;
    wintest::CDialogDriver driver(scene.caption, [&](HWND dialog) {
        ::Sleep(500);  // painted
        files.MarkReady();
        for (int i = 0; i < 600 && !files.Done(); ++i) ::Sleep(100);
        ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    scene.dialog->DoModal(nullptr);
    return driver.Done() ? 0 : 1;
}

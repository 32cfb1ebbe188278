// pvappearanceshot: sets one scene for a screenshot.
//   leader        notes with leader lines of each width on a target window,
//                 one with its handles shown, one leaving from the ear
//   colour        the colour / leader-line dialog
//   transparency  the transparency dialog
//   frame         the resize frame dialog
//   reminder      the reminder dialog with a weekly reminder
// Usage: pvappearanceshot <scene> <ready file> <done file>
// Touches <ready file> once the scene is painted, then waits (at most 60 s)
// until <done file> exists.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "NoteTestSupport.h"
#include "data/TackletData.h"
#include "data/ReminderRule.h"
#include "dialogs/FrameDlg.h"
#include "dialogs/ReminderDlg.h"
#include "dialogs/TackletColorDlg.h"
#include "dialogs/TransparentDlg.h"
#include "notewin/ArrowWin.h"
#include "notewin/TackletWin.h"

namespace {

wintest::CShotFiles g_files;

int Leader() {
    CTestWindowSystem system(170, 70);
    CTargetWindow target(40, 40, 1000, 700, "引出し線");
    if (!target.Get()) return 1;
    RECT client;
    ::GetClientRect(target.Get(), &client);
    POINT origin{0, 0};
    ::ClientToScreen(target.Get(), &origin);
    struct Scene {
        const char* text;
        int width;
        int color;
        int bkColor;
        int x, y;         // note, in the target's client area
        int endX, endY;   // end handle, in the target's client area
        int startX;       // start handle from the note's client origin
    } scenes[] = {
        {"細い 引出し線", 0, 0, 1, 40, 40, 420, 120, 60},
        {"標準 引出し線", 1, 1, 2, 40, 180, 420, 250, 60},
        {"太い 引出し線", 2, 2, 3, 40, 320, 420, 380, 60},
        {"みみから出る線", 1, 3, 4, 560, 60, 880, 300, 150},
        {"ハンドル表示", 1, 0, 0, 560, 420, 760, 600, 60},
    };
    std::vector<CTackletData> notes;
    for (const Scene& s : scenes) {
        CTackletData rec;
        rec.EXENAME = "PVAPPEARANCESHOT.EXE";
        rec.TEXT = s.text;
        rec.COLOR = s.color;
        rec.BKCOLOR = s.bkColor;
        rec.TRANSPARENT_ = 100;
        rec.ARLINEWIDTH = s.width;
        rec.SetNoteRect(PvRect{origin.x + s.x, origin.y + s.y, origin.x + s.x + 170, origin.y + s.y + 70});
        RECT t;
        ::GetWindowRect(target.Get(), &t);
        rec.SetTargetRect(PvRect{t.left, t.top, t.right, t.bottom});
        rec.m_arrow = CArrowData{1, s.startX, 25, s.endX, s.endY};
        notes.push_back(rec);
    }
    for (CTackletData& rec : notes) rec.StartTacklet(target.Handle());
    // The last one shows its handles, as after a click on its line.
    if (auto* win = static_cast<CTackletWin*>(notes.back().m_pWin); win && win->LeaderLine()) {
        win->LeaderLine()->ToggleHandles();
    }
    Pump(800);
    g_files.Hold();
    for (CTackletData& rec : notes) rec.EndTacklet();
    return 0;
}

// Runs `dlg` modally; once the dialog with `caption` shows, another thread
// says the scene is set and cancels the dialog when the screenshot is taken.
int ShowDialog(CAppearanceDlg& dlg, const char* caption) {
    wintest::CDialogDriver driver(caption, [](HWND dialog) {
        ::Sleep(500);  // painted
        g_files.MarkReady();
        for (int i = 0; i < 600 && !g_files.Done(); ++i) ::Sleep(100);
        ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    dlg.Run();
    return driver.Done() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (!g_files.Parse(argc, argv, 4, "pvappearanceshot <scene> <ready file> <done file>")) return 2;
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&icc);
    const std::string scene = argv[1];
    if (scene == "leader") return Leader();
    if (scene == "colour") {
        CTackletColorDlg dlg;
        dlg.COLOR = 3;
        dlg.BKCOLOR = 2;
        dlg.GRAFLG = 1;
        dlg.GRAPTN = 4;
        dlg.ARWFLAG = 1;
        dlg.ARLINEWIDTH = 1;
        return ShowDialog(dlg, "付箋色＆引出し線設定");
    }
    if (scene == "transparency") {
        wintest::CTargetWindow noteStandIn("PvNoteStandIn", 0, 0, 10, 10, WS_POPUP);
        CTransparentDlg dlg;
        dlg.TRANSPARENT_ = 70;
        dlg.SetNoteWindow(noteStandIn.Hwnd());
        return ShowDialog(dlg, "透明度の設定");
    }
    if (scene == "frame") {
        CFrameDlg dlg;
        dlg.FRAME = 1;
        return ShowDialog(dlg, "サイズ変更枠");
    }
    if (scene == "reminder") {
        CReminderDlg dlg;
        dlg.m_reserve = CReminderRule::Weekly((1 << 1) | (1 << 3) | (1 << 5), 9, 30, LocalMinuteNow());
        return ShowDialog(dlg, "リマインダー設定");
    }
    std::fprintf(stderr, "unknown scene %s\n", scene.c_str());
    return 2;
}

// End-to-end scenario of notes kept within reach: a note saved off every
// monitor comes back inside the work area and is saved there; after a
// change of the displays or of the work area a note moved off-screen comes
// back; a target moved off every monitor still takes its notes away.
#include "Rescue.h"

#include <string>

using namespace e2e;

namespace {

RECT WorkArea() {
    RECT r{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0);
    return r;
}

bool Inside(const RECT& r, const RECT& area) {
    return r.left >= area.left && r.top >= area.top && r.right <= area.right && r.bottom <= area.bottom;
}

}  // namespace

int OffscreenRescue(const std::string& exe) {
    CChecks c;
    const RECT work = WorkArea();
    HWND target = MakeTargetWindow("PvDrive Rescue Target", 100, 100, 400, 300);
    std::string appDir;
    CPinvaneProcess p;
    HWND main = StartInstalled(c, exe, p, &appDir,
                               "[SYSTEM]\r\nTACKLETNUM=2\r\n"
                               "[TACKLETITEM0]\r\nTITLE=DESKTOP\r\nEXENAME=DESKTOP\r\nEXEPATH=DESKTOP\r\n"
                               "REC_LEFT=2500\r\nREC_TOP=300\r\nREC_RIGHT=2700\r\nREC_BOTTOM=360\r\nTEXT=6f6666\r\n"
                               "[TACKLETITEM1]\r\nTITLE=PvDrive Rescue Target\r\nEXENAME=PVDRIVE.EXE\r\n"
                               "REC_LEFT=150\r\nREC_TOP=160\r\nREC_RIGHT=350\r\nREC_BOTTOM=220\r\n"
                               "TGT_LEFT=100\r\nTGT_TOP=100\r\nTGT_RIGHT=500\r\nTGT_BOTTOM=400\r\nTEXT=6f6e\r\n");
    const std::string data = appDir + "\\PinvaneData.ini";

    // The desktop note is the shown note owned by no target of ours.
    HWND desktopNote = nullptr;
    c.Expect(WaitFor(
                 [&] {
                     NoteWindows notes = FindNotes(p.Pid(), main);
                     for (HWND h : notes.all)
                         if (::GetWindow(h, GW_OWNER) != target) desktopNote = h;
                     return desktopNote != nullptr && notes.ownedBy(target).size() == 1;
                 },
                 5000),
             "both notes show");
    const int left = static_cast<int>(work.right) - 200;
    c.Expect(WaitFor([&] { return Inside(WindowRect(desktopNote), work); }, 5000),
             "the desktop note saved at x = 2500 comes back inside the work area");
    RECT r = WindowRect(desktopNote);
    c.Expect(r.left == left && r.top == 300 && r.right - r.left == 200 && r.bottom - r.top == 60,
             "just inside its right edge, with its size");
    const std::string savedLeft = "REC_LEFT=" + std::to_string(left) + "\r\r\n";
    c.Expect(WaitFor([&] { return ReadFile(data).find(savedLeft) != std::string::npos; }, 5000),
             "and is saved there");

    // A display change and a work-area change bring a note back that lies
    // off-screen by then.
    for (UINT msg : {static_cast<UINT>(WM_DISPLAYCHANGE), static_cast<UINT>(WM_SETTINGCHANGE)}) {
        ::SetWindowPos(desktopNote, nullptr, -1000, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        WaitFor([&] { return WindowRect(desktopNote).left == -1000; }, 2000);
        // As the system sends them: the display change with the colour
        // depth and the new size, the setting change with what changed.
        DWORD_PTR result = 0;
        if (msg == WM_DISPLAYCHANGE)
            ::SendMessageTimeoutA(main, msg, 24, MAKELPARAM(1280, 1024), SMTO_BLOCK, 5000, &result);
        else
            ::SendMessageTimeoutA(main, msg, SPI_SETWORKAREA, 0, SMTO_BLOCK, 5000, &result);
        c.Expect(WaitFor([&] { return Inside(WindowRect(desktopNote), work); }, 5000),
                 msg == WM_DISPLAYCHANGE ? "a display change brings the note back"
                                         : "a work-area change brings the note back");
        c.Expect(WindowRect(desktopNote).left == work.left, "to the nearest edge");
    }
    c.Expect(WaitFor([&] { return ReadFile(data).find("REC_LEFT=" + std::to_string(work.left) + "\r\r\n") !=
                                  std::string::npos; },
                     5000),
             "the place after the change is saved");

    // A target moved wholly off every monitor still takes its note away.
    ::SetWindowPos(target, nullptr, 5000, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    c.Expect(WaitFor([&] { return FindNotes(p.Pid(), main).ownedBy(target).empty(); }, 5000),
             "a target moved off every monitor takes its note away");
    WaitFor([] { return false; }, 1200);  // a few ticks
    c.Expect(FindNotes(p.Pid(), main).ownedBy(target).empty(), "and the note is not brought back on screen");
    ::SetWindowPos(target, nullptr, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    c.Expect(WaitFor([&] { return FindNotes(p.Pid(), main).ownedBy(target).size() == 1; }, 5000),
             "it comes back with its target");
    auto owned = FindNotes(p.Pid(), main).ownedBy(target);
    r = owned.empty() ? RECT{} : WindowRect(owned[0]);
    c.Expect(r.left == 150 && r.top == 160, "at its offset from the target");

    c.Expect(p.Exit(), "exit");
    ::DestroyWindow(target);
    return c.ExitCode();
}

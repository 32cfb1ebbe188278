// End-to-end check of display scaling: Pinvane under the DPI of the Wine
// prefix it runs in (96, 144 or 192, set by the test script). Sizes that
// Pinvane draws itself scale with the DPI; stored positions are physical
// pixels and stay; note fonts are stored at 96 DPI.
// Usage: pvdpi scaling <Pinvane.exe>
#include "Driver.h"

#include <cstdio>
#include <cstring>
#include <string>

using namespace e2e;

namespace {

UINT ScreenDpi() {
    HDC dc = ::GetDC(nullptr);
    const int dpi = dc ? ::GetDeviceCaps(dc, LOGPIXELSX) : 96;
    if (dc) ::ReleaseDC(nullptr, dc);
    return static_cast<UINT>(dpi);
}

int Scaled(int value, UINT dpi) { return ::MulDiv(value, static_cast<int>(dpi), 96); }

// The line height of the notes' test font at character height `height`.
int LineHeight(int height) {
    LOGFONTA lf{};
    lf.lfHeight = height;
    lf.lfCharSet = 128;
    std::strcpy(lf.lfFaceName, "MS UI Gothic");
    HFONT font = ::CreateFontIndirectA(&lf);
    HDC dc = ::GetDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, font);
    TEXTMETRICA tm{};
    ::GetTextMetricsA(dc, &tm);
    ::SelectObject(dc, old);
    ::ReleaseDC(nullptr, dc);
    ::DeleteObject(font);
    return tm.tmHeight;
}

// The first child of `parent` of window class `cls`.
HWND ChildOfClass(HWND parent, const char* cls) {
    for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        char name[64] = {};
        ::GetClassNameA(child, name, sizeof name);
        if (::lstrcmpiA(name, cls) == 0) return child;
    }
    return nullptr;
}

int Scaling(const std::string& exe) {
    CChecks c;
    const UINT dpi = ScreenDpi();
    std::printf("screen DPI %u\n", dpi);
    // A note written at 96 DPI: 9-point font (height -12), 200 x 60 pixels.
    const std::string data =
        "[SYSTEM]\r\nTACKLETNUM=1\r\n"
        "[TACKLETITEM0]\r\nTITLE=PvDpi Target\r\nEXENAME=PVDPI.EXE\r\n"
        "FONTFACENAME=MS UI Gothic\r\nFONTHEIGHT=-12\r\nFONTCHARSET=128\r\n"
        "REC_LEFT=150\r\nREC_TOP=160\r\nREC_RIGHT=350\r\nREC_BOTTOM=220\r\n"
        "TGT_LEFT=100\r\nTGT_TOP=100\r\nTGT_RIGHT=500\r\nTGT_BOTTOM=400\r\nTEXT=6470690d0a78\r\n";
    HWND target = MakeTargetWindow("PvDpi Target", 100, 100, 400, 300);
    std::string appDir;
    CPinvaneProcess p;
    HWND main = StartInstalled(c, exe, p, &appDir, data);
    c.Expect(WaitFor([&] { return FindNotes(p.Pid(), main).ownedBy(target).size() == 1; }, 8000),
             "the stored note comes onto its target");
    const auto owned = FindNotes(p.Pid(), main).ownedBy(target);
    HWND note = owned.empty() ? nullptr : owned[0];
    const RECT r = WindowRect(note);
    c.Expect(r.left == 150 && r.top == 160 && r.right == 350 && r.bottom == 220,
             "the note sits at its stored physical place and size");

    HWND ear = ChildOfClass(note, "Static");
    const RECT er = WindowRect(ear);
    std::printf("ear %ld x %ld\n", er.right - er.left, er.bottom - er.top);
    c.Expect(ear && er.right - er.left == Scaled(17, dpi), "the ear is as wide as the scaling asks");

    // Font handles belong to their process: the font is measured by the
    // edit control's line height, against the same font made here.
    HWND edit = ChildOfClass(note, "Edit");
    const LRESULT first = ::SendMessageA(edit, EM_POSFROMCHAR, 0, 0);
    const LRESULT second = ::SendMessageA(edit, EM_POSFROMCHAR, 5, 0);  // after "dpi\r\n"
    const int lineHeight = static_cast<short>(HIWORD(second)) - static_cast<short>(HIWORD(first));
    std::printf("line height %d, expected %d\n", lineHeight, LineHeight(Scaled(-12, dpi)));
    c.Expect(edit && lineHeight == LineHeight(Scaled(-12, dpi)), "the stored font is shown at the screen's scaling");

    PasteDesktopNote(main, 700, 500);
    HWND added = nullptr;
    c.Expect(WaitFor(
                 [&] {
                     for (HWND n : FindNotes(p.Pid(), main).all) {
                         if (n != note) added = n;
                     }
                     return added != nullptr;
                 },
                 8000),
             "a new desktop note appears");
    const RECT a = WindowRect(added);
    std::printf("new note %ld x %ld\n", a.right - a.left, a.bottom - a.top);
    c.Expect(a.right - a.left == Scaled(200, dpi) && a.bottom - a.top == Scaled(60, dpi),
             "a new note takes the initial size at the screen's scaling");
    c.Expect(p.Exit(), "exit");
    ::DestroyWindow(target);

    const std::string saved = ReadFile(appDir + "\\PinvaneData.ini");
    c.Expect(saved.find("REC_LEFT=150\r") != std::string::npos && saved.find("REC_RIGHT=350\r") != std::string::npos,
             "the stored note keeps its physical rectangle");
    c.Expect(saved.find("FONTHEIGHT=-12\r") != std::string::npos, "fonts are written back at 96 DPI");
    c.Expect(saved.find("FONTHEIGHT=" + std::to_string(Scaled(-12, dpi)) + "\r") == std::string::npos || dpi == 96,
             "no font is written at the screen's scaling");
    return c.ExitCode();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: pvdpi scaling <Pinvane.exe>\n");
        return 2;
    }
    const std::string scenario = argv[1];
    if (scenario == "scaling") return Scaling(ToWindowsPath(argv[2]));
    std::fprintf(stderr, "unknown scenario %s\n", scenario.c_str());
    return 2;
}

// Cost of saving a large data file under Wine: 1500 notes of 2000 bytes
// each (a file of about 6 MB). Times, in milliseconds, the rendering of the
// file's bytes, the atomic write of those bytes (temporary file, flush,
// replace, three backups), the whole note-file write, the controller's full
// save, and the start-up read, each against a raw write of the same bytes
// in the same run. Run it with wine.
#include "controller/ControlDlg.h"
#include "notewin/WindowSystem.h"
#include "data/AtomicFile.h"
#include "data/NoteFile.h"
#include "platform/Platform.h"
#include "BenchClock.h"

#include <commctrl.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

template <typename F>
double Best(int rounds, F&& f) {
    double best = 1e300;
    for (int i = 0; i < rounds; ++i) {
        const double start = Now();
        f();
        best = std::min(best, Now() - start);
    }
    return best;
}

// The floor: the same bytes written with one call and closed.
void RawWrite(const std::string& path, const std::string& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return;
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

std::vector<CTackletData> Notes(int count, std::size_t bodyBytes) {
    std::vector<CTackletData> notes;
    for (int i = 0; i < count; ++i) {
        CTackletData note;
        note.TITLE = "PvSaveBench none";
        note.EXENAME = "NONE.EXE";
        note.TEXT = std::string(bodyBytes, static_cast<char>('a' + i % 6));
        notes.push_back(note);
    }
    return notes;
}

}  // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::atoi(argv[1]) : 1500;
    const int rounds = 3;
    INITCOMMONCONTROLSEX icc{sizeof icc, 0xFF};
    ::InitCommonControlsEx(&icc);
    InstallPlatformServices();
    char dir[MAX_PATH];
    ::GetTempPathA(MAX_PATH, dir);
    ::CreateDirectoryA((std::string(dir) + "pv-save-bench").c_str(), nullptr);
    const std::string folder = std::string(dir) + "pv-save-bench\\";
    ::SetCurrentDirectoryA(folder.c_str());
    const std::string data = folder + "PinvaneData.ini";
    const std::string raw = folder + "raw.ini";

    std::vector<CTackletData> notes = Notes(count, 2000);
    std::string image;
    const double render = Best(rounds, [&] { image = RenderDataFile(data, notes, 0, 0); });
    const double rawWrite = Best(rounds, [&] { RawWrite(raw, image); });
    const double atomic = Best(rounds, [&] { WriteFileAtomically(raw, image, kDataFileBackups); });
    const double write = Best(rounds, [&] { WriteDataFile(data, notes, 0, 0); });
    const double read = Best(rounds, [&] { ReadStartupNoteFile(data, 0); });

    // The controller's full save of the same notes (none of them attached).
    HWND host = ::CreateWindowExA(0, "STATIC", "host", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  ::GetModuleHandleA(nullptr), nullptr);
    CWindowSystemScope windowSystem;
    CControlDlg control;
    control.Create(host);
    control.LoadNotes(data, notes);
    ::KillTimer(control.GetHwnd(), 103);
    ::KillTimer(control.GetHwnd(), 110);
    bool saved = true;
    const double saveAll = Best(rounds, [&] { saved = control.SaveAll(false) && saved; });
    control.DestroyWindow();
    ::DestroyWindow(host);

    std::printf("%d notes, data file of %zu bytes%s\n", count, image.size(), saved ? "" : " (a save FAILED)");
    std::printf("%-34s %9s %9s\n", "step", "ms", "/ raw");
    auto row = [&](const char* name, double ms) { std::printf("%-34s %9.1f %9.2f\n", name, ms, ms / rawWrite); };
    row("raw write (floor)", rawWrite);
    row("render the file's bytes", render);
    row("atomic write of those bytes", atomic);
    row("note-file write (render + atomic)", write);
    row("controller full save", saveAll);
    row("start-up read", read);

    for (const std::string& f : {data, raw}) {
        std::remove(f.c_str());
        for (int g = 1; g <= kDataFileBackups; ++g) std::remove(BackupPath(f, g).c_str());
    }
    std::remove((folder + "MossrelPendingList.ini").c_str());
    ::SetCurrentDirectoryA(dir);
    ::RemoveDirectoryA((std::string(dir) + "pv-save-bench").c_str());
    return saved ? 0 : 1;
}

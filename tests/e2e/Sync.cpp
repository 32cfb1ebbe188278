#include "Sync.h"

#include "Driver.h"
#include "data/NoteFile.h"
#include "data/NoteMerge.h"
#include "WindowFinder.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace e2e {
namespace {

CTackletData Note(const char* title, const char* exe, const char* text) {
    CTackletData n;
    n.TITLE = title;
    n.EXENAME = exe;
    n.TEXT = text;
    n.SetNoteRect({150, 160, 350, 260});
    n.SetTargetRect({100, 100, 500, 400});
    return n;
}

// As a sync client delivers the other PC's version: written aside, then
// renamed over the file. That PC's program wrote the identity of every
// note it changed.
bool Deliver(const std::string& path, std::vector<CTackletData> notes) {
    for (CTackletData& n : notes) n.m_derivedId = false;
    const std::string aside = path + ".~sync";
    if (!WriteDataFile(aside, notes, 0, 0)) return false;
    return ::MoveFileExA(aside.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
}

// The body of a note of Pinvane's process, asked of its edit control
// (GetWindowText gives nothing for a control of another process).
std::string NoteText(HWND note) {
    HWND edit = note ? ::FindWindowExW(note, nullptr, L"Edit", nullptr) : nullptr;
    return edit ? pvtest::ControlTextOf(edit) : std::string();
}

bool AnyNoteSays(DWORD pid, HWND main, const std::string& text) {
    for (HWND n : FindNotes(pid, main).all) {
        if (NoteText(n) == text) return true;
    }
    return false;
}

}  // namespace

int SyncedFolder(const std::string& exe) {
    CChecks c;
    std::string appDir;
    const std::string copy = InstallCopy(exe, &appDir);
    const std::string data = appDir + "\\PinvaneData.ini";
    // An older file: no identities yet.
    std::vector<CTackletData> older{Note("PvSync Target", "pvdrive.exe", "shown"),
                                    Note("elsewhere", "NOSUCH.EXE", "kept"),
                                    Note("elsewhere", "NOSUCH.EXE", "deleted there")};
    c.Expect(WriteDataFile(data, older, 0, 0), "the data file is written");
    HWND target = MakeTargetWindow("PvSync Target", 100, 100, 400, 300);

    CPinvaneProcess p;
    c.Expect(p.Start(copy, "", appDir), "Pinvane starts");
    HWND main = p.WaitMainWindow(20000);
    c.Expect(WaitFor([&] { return FindNotes(p.Pid(), main).ownedBy(target).size() == 1; }, 5000),
             "the note comes onto the target window");
    const auto onTarget = FindNotes(p.Pid(), main).ownedBy(target);
    HWND shown = onTarget.empty() ? nullptr : onTarget[0];

    // 1. The other PC's version: one note changed (the shown one), one
    //    deleted, one added (on the desktop, so that it shows).
    std::vector<CTackletData> theirs = ReadNoteFile(data, 0);
    c.Expect(theirs.size() == 3, "the file read as the other PC reads it");
    if (theirs.size() != 3) return c.ExitCode();
    theirs[0].TEXT = "shown, changed there";
    theirs.erase(theirs.begin() + 2);
    theirs.push_back(Note("DESKTOP", "DESKTOP", "added there"));
    theirs.back().NOTEID = "00000000000000a1";
    c.Expect(Deliver(data, theirs), "the other PC's version arrives");
    c.Expect(WaitFor([&] { return NoteText(shown) == "shown, changed there"; }, 3000),
             "the shown note changes in place");
    c.Expect(WaitFor([&] { return AnyNoteSays(p.Pid(), main, "added there"); }, 3000),
             "the note added there is shown");

    // 2. A conflict copy beside the file: its note is added, the copy moved aside.
    std::vector<CTackletData> fromCopy{Note("DESKTOP", "DESKTOP", "from the copy")};
    fromCopy[0].NOTEID = "00000000000000c1";
    fromCopy[0].m_derivedId = false;
    const std::string copyPath = appDir + "\\PinvaneData (1).ini";
    c.Expect(WriteDataFile(copyPath, fromCopy, 0, 0), "a conflict copy is left beside the file");
    c.Expect(WaitFor([&] { return AnyNoteSays(p.Pid(), main, "from the copy"); }, 3000),
             "the conflict copy's note is added");
    c.Expect(WaitFor([&] { return !FileExists(copyPath) && FileExists(appDir + "\\conflicts\\PinvaneData (1).ini"); },
                     3000),
             "the copy is moved into the conflicts folder");

    // 3. The same note edited on both sides: both kept, theirs beside ours.
    HWND edit = ::FindWindowExA(shown, nullptr, "Edit", nullptr);
    ::PostMessageA(edit, WM_CHAR, '!', 1);
    c.Expect(WaitFor([&] { return NoteText(shown) == "shown, changed there!"; }, 2000), "typed here");
    theirs[0].TEXT = "shown, edited there too";
    theirs.push_back(fromCopy[0]);
    c.Expect(Deliver(data, theirs), "the other PC's next version arrives");
    const std::string conflict = std::string(kConflictMark) + "\r\nshown, edited there too";
    c.Expect(WaitFor([&] { return FindNotes(p.Pid(), main).ownedBy(target).size() == 2; }, 3000),
             "the other PC's version stands beside ours on the target");
    c.Expect(NoteText(shown) == "shown, changed there!", "ours stays as typed");
    c.Expect(AnyNoteSays(p.Pid(), main, conflict), "theirs says it is the other PC's version");
    c.Expect(p.Exit(), "exit");

    std::vector<std::string> texts;
    for (const CTackletData& n : ReadNoteFile(data, 0)) texts.push_back(n.TEXT);
    std::sort(texts.begin(), texts.end());
    std::vector<std::string> expected{"added there", "from the copy", "kept", "shown, changed there!", conflict};
    std::sort(expected.begin(), expected.end());
    c.Expect(texts == expected, "every note kept, the delete honoured");
    if (texts != expected) {
        for (const std::string& t : texts) std::printf("  in the file: %s\n", t.c_str());
    }
    ::DestroyWindow(target);
    return c.ExitCode();
}

}  // namespace e2e

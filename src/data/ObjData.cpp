#include "data/ObjData.h"

#include "data/MbString.h"
#include "data/NoteDate.h"

CObjData::CObjData() : GENDATE(NowTime()), ACSDATE(GENDATE) {}

void CObjData::SetNoteRect(const PvRect& r) {
    REC_LEFT = r.left;
    REC_TOP = r.top;
    REC_RIGHT = r.right;
    REC_BOTTOM = r.bottom;
}

void CObjData::SetTargetRect(const PvRect& r) {
    TGT_LEFT = r.left;
    TGT_TOP = r.top;
    TGT_RIGHT = r.right;
    TGT_BOTTOM = r.bottom;
}

void CObjData::MatchWindows(std::vector<CWinInf>& windows) {
    if (m_bAttached == 0) {
        for (CWinInf& window : windows) {
            if (IsMatchWindow(window)) {
                StartTacklet(window.hWnd);
                return;
            }
        }
        return;
    }
    for (CWinInf& window : windows) {
        if (window.hWnd == hTargetWnd && IsMatchWindow(window)) return;
    }
    Detach();
}

bool ProcessPasses(const CObjData& note, const std::string& exeName) {
    return note.PRECESSEFLAG != 1 || note.EXENAME == exeName;
}

bool TitlePasses(const CObjData& note, const std::string& title) {
    if (note.TITLEFLAG != 1) return true;
    return note.FULL == 1 ? note.TITLE == title : MbContains(title, note.PART);
}

MatchStep FirstFailingPart(const CObjData& note, const CWinInf& window) {
    if (!ProcessPasses(note, window.exeName)) return MatchStep::Process;
    if (!TitlePasses(note, window.title)) return MatchStep::Title;
    if (note.EXTENTFLAG == 0) return MatchStep::Matches;
    if (window.childrenEnumerated == 0) return MatchStep::ChildUnread;
    CChildWinInf child;
    if (window.FindChild(note.EXCLASS, note.EXCTLID, &child)) {
        const bool same = note.EXFULLFLAG == 1 ? note.EXTEXT == child.text : MbContains(child.text, note.EXPART);
        return same ? MatchStep::Matches : MatchStep::ChildText;
    }
    for (const CChildWinInf& c : window.children) {
        if (c.className == note.EXCLASS) return MatchStep::ChildId;
    }
    return MatchStep::ChildClass;
}

bool CObjData::IsMatchWindow(CWinInf& window) {
    MatchStep step = FirstFailingPart(*this, window);
    if (step == MatchStep::Process) return false;
    if (PRECESSEFLAG == 1) EXEPATH = window.exePath;
    if (step == MatchStep::ChildUnread) {
        window.EnumerateChildren();
        step = FirstFailingPart(*this, window);
    }
    return step == MatchStep::Matches;
}

void CObjData::StartTacklet(PvHandle) {}

void CObjData::Detach() { TouchAccessTime(); }

void CObjData::TouchAccessTime() {
    if (m_bAttached == 1) ACSDATE = NowTime();
}

#include "data/ObjData.h"

#include "data/CodePage.h"
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

namespace {

// Whether a record's text names a window's text: exactly, or by the window
// text's code-page form (a record of an older file holds its texts in that
// form). A record text the code page lacks matches only the exact text.
bool SameText(const std::string& record, const std::string& shown, const CCodePageForm& form) {
    return record == shown || (!IsAsciiText(shown) && record == form.Of(shown));
}

bool HoldsText(const std::string& shown, const std::string& part, const CCodePageForm& form) {
    return MbContains(shown, part) || (!IsAsciiText(shown) && MbContains(form.Of(shown), part));
}

}  // namespace

bool ProcessPasses(const CObjData& note, const CWinInf& window) {
    return note.PRECESSEFLAG != 1 || SameText(note.EXENAME, window.exeName, window.exeNameForm);
}

bool TitlePasses(const CObjData& note, const CWinInf& window) {
    if (note.TITLEFLAG != 1) return true;
    return note.FULL == 1 ? SameText(note.TITLE, window.title, window.titleForm)
                          : HoldsText(window.title, note.PART, window.titleForm);
}

bool ProcessPasses(const CObjData& note, const std::string& exeName) {
    CWinInf window;
    window.exeName = exeName;
    return ProcessPasses(note, window);
}

bool TitlePasses(const CObjData& note, const std::string& title) {
    CWinInf window;
    window.title = title;
    return TitlePasses(note, window);
}

MatchStep FirstFailingPart(const CObjData& note, const CWinInf& window) {
    if (!ProcessPasses(note, window)) return MatchStep::Process;
    if (!TitlePasses(note, window)) return MatchStep::Title;
    if (note.EXTENTFLAG == 0) return MatchStep::Matches;
    if (window.childrenEnumerated == 0) return MatchStep::ChildUnread;
    CChildWinInf child;
    if (window.FindChild(note.EXCLASS, note.EXCTLID, &child)) {
        const bool same = note.EXFULLFLAG == 1 ? SameText(note.EXTEXT, child.text, child.textForm)
                                               : HoldsText(child.text, note.EXPART, child.textForm);
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

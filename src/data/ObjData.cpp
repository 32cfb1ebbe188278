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

bool CObjData::IsMatchWindow(CWinInf& window) {
    if (PRECESSEFLAG == 1) {
        if (EXENAME != window.exeName) return false;
        EXEPATH = window.exePath;
    }
    if (TITLEFLAG == 1) {
        if (FULL == 1 ? TITLE != window.title : !MbContains(window.title, PART)) return false;
    }
    if (EXTENTFLAG == 0) return true;
    window.EnumerateChildren();
    CChildWinInf child;
    if (!window.FindChild(EXCLASS, EXCTLID, &child)) return false;
    return EXFULLFLAG == 1 ? EXTEXT == child.text : MbContains(child.text, EXPART);
}

void CObjData::StartTacklet(PvHandle) {}

void CObjData::Detach() { TouchAccessTime(); }

void CObjData::TouchAccessTime() {
    if (m_bAttached == 1) ACSDATE = NowTime();
}

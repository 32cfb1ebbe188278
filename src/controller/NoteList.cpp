#include "controller/NoteList.h"

#include "data/NoteFields.h"

PvRect RectCentredOn(int x, int y, int width, int height) {
    return PvRect{x - width / 2, y - height / 2, x + width / 2, y + height / 2};
}

void RetargetRecord(CTackletData& note, const PvRect& target, const std::string& title, const std::string& exeName,
                    const std::string& exePath, const CTackletData& defaults) {
    note.hTargetWnd = 0;
    const int width = note.REC_RIGHT - note.REC_LEFT;
    const int height = note.REC_BOTTOM - note.REC_TOP;
    const int targetWidth = target.right - target.left;
    const int targetHeight = target.bottom - target.top;
    note.REC_LEFT = target.left + (targetWidth - width) / 2;
    note.REC_TOP = target.top + (targetHeight - height) / 2;
    note.REC_RIGHT = note.REC_LEFT + width;
    note.REC_BOTTOM = note.REC_TOP + height;
    note.SetTargetRect(target);
    note.TITLE = title;
    note.EXENAME = exeName;
    note.EXEPATH = exePath;
    CopyNoteFields(note, defaults, NoteField::kRetarget);
}

void TakeMatchCondition(CObjData& note, const CObjData& edited) {
    note.TITLEFLAG = edited.TITLEFLAG;
    note.PRECESSEFLAG = edited.PRECESSEFLAG;
    note.FULL = edited.FULL;
    note.EXTENTFLAG = edited.EXTENTFLAG;
    note.EXFULLFLAG = edited.EXFULLFLAG;
    note.PART = edited.PART;
    note.EXTEXT = edited.EXTEXT;
    note.EXPART = edited.EXPART;
    note.EXCTLID = edited.EXCTLID;
    note.EXCLASS = edited.EXCLASS;
    note.m_bModified = 1;
}

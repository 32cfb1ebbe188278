#include "controller/NoteList.h"

#include "data/NoteFields.h"
#include "data/ValueBounds.h"

PvRect RectCentredOn(int x, int y, int width, int height) {
    // The point may come from another program: the sums are taken wide and
    // the rectangle kept within the bounds of a note.
    const std::int64_t halfWidth = width / 2;
    const std::int64_t halfHeight = height / 2;
    return BoundNoteRect(std::int64_t{x} - halfWidth, std::int64_t{y} - halfHeight, 2 * halfWidth, 2 * halfHeight);
}

void RetargetRecord(CTackletData& note, const PvRect& target, const std::string& title, const std::string& exeName,
                    const std::string& exePath, const CTackletData& defaults) {
    note.hTargetWnd = 0;
    // Taken wide: a record's rectangle may hold any numbers a file gave it.
    const std::int64_t width = std::int64_t{note.REC_RIGHT} - note.REC_LEFT;
    const std::int64_t height = std::int64_t{note.REC_BOTTOM} - note.REC_TOP;
    const std::int64_t targetWidth = std::int64_t{target.right} - target.left;
    const std::int64_t targetHeight = std::int64_t{target.bottom} - target.top;
    note.SetNoteRect(BoundNoteRect(target.left + (targetWidth - width) / 2, target.top + (targetHeight - height) / 2,
                                   width, height));
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

// The fields of a note record, each described once: its key in the note
// files, the member that holds it, what a reader takes when the key is
// missing, how a read value is limited, and which copies carry it.
//
// The note-file reader and writer, the JSON tool and the copy rules all
// walk this table; the writer writes the keys in table order. A row's kind
// follows from its member's type: std::int32_t and std::uint8_t numbers,
// std::string texts (TEXT is the body, see kBody), PvTime dates, and the
// whole PvLogFont for FONTFACENAME (its other keys are rows of their own).
//
// Added keys of the texts: a text row's value that its usual key cannot
// give back exactly (a character the code page lacks, a line break, a zero
// byte, more bytes than a reader takes; see CWriteIniFile::NeedsExactKey)
// is written as usual (in its code-page form) and, besides, whole in the
// added key ExactKeyOf(key) ("TITLEW", "EXTEXTW", "TEXTW", ...), after
// every other key of the section: hexadecimal digits like TEXT, scrambled
// like TEXT when the section's TEXTFORMAT is 1, of its UTF-8 bytes (see
// ExactBytesOf in TextProtect.h). A reader takes the added key only while
// the usual key still reads as what the writer puts there for that exact
// value, so an edit of the usual key by a program that does not know the
// added key wins. Files whose texts all fit have no added key.
//
// The note's identity and change time (NOTEID, CHGDATE) come after all of
// that, the added text keys included: readers that do not know them pass
// them by, and every key before them keeps its bytes and order. A section
// without NOTEID gets an identity derived from its content when read (see
// NoteIdentity.h).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "data/TackletData.h"
#include "data/TextProtect.h"


struct NoteField {
    enum Flag : unsigned {
        kKeep = 1u << 0,       // a missing key keeps the record's value (else readDefault, "" for texts)
        kNewNote = 1u << 1,    // a new note takes it from the default note
        kRetarget = 1u << 2,   // a note moved to another window takes it from the default note
        kUpperCase = 1u << 3,  // read in upper case
        kFontPart = 1u << 4,   // read only when FONTFACENAME is given
        kBody = 1u << 5,       // the body: TEXTFORMAT and the coded TEXT, written for formats 0 and 1
        kReminder = 1u << 6,   // the reminder: written only for a note that has one (see IsWrittenFor)
        kTrailing = 1u << 7,   // written after every other key of the section, the added text keys included
        kWhenSet = 1u << 8,    // written only when it holds a value (not "" or 0)
        kBookkeeping = 1u << 9,  // kept by the program, not by the user: no change of the note (NoteIdentity.h)
        kIdentity = 1u << 10,  // the identity: not written while derived from the content (see IsWrittenFor)
    };
    const char* key;
    unsigned flags = 0;
    std::int32_t readDefault = 0;
    std::int32_t (*clamp)(std::int32_t) = nullptr;

    bool Has(unsigned flag) const { return (flags & flag) != 0; }
};

// Calls visit(field, get) for every row in file order; get(record) gives
// the row's member of a CTackletData (const or not).
template <class Visit>
void VisitNoteFields(Visit&& visit) {
    using F = NoteField;
    constexpr unsigned kAll = F::kKeep | F::kNewNote | F::kRetarget;
#define PV_MEMBER(member) [](auto& n) -> auto& { return n.member; }
    visit(F{"TITLEFLAG", kAll}, PV_MEMBER(TITLEFLAG));
    visit(F{"PRECESSEFLAG", kAll}, PV_MEMBER(PRECESSEFLAG));
    visit(F{"EXTENTFLAG", kAll}, PV_MEMBER(EXTENTFLAG));
    visit(F{"EXFULLFLAG", kAll}, PV_MEMBER(EXFULLFLAG));
    visit(F{"TITLE"}, PV_MEMBER(TITLE));
    visit(F{"FULL", kAll}, PV_MEMBER(FULL));
    visit(F{"PART", F::kNewNote}, PV_MEMBER(PART));
    visit(F{"EXENAME", F::kUpperCase}, PV_MEMBER(EXENAME));
    visit(F{"EXEPATH", F::kBookkeeping}, PV_MEMBER(EXEPATH));
    visit(F{"EXCTLID", kAll}, PV_MEMBER(EXCTLID));
    visit(F{"EXCLASS", F::kNewNote | F::kRetarget}, PV_MEMBER(EXCLASS));
    visit(F{"EXTEXT", F::kNewNote | F::kRetarget}, PV_MEMBER(EXTEXT));
    visit(F{"EXPART", F::kNewNote | F::kRetarget}, PV_MEMBER(EXPART));
    visit(F{"GENDATE", F::kKeep}, PV_MEMBER(GENDATE));
    visit(F{"ACSDATE", F::kKeep | F::kBookkeeping}, PV_MEMBER(ACSDATE));
    visit(F{"REC_TOP", F::kBookkeeping}, PV_MEMBER(REC_TOP));  // the place: see NoteContentHash
    visit(F{"REC_BOTTOM", F::kBookkeeping}, PV_MEMBER(REC_BOTTOM));  // the place: see NoteContentHash
    visit(F{"REC_LEFT", F::kBookkeeping}, PV_MEMBER(REC_LEFT));  // the place: see NoteContentHash
    visit(F{"REC_RIGHT", F::kBookkeeping}, PV_MEMBER(REC_RIGHT));  // the place: see NoteContentHash
    visit(F{"TGT_TOP", F::kBookkeeping}, PV_MEMBER(TGT_TOP));  // the place: see NoteContentHash
    visit(F{"TGT_BOTTOM", F::kBookkeeping}, PV_MEMBER(TGT_BOTTOM));  // the place: see NoteContentHash
    visit(F{"TGT_LEFT", F::kBookkeeping}, PV_MEMBER(TGT_LEFT));  // the place: see NoteContentHash
    visit(F{"TGT_RIGHT", F::kBookkeeping}, PV_MEMBER(TGT_RIGHT));  // the place: see NoteContentHash
    visit(F{"READONLY", F::kNewNote}, PV_MEMBER(READONLY));
    visit(F{"TRANSPARENT", F::kNewNote, 70, &CTackletData::ClampTransparent}, PV_MEMBER(TRANSPARENT_));
    visit(F{"MOUSEHIDECTL", F::kKeep | F::kNewNote}, PV_MEMBER(MOUSEHIDECTL));
    visit(F{"COLOR", F::kKeep | F::kNewNote}, PV_MEMBER(COLOR));
    visit(F{"FRAME", F::kKeep | F::kNewNote}, PV_MEMBER(FRAME));
    visit(F{"BKCOLOR", F::kKeep | F::kNewNote}, PV_MEMBER(BKCOLOR));
    visit(F{"TXCOLOR", F::kKeep | F::kNewNote}, PV_MEMBER(TXCOLOR));
    visit(F{"BKTRANSPARENT", F::kKeep | F::kNewNote}, PV_MEMBER(BKTRANSPARENT));
    visit(F{"PICKPOS", F::kKeep | F::kNewNote}, PV_MEMBER(PICKPOS));
    visit(F{"GRAFLG", F::kKeep | F::kNewNote}, PV_MEMBER(GRAFLG));
    visit(F{"GRAPTN", F::kKeep | F::kNewNote}, PV_MEMBER(GRAPTN));
    visit(F{"FONTFACENAME", F::kNewNote}, PV_MEMBER(m_logFont));  // the whole font travels with its face
    visit(F{"FONTHEIGHT", F::kFontPart}, PV_MEMBER(m_logFont.lfHeight));
    visit(F{"FONTWEIGHT", F::kFontPart}, PV_MEMBER(m_logFont.lfWeight));
    visit(F{"FONTITALIC", F::kFontPart}, PV_MEMBER(m_logFont.lfItalic));
    visit(F{"ARWFLAG", kAll}, PV_MEMBER(m_arrow.ARWFLAG));
    visit(F{"ARWSATRTX", kAll}, PV_MEMBER(m_arrow.ARWSATRTX));
    visit(F{"ARWSTARTY", kAll}, PV_MEMBER(m_arrow.ARWSTARTY));
    visit(F{"ARWENDX", kAll}, PV_MEMBER(m_arrow.ARWENDX));
    visit(F{"ARWENDY", kAll}, PV_MEMBER(m_arrow.ARWENDY));
    visit(F{"ARLINEWIDTH", F::kKeep | F::kNewNote}, PV_MEMBER(ARLINEWIDTH));
    visit(F{"TEXT", F::kBody}, PV_MEMBER(TEXT));
    // After TEXT: readers that do not know them pass them by, and the
    // sections of notes without a reminder stay as they were.
    visit(F{"RSVTYPE", F::kKeep | F::kReminder}, PV_MEMBER(m_reserve.type));
    visit(F{"RSVYEAR", F::kKeep | F::kReminder}, PV_MEMBER(m_reserve.year));
    visit(F{"RSVMONTH", F::kKeep | F::kReminder}, PV_MEMBER(m_reserve.month));
    visit(F{"RSVDAY", F::kKeep | F::kReminder}, PV_MEMBER(m_reserve.day));
    visit(F{"RSVHOUR", F::kKeep | F::kReminder}, PV_MEMBER(m_reserve.hour));
    visit(F{"RSVMINUTE", F::kKeep | F::kReminder}, PV_MEMBER(m_reserve.minute));
    visit(F{"RSVWEEKDAY", F::kKeep | F::kReminder}, PV_MEMBER(m_reserve.weekdayMask));
    visit(F{"RSVENABLE", F::kKeep | F::kReminder}, PV_MEMBER(m_reserve.enable));
    visit(F{"RSVDUE", F::kKeep | F::kReminder | F::kBookkeeping}, PV_MEMBER(m_reserve.due));
    visit(F{"RSVSINCE", F::kKeep | F::kReminder | F::kBookkeeping}, PV_MEMBER(m_reserve.since));
    // Last of all (see the top of this file).
    constexpr unsigned kSync = F::kTrailing | F::kWhenSet | F::kBookkeeping;
    visit(F{"NOTEID", kSync | F::kIdentity}, PV_MEMBER(NOTEID));
    visit(F{"CHGDATE", kSync}, PV_MEMBER(CHGDATE));
#undef PV_MEMBER
}

// Whether the row is written for `note`: the reminder's rows only when the
// note has a reminder.
inline bool IsWrittenFor(const NoteField& field, const CTackletData& note) {
    return !field.Has(NoteField::kReminder) || note.m_reserve.type != 0;
}
// As above, and a row written only when set only when `value` is set; the
// identity not while it is the one every reader derives from the note's
// content (a file nobody changed keeps its bytes).
template <class T>
bool IsWrittenFor(const NoteField& field, const CTackletData& note, const T& value) {
    if (field.Has(NoteField::kWhenSet) && value == T{}) return false;
    if (field.Has(NoteField::kIdentity) && note.m_derivedId) return false;
    return IsWrittenFor(field, note);
}

// Copies into `to` every field of `from` whose row carries `flag`.
inline void CopyNoteFields(CTackletData& to, const CTackletData& from, NoteField::Flag flag) {
    VisitNoteFields([&](const NoteField& field, auto get) {
        if (field.Has(flag)) get(to) = get(from);
    });
}

// The identity of a note that several PCs share through one file, and what
// counts as a change of it.
//
// A note's identity (NOTEID) is given once and kept for good. A note read
// from a file that has none gets one derived from its content — creation
// time as the file writes it, match condition, text — so every PC reading
// the same older file gives it the same identity. A note made here gets a
// new one. A derived identity is not written (m_derivedId) until the note
// changes: every reader derives it again, and a file nobody changed keeps
// its bytes.
//
// What the user changes of a note (text, appearance, place, condition) is
// summed up by NoteContentHash; what the program keeps by itself (access
// time, executable path, where the target window happens to be, reminder
// bookkeeping, identity and change time) is left out. The place counts
// relative to the target window, so a note that only follows its target
// has not changed.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "data/TackletData.h"

std::uint64_t NoteContentHash(const CTackletData& note);

// A hash of any bytes (a file's contents, to tell whether it changed).
std::uint64_t BytesHash(std::string_view bytes);

// An identity from the note's content; `salt` tells apart notes whose
// content is the same.
std::string DerivedNoteId(const CTackletData& note, unsigned salt = 0);
// An identity no other note is likely to have.
std::string NewNoteId();

// How a note without an identity (or with one an earlier note of the list
// already has) gets its own.
enum class NewIdentity {
    Derived,  // from its content: notes read from a file
    Fresh,    // new: notes made here
};
// Gives each note without an identity one, and each note whose identity an
// earlier note of `notes` holds another, so that every identity of `notes`
// is given once. Returns how many notes got one.
std::size_t GiveIdentities(std::vector<CTackletData>& notes, NewIdentity how);

// Three-way merge of note lists by identity: the version of a file last
// read or written (the base), what the file holds now (theirs, written by
// another PC) and the notes here (ours).
//
//   added there                     added here
//   deleted there, unchanged here   deleted here
//   changed there only              taken (text, appearance, place, condition)
//   changed on both sides           both kept: ours stays, theirs is added
//                                   beside it as a conflict note (ConflictVersion)
//   deleted there, changed here     ours kept
//   deleted here, changed there     theirs added again
//
// A union merge (a conflict copy a sync service left beside the file)
// deletes nothing and never takes a version over ours: a note it holds that
// is not here is added, one that differs from ours (and from the base) is
// added as a conflict note.
//
// The plan is made without changing anything; the caller applies it (see
// ApplyNoteMerge), deleting through its own delete path.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "data/TackletData.h"

// A note file's notes as last read or written: identity -> content hash.
using NoteVersions = std::unordered_map<std::string, std::uint64_t>;
NoteVersions VersionsOf(const std::vector<CTackletData>& notes);

enum class MergeKind { ThreeWay, Union };

// The first line of a conflict note's body.
inline constexpr char kConflictMark[] = "（競合）";

struct CNoteMergePlan {
    std::vector<std::size_t> remove;                         // positions in ours: deleted there
    std::vector<std::pair<std::size_t, std::size_t>> take;  // ours position <- theirs position
    std::vector<CTackletData> add;                           // added there, and conflict notes
    std::size_t conflicts = 0;                               // how many of `add` are conflict notes
    // Whether the file lacks something of the notes here once the plan is
    // applied (a note added or changed here, a conflict note, a delete made
    // here): it is then to be written.
    bool fileBehind = false;
    // The notes of theirs by identity (what VersionsOf(theirs) gives), so
    // that the caller need not sum them up again.
    NoteVersions theirVersions;

    bool Empty() const { return remove.empty() && take.empty() && add.empty(); }
};

CNoteMergePlan PlanNoteMerge(const NoteVersions& base, const std::vector<CTackletData>& ours,
                             const std::vector<CTackletData>& theirs, MergeKind kind);

// Theirs as a note beside ours: "（競合）" as the first line of its body,
// shifted a little right and down, no identity yet (it is a new note),
// detached.
CTackletData ConflictVersion(const CTackletData& theirs);

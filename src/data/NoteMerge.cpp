#include "data/NoteMerge.h"

#include <unordered_set>

#include "data/NoteIdentity.h"
#include "data/RecordList.h"

namespace {
constexpr std::int32_t kConflictShift = 16;  // pixels right and down of ours
}

NoteVersions VersionsOf(const std::vector<CTackletData>& notes) {
    NoteVersions versions;
    versions.reserve(notes.size() * 2);
    for (const CTackletData& note : notes) {
        if (!note.NOTEID.empty()) versions.emplace(note.NOTEID, NoteContentHash(note));
    }
    return versions;
}

CTackletData ConflictVersion(const CTackletData& theirs) {
    CTackletData note = WithoutWindow(theirs);
    note.NOTEID.clear();
    note.m_derivedId = false;
    // A body kept unread cannot take the line; the note still stands beside ours.
    if (!note.KeepsStoredBody()) note.TEXT = std::string(kConflictMark) + "\r\n" + note.TEXT;
    note.REC_LEFT += kConflictShift;
    note.REC_RIGHT += kConflictShift;
    note.REC_TOP += kConflictShift;
    note.REC_BOTTOM += kConflictShift;
    return note;
}

CNoteMergePlan PlanNoteMerge(const NoteVersions& base, const std::vector<CTackletData>& ours,
                             const std::vector<CTackletData>& theirs, MergeKind kind) {
    CNoteMergePlan plan;
    std::unordered_map<std::string_view, std::size_t> ourPlace;
    ourPlace.reserve(ours.size() * 2);
    std::vector<std::uint64_t> ourHash(ours.size());
    for (std::size_t i = 0; i < ours.size(); ++i) {
        ourHash[i] = NoteContentHash(ours[i]);
        if (!ours[i].NOTEID.empty()) ourPlace.emplace(ours[i].NOTEID, i);
    }
    auto baseHash = [&](const std::string& id) -> const std::uint64_t* {
        const auto it = base.find(id);
        return it == base.end() ? nullptr : &it->second;
    };

    std::unordered_set<std::string_view> theirIds;
    theirIds.reserve(theirs.size() * 2);
    plan.theirVersions.reserve(theirs.size() * 2);
    for (std::size_t j = 0; j < theirs.size(); ++j) {
        const CTackletData& their = theirs[j];
        theirIds.insert(their.NOTEID);
        const std::uint64_t theirHash = NoteContentHash(their);
        plan.theirVersions.emplace(their.NOTEID, theirHash);
        const std::uint64_t* was = baseHash(their.NOTEID);
        const auto here = ourPlace.find(their.NOTEID);
        if (here == ourPlace.end()) {
            // Not here: added there, or deleted here (kept deleted unless changed there).
            if (was && *was == theirHash) {
                plan.fileBehind = plan.fileBehind || kind == MergeKind::ThreeWay;
                continue;
            }
            plan.add.push_back(WithoutWindow(their));
            continue;
        }
        const std::size_t i = here->second;
        if (ourHash[i] == theirHash) continue;
        if (was && *was == theirHash) {  // changed here only
            plan.fileBehind = true;
            continue;
        }
        if (kind == MergeKind::ThreeWay && was && *was == ourHash[i]) {  // changed there only
            plan.take.emplace_back(i, j);
            continue;
        }
        plan.add.push_back(ConflictVersion(their));
        ++plan.conflicts;
        plan.fileBehind = true;
    }

    for (std::size_t i = 0; i < ours.size(); ++i) {
        if (ours[i].NOTEID.empty()) {
            plan.fileBehind = true;
            continue;
        }
        if (theirIds.count(ours[i].NOTEID) != 0) continue;
        const std::uint64_t* was = baseHash(ours[i].NOTEID);
        if (kind == MergeKind::ThreeWay && was && *was == ourHash[i]) {
            plan.remove.push_back(i);  // deleted there, unchanged here
            continue;
        }
        plan.fileBehind = true;  // added here, or changed here and deleted there
    }
    return plan;
}

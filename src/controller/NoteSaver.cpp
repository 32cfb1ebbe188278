#include "controller/NoteSaver.h"

#include <algorithm>

#include "data/AtomicFile.h"
#include "data/IniFile.h"
#include "data/NoteDate.h"
#include "data/NoteFile.h"
#include "data/NoteIdentity.h"
#include "data/TackletWindow.h"
#include "data/Trace.h"
#include "data/VolumeKey.h"

void CNoteSaver::Start(const std::string& path, std::vector<CTackletData>& notes, int format, bool restored) {
    GiveIdentities(notes, NewIdentity::Derived);
    m_path = path;
    m_textKey = VolumeKeyForPath(path);
    m_failed = false;
    m_savedImage.clear();
    if (!restored) m_savedImage = RenderDataFile(m_path, notes, format, m_textKey);
    Remember(CIniFile::Load(m_path).Contents(), VersionsOf(notes));
}

void CNoteSaver::Remember(std::string_view diskImage, NoteVersions versions) {
    m_diskSize = diskImage.size();
    m_diskHash = BytesHash(diskImage);
    m_base = std::move(versions);
}

bool CNoteSaver::IsRemembered(std::string_view diskImage) const {
    return diskImage.size() == m_diskSize && BytesHash(diskImage) == m_diskHash;
}

void CNoteSaver::StampChanges(CRecordList& notes) {
    GiveIdentities(notes.Items(), NewIdentity::Fresh);
    PvTime now = 0;
    for (CTackletData& note : notes.Items()) {
        const auto was = m_base.find(note.NOTEID);
        if (was != m_base.end() && was->second == NoteContentHash(note)) continue;
        if (now == 0) now = NowTime();
        note.CHGDATE = now;
        note.m_derivedId = false;
    }
}

bool CNoteSaver::Write(CRecordList& notes, int format, bool* grew) {
    *grew = false;
    std::vector<CTackletData> older;
    if (!RereadBlockedNoteFile(m_path, m_textKey, &older)) return false;
    // The file's notes are older than every note made since start.
    if (!older.empty()) {
        notes.AppendForWriting(std::move(older));
        *grew = true;
    }
    // Another PC may have written the file since: its notes are merged in
    // rather than written over.
    const MergeResult merged = MergeFile(notes, format);
    if (merged.unreadable) return false;
    if (merged.changed) *grew = true;
    StampChanges(notes);
    if (!WriteDataFile(m_path, notes.Items(), format, m_textKey, &m_savedImage)) return false;
    Remember(m_savedImage, VersionsOf(notes.Items()));
    m_failed = false;
    return true;
}

CNoteSaver::AutoSaveResult CNoteSaver::AutoSave(CRecordList& notes, int format) {
    AutoSaveResult result;
    for (CTackletData& note : notes.Items()) note.CopyWindow();
    StampChanges(notes);
    if (RenderDataFile(m_path, notes.Items(), format, m_textKey) == m_savedImage) {
        result.current = true;
        return result;
    }
    const bool unread = AreFileWritesBlocked(m_path);
    result.current = Write(notes, format, &result.grew);
    if (result.current || m_failed || unread) return result;
    m_failed = true;
    result.tell = true;
    return result;
}

CNoteSaver::MergeResult CNoteSaver::MergeFile(CRecordList& notes, int format) {
    MergeResult result;
    if (m_path.empty()) return result;
    CIniFile::LoadState state = CIniFile::LoadState::Missing;
    const CIniFile ini = CIniFile::Load(m_path, &state);
    // A file gone (or not there yet) deletes nothing: the next write puts it back.
    if (state == CIniFile::LoadState::Missing) return result;
    if (state != CIniFile::LoadState::Read) {
        Trace("%s cannot be read now; not merged, not replaced\n", m_path.c_str());
        result.unreadable = true;
        return result;
    }
    if (IsRemembered(ini.Contents())) return result;
    // A file cut short (a copy still arriving) only adds.
    const MergeKind kind = IsDamagedNoteFile(ini) ? MergeKind::Union : MergeKind::ThreeWay;
    const std::vector<CTackletData> theirs = ReadNotes(ini, m_textKey);
    for (CTackletData& note : notes.Items()) note.CopyWindow();
    StampChanges(notes);
    NoteVersions versions;
    result = Apply(notes, theirs, kind, &versions);
    result.read = true;
    Remember(ini.Contents(), std::move(versions));
    // Nothing here that the file lacks: it holds the notes' state, so
    // autosave has nothing to write.
    if (!result.fileBehind) {
        m_savedImage = RenderDataFile(m_path, notes.Items(), format, m_textKey);
    }
    Trace("merged %s: %zu added, %zu taken, %zu deleted, %zu conflicts\n", m_path.c_str(), result.added,
          result.taken, result.removed, result.conflicts);
    return result;
}

CNoteSaver::MergeResult CNoteSaver::MergeCopy(CRecordList& notes, const std::string& path) {
    MergeResult result;
    CIniFile::LoadState state = CIniFile::LoadState::Missing;
    const CIniFile ini = CIniFile::Load(path, &state);
    if (state != CIniFile::LoadState::Read) {
        result.unreadable = state != CIniFile::LoadState::Missing;
        return result;
    }
    const std::vector<CTackletData> theirs = ReadNotes(ini, m_textKey);
    for (CTackletData& note : notes.Items()) note.CopyWindow();
    StampChanges(notes);
    result = Apply(notes, theirs, MergeKind::Union);
    result.read = true;
    return result;
}

CNoteSaver::MergeResult CNoteSaver::Apply(CRecordList& notes, const std::vector<CTackletData>& theirs,
                                          MergeKind kind, NoteVersions* theirVersions) {
    CNoteMergePlan plan = PlanNoteMerge(m_base, notes.Items(), theirs, kind);
    if (theirVersions) *theirVersions = std::move(plan.theirVersions);
    MergeResult result;
    result.changed = !plan.Empty();
    result.fileBehind = plan.fileBehind;
    result.added = plan.add.size();
    result.taken = plan.take.size();
    result.removed = plan.remove.size();
    result.conflicts = plan.conflicts;
    // Identities first: adding and deleting move the positions.
    std::vector<std::uint64_t> removeIds;
    removeIds.reserve(plan.remove.size());
    for (std::size_t i : plan.remove) removeIds.push_back(notes.IdAt(i));
    for (const auto& [i, j] : plan.take) notes[i].TakeVersion(theirs[j]);
    notes.InsertAtHead(std::move(plan.add));
    if (removeIds.empty()) return result;
    if (m_remover) {
        m_remover(removeIds);
        return result;
    }
    for (std::uint64_t id : removeIds) {
        const int i = notes.IndexOf(id);
        if (i >= 0 && notes[static_cast<std::size_t>(i)].m_pWin) notes[static_cast<std::size_t>(i)].m_pWin->Destroy();
    }
    notes.RemoveIds(removeIds);
    return result;
}

CNoteSaver::SyncResult CNoteSaver::Sync(CRecordList& notes, int format) {
    SyncResult result;
    result.merge = MergeFile(notes, format);
    if (!result.merge.read || !result.merge.fileBehind) return result;
    bool grew = false;
    result.written = Write(notes, format, &grew);
    result.failed = !result.written;
    return result;
}

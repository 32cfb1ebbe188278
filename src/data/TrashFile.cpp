#include "data/TrashFile.h"

#include <algorithm>
#include <utility>

#include "data/AtomicFile.h"
#include "data/IniFile.h"
#include "data/MbString.h"
#include "data/NoteDate.h"
#include "data/NoteFile.h"
#include "data/RecordList.h"
#include "data/Trace.h"
#include "data/VolumeKey.h"
#include "data/WriteIniFile.h"

std::string TrashPathBeside(const std::string& dataPath) {
    // The folder ends at the last separator (never a trail byte here).
    std::size_t end = MbFindLast(dataPath, '\\');
    const std::size_t slash = MbFindLast(dataPath, '/');
    if (slash != std::string::npos && (end == std::string::npos || slash > end)) end = slash;
    if (end == std::string::npos) return kTrashFileName;
    return dataPath.substr(0, end + 1) + kTrashFileName;
}

bool TrashItemExpired(PvTime deleted, std::int32_t days, PvTime now) {
    return now - deleted > static_cast<std::int64_t>(days) * kSecondsPerDay;
}

bool ReadTrashFile(const std::string& path, PvTime now, std::vector<CTrashItem>* items) {
    items->clear();
    CIniFile::LoadState state;
    const CIniFile ini = CIniFile::Load(path, &state);
    if (state == CIniFile::LoadState::Unreadable || state == CIniFile::LoadState::TooLarge) return false;
    if (state == CIniFile::LoadState::Missing) return true;
    const std::uint32_t key = VolumeKeyForPath(path);
    const std::int32_t count = std::max(ini.GetInt(kNoteFileSystemSection, "TACKLETNUM", 0), 0);
    // Every item has its own section: a count beyond the sections there are
    // is read only as far as sections can exist.
    const std::size_t bound = std::max(static_cast<std::size_t>(kMaxNoteCount), ini.SectionCount());
    const std::size_t n = std::min(static_cast<std::size_t>(count), bound);
    for (std::size_t i = 0; i < n; ++i) {
        const std::string section = NoteSectionName(i);
        const CIniFile::SectionView view = ini.GetSection(section);
        if (!view.Exists()) continue;
        CTrashItem item;
        item.note.ReadItem(ini, key, section);
        if (!ParseNoteDate(view.GetView(kTrashDateKey, ""), &item.deleted)) item.deleted = now;
        items->push_back(std::move(item));
    }
    return true;
}

bool CTrash::Load(const std::string& path, std::int32_t days, PvTime now) {
    m_path = path;
    m_items.clear();
    std::vector<CTrashItem> read;
    if (!ReadTrashFile(path, now, &read)) {
        Trace("CTrash::Load(%s): the file cannot be read; it is kept as it is\n", path.c_str());
        BlockFileWrites(path);
        return false;
    }
    for (CTrashItem& item : read) Append(std::move(item.note), item.deleted);
    Expire(days, now);
    return true;
}

int CTrash::IndexOf(std::uint64_t id) const {
    for (std::size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i].id == id) return static_cast<int>(i);
    return -1;
}

void CTrash::Append(CTackletData note, PvTime deleted) {
    CTrashItem item;
    item.id = m_nextId++;
    item.note = WithoutWindow(std::move(note));
    item.deleted = deleted;
    m_items.push_back(std::move(item));
}

void CTrash::Add(const std::vector<CTackletData>& notes, PvTime now) {
    std::vector<CTrashItem> items;
    items.reserve(notes.size() + m_items.size());
    for (const CTackletData& note : notes) {
        CTrashItem item;
        item.id = m_nextId++;
        item.note = WithoutWindow(note);
        item.deleted = now;
        items.push_back(std::move(item));
    }
    for (CTrashItem& item : m_items) items.push_back(std::move(item));
    m_items = std::move(items);
}

bool CTrash::Take(std::uint64_t id, CTackletData* note) {
    const int i = IndexOf(id);
    if (i < 0) return false;
    *note = std::move(m_items[static_cast<std::size_t>(i)].note);
    m_items.erase(m_items.begin() + i);
    return true;
}

std::size_t CTrash::Expire(std::int32_t days, PvTime now) {
    const std::size_t before = m_items.size();
    std::erase_if(m_items, [&](const CTrashItem& item) { return TrashItemExpired(item.deleted, days, now); });
    return before - m_items.size();
}

std::string CTrash::Render(int format) const {
    std::vector<CTackletData> notes;
    notes.reserve(m_items.size());
    for (const CTrashItem& item : m_items) notes.push_back(item.note);
    const std::string date = std::string(kTrashDateKey);
    return RenderNoteFile(
        m_path, notes, format, VolumeKeyForPath(m_path),
        [&](CWriteIniFile& writer, std::size_t i, const std::string& section) {
            writer.write(section, date, FormatNoteDate(m_items[i].deleted), m_path);
        },
        date.size() + 32);
}

bool CTrash::Save(std::int32_t days, PvTime now, int format) {
    if (m_path.empty()) return false;
    if (AreFileWritesBlocked(m_path)) {
        std::vector<CTrashItem> older;
        if (!ReadTrashFile(m_path, now, &older)) {
            Trace("%s still cannot be read; not replaced\n", m_path.c_str());
            return false;
        }
        UnblockFileWrites(m_path);
        // Deleted before everything deleted since start.
        for (CTrashItem& item : older) Append(std::move(item.note), item.deleted);
    }
    Expire(days, now);
    if (!WriteFileAtomically(m_path, Render(format), kDataFileBackups)) {
        Trace("CTrash::Save(%s): the file cannot be written\n", m_path.c_str());
        return false;
    }
    return true;
}

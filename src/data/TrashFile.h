// The trash: notes deleted from the active notes, kept for some days so
// that a note deleted by mistake can be had back.
//
// The trash file ("PinvaneTrash.ini", beside the data file) is a note file
// like the pending-list file: the header, then one section per note, newest
// first, written with the data file's text format and volume key through
// the one atomic writer. Each section ends with the added key DELDATE, the
// time the note was deleted ("YYYYMMDDhhmm", as GENDATE), after the note's
// own keys. Items older than the kept days are dropped when the file is
// read and before every write. A file that exists but cannot be read is
// never replaced.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "data/PvTypes.h"
#include "data/TackletData.h"

inline constexpr char kTrashFileName[] = "PinvaneTrash.ini";
inline constexpr char kTrashDateKey[] = "DELDATE";
inline constexpr std::int64_t kSecondsPerDay = 24 * 60 * 60;

// One deleted note and when it was deleted.
struct CTrashItem {
    std::uint64_t id = 0;  // identity within this run (not stored)
    CTackletData note;     // without any tie to a note window
    PvTime deleted = 0;
};

// The trash file in the folder of the data file `dataPath`.
std::string TrashPathBeside(const std::string& dataPath);

// Whether an item deleted at `deleted` has stayed its `days` by `now`.
bool TrashItemExpired(PvTime deleted, std::int32_t days, PvTime now);

class CTrash {
public:
    // Reads the trash file at `path` and drops the items older than `days`
    // at `now`. A missing file gives an empty trash. A file that exists but
    // cannot be read gives an empty trash, is blocked from being replaced
    // (see BlockFileWrites) and false.
    bool Load(const std::string& path, std::int32_t days, PvTime now);
    const std::string& Path() const { return m_path; }

    const std::vector<CTrashItem>& Items() const { return m_items; }
    std::size_t Size() const { return m_items.size(); }
    // Position of the item `id`, -1 when it is gone.
    int IndexOf(std::uint64_t id) const;

    // Puts `notes` first, in their order, deleted at `now`; their ties to
    // note windows are cut.
    void Add(const std::vector<CTackletData>& notes, PvTime now);
    // Removes the item `id` and gives its note; false when it is gone.
    bool Take(std::uint64_t id, CTackletData* note);
    // Drops the items older than `days` at `now`; how many were dropped.
    std::size_t Expire(std::int32_t days, PvTime now);

    // Drops the expired items and writes the file in text format `format`.
    // A file unreadable since Load is read again first and its items join
    // behind the others; while it still cannot be read nothing is written.
    // False when the file was not written (it is then as it was).
    bool Save(std::int32_t days, PvTime now, int format);

    // The file's bytes for the items (for tests and comparisons).
    std::string Render(int format) const;

private:
    void Append(CTackletData note, PvTime deleted);

    std::string m_path;
    std::vector<CTrashItem> m_items;
    std::uint64_t m_nextId = 1;
};

// Reads the items of a trash file at `path` (in file order, with their
// deletion times; an item without a readable DELDATE counts as deleted at
// `now`). False for a file that exists but cannot be read.
bool ReadTrashFile(const std::string& path, PvTime now, std::vector<CTrashItem>* items);

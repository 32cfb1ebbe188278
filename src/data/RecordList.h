// An ordered sequence of note records, each with an identity that survives
// insertions and removals around it, so that a command can find its record
// again after a message box or dialog. Position 0 is the newest record; a
// record's position is its row in a list view and its item number in a
// file, so every record whose position changes is marked for rewriting.
// The controller's active notes and each collection panel's records are
// such lists.
#pragma once

#include "data/TackletData.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// What a list does with a record it takes in: keep it as given (the active
// notes keep their windows), or cut every tie to a note window (collection
// panels: no two records ever share one live note window).
enum class RecordEntry { AsGiven, WithoutWindow };

class CRecordList {
public:
    explicit CRecordList(RecordEntry entry = RecordEntry::AsGiven) : m_entry(entry) {}

    // The records, to read and change in place; the count changes only
    // through the operations below.
    const std::vector<CTackletData>& Items() const { return m_items; }
    std::vector<CTackletData>& Items() { return m_items; }
    std::size_t Size() const { return m_items.size(); }
    bool Empty() const { return m_items.empty(); }
    CTackletData& operator[](std::size_t i) { return m_items[i]; }
    const CTackletData& operator[](std::size_t i) const { return m_items[i]; }

    // Takes over a whole sequence in order.
    void Assign(std::vector<CTackletData>&& items);
    // Puts `record` at position 0 and marks every record that moved.
    void InsertAtHead(CTackletData record);
    // Puts `record` behind the last position.
    void Append(CTackletData record);
    // Puts `records` behind the last position, in order, marked for writing.
    void AppendForWriting(std::vector<CTackletData>&& records);
    // Puts `records` at positions 0.. in order (one shift of the others)
    // and marks every record that moved.
    void InsertAtHead(std::vector<CTackletData>&& records);
    // Removes position `i` and marks every record from `i` on.
    void RemoveAt(std::size_t i);
    // Removes the records of these identities in one pass, marking every
    // record that moved.
    void RemoveIds(const std::vector<std::uint64_t>& ids);
    void Clear();
    void MarkAll();

    // The identity of the record at `i` (not stored in any file), and the
    // position of an identity (-1 when that record is gone).
    std::uint64_t IdAt(std::size_t i) const { return m_ids[i]; }
    int IndexOf(std::uint64_t id) const;

    // Position of the attached record whose note window is `window`, or -1.
    // With `trace`, each attached record with a window writes its window's
    // handle and the caller's before the comparison.
    int FindByWindow(PvHandle window, bool trace) const;

private:
    CTackletData Admit(CTackletData record) const;

    RecordEntry m_entry;
    std::vector<CTackletData> m_items;
    std::vector<std::uint64_t> m_ids;
    std::uint64_t m_nextId = 1;
};

// `record` without any tie to a note window: not attached, no window, no
// target handle.
CTackletData WithoutWindow(CTackletData record);

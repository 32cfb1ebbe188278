// The records of a collection panel (export cache, import cache, pending
// list): an ordered sequence of note records, each with an identity that
// survives insertions and removals around it, so that a command can find
// its record again after a message box or dialog. No window code here.
#pragma once

#include "data/TackletData.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class CRecordList {
public:
    const std::vector<CTackletData>& Items() const { return m_items; }
    std::vector<CTackletData>& Items() { return m_items; }
    std::size_t Size() const { return m_items.size(); }
    bool Empty() const { return m_items.empty(); }
    const CTackletData& operator[](std::size_t i) const { return m_items[i]; }

    // Takes over a whole sequence in order.
    void Assign(std::vector<CTackletData>&& items);
    // Puts `record` first and marks every record after it for rewriting.
    void InsertAtFront(CTackletData record);
    void Append(CTackletData record);
    // Removes position `i` and marks every record from `i` on.
    void RemoveAt(std::size_t i);
    void Clear();
    void MarkAll();

    std::uint64_t IdAt(std::size_t i) const { return m_ids[i]; }
    // Position of identity `id`, or -1 when that record is gone.
    int IndexOf(std::uint64_t id) const;

private:
    std::vector<CTackletData> m_items;
    std::vector<std::uint64_t> m_ids;
    std::uint64_t m_nextId = 1;
};

// `record` without any tie to a note window: not attached, no window, no
// target handle. Every record handed into or out of a collection passes
// through it, so that no two records ever share one live note window.
CTackletData WithoutWindow(CTackletData record);

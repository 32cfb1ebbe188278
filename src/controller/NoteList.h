// The controller's active notes and the bookkeeping of their positions.
// Position 0 is the newest note; a note's position is its row in the main
// panel and its item number in the data file, so every record whose
// position changes is marked for rewriting. No window code here.
#pragma once

#include "data/TackletData.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CNoteList {
public:
    // The records, to read and change in place; the count changes only
    // through the operations below (each record carries an identity).
    std::vector<CTackletData>& Items() { return m_items; }
    const std::vector<CTackletData>& Items() const { return m_items; }
    std::size_t Size() const { return m_items.size(); }
    CTackletData& operator[](std::size_t i) { return m_items[i]; }

    // Takes over a whole sequence (the notes read at start), in order.
    void Assign(std::vector<CTackletData>&& items);
    // Puts `record` at position 0 and marks every record that moved.
    void InsertAtHead(CTackletData record);
    // Removes position `i` and marks every record from `i` on.
    void RemoveAt(std::size_t i);
    void Clear();
    void MarkAll();
    // Puts `records` behind the last position, in order, marked for writing.
    void Append(std::vector<CTackletData>&& records);

    // An identity of the record at `i` that survives insertions and removals
    // around it (not stored in any file), and the position of an identity
    // (-1 when that record is gone).
    std::uint64_t IdAt(std::size_t i) const { return m_ids[i]; }
    int IndexOf(std::uint64_t id) const;

    // Position of the attached record whose note window is `window`, or -1.
    // With `trace`, each attached record with a window writes its window's
    // handle and the caller's before the comparison.
    int FindByWindow(PvHandle window, bool trace) const;

private:
    std::vector<CTackletData> m_items;
    std::vector<std::uint64_t> m_ids;
    std::uint64_t m_nextId = 1;
};

// A record moved to a new target window with rectangle `target` (screen):
// it keeps its size and is centred on the target, takes the new target's
// strings and the default note's condition flags, child condition and
// leader line. The caller ends the display first.
void RetargetRecord(CTackletData& note, const PvRect& target, const std::string& title, const std::string& exeName,
                    const std::string& exePath, const CTackletData& defaults);

// The fields of the match condition dialog copied from `edited` into
// `note`: the condition flags, the title fragment and the child condition.
// Everything else of `note` (text, position, attachment) stays as it is now.
void TakeMatchCondition(CObjData& note, const CObjData& edited);

// Note rectangle of the initial size centred on (x, y).
PvRect RectCentredOn(int x, int y, int width, int height);

#include "data/RecordList.h"

#include <algorithm>
#include <iterator>
#include <unordered_set>

#include "data/TackletWindow.h"
#include "data/Trace.h"

CTackletData CRecordList::Admit(CTackletData record) const {
    return m_entry == RecordEntry::WithoutWindow ? WithoutWindow(std::move(record)) : record;
}

void CRecordList::Assign(std::vector<CTackletData>&& items) {
    m_items = std::move(items);
    m_ids.clear();
    for (CTackletData& item : m_items) {
        item = Admit(std::move(item));
        m_ids.push_back(m_nextId++);
    }
}

void CRecordList::InsertAtHead(CTackletData record) {
    m_items.insert(m_items.begin(), Admit(std::move(record)));
    m_ids.insert(m_ids.begin(), m_nextId++);
    for (std::size_t i = 1; i < m_items.size(); ++i) m_items[i].m_bModified = 1;
}

void CRecordList::InsertAtHead(std::vector<CTackletData>&& records) {
    if (records.empty()) return;
    std::vector<std::uint64_t> ids;
    ids.reserve(records.size());
    for (CTackletData& record : records) {
        record = Admit(std::move(record));
        ids.push_back(m_nextId++);
    }
    const std::size_t count = records.size();
    m_items.insert(m_items.begin(), std::make_move_iterator(records.begin()), std::make_move_iterator(records.end()));
    m_ids.insert(m_ids.begin(), ids.begin(), ids.end());
    for (std::size_t i = count; i < m_items.size(); ++i) m_items[i].m_bModified = 1;
    records.clear();
}

void CRecordList::RemoveIds(const std::vector<std::uint64_t>& ids) {
    const std::unordered_set<std::uint64_t> gone(ids.begin(), ids.end());
    std::size_t kept = 0;
    bool moved = false;
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        if (gone.count(m_ids[i]) != 0) {
            moved = true;
            continue;
        }
        if (kept != i) {
            m_items[kept] = std::move(m_items[i]);
            m_ids[kept] = m_ids[i];
        }
        if (moved) m_items[kept].m_bModified = 1;
        ++kept;
    }
    m_items.resize(kept);
    m_ids.resize(kept);
}

void CRecordList::Append(CTackletData record) {
    m_items.push_back(Admit(std::move(record)));
    m_ids.push_back(m_nextId++);
}

void CRecordList::AppendForWriting(std::vector<CTackletData>&& records) {
    for (CTackletData& record : records) {
        record.m_bModified = 1;
        Append(std::move(record));
    }
    records.clear();
}

void CRecordList::RemoveAt(std::size_t i) {
    if (i >= m_items.size()) return;
    m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(i));
    m_ids.erase(m_ids.begin() + static_cast<std::ptrdiff_t>(i));
    for (std::size_t k = i; k < m_items.size(); ++k) m_items[k].m_bModified = 1;
}

void CRecordList::Clear() {
    m_items.clear();
    m_ids.clear();
}

void CRecordList::MarkAll() {
    for (CTackletData& item : m_items) item.m_bModified = 1;
}

int CRecordList::IndexOf(std::uint64_t id) const {
    for (std::size_t i = 0; i < m_ids.size(); ++i)
        if (m_ids[i] == id) return static_cast<int>(i);
    return -1;
}

int CRecordList::FindByWindow(PvHandle window, bool trace) const {
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        const CTackletData& note = m_items[i];
        if (note.m_bAttached != 1 || !note.m_pWin) continue;
        PvHandle own = note.m_pWin->Handle();
        if (trace) {
            Trace("Data hWnd=0x%08x\n", static_cast<unsigned>(own));
            Trace("Obj  hWnd=0x%08x\n", static_cast<unsigned>(window));
        }
        if (own != 0 && own == window) return static_cast<int>(i);
    }
    return -1;
}

CTackletData WithoutWindow(CTackletData record) {
    record.m_pWin = nullptr;
    record.m_bAttached = 0;
    record.hTargetWnd = 0;
    return record;
}

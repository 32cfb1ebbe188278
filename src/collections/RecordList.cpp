#include "collections/RecordList.h"

void CRecordList::Assign(std::vector<CTackletData>&& items) {
    m_items = std::move(items);
    m_ids.clear();
    for (CTackletData& item : m_items) {
        item = WithoutWindow(std::move(item));
        m_ids.push_back(m_nextId++);
    }
}

void CRecordList::InsertAtFront(CTackletData record) {
    m_items.insert(m_items.begin(), WithoutWindow(std::move(record)));
    m_ids.insert(m_ids.begin(), m_nextId++);
    for (std::size_t i = 1; i < m_items.size(); ++i) m_items[i].m_bModified = 1;
}

void CRecordList::Append(CTackletData record) {
    m_items.push_back(WithoutWindow(std::move(record)));
    m_ids.push_back(m_nextId++);
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

CTackletData WithoutWindow(CTackletData record) {
    record.m_pWin = nullptr;
    record.m_bAttached = 0;
    record.hTargetWnd = 0;
    return record;
}

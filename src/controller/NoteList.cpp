#include "controller/NoteList.h"

#include "data/NoteFields.h"
#include "data/TackletWindow.h"
#include "data/Trace.h"
#include "data/ValueBounds.h"

void CNoteList::Assign(std::vector<CTackletData>&& items) {
    m_items = std::move(items);
    m_ids.clear();
    for (std::size_t i = 0; i < m_items.size(); ++i) m_ids.push_back(m_nextId++);
}

void CNoteList::InsertAtHead(CTackletData record) {
    m_items.insert(m_items.begin(), std::move(record));
    m_ids.insert(m_ids.begin(), m_nextId++);
    for (std::size_t i = 1; i < m_items.size(); ++i) m_items[i].m_bModified = 1;
}

void CNoteList::RemoveAt(std::size_t i) {
    if (i >= m_items.size()) return;
    m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(i));
    m_ids.erase(m_ids.begin() + static_cast<std::ptrdiff_t>(i));
    for (std::size_t k = i; k < m_items.size(); ++k) m_items[k].m_bModified = 1;
}

void CNoteList::Clear() {
    m_items.clear();
    m_ids.clear();
}

void CNoteList::Append(std::vector<CTackletData>&& records) {
    for (CTackletData& record : records) {
        record.m_bModified = 1;
        m_items.push_back(std::move(record));
        m_ids.push_back(m_nextId++);
    }
    records.clear();
}

int CNoteList::IndexOf(std::uint64_t id) const {
    for (std::size_t i = 0; i < m_ids.size(); ++i)
        if (m_ids[i] == id) return static_cast<int>(i);
    return -1;
}

void CNoteList::MarkAll() {
    for (CTackletData& note : m_items) note.m_bModified = 1;
}

int CNoteList::FindByWindow(PvHandle window, bool trace) const {
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

PvRect RectCentredOn(int x, int y, int width, int height) {
    // The point may come from another program: the sums are taken wide and
    // the rectangle kept within the bounds of a note.
    const std::int64_t halfWidth = width / 2;
    const std::int64_t halfHeight = height / 2;
    return BoundNoteRect(std::int64_t{x} - halfWidth, std::int64_t{y} - halfHeight, 2 * halfWidth, 2 * halfHeight);
}

void RetargetRecord(CTackletData& note, const PvRect& target, const std::string& title, const std::string& exeName,
                    const std::string& exePath, const CTackletData& defaults) {
    note.hTargetWnd = 0;
    // Taken wide: a record's rectangle may hold any numbers a file gave it.
    const std::int64_t width = std::int64_t{note.REC_RIGHT} - note.REC_LEFT;
    const std::int64_t height = std::int64_t{note.REC_BOTTOM} - note.REC_TOP;
    const std::int64_t targetWidth = std::int64_t{target.right} - target.left;
    const std::int64_t targetHeight = std::int64_t{target.bottom} - target.top;
    note.SetNoteRect(BoundNoteRect(target.left + (targetWidth - width) / 2, target.top + (targetHeight - height) / 2,
                                   width, height));
    note.SetTargetRect(target);
    note.TITLE = title;
    note.EXENAME = exeName;
    note.EXEPATH = exePath;
    CopyNoteFields(note, defaults, NoteField::kRetarget);
}

void TakeMatchCondition(CObjData& note, const CObjData& edited) {
    note.TITLEFLAG = edited.TITLEFLAG;
    note.PRECESSEFLAG = edited.PRECESSEFLAG;
    note.FULL = edited.FULL;
    note.EXTENTFLAG = edited.EXTENTFLAG;
    note.EXFULLFLAG = edited.EXFULLFLAG;
    note.PART = edited.PART;
    note.EXTEXT = edited.EXTEXT;
    note.EXPART = edited.EXPART;
    note.EXCTLID = edited.EXCTLID;
    note.EXCLASS = edited.EXCLASS;
    note.m_bModified = 1;
}

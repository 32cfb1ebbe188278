#include "controller/NoteListView.h"

#include "platform/ListView.h"
#include "platform/WinText.h"

#include <commctrl.h>

#include <cstring>
#include <utility>

namespace {
constexpr ListRows::ListColumn kColumns[] = {
    {"ProgramName", 110}, {"WindowTitle/付箋Text", 300}, {"最終参照", 120}, {"作成", 110}, {"  ", 10},
};
}  // namespace

void CNoteListView::Attach(HWND list, RowSource source) {
    m_list = list;
    m_source = std::move(source);
    ListRows::InitReportList(m_list, kColumns);
}

void CNoteListView::SetImageList(HIMAGELIST images) { ListView_SetImageList(m_list, images, LVSIL_SMALL); }

void CNoteListView::Rebuild(int count) {
    if (!m_list) return;
    // The index is reused as it was: after a removal it denotes the next
    // note, and past the end it selects nothing.
    const int mark = SelectionMark();
    m_cachedIndex = -1;
    ListView_SetItemState(m_list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_SetSelectionMark(m_list, -1);
    ListView_SetItemCountEx(m_list, count, LVSICF_NOSCROLL);
    if (mark >= 0 && count > 0) ShowRow(mark);
    ::InvalidateRect(m_list, nullptr, TRUE);
}

void CNoteListView::OnGetDispInfo(NMLVDISPINFOW* info) {
    LVITEMW& item = info->item;
    // A new row, or the first column of a row being drawn again: asked anew.
    if (item.iItem != m_cachedIndex || item.iSubItem == 0) {
        m_cachedIndex = -1;
        m_cached = Row{};
        if (!m_source || !m_source(item.iItem, &m_cached)) return;
        m_cachedIndex = item.iItem;
    }
    if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
        const std::string& text =
            item.iSubItem >= 0 && item.iSubItem < 5 ? m_cached.texts[static_cast<std::size_t>(item.iSubItem)] : "";
        CopyWideText(item.pszText, static_cast<std::size_t>(item.cchTextMax), text);
    }
    if ((item.mask & LVIF_IMAGE) && item.iSubItem == 0) item.iImage = m_cached.image;
}

int CNoteListView::SelectionMark() const { return m_list ? ListView_GetSelectionMark(m_list) : -1; }

void CNoteListView::ShowRow(int index) {
    ListView_SetSelectionMark(m_list, index);
    ListView_SetItemState(m_list, index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_SetHotItem(m_list, index);
    ListView_EnsureVisible(m_list, index, FALSE);
}

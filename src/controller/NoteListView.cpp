#include "controller/NoteListView.h"

#include "platform/ListView.h"

#include <commctrl.h>

namespace {
constexpr ListRows::ListColumn kColumns[] = {
    {"ProgramName", 110}, {"WindowTitle/付箋Text", 300}, {"最終参照", 120}, {"作成", 110}, {"  ", 10},
};
}  // namespace

void CNoteListView::Attach(HWND list) {
    m_list = list;
    ListRows::InitReportList(m_list, kColumns);
}

void CNoteListView::SetImageList(HIMAGELIST images) { ListView_SetImageList(m_list, images, LVSIL_SMALL); }

void CNoteListView::Begin() {
    m_rememberedMark = SelectionMark();
    ::SendMessageA(m_list, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(m_list);
    m_rows = 0;
}

void CNoteListView::AddRow(const std::array<std::string, 5>& texts, int image) {
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    if (image >= 0) {
        item.mask |= LVIF_IMAGE;
        item.iImage = image;
    }
    item.iItem = m_rows;
    item.pszText = const_cast<char*>(texts[0].c_str());
    int row = static_cast<int>(::SendMessageA(m_list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    for (int c = 1; c < 5; ++c) {
        LVITEMA sub{};
        sub.iSubItem = c;
        sub.pszText = const_cast<char*>(texts[static_cast<size_t>(c)].c_str());
        ::SendMessageA(m_list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&sub));
    }
    ++m_rows;
}

void CNoteListView::End() {
    // The index is reused as it was: after a removal it denotes the next
    // note, and past the end it selects nothing.
    if (m_rememberedMark >= 0 && m_rows > 0) ShowRow(m_rememberedMark);
    ::SendMessageA(m_list, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(m_list, nullptr, TRUE);
}

int CNoteListView::SelectionMark() const { return m_list ? ListView_GetSelectionMark(m_list) : -1; }

void CNoteListView::ShowRow(int index) {
    ListView_SetSelectionMark(m_list, index);
    ListView_SetItemState(m_list, index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_SetHotItem(m_list, index);
    ListView_EnsureVisible(m_list, index, FALSE);
}

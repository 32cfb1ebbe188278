#include "platform/ListView.h"

#include <commctrl.h>

#include <cstdint>
#include <cstdio>
#include <vector>

#include "platform/Dpi.h"
#include "platform/DwmApi.h"

namespace ListRows {

void InitReportList(HWND list, std::span<const ListColumn> columns) {
    DWORD exStyle = LVS_EX_FULLROWSELECT;
    if (IsVistaOrLater()) exStyle |= LVS_EX_GRIDLINES;
    ListView_SetExtendedListViewStyleEx(list, exStyle, exStyle);
    const UINT dpi = DpiOfWindow(list);
    for (std::size_t i = 0; i < columns.size(); ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
        column.fmt = LVCFMT_LEFT;
        column.pszText = const_cast<char*>(columns[i].heading);
        column.cx = ScaleForDpi(columns[i].width, dpi);
        column.iSubItem = static_cast<int>(i);
        ::SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
}

void RescaleColumns(HWND window, UINT from, UINT to) {
    char cls[32] = {};
    if (from == 0 || from == to || !::GetClassNameA(window, cls, sizeof cls) || ::lstrcmpiA(cls, WC_LISTVIEWA) != 0) {
        return;
    }
    const HWND header = ListView_GetHeader(window);
    const int count = header ? Header_GetItemCount(header) : 0;
    for (int i = 0; i < count; ++i) {
        const int width = ListView_GetColumnWidth(window, i);
        ListView_SetColumnWidth(window, i, ::MulDiv(width, static_cast<int>(to), static_cast<int>(from)));
    }
}

int AppendRow(HWND list, const std::string& text, int image) {
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = ListView_GetItemCount(list);
    item.pszText = const_cast<char*>(text.c_str());
    if (image >= 0) {
        item.mask |= LVIF_IMAGE;
        item.iImage = image;
    }
    return static_cast<int>(::SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

void SetCellText(HWND list, int row, int column, const std::string& text) {
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text.c_str());
    ::SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
}

std::string CellText(HWND list, int row, int column) {
    // The control copies at most the buffer less one byte and returns the
    // count copied: a full buffer may mean a longer text, so grow and retry.
    std::vector<char> buffer(256);
    for (;;) {
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(buffer.size());
        const auto copied = static_cast<std::size_t>(
            ::SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item)));
        if (copied + 1 < buffer.size()) return std::string(buffer.data(), copied);
        buffer.resize(buffer.size() * 2);
    }
}

void MarkRow(HWND list, int row) {
    const UINT state = LVIS_SELECTED | LVIS_FOCUSED;
    ListView_SetItemState(list, row, state, state);
    ListView_SetSelectionMark(list, row);
    ListView_SetHotItem(list, row);
    ListView_EnsureVisible(list, row, FALSE);
}

int FindRowByText(HWND list, int column, const std::string& text) {
    const int count = ListView_GetItemCount(list);
    for (int row = 0; row < count; ++row) {
        if (CellText(list, row, column) == text) return row;
    }
    return -1;
}

std::string SelectedCellText(HWND list, int column) {
    const int row = ListView_GetNextItem(list, -1, LVNI_SELECTED);
    return row >= 0 ? CellText(list, row, column) : std::string();
}

std::string HandleText(PvHandle handle) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08x", static_cast<unsigned>(static_cast<std::uint32_t>(handle)));
    return text;
}

}  // namespace ListRows

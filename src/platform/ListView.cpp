#include "platform/ListView.h"

#include <commctrl.h>

#include <cstdint>
#include <cstdio>
#include <vector>

#include "platform/Dpi.h"
#include "platform/DwmApi.h"
#include "platform/WinText.h"

namespace ListRows {

void InitReportList(HWND list, std::span<const ListColumn> columns) {
    DWORD exStyle = LVS_EX_FULLROWSELECT;
    if (IsVistaOrLater()) exStyle |= LVS_EX_GRIDLINES;
    ListView_SetExtendedListViewStyleEx(list, exStyle, exStyle);
    const UINT dpi = DpiOfWindow(list);
    for (std::size_t i = 0; i < columns.size(); ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
        column.fmt = LVCFMT_LEFT;
        std::wstring heading = WideOf(columns[i].heading);
        column.pszText = heading.data();
        column.cx = ScaleForDpi(columns[i].width, dpi);
        column.iSubItem = static_cast<int>(i);
        ::SendMessageW(list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
}

void RescaleColumns(HWND window, UINT from, UINT to) {
    wchar_t cls[32] = {};
    if (from == 0 || from == to || !::GetClassNameW(window, cls, 32) || ::lstrcmpiW(cls, WC_LISTVIEWW) != 0) {
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
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = ListView_GetItemCount(list);
    std::wstring wide = WideOf(text);
    item.pszText = wide.data();
    if (image >= 0) {
        item.mask |= LVIF_IMAGE;
        item.iImage = image;
    }
    return static_cast<int>(::SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

void SetCellText(HWND list, int row, int column, const std::string& text) {
    LVITEMW item{};
    item.iSubItem = column;
    std::wstring wide = WideOf(text);
    item.pszText = wide.data();
    ::SendMessageW(list, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
}

std::string CellText(HWND list, int row, int column) {
    // The control copies at most the buffer less one byte and returns the
    // count copied: a full buffer may mean a longer text, so grow and retry.
    std::vector<wchar_t> buffer(256);
    for (;;) {
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(buffer.size());
        const auto copied = static_cast<std::size_t>(
            ::SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item)));
        if (copied + 1 < buffer.size()) return TextOf(std::wstring_view(buffer.data(), copied));
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

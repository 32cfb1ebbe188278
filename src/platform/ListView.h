// Small operations on report-style list views shared by every list of the
// program: columns, cells, marking a row, finding a row by a cell's text.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <span>
#include <string>

#include "data/PvTypes.h"

namespace ListRows {

struct ListColumn {
    const char* heading;
    int width;
};

// Full-row selection (and grid lines on Windows Vista or later) and the
// given columns, left to right, each left-aligned and showing the sub-item
// of its own index; widths are given at 96 DPI.
void InitReportList(HWND list, std::span<const ListColumn> columns);
inline void InitReportList(HWND list, std::initializer_list<ListColumn> columns) {
    InitReportList(list, std::span<const ListColumn>(columns.begin(), columns.size()));
}

// When `window` is a list view: each column's width times `to` / `from`
// (the list moved from a monitor of `from` DPI to one of `to`).
void RescaleColumns(HWND window, UINT from, UINT to);

// Appends a row whose first cell is `text`; `image` < 0 gives no image.
int AppendRow(HWND list, const std::string& text, int image = -1);
void SetCellText(HWND list, int row, int column, const std::string& text);
// The whole text of a cell, however long.
std::string CellText(HWND list, int row, int column);

// Makes `row` selected, focused, the selection mark and the hot item, and
// scrolls it into view.
void MarkRow(HWND list, int row);
// The first row whose cell in `column` reads `text`, or -1.
int FindRowByText(HWND list, int column, const std::string& text);
// The text of `column` in the selected row; empty when no row is selected.
std::string SelectedCellText(HWND list, int column);

// A window handle as the lists show it: "0x%08x" of its low 32 bits.
std::string HandleText(PvHandle handle);

}  // namespace ListRows

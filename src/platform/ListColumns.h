// The columns of a report-view list control.
#pragma once

#include <windows.h>

#include <span>

struct ListColumn {
    const char* heading;
    int width;
};

// Inserts the columns into an empty list in order: left-aligned, each
// showing the sub-item of its own index.
void InsertListColumns(HWND list, std::span<const ListColumn> columns);

// The main panel's list of notes: a virtual report-style list view. It keeps
// no texts of its own: each row is asked of its source when it is drawn or
// read, so a rebuild costs the same for ten notes as for a thousand.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <array>
#include <functional>
#include <string>

class CNoteListView {
public:
    struct Row {
        std::array<std::string, 5> texts;
        int image = -1;
    };
    // Fills `row` for index `index`; false when there is no such row.
    using RowSource = std::function<bool(int index, Row* row)>;

    // Binds the list control (created with LVS_OWNERDATA), sets its styles
    // and columns, and takes the source of its rows.
    void Attach(HWND list, RowSource source);
    HWND Hwnd() const { return m_list; }

    void SetImageList(HIMAGELIST images);

    // Shows `count` rows from the source and selects the remembered index
    // again (past the end nothing is selected).
    void Rebuild(int count);
    // Answers the list's request for a row's text or image.
    void OnGetDispInfo(NMLVDISPINFOW* info);

    // The index of the row the user last selected, or -1.
    int SelectionMark() const;
    // Marks, selects, makes hot and scrolls `index` into view.
    void ShowRow(int index);

private:
    HWND m_list = nullptr;
    RowSource m_source;
    // The row last asked for: the list asks for its columns one by one.
    int m_cachedIndex = -1;
    Row m_cached;
};

// The main panel's list of notes: a report-style list view whose rows are
// rebuilt from the active notes, keeping the selection mark by index.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <array>
#include <string>

class CNoteListView {
public:
    // Binds the list control and sets its styles and columns.
    void Attach(HWND list);
    HWND Hwnd() const { return m_list; }

    void SetImageList(HIMAGELIST images);

    // Rebuilding: Begin() remembers the mark, suspends redrawing and empties
    // the list; AddRow() appends; End() selects the remembered index again
    // and resumes redrawing.
    void Begin();
    void AddRow(const std::array<std::string, 5>& texts, int image);
    void End();

    // The index of the row the user last selected, or -1.
    int SelectionMark() const;
    // Marks, selects, makes hot and scrolls `index` into view.
    void ShowRow(int index);

private:
    HWND m_list = nullptr;
    int m_rememberedMark = -1;
    int m_rows = 0;
};

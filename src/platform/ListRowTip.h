// A tip over the rows of a report list: when the pointer comes to rest on
// a row, the owner is asked for that row's text (an empty text shows no
// tip). The list's own info tips are not used: Wine's list view never asks
// for them, while a tooltip control over the list works the same on
// Windows and under Wine.
#pragma once

#include "platform/WindowSubclass.h"

#include <windows.h>

#include <functional>
#include <string>

class CListRowTip {
public:
    using TextOfRow = std::function<std::string(int row)>;

    CListRowTip() = default;
    ~CListRowTip();
    CListRowTip(const CListRowTip&) = delete;
    CListRowTip& operator=(const CListRowTip&) = delete;

    // Creates the tooltip for `list` (owned by the list's top-level window)
    // and watches the list's pointer moves.
    bool Attach(HWND list, TextOfRow textOfRow);
    HWND TipWindow() const { return m_tip; }

private:
    bool OnListMessage(UINT msg, LPARAM lParam);
    int RowAtCursor() const;

    HWND m_list = nullptr;
    HWND m_tip = nullptr;
    int m_row = -1;
    std::wstring m_text;  // the shown text; the tooltip reads it through its pointer
    TextOfRow m_textOfRow;
    CWindowSubclass m_subclass;
};

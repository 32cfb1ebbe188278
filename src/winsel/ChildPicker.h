// The piece both child window dialogs share: the child list of one window,
// a still image of that window with the chosen child framed in red, and
// the uniqueness test of the choice.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "data/WinInf.h"
#include "winsel/ImageFit.h"
#include "winsel/WindowCapture.h"

// Where a dialog shows the image and how wide its child columns are.
struct CChildPickerLayout {
    int classWidth;
    int idWidth;
    int textWidth;
    int imageX;  // image area, dialog client pixels
    int imageY;
    int imageWidth;
    int imageHeight;
    CaptureRestore restore;
};

class CChildPicker {
public:
    explicit CChildPicker(const CChildPickerLayout& layout) : m_layout(layout) {}

    // Binds the dialog and its child list control and sets up the columns.
    void Attach(HWND dialog, HWND list);

    // The window whose children are offered (no capture, no refill).
    void SetWindow(HWND window) { m_window = window; }
    HWND Window() const { return m_window; }

    // A still image of the current window (the desktop by a screen copy).
    void Capture();
    // Enumerates the children of the current window afresh and refills the
    // list; the row selected before is selected again by its handle.
    void Update();
    // Marks and highlights the first child with `className` and `ctrlId`;
    // false (and no highlight) when there is none.
    bool Preselect(const std::string& className, int ctrlId);
    void ClearHighlight() { m_highlight = PvRect{}; m_highlighted = nullptr; }
    // A click on the list: the marked child becomes the highlighted one
    // when it is still a window; the image area is invalidated.
    void OnListClick();

    // Draws the image and the highlight frame into the image area.
    void Paint(HDC dc) const;

    // The dialog messages the picker answers for its dialog: a click on its
    // list and the dialog's painting (the image only when `showImage`).
    // True when the message was handled, with `result` set.
    bool OnDialogMessage(UINT msg, LPARAM lParam, bool showImage, LRESULT& result);
    RECT ImageArea() const;

    // OK: the marked child, after the notice when none is marked and the
    // question when its class and control ID do not single it out; null
    // keeps the dialog open.
    const CChildWinInf* ConfirmChoice();

    const std::vector<CChildWinInf>& Children() const { return m_children; }
    const CCaptureImage& Image() const { return m_image; }
    const PvRect& HighlightRect() const { return m_highlight; }
    HWND Highlighted() const { return m_highlighted; }
    HWND List() const { return m_list; }

private:
    void Highlight(int row);

    CChildPickerLayout m_layout;
    HWND m_dialog = nullptr;
    HWND m_list = nullptr;
    HWND m_window = nullptr;
    std::vector<CChildWinInf> m_children;
    CCaptureImage m_image;
    HWND m_highlighted = nullptr;
    PvRect m_highlight;  // relative to the window's top-left corner
};

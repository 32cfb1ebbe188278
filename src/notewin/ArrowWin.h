// A note's leader line: a colour-keyed layered window (template 154, owned
// by the note window) spanning both ends, on which only the line is drawn
// and only the line takes the mouse. Each end has a yellow handle
// (CPointWin, owned by this window); the start handle stays on the note.
//
// The note window drives it through the operations below and hears of its
// end through CArrowWinListener. The object deletes itself after its window
// is gone; the owner keeps no pointer past OnArrowWinGone.
#pragma once

#include <windows.h>

#include "data/ArrowData.h"
#include "notewin/PointWin.h"
#include "platform/Dialog.h"

class CArrowWin;

class CArrowWinListener {
public:
    virtual ~CArrowWinListener() = default;
    // The line window is being destroyed; `last` holds its final points.
    virtual void OnArrowWinGone(const CArrowData& last) = 0;
};

class CArrowWin : public CDialog, public CPointWinListener {
public:
    static constexpr COLORREF kColorKey = RGB(254, 254, 254);
    static constexpr int kStartPoint = 0;
    static constexpr int kEndPoint = 1;

    // What the line window starts with (screen coordinates).
    struct CStart {
        CArrowData block;
        BYTE alpha = 255;
        RECT noteClient{};
        RECT ear{};
        RECT targetClient{};
        COLORREF offEarColor = 0;
        COLORREF earColor = 0;
        int widthIndex = 1;
    };

    // Creates the line window owned by `note`, shown and enabled with hidden
    // handles; null when it could not be created.
    static CArrowWin* CreateFor(HWND note, const CStart& start, CArrowWinListener* listener);

    // Destroys the window (and its handles); the object deletes itself.
    void Destroy();

    // New rectangles of the target's client area, the note's client area
    // and the ear, in screen coordinates: the handles follow.
    void UpdateGeometry(const RECT& targetClient, const RECT& noteClient, const RECT& ear);
    // Alpha of the layered window (the colour key stays in force).
    void SetAlpha(BYTE alpha);
    // Colours and width index; the line colour is chosen again.
    void SetColors(COLORREF offEarColor, COLORREF earColor, int widthIndex);
    // The block with the points of the handles as they are now.
    CArrowData Block();

    // State the tests read.
    HWND StartHandle() const { return m_hStart; }
    HWND EndHandle() const { return m_hEnd; }
    COLORREF LineColor() const { return m_lineColor; }
    BYTE Alpha() const { return m_alpha; }
    int WidthIndex() const { return m_widthIndex; }
    // Clicking the line: hides the handles when shown, else shows them.
    void ToggleHandles();

    // CPointWinListener
    void OnPointMoved(int pointId) override;
    void OnPointDoubleClicked(int pointId, UINT keys, POINT point) override;

protected:
    BOOL OnInitDialog() override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnFinalMessage() override;

private:
    CArrowWin(const CStart& start, CArrowWinListener* listener);

    void PlaceHandles();
    // Keeps the start handle on the note; true when it had to move.
    bool ClampStart();
    void Recolor();
    // Window around both handles, its clickable region, the block's points.
    void FitToHandles();
    void ReadPoints();
    void ApplyLayered();
    void Paint(HDC dc);
    void ShowHandles(bool show);
    RECT HandleRect(HWND handle) const;

    HWND m_hStart = nullptr;
    HWND m_hEnd = nullptr;
    CArrowData m_arrow;
    RECT m_rectTarget{};
    RECT m_rectNote{};
    RECT m_rectEar{};
    COLORREF m_lineColor = 0;
    COLORREF m_offEarColor = 0;
    COLORREF m_earColor = 0;
    int m_widthIndex = 1;
    BYTE m_alpha = 255;
    CArrowWinListener* m_listener;  // the note window; not owned
    UINT m_dpi = 96;  // of the monitor the line is on
};

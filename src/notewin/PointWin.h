// One end of a leader line: a 15 x 15 yellow dot (template 153, a popup
// tool window) that the user drags to move that end. It tells its listener
// (the line window that owns it) when it moved or was double-clicked, and
// deletes itself after its window is gone.
#pragma once

#include <windows.h>

#include "platform/Dialog.h"

class CPointWinListener {
public:
    virtual ~CPointWinListener() = default;
    virtual void OnPointMoved(int pointId) = 0;
    virtual void OnPointDoubleClicked(int pointId, UINT keys, POINT point) = 0;
};

class CPointWin : public CDialog {
public:
    static constexpr COLORREF kColor = RGB(255, 255, 0);

    // Creates the handle owned by `owner`, disabled and hidden. Returns its
    // window, or null (nothing is left behind then).
    static HWND CreateFor(HWND owner, int pointId, CPointWinListener* listener);

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnFinalMessage() override;

private:
    // Side and round region for a monitor of `dpi`.
    void Resize(UINT dpi);
    CPointWin(int pointId, CPointWinListener* listener);

    CPointWinListener* m_listener;  // not owned; outlives the handle
    int m_pointId;
};

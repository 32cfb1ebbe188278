// Shared pieces of the window selection tests and the screenshot program:
// windows with known content, a scripted run of the real modal dialog,
// clicks and keys on the list.
#pragma once

#include "WinTestUtil.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "winsel/WindowSelDlg.h"

// A top-level window whose client area is one colour, with a few shapes
// and a line of text when asked. It paints the same way for WM_PAINT and
// for WM_PRINTCLIENT (what PrintWindow asks for), and remembers where it
// was, and how layered, when it was last asked to print itself.
class CPaintedWindow {
public:
    struct PrintSeen {
        int count = 0;
        RECT windowRect{};
        LONG exStyle = 0;
        bool layeredRead = false;
        BYTE alpha = 0;
        DWORD layerFlags = 0;
    };

    CPaintedWindow(const char* title, int x, int y, int width, int height, COLORREF color,
                   bool decorated = false, DWORD exStyle = 0);
    ~CPaintedWindow();
    CPaintedWindow(const CPaintedWindow&) = delete;
    CPaintedWindow& operator=(const CPaintedWindow&) = delete;

    HWND Hwnd() const { return m_hWnd; }
    COLORREF Color() const { return m_color; }
    const PrintSeen& Printed() const { return m_printed; }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void Paint(HDC dc) const;

    HWND m_hWnd = nullptr;
    COLORREF m_color;
    bool m_decorated;
    PrintSeen m_printed;
};

// The real window selection dialog run modally, driven by its own timer:
// each tick first closes a message box the dialog shows (its text is
// kept), otherwise runs the next step. When the steps are used up the
// dialog is cancelled, so a run always ends.
class CScriptedWindowSelDlg : public CWindowSelDlg {
public:
    using Step = std::function<void(CScriptedWindowSelDlg&)>;

    void AddStep(Step step) { m_steps.push_back(std::move(step)); }
    const std::vector<std::string>& Notices() const { return m_notices; }

    using CWindowSelDlg::List;
    using CWindowSelDlg::Preview;

    // Clicks row `row` of the list with the mouse (the row's centre), or
    // an empty part of the list for -1.
    void ClickRow(int row);
    // Presses and releases `key` on the list.
    void PressKey(WORD key);
    void PressOK();

protected:
    BOOL OnInitDialog() override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void Tick();
    bool CloseMessageBox();

    std::vector<Step> m_steps;
    size_t m_next = 0;
    std::vector<std::string> m_notices;
};

// What a list view shows.
int RowCount(HWND list);
std::string CellText(HWND list, int row, int column);
int RowImage(HWND list, int row);

using wintest::WinePath;

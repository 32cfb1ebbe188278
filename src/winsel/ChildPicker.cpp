#include "winsel/ChildPicker.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdint>

#include "data/Trace.h"
#include "platform/WinConvert.h"
#include "platform/GdiHolders.h"
#include "platform/MessageBox.h"
#include "platform/ListView.h"

using namespace ListRows;

namespace {

enum Column { kColClass, kColId, kColText, kColHandle };

constexpr char kNoChildNotice[] = "子ウィンドウ（コンポーネント）が選択されていません";
constexpr char kNotUniqueQuestion[] =
    "この組はユニーク（唯一の子ウィンドウ）ではありません.\r\n最初に条件が合致した子ウィンドウでマッチングを行います.\r\n"
    "よろしいですか？";

}  // namespace

void CChildPicker::Attach(HWND dialog, HWND list) {
    m_dialog = dialog;
    m_list = list;
    InitReportList(list, {{"className", m_layout.classWidth},
                          {"CtrlID", m_layout.idWidth},
                          {"TEXT", m_layout.textWidth},
                          {"Handle", 0},
                          {"", 10}});
}

void CChildPicker::Capture() {
    if (m_window == ::GetDesktopWindow())
        CaptureDesktop(m_image, m_dialog, m_window);
    else
        CaptureWindow(m_image, m_dialog, m_window, m_layout.restore);
}

void CChildPicker::Update() {
    Trace("CChildSelDlg::update()\n");
    // The same rule as the match test: visible, enabled, with a text.
    CWinInf window;
    window.hWnd = ToHandle(m_window);
    window.EnumerateChildren();
    m_children = std::move(window.children);
    for (const CChildWinInf& child : m_children)
        Trace("HANDLE=0x%08x\n", static_cast<unsigned>(static_cast<std::uint32_t>(child.hWnd)));

    const std::string marked = SelectedCellText(m_list, kColHandle);
    ::SendMessageW(m_list, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(m_list);
    for (const CChildWinInf& child : m_children) {
        const int row = AppendRow(m_list, child.className);
        SetCellText(m_list, row, kColId, std::to_string(child.ctrlId));
        SetCellText(m_list, row, kColText, child.text);
        SetCellText(m_list, row, kColHandle, HandleText(child.hWnd));
    }
    if (!marked.empty()) {
        const int row = FindRowByText(m_list, kColHandle, marked);
        if (row >= 0) MarkRow(m_list, row);
    }
    ::SendMessageW(m_list, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(m_dialog, nullptr, TRUE);
}

bool CChildPicker::Preselect(const std::string& className, int ctrlId) {
    for (std::size_t i = 0; i < m_children.size(); ++i) {
        if (m_children[i].className == className && m_children[i].ctrlId == ctrlId) {
            MarkRow(m_list, static_cast<int>(i));
            Highlight(static_cast<int>(i));
            return true;
        }
    }
    ClearHighlight();
    return false;
}

void CChildPicker::Highlight(int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= m_children.size()) return;
    HWND child = ToHwnd(m_children[static_cast<std::size_t>(row)].hWnd);
    m_highlighted = child;
    // A child that has gone keeps the previous frame.
    RECT childRect{}, windowRect{};
    if (!::IsWindow(child) || !::GetWindowRect(child, &childRect) || !::GetWindowRect(m_window, &windowRect)) return;
    m_highlight = PvRect{childRect.left - windowRect.left, childRect.top - windowRect.top,
                         childRect.right - windowRect.left, childRect.bottom - windowRect.top};
}

void CChildPicker::OnListClick() {
    const int mark = ListView_GetSelectionMark(m_list);
    if (mark < 0) return;
    Highlight(mark);
    const RECT area = ImageArea();
    ::InvalidateRect(m_dialog, &area, TRUE);
}

RECT CChildPicker::ImageArea() const {
    return RECT{m_layout.imageX, m_layout.imageY, m_layout.imageX + m_layout.imageWidth,
                m_layout.imageY + m_layout.imageHeight};
}

void CChildPicker::Paint(HDC dc) const {
    if (!m_image.HasImage()) return;
    const int x = m_layout.imageX;
    const int y = m_layout.imageY;
    const CImageFit fit = FitImageInto(m_layout.imageWidth, m_layout.imageHeight, m_image.Width(), m_image.Height());
    {
        CMemoryDC memory(dc);
        CSelectObject select(memory.Get(), m_image.Bitmap());
        if (!fit.scaled) {
            ::BitBlt(dc, x, y, fit.width, fit.height, memory.Get(), 0, 0, SRCCOPY);
        } else {
            ::SetStretchBltMode(dc, HALFTONE);
            ::SetBrushOrgEx(dc, 0, 0, nullptr);  // HALFTONE needs the brush origin reset
            ::StretchBlt(dc, x, y, fit.width, fit.height, memory.Get(), 0, 0, m_image.Width(), m_image.Height(),
                         SRCCOPY);
        }
    }
    PvRect frame;
    if (!HighlightFrame(m_highlight, x, y, fit, &frame)) return;
    CGdiObject<HPEN> pen(::CreatePen(PS_SOLID, 1, RGB(255, 0, 0)));
    CSelectObject selectPen(dc, pen.Get());
    CSelectObject selectBrush(dc, ::GetStockObject(NULL_BRUSH));
    ::Rectangle(dc, frame.left, frame.top, frame.right, frame.bottom);
}

const CChildWinInf* CChildPicker::ConfirmChoice() {
    const int mark = ListView_GetSelectionMark(m_list);
    if (mark < 0) {
        ShowNotice(m_dialog, kNoChildNotice);
        return nullptr;
    }
    if (static_cast<std::size_t>(mark) >= m_children.size()) return nullptr;
    const CChildWinInf& chosen = m_children[static_cast<std::size_t>(mark)];
    const auto same = std::count_if(m_children.begin(), m_children.end(), [&chosen](const CChildWinInf& c) {
        return c.className == chosen.className && c.ctrlId == chosen.ctrlId;
    });
    if (same != 1 && !AskYesNo(m_dialog, kNotUniqueQuestion)) return nullptr;
    return &chosen;
}

bool CChildPicker::OnDialogMessage(UINT msg, LPARAM lParam, bool showImage, LRESULT& result) {
    if (msg == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->hwndFrom != m_list || header->code != NM_CLICK) return false;
        OnListClick();
    } else if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(m_dialog, &ps);
        if (showImage) Paint(dc);
        ::EndPaint(m_dialog, &ps);
    } else {
        return false;
    }
    result = 0;
    return true;
}

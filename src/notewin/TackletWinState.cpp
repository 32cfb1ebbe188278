// The state a note record hands over to its window and collects back:
// text, editing mode, font, colours and background, the resize frame and
// the rectangles. Every getter answers from the kept state once the window
// has gone (see the lifetime note in the header).
#include "notewin/TackletWin.h"

#include "data/Trace.h"
#include "platform/WinConvert.h"
#include "platform/WindowPlace.h"
#include "platform/WinText.h"

// --- Text, read-only, font ---------------------------------------------------

std::string CTackletWin::ReadEditText() const { return m_startText ? *m_startText : m_edit.GetText(); }

void CTackletWin::SetText(const std::string& text) {
    if (!IsAlive()) return;
    if (m_starting) {
        // The edit control lays the text out for its size and font: it gets
        // the text once both are final (CompleteStart), not three times.
        m_startText = text;
    } else {
        m_edit.SetText(text);
    }
    CheckDesktopTopmost();  // a multi-line edit control reports no change for a text set this way
}

void CTackletWin::SetStartText() {
    if (!m_startText) return;
    const std::string text = std::move(*m_startText);
    m_startText.reset();
    m_edit.SetText(text);
}

std::string CTackletWin::GetText() const { return IsAlive() ? ReadEditText() : m_lastText; }

void CTackletWin::SetReadOnly(int readOnly) {
    if (!IsAlive()) return;
    const int wanted = readOnly ? 1 : 0;
    if (IsReadOnly() == wanted) return;  // the ear already says so, too
    ::SendMessageW(EditHwnd(), EM_SETREADONLY, wanted, 0);
    SetWindowTextOf(m_hEar, wanted ? " R" : "");
    Repaint();
}

int CTackletWin::IsReadOnly() const {
    if (!IsAlive()) return m_lastReadOnly;
    return (::GetWindowLongPtrW(EditHwnd(), GWL_STYLE) & ES_READONLY) ? 1 : 0;
}

void CTackletWin::SetEditFont(const PvLogFont& font) {
    if (!IsAlive()) return;
    const LOGFONTW lf = ToLogFont(FontAtDpi(font, m_dpi));
    CSharedFont shared;
    if (!shared.Set(lf)) {
        Trace("CreateFontIndirect() Error=%lu\n", ::GetLastError());
        return;
    }
    ::SendMessageW(EditHwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(shared.Get()), Shown() ? TRUE : FALSE);
    m_font = std::move(shared);  // the previous font is no longer selected anywhere
}

PvLogFont CTackletWin::ReadEditFont() const {
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(::SendMessageW(EditHwnd(), WM_GETFONT, 0, 0));
    if (!font) font = ::GetStockObject(SYSTEM_FONT);
    LOGFONTW lf{};
    ::GetObjectW(font, sizeof lf, &lf);
    return FontAt96(ToPvLogFont(lf), m_dpi);  // records keep fonts at 96 DPI
}

PvLogFont CTackletWin::GetEditFont() const { return IsAlive() ? ReadEditFont() : m_lastFont; }

// --- Appearance ------------------------------------------------------------------

void CTackletWin::SetBkTransparent(int value) {
    BKTRANSPARENT = value;
    SyncEditPainting();
    Repaint();
}

void CTackletWin::SetTransparent(int percent) {
    TRANSPARENT_ = percent;
    m_baseAlpha = CNoteFade::AlphaFromPercent(percent);
    if (!m_starting) RestoreAlpha();  // a starting note takes its alpha once, in CompleteStart
}

void CTackletWin::SetColor(int index) {
    COLOR = index;
    m_earBrush.Set(NoteColors::Ear(COLOR));
    Repaint();
}

void CTackletWin::SetPickPos(int pos) {
    PICKPOS = pos;
    RelayoutNow();  // the ear moves at once, even if the size does not change
}

void CTackletWin::SetBkColor(int index) {
    BKCOLOR = index;
    m_bkBrush.Set(NoteColors::Background(BKCOLOR));
    SyncEditPainting();
    Repaint();
}

void CTackletWin::SetTxColor(int index) {
    TXCOLOR = index;
    Repaint();
}

void CTackletWin::SetGradient(int graFlg, int graPtn) {
    GRAFLG = graFlg;
    GRAPTN = graPtn;
    SyncEditPainting();
    Repaint();
}

void CTackletWin::SyncEditPainting() {
    m_edit.SetGradient(BKTRANSPARENT == 0 && GRAFLG != 0);
    m_edit.SetPattern(GRAPTN);
    m_edit.SetBackgroundColor(BackgroundRgb());
}

HBRUSH CTackletWin::BackgroundBrush() const { return m_bkBrush.Get(); }

HBRUSH CTackletWin::EditColors(HDC dc, bool editRequest) {
    ::SetTextColor(dc, NoteColors::Text(TXCOLOR));
    if (editRequest && m_edit.Background().Gradient()) {
        // The control paints the gradient when it erases; text goes on top.
        ::SetBkMode(dc, TRANSPARENT);
        return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
    }
    ::SetBkColor(dc, BackgroundRgb());
    return BackgroundBrush();
}

HBRUSH CTackletWin::EarColors(HDC dc) {
    ::SetBkMode(dc, TRANSPARENT);
    // While it blinks, every other step draws the ear in the background colour.
    if (m_earFlashes % 2 == 1) return BackgroundBrush();
    if (BKTRANSPARENT == 1 && !m_fade.MouseIn() && !m_editFocus) {
        // The ear takes the keyed-out background colour and disappears.
        return BackgroundBrush();
    }
    ::SetTextColor(dc, COLOR == 0 ? RGB(0, 0, 0) : RGB(255, 0, 0));
    return m_earBrush.Get();
}

bool CTackletWin::Shown() const { return IsAlive() && ::IsWindowVisible(GetHwnd()); }

void CTackletWin::Repaint() {
    if (Shown()) {
        ::RedrawWindow(GetHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
}

// --- Frame ------------------------------------------------------------------------

void CTackletWin::SetFrame(int frame) {
    if (frame != 0 || !IsAlive()) return;  // the frame is present from initialisation
    if (!Shown()) {
        // A note being started is placed after this: the frame goes with
        // that placement, without the two moves of the nudge.
        m_frameWanted = 0;
        return;
    }
    SetStyleBits(GetHwnd(), GWL_STYLE, WS_THICKFRAME, false);
    NudgeSize(-1);
}

bool CTackletWin::TakePendingFrame() {
    if (m_frameWanted < 0 || !IsAlive()) return false;
    const bool wanted = m_frameWanted == 1;
    m_frameWanted = -1;
    const bool has = (::GetWindowLongPtrW(GetHwnd(), GWL_STYLE) & WS_THICKFRAME) != 0;
    if (wanted == has) return false;
    SetStyleBits(GetHwnd(), GWL_STYLE, WS_THICKFRAME, wanted);
    return true;
}

int CTackletWin::HasFrame() const {
    if (!IsAlive()) return m_lastFrame;
    if (m_frameWanted >= 0) return m_frameWanted;
    return (::GetWindowLongPtrW(GetHwnd(), GWL_STYLE) & WS_THICKFRAME) ? 1 : 0;
}

void CTackletWin::NudgeSize(int topShift) {
    const HWND hwnd = GetHwnd();
    RECT r;
    if (!IsAlive() || !::GetWindowRect(hwnd, &r)) return;
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    constexpr UINT flags = SWP_FRAMECHANGED | SWP_NOZORDER | SWP_NOACTIVATE;
    // One pixel smaller, then back to the size it had: the second move
    // changes the size again, so the layout is computed anew, and the note
    // ends as large as it began (it grew by a pixel with every nudge once).
    ::SetWindowPos(hwnd, nullptr, r.left, r.top + topShift, width - 1, height - 1, flags);
    ::SetWindowPos(hwnd, nullptr, r.left, r.top + topShift, width, height, flags);
}

// --- Geometry ---------------------------------------------------------------------

PvRect CTackletWin::GetWindowRect() const {
    if (m_startPlace) return ToPvRect(*m_startPlace);
    RECT r;
    if (IsAlive() && ::GetWindowRect(GetHwnd(), &r)) return ToPvRect(r);
    return ToPvRect(m_rectWin);
}

void CTackletWin::MoveWindow(int left, int top, int width, int height) {
    if (!IsAlive()) return;
    if (m_starting) {
        // Placed when the start completes, in the move that shows the note.
        m_startPlace = RECT{left, top, left + width, top + height};
        m_rectWin = *m_startPlace;
        return;
    }
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    if (TakePendingFrame()) flags |= SWP_FRAMECHANGED;  // one call places the note and applies its frame
    ::SetWindowPos(GetHwnd(), nullptr, left, top, width, height, flags);
    OnMovedOrSized();
}

PvRect CTackletWin::GetRectWin() const { return ToPvRect(m_rectWin); }

void CTackletWin::SetTargetRect(const PvRect& rect) { m_rectTarget = ToRect(rect); }

PvRect CTackletWin::GetTargetRect() const { return ToPvRect(m_rectTarget); }

void CTackletWin::SetArrow(const CArrowData& arrow, int lineWidth) {
    m_arrow = arrow;
    ARLINEWIDTH = lineWidth;
}

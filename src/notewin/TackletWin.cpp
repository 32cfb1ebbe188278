#include "notewin/TackletWin.h"

#include <windowsx.h>

#include <algorithm>
#include <cstring>

#include "controller/NotifyBridge.h"
#include "dialogs/NoteFontDlg.h"
#include "data/RecordDefaults.h"
#include "data/Trace.h"
#include "platform/MessageBox.h"
#include "platform/WinConvert.h"
#include "res/resource.h"

#include <commdlg.h>

static_assert(sizeof(PvRect) == sizeof(RECT), "PvRect mirrors RECT");

namespace {

// Text prefix that keeps a desktop note above every other window.
constexpr char kTopmostPrefix[] = "~#&";

constexpr char kPeelCaption[] = "確認";
constexpr char kPeelQuestion[] = "付箋をはがしますか？";

// Fade factors by remaining fade steps (index 0 to 9).
constexpr int kFadeFactors[CTackletWin::kFadeSteps] = {0, 0, 0, 0, 60, 100, 150, 180, 220, 255};


void SetStyleBits(HWND hwnd, int index, LONG_PTR bits, bool on) {
    const LONG_PTR style = ::GetWindowLongPtrA(hwnd, index);
    ::SetWindowLongPtrA(hwnd, index, on ? (style | bits) : (style & ~bits));
}

}  // namespace

// --- Creation and lifetime ------------------------------------------------

CTackletWin::CTackletWin() : CDialog(IDD_TACKLET), ARLINEWIDTH(CRecordDefaults::ArrowLineWidth()) {
    m_earBrush.Set(NoteColors::Ear(COLOR));
    m_bkBrush.Set(NoteColors::Background(BKCOLOR));
}

CTackletWin::~CTackletWin() = default;

CTackletWin* CTackletWin::CreateFor(HWND owner) {
    auto* win = new CTackletWin();
    if (!win->Create(owner)) {
        // No window, or one that died during creation and was never handed
        // to a record: nobody else refers to the object.
        delete win;
        return nullptr;
    }
    return win;
}

bool CTackletWin::IsAlive() const { return GetHwnd() != nullptr && !m_destroying; }

PvHandle CTackletWin::Handle() const { return IsAlive() ? reinterpret_cast<PvHandle>(GetHwnd()) : 0; }

void CTackletWin::Destroy() {
    m_released = true;
    const HWND hwnd = GetHwnd();
    if (!hwnd) {
        // The window went away earlier (with its owner); only the object is left.
        if (m_finalDone) delete this;
        return;
    }
    ::KillTimer(hwnd, TIMER_FOLLOW);
    ::KillTimer(hwnd, TIMER_ENABLE);
    StopMouseTimer();
    StopFadeTimer();
    RemoveLeaderLine();
    ::DestroyWindow(hwnd);  // the object may be deleted from here on
}

void CTackletWin::OnDestroy() {
    // Keep what the record collects, for the case that the window dies
    // before the record has taken its state (owner destroyed first).
    m_lastText = ReadEditText();
    m_lastReadOnly = IsReadOnly();
    m_lastFrame = HasFrame();
    m_lastFont = ReadEditFont();
    RECT r;
    if (::GetWindowRect(GetHwnd(), &r)) m_rectWin = r;
    m_destroying = true;
}

void CTackletWin::OnFinalMessage() {
    m_finalDone = true;
    Trace("CTackletWin::PostNcDestroy()\n");
    m_font.Reset();  // the edit control that used it is gone
    m_earBrush.Reset();
    m_bkBrush.Reset();
    if (m_released) delete this;
}

// --- Initialisation --------------------------------------------------------

BOOL CTackletWin::OnInitDialog() {
    const HWND hwnd = GetHwnd();
    // Created disabled: the note must not take the focus from its target
    // while it is being set up (timer 106 enables it).
    ::EnableWindow(hwnd, FALSE);
    Trace("TackletWin Create!\n");
    ::SetTimer(hwnd, TIMER_ENABLE, kEnableDelay, nullptr);

    m_hEar = GetItem(IDC_TACKLET_EAR);
    m_baseAlpha = 200;
    SetStyleBits(hwnd, GWL_EXSTYLE, WS_EX_LAYERED, true);
    RestoreAlpha();
    // The resize frame is applied with the first placement (or at the
    // latest when the note is shown): a note whose record asks for no frame
    // never has its style changed at all.
    m_frameWanted = 1;

    m_edit.Attach(GetItem(IDC_TACKLET_EDIT));
    m_edit.SetListener(this);
    SyncEditPainting();
    ::SendMessageA(EditHwnd(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(kEditMargin, kEditMargin));
    m_edit.SetByteLimit(kTextLimit);

    RelayoutNow();
    OnMovedOrSized();
    return FALSE;  // no default focus: the focus stays with the target
}

// --- Messages --------------------------------------------------------------

bool CTackletWin::OnCommand(WORD id, WORD code, HWND) {
    if (id == IDC_TACKLET_EDIT) {
        OnEditNotify(code);
        return true;
    }
    // Enter and Esc: the note never closes itself.
    if (id == IDOK || id == IDCANCEL) return true;
    return OnMenuCommand(id);
}

void CTackletWin::OnEditNotify(WORD code) {
    switch (code) {
    case EN_SETFOCUS:
        if (m_firstFocus) {
            m_firstFocus = 0;
            m_edit.PutCaretAtEnd();
        }
        m_editFocus = 1;
        MakeOpaque();  // a note is fully opaque while it is being edited
        break;
    case EN_KILLFOCUS:
        m_editFocus = 0;
        RestoreAlpha();
        break;
    case EN_CHANGE:
        m_edit.OnTextChanged();
        CheckDesktopTopmost();
        break;
    case EN_VSCROLL:
        m_edit.OnScrolled();
        break;
    default:
        break;
    }
}

bool CTackletWin::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
    case WM_TIMER:
        OnTimer(wParam);
        return true;
    case WM_SIZE:
        OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        return false;
    case WM_MOVE:
        OnMovedOrSized();
        return false;
    case WM_MOUSEMOVE:
        MouseOver(static_cast<UINT>(wParam));
        return true;
    case WM_LBUTTONDOWN:
        OnLButtonDown(static_cast<UINT>(wParam), PointOf(lParam));
        return true;
    case WM_RBUTTONDOWN:
        OnRButtonDown();
        return true;
    case WM_RBUTTONUP: {
        POINT screen = PointOf(lParam);
        ::ClientToScreen(GetHwnd(), &screen);
        ShowContextMenu(screen);
        return true;
    }
    case WM_MOUSEWHEEL:
        MouseWheel(GET_KEYSTATE_WPARAM(wParam), GET_WHEEL_DELTA_WPARAM(wParam));
        return true;
    case WM_CTLCOLOREDIT:
        result = reinterpret_cast<LRESULT>(EditColors(reinterpret_cast<HDC>(wParam), true));
        return true;
    case WM_CTLCOLORSTATIC: {
        const HDC dc = reinterpret_cast<HDC>(wParam);
        const HWND control = reinterpret_cast<HWND>(lParam);
        HBRUSH brush;
        if (control == EditHwnd()) {
            brush = EditColors(dc, false);  // a read-only edit control asks this way
        } else if (control == m_hEar) {
            brush = EarColors(dc);
        } else {
            ::SetBkMode(dc, TRANSPARENT);
            brush = ::GetSysColorBrush(COLOR_BTNFACE);
        }
        result = reinterpret_cast<LRESULT>(brush);
        return true;
    }
    case WM_CTLCOLORDLG:
        ::SetBkColor(reinterpret_cast<HDC>(wParam), BackgroundRgb());
        result = reinterpret_cast<LRESULT>(BackgroundBrush());
        return true;
    case WM_CTLCOLORBTN:
        result = reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH));
        return true;
    case WM_SHOWWINDOW:
        Trace("OnShowWindow() bShow=%d, nStatus=%d\n", static_cast<int>(wParam), static_cast<int>(lParam));
        ShowLeaderLine(wParam != 0);
        return false;
    case WM_KEYDOWN:
        Trace("OnKeyDown(%d)", static_cast<int>(wParam));
        return true;
    case WM_CLOSE:
        return true;  // the note never closes itself
    case WM_DESTROY:
        OnDestroy();
        return false;
    default:
        return false;
    }
}

void CTackletWin::OnTimer(UINT_PTR id) {
    switch (id) {
    case TIMER_ENABLE:
        EnableAfterCreate();
        break;
    case TIMER_FOLLOW:
        OnFollowTimer();
        break;
    case TIMER_MOUSEOUT: {
        POINT cursor{};
        ::GetCursorPos(&cursor);
        MouseOutStep(cursor, (::GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0);
        break;
    }
    case TIMER_FADE:
        FadeStep();
        break;
    default:
        break;
    }
}

// --- Context menu ----------------------------------------------------------------

void CTackletWin::ShowContextMenu(POINT screen) {
    Trace("OnRButtonUp() \n");
    HMENU menu = ::LoadMenuA(AppInstance(), MAKEINTRESOURCEA(IDR_TACKLET_MENU));
    if (!menu) return;
    HMENU popup = ::GetSubMenu(menu, 0);
    if (popup) {
        GreyMenuItems(popup);
        // The menu closes on a click elsewhere only while this window is in
        // the foreground.
        ::SetForegroundWindow(GetHwnd());
        ::TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_TOPALIGN, screen.x, screen.y, 0, GetHwnd(), nullptr);
    }
    ::DestroyMenu(menu);
    // Fully visible after the menu; the own opacity returns when the mouse leaves.
    MakeOpaque();
}

void CTackletWin::GreyMenuItems(HMENU popup) const {
    if (m_desktop || m_hTargetWnd == ::GetDesktopWindow()) {
        ::EnableMenuItem(popup, ID_TACKLET_MATCH, MF_BYCOMMAND | MF_GRAYED);
    }
    // The item of the current editing mode is greyed.
    ::EnableMenuItem(popup, IsReadOnly() ? ID_TACKLET_READONLY : ID_TACKLET_WRITABLE, MF_BYCOMMAND | MF_GRAYED);
}

bool CTackletWin::OnMenuCommand(WORD id) {
    // Requests to the controller may destroy this window; nothing here
    // touches the window after such a request (the object itself lives on
    // until the current message has been handled).
    const HWND hwnd = GetHwnd();
    switch (id) {
    case ID_TACKLET_DELETE: PeelOff(); return true;
    case ID_TACKLET_READONLY: if (!IsReadOnly()) SetReadOnly(1); return true;
    case ID_TACKLET_WRITABLE: if (IsReadOnly()) SetReadOnly(0); return true;
    case ID_TACKLET_FRAME_ON: SetFrameStyle(true); return true;
    case ID_TACKLET_FRAME_OFF: SetFrameStyle(false); return true;
    case ID_TACKLET_FONT: ChooseEditFont(); return true;
    case ID_TACKLET_COLOR: ChooseColors(); return true;
    case ID_TACKLET_TRANSPARENCY: ChooseTransparency(); return true;
    case ID_TACKLET_MOVE_DESKTOP: CNotifyBridge::notifyMoveDesktop(hwnd); return true;
    case ID_TACKLET_MOVE_WINDOW: CNotifyBridge::notifyMove(hwnd); return true;
    case ID_TACKLET_MOVE_PENDING: CNotifyBridge::notifyMovePendingList(hwnd); return true;
    case ID_TACKLET_DUPLICATE: CNotifyBridge::notifyCopyWindow(hwnd); return true;
    case ID_TACKLET_SPLIT: Split(); return true;
    case ID_TACKLET_ABSORB: Absorb(); return true;
    case ID_TACKLET_MATCH: CNotifyBridge::notifyMatchCondition(hwnd); return true;
    case ID_TACKLET_EXPORT: CNotifyBridge::notifyCopyToExportStack(hwnd); return true;
    default: return false;
    }
}

void CTackletWin::PeelOff() {
    Trace("CTackletWin::OnMenuitemdelete() hTargetWnd=0x%08x \n",
          static_cast<unsigned>(reinterpret_cast<UINT_PTR>(m_hTargetWnd)));
    if (!ReadEditText().empty() && ::MessageBoxA(nullptr, kPeelQuestion, kPeelCaption, MB_YESNO) != IDYES) return;
    CNotifyBridge::notifyDeleteWindow(GetHwnd());
}

void CTackletWin::SetFrameStyle(bool on) {
    if (!IsAlive() || (HasFrame() != 0) == on) return;
    SetStyleBits(GetHwnd(), GWL_STYLE, WS_THICKFRAME, on);
    NudgeSize(0);
}

void CTackletWin::ChooseEditFont() {
    const HFONT current = reinterpret_cast<HFONT>(::SendMessageA(EditHwnd(), WM_GETFONT, 0, 0));
    LOGFONTA lf{};
    if (!current || ::GetObjectA(current, sizeof lf, &lf) == 0) return;
    CNoteFontDlg dlg;
    dlg.m_logFont = ToPvLogFont(lf);
    dlg.SetNoteWindow(GetHwnd());
    // The dialog pumps messages: this window may be gone afterwards.
    if (!dlg.Run() || !IsAlive()) return;
    // The new font is given to the edit control before the old one is freed.
    SetEditFont(dlg.m_logFont);
}

bool CTackletWin::CopySelection(int from, int to, std::string& out) {
    const HWND edit = EditHwnd();
    ::SendMessageA(edit, EM_SETSEL, from, to);
    ::SendMessageA(edit, EM_SCROLLCARET, 0, 0);
    ::SendMessageA(edit, WM_COPY, 0, 0);
    if (!::OpenClipboard(GetHwnd())) return false;
    bool ok = false;
    if (HANDLE data = ::GetClipboardData(CF_TEXT)) {
        if (const char* text = static_cast<const char*>(::GlobalLock(data))) {
            out = text;
            ::GlobalUnlock(data);
            ok = true;
        }
    }
    ::CloseClipboard();
    return ok;
}

void CTackletWin::Split() {
    const HWND edit = EditHwnd();
    DWORD start = 0;
    DWORD end = 0;
    ::SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    if (start != end) {
        ShowNotice(GetHwnd(), "選択状態です。キャレットを文字間に設定してください。");
        return;
    }
    const int caret = static_cast<int>(start);
    // The end position in the control's own units.
    ::SendMessageA(edit, EM_SETSEL, 0x7fffffff, 0x7fffffff);
    DWORD last = 0;
    ::SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&last), 0);
    std::string first;
    std::string second;
    const bool copied = (caret == 0 || CopySelection(0, caret, first)) &&
                        (caret >= static_cast<int>(last) || CopySelection(caret, -1, second));
    ::SendMessageA(edit, EM_SETSEL, caret, caret);
    ::SendMessageA(edit, EM_SCROLLCARET, 0, 0);
    if (!copied) {
        ShowNotice(GetHwnd(), "クリップボードが使用できません.");
    } else if (first.empty()) {
        ShowNotice(GetHwnd(), "キャレットが先頭にあります。キャレットを分割したい位置に設定してください。");
    } else if (second.empty()) {
        ShowNotice(GetHwnd(), "キャレットが最後尾にあります。キャレットを分割したい位置に設定してください。");
    } else {
        CNotifyBridge::notifySplit(GetHwnd(), first, second);
    }
}

void CTackletWin::Absorb() {
    const HWND hwnd = GetHwnd();
    const int result = CNotifyBridge::notifyComposition(hwnd);
    if (result == 1) return;
    const char* notice = result == 0    ? "重なっている付箋がありません。吸収したい付箋に重ねてから吸収操作を行ってください."
                         : result == -1 ? "吸収すると4000byteを超えます。操作はキャンセルしました."
                                        : "重なっている付箋が２枚以上あります。吸収は１枚ずつ行ってください.";
    ShowNotice(hwnd, notice);
}

// --- Start -----------------------------------------------------------------

void CTackletWin::SetTarget(bool isDesktop, PvHandle target) {
    m_desktop = isDesktop ? 1 : 0;
    m_hTargetWnd = ToHwnd(target);
}

void CTackletWin::CompleteStart() {
    const HWND hwnd = GetHwnd();
    if (!IsAlive()) return;
    if (m_rectTarget.left == m_rectTarget.right && m_rectTarget.top == m_rectTarget.bottom &&
        ::IsWindow(m_hTargetWnd)) {
        ::GetWindowRect(m_hTargetWnd, &m_rectTarget);
    }
    // Every value is set: the show below draws the note for the first time.
    ApplyPendingFrame();
    if (m_arrow.ARWFLAG == 1) CreateLeaderLine();
    RestoreAlpha();
    FollowTargetOnce();
    CheckDesktopTopmost();
    // Following is the controller's timer. The mouse-out step runs once, for
    // a note that appears under the cursor, and then only while the mouse
    // is over the note.
    ArmMouseTimer();
    // Shown without activation: the target keeps the focus.
    ::ShowWindow(hwnd, SW_SHOWNOACTIVATE);
}

void CTackletWin::EnableAfterCreate() {
    const HWND hwnd = GetHwnd();
    if (!IsAlive()) return;
    ::KillTimer(hwnd, TIMER_ENABLE);
    ::EnableWindow(hwnd, TRUE);
    Trace("Delay modifyStyle Enabled\n");
    // Enabling changes nothing that shows: no second drawing.
    if (::IsWindow(m_hTargetWnd)) ::SetFocus(m_hTargetWnd);
}

// --- Text, read-only, font ---------------------------------------------------

std::string CTackletWin::ReadEditText() const { return m_edit.GetText(); }

void CTackletWin::SetText(const std::string& text) {
    if (!IsAlive()) return;
    m_edit.SetText(text);
    CheckDesktopTopmost();  // a multi-line edit control reports no change for a text set this way
}

std::string CTackletWin::GetText() const { return IsAlive() ? ReadEditText() : m_lastText; }

void CTackletWin::SetReadOnly(int readOnly) {
    if (!IsAlive()) return;
    ::SendMessageA(EditHwnd(), EM_SETREADONLY, readOnly ? TRUE : FALSE, 0);
    ::SetWindowTextA(m_hEar, readOnly ? " R" : "");
    Repaint();
}

int CTackletWin::IsReadOnly() const {
    if (!IsAlive()) return m_lastReadOnly;
    return (::GetWindowLongPtrA(EditHwnd(), GWL_STYLE) & ES_READONLY) ? 1 : 0;
}

void CTackletWin::SetEditFont(const PvLogFont& font) {
    if (!IsAlive()) return;
    const LOGFONTA lf = ToLogFontA(font);
    CSharedFont shared;
    if (!shared.Set(lf)) {
        Trace("CreateFontIndirect() Error=%lu\n", ::GetLastError());
        return;
    }
    ::SendMessageA(EditHwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(shared.Get()), Shown() ? TRUE : FALSE);
    m_font = std::move(shared);  // the previous font is no longer selected anywhere
}

PvLogFont CTackletWin::ReadEditFont() const {
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(::SendMessageA(EditHwnd(), WM_GETFONT, 0, 0));
    if (!font) font = ::GetStockObject(SYSTEM_FONT);
    LOGFONTA lf{};
    ::GetObjectA(font, sizeof lf, &lf);
    return ToPvLogFont(lf);
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
    m_baseAlpha = AlphaFromPercent(percent);
    RestoreAlpha();
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
    if (BKTRANSPARENT == 1 && !m_mouseIn && !m_editFocus) {
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
    const bool has = (::GetWindowLongPtrA(GetHwnd(), GWL_STYLE) & WS_THICKFRAME) != 0;
    if (wanted == has) return false;
    SetStyleBits(GetHwnd(), GWL_STYLE, WS_THICKFRAME, wanted);
    return true;
}

void CTackletWin::ApplyPendingFrame() {
    if (!TakePendingFrame()) return;
    ::SetWindowPos(GetHwnd(), nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int CTackletWin::HasFrame() const {
    if (!IsAlive()) return m_lastFrame;
    if (m_frameWanted >= 0) return m_frameWanted;
    return (::GetWindowLongPtrA(GetHwnd(), GWL_STYLE) & WS_THICKFRAME) ? 1 : 0;
}

void CTackletWin::NudgeSize(int topShift) {
    const HWND hwnd = GetHwnd();
    RECT r;
    if (!IsAlive() || !::GetWindowRect(hwnd, &r)) return;
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    constexpr UINT flags = SWP_FRAMECHANGED | SWP_NOZORDER | SWP_NOACTIVATE;
    ::SetWindowPos(hwnd, nullptr, r.left, r.top + topShift, width - 1, height - 1, flags);
    ::SetWindowPos(hwnd, nullptr, r.left, r.top + topShift, width + 1, height + 1, flags);
}

// --- Geometry ---------------------------------------------------------------------

PvRect CTackletWin::GetWindowRect() const {
    RECT r;
    if (IsAlive() && ::GetWindowRect(GetHwnd(), &r)) return ToPvRect(r);
    return ToPvRect(m_rectWin);
}

void CTackletWin::MoveWindow(int left, int top, int width, int height) {
    if (!IsAlive()) return;
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

void CTackletWin::OnSize(UINT type, int cx, int cy) {
    if (type == SIZE_RESTORED && EditHwnd()) LayoutChildren(cx, cy);
    OnMovedOrSized();
}

void CTackletWin::RelayoutNow() {
    RECT client;
    if (IsAlive() && ::GetClientRect(GetHwnd(), &client)) LayoutChildren(client.right, client.bottom);
    OnMovedOrSized();
}

void CTackletWin::LayoutChildren(int cx, int cy) {
    const int ear = kEarThickness;
    RECT earRect;   // left, top, width, height
    RECT editRect;
    switch (PICKPOS) {
    case 0: earRect = {cx - ear, 0, ear, cy}; editRect = {0, 0, cx - ear, cy}; break;
    case 1: earRect = {0, 0, cx, ear}; editRect = {0, ear, cx, cy - ear}; break;
    case 2: earRect = {0, 0, ear, cy}; editRect = {ear, 0, cx - ear, cy}; break;
    case 3: earRect = {0, cy - ear, cx, ear}; editRect = {0, 0, cx, cy - ear}; break;
    default: return;
    }
    ::MoveWindow(m_hEar, earRect.left, earRect.top, std::max<LONG>(earRect.right, 0),
                 std::max<LONG>(earRect.bottom, 0), TRUE);
    ::MoveWindow(EditHwnd(), editRect.left, editRect.top, std::max<LONG>(editRect.right, 0),
                 std::max<LONG>(editRect.bottom, 0), TRUE);

    // Never narrower (ear left or right) or flatter (ear top or bottom)
    // than the frame plus the ear.
    const HWND hwnd = GetHwnd();
    RECT window;
    RECT client;
    if (!::GetWindowRect(hwnd, &window) || !::GetClientRect(hwnd, &client)) return;
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    int newWidth = width;
    int newHeight = height;
    if (PICKPOS == 0 || PICKPOS == 2) {
        newWidth = std::max<int>(width, width - client.right + ear);
    } else {
        newHeight = std::max<int>(height, height - client.bottom + ear);
    }
    if (newWidth != width || newHeight != height) {
        ::SetWindowPos(hwnd, nullptr, 0, 0, newWidth, newHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void CTackletWin::OnMovedOrSized() {
    RECT r;
    if (IsAlive() && ::GetWindowRect(GetHwnd(), &r)) m_rectWin = r;
    UpdateLeaderLine();
}

// --- Following the target ---------------------------------------------------------

void CTackletWin::OnFollowTimer() {
    if (!IsAlive()) return;
    // A note has no follow timer of its own (the controller follows every
    // target with one); one that was armed is stopped here.
    ::KillTimer(GetHwnd(), TIMER_FOLLOW);
    FollowTargetOnce();
}

void CTackletWin::FollowTargetOnce() {
    if (m_desktop || !IsAlive() || !::IsWindow(m_hTargetWnd)) return;
    RECT now;
    if (!::GetWindowRect(m_hTargetWnd, &now)) return;
    // Minimised or parked windows sit far outside the screen: ignore them.
    // Not every window system parks minimised windows off screen (Wine puts
    // them at the bottom of the screen), so a minimised target is ignored
    // wherever it is.
    if (now.bottom < 0 || now.top >= 5000 || ::IsIconic(m_hTargetWnd)) return;
    FollowTargetTo(ToPvRect(now));
}

void CTackletWin::FollowTargetTo(const PvRect& targetNow) {
    if (m_desktop || !IsAlive()) return;
    const RECT now = ToRect(targetNow);
    if (::EqualRect(&now, &m_rectTarget)) return;  // nothing moved: no trace, no work
    Trace("newr top=%d, left=%d, bottom=%d, right=%d\n", static_cast<int>(now.top), static_cast<int>(now.left),
          static_cast<int>(now.bottom), static_cast<int>(now.right));
    const int dx = now.left - m_rectTarget.left;
    const int dy = now.top - m_rectTarget.top;
    m_rectTarget = now;
    if (dx == 0 && dy == 0) return;
    Trace("MoveX=%d, MoveY=%d\n", dx, dy);
    RECT note;
    if (!::GetWindowRect(GetHwnd(), &note)) return;
    const RECT moved = {note.left + dx, note.top + dy, note.right + dx, note.bottom + dy};
    Trace("MoveWindow() top =%d, left=%d, bottom=%d, right=%d\n", static_cast<int>(moved.top),
          static_cast<int>(moved.left), static_cast<int>(moved.bottom), static_cast<int>(moved.right));
    ::MoveWindow(GetHwnd(), moved.left, moved.top, moved.right - moved.left, moved.bottom - moved.top, TRUE);
    OnMovedOrSized();
    Repaint();
}

// --- Opacity ------------------------------------------------------------------------

BYTE CTackletWin::AlphaFromPercent(int percent) {
    return static_cast<BYTE>(std::clamp(percent * 255 / 100, 0, 255));
}

BYTE CTackletWin::FadeAlpha(int counter, BYTE base) {
    const int factor = kFadeFactors[std::clamp(counter, 0, kFadeSteps - 1)];
    return static_cast<BYTE>(factor * base / 255);
}

void CTackletWin::ApplyAlpha(BYTE alpha) {
    if (!IsAlive()) return;
    const bool keyed = BKTRANSPARENT == 1;
    const BOOL ok = ::SetLayeredWindowAttributes(GetHwnd(), keyed ? BackgroundRgb() : 0, alpha,
                                                 keyed ? (LWA_COLORKEY | LWA_ALPHA) : LWA_ALPHA);
    if (!ok) Trace("SetLayeredWindowAttributes() Error=%d\n", static_cast<int>(::GetLastError()));
    SetLeaderLineAlpha(alpha);
}

void CTackletWin::RestoreAlpha() {
    m_fadeCounter = 0;
    ApplyAlpha(m_baseAlpha);
    Repaint();
}

void CTackletWin::MakeOpaque() {
    m_fadeCounter = 0;
    if (!IsAlive()) return;
    // Without colour key, so that a keyed-out background becomes visible.
    if (!::SetLayeredWindowAttributes(GetHwnd(), 0, 255, LWA_ALPHA)) {
        Trace("SetLayeredWindowAttributes() Error=%d\n", static_cast<int>(::GetLastError()));
    }
    Repaint();
    SetLeaderLineAlpha(255);
}

// --- Mouse ------------------------------------------------------------------------

void CTackletWin::MouseOver(UINT keys) {
    ArmMouseTimer();  // watches for the mouse leaving (and for Ctrl)
    if (m_mouseIn) return;
    if (MOUSEHIDECTL == 1) {
        m_mouseIn = 1;
        m_fadeCounter = kFadeSteps;
        ArmFadeTimer();
        Trace("●MounseIn \n");
    } else if (BKTRANSPARENT == 0) {
        m_mouseIn = 1;
        Trace("●MounseIn \n");
    } else if (keys & MK_CONTROL) {
        m_mouseIn = 1;
        Trace("●MounseIn \n");
        MakeOpaque();
    }
}

void CTackletWin::MouseOutStep(POINT cursor, bool ctrlDown) {
    const HWND hwnd = GetHwnd();
    RECT r;
    if (!IsAlive() || !::GetWindowRect(hwnd, &r)) return;
    const bool inside = ::PtInRect(&r, cursor) != FALSE;
    if (inside && !m_mouseIn) {
        if (BKTRANSPARENT == 0) {
            m_mouseIn = 1;
            Trace("●MounseIn(TIMER) \n");
        } else if (BKTRANSPARENT == 1 && ctrlDown) {
            m_mouseIn = 1;
            Trace("●MounseIn(TIMER) \n");
            MakeOpaque();
        }
    } else if (!inside && m_mouseIn) {
        m_mouseIn = 0;
        Trace("■MouseOUT \n");
        if (m_editFocus) MakeOpaque();
        else RestoreAlpha();
    }
    CheckDesktopTopmost();
    // Nobody over the note and nothing to restore: the timer stops until
    // the mouse comes back.
    if (inside || m_mouseIn) ArmMouseTimer();
    else StopMouseTimer();
}

void CTackletWin::CheckDesktopTopmost() {
    if (!m_desktop || !IsAlive()) return;
    const bool wanted = ReadEditText().starts_with(kTopmostPrefix);
    if (wanted == (m_topmost != 0)) return;
    // Only the z-order changes, once per change of the prefix.
    ::SetWindowPos(GetHwnd(), wanted ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    m_topmost = wanted ? 1 : 0;
}

void CTackletWin::FadeStep() {
    if (!m_mouseIn || m_fadeCounter <= 0) {
        StopFadeTimer();
        return;
    }
    --m_fadeCounter;
    const BYTE alpha = FadeAlpha(m_fadeCounter, m_baseAlpha);
    ApplyAlpha(alpha);
    Trace("Alpha=%d\n", alpha);
    if (m_fadeCounter == 0) StopFadeTimer();
}

void CTackletWin::ArmMouseTimer() {
    if (m_mouseTimer || !IsAlive()) return;
    m_mouseTimer = ::SetTimer(GetHwnd(), TIMER_MOUSEOUT, kMouseOutPeriod, nullptr) != 0;
}

void CTackletWin::StopMouseTimer() {
    if (m_mouseTimer && GetHwnd()) ::KillTimer(GetHwnd(), TIMER_MOUSEOUT);
    m_mouseTimer = false;
}

void CTackletWin::ArmFadeTimer() {
    if (m_fadeTimer || !IsAlive()) return;
    m_fadeTimer = ::SetTimer(GetHwnd(), TIMER_FADE, kFadePeriod, nullptr) != 0;
}

void CTackletWin::StopFadeTimer() {
    if (m_fadeTimer && GetHwnd()) ::KillTimer(GetHwnd(), TIMER_FADE);
    m_fadeTimer = false;
}

void CTackletWin::OnLButtonDown(UINT, POINT point) {
    Trace("CTackletWin::OnLButtonDown()\n");
    if (MOUSEHIDECTL == 1) MakeOpaque();
    // A press outside the edit control moves the whole note, as a press on
    // a caption would.
    POINT screen = point;
    ::ClientToScreen(GetHwnd(), &screen);
    ::PostMessageA(GetHwnd(), WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(screen.x, screen.y));
}

void CTackletWin::OnRButtonDown() {
    Trace("CTackletWin::OnRButtonDown()\n");
    if (MOUSEHIDECTL == 1) MakeOpaque();
}

void CTackletWin::MouseWheel(UINT keys, short delta) {
    Trace("MouseWheel Delta=%d \n", delta);
    RECT r;
    if (!IsAlive() || !::GetWindowRect(GetHwnd(), &r)) return;
    const int step = -delta / WHEEL_DELTA;  // one pixel per notch, towards the user enlarges
    int width = r.right - r.left;
    int height = r.bottom - r.top;
    if (keys & MK_CONTROL) width = std::max(width + step, CNotifyBridge::MinNoteWidth());
    if (keys & MK_SHIFT) height = std::max(height + step, CNotifyBridge::MinNoteHeight());
    Trace("x=%d, y=%d, cx=%d, cy=%d\n", static_cast<int>(r.left), static_cast<int>(r.top), width, height);
    if (keys & (MK_CONTROL | MK_SHIFT)) MoveWindow(r.left, r.top, width, height);
}

void CTackletWin::OnEditMouseWheel(UINT, short, POINT) {
    // Plain turns scroll the text; Ctrl/Shift turns reach MouseWheel through
    // the edit control forwarding them to this window.
}

void CTackletWin::OnEditMouseMove(UINT keys, POINT) { MouseOver(keys); }

void CTackletWin::OnEditButtonDown(UINT, POINT) {
    if (MOUSEHIDECTL == 1) MakeOpaque();
}

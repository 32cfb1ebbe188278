#include "notewin/TackletWin.h"

#include <windowsx.h>

#include <algorithm>
#include <optional>

#include "controller/NotifyBridge.h"
#include "data/RecordDefaults.h"
#include "data/Trace.h"
#include "platform/Dpi.h"
#include "platform/MessageBox.h"
#include "platform/WinConvert.h"
#include "platform/WindowPlace.h"
#include "res/resource.h"

static_assert(sizeof(PvRect) == sizeof(RECT), "PvRect mirrors RECT");

namespace {

// Text prefix that keeps a desktop note above every other window.
constexpr char kTopmostPrefix[] = "~#&";

}  // namespace

// --- Creation and lifetime ------------------------------------------------

CTackletWin::CTackletWin() : CDialog(IDD_TACKLET), ARLINEWIDTH(CRecordDefaults::ArrowLineWidth()) {
    m_earBrush.Set(NoteColors::Ear(COLOR));
    m_bkBrush.Set(NoteColors::Background(BKCOLOR));
}

CTackletWin::~CTackletWin() { StopWatchingMouse(); }

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
    // The window's timers end with it (and its WM_DESTROY ends the mouse watch).
    m_fadeTimer = false;
    RemoveLeaderLine();
    ::DestroyWindow(hwnd);  // the object may be deleted from here on
}

void CTackletWin::OnDestroy() {
    StopWatchingMouse();
    // Released by its record: the record has taken the state already.
    if (m_released) {
        m_destroying = true;
        return;
    }
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
    // The template makes the window disabled and layered, so that a new
    // note changes no style of its own on the way to the screen. Disabled:
    // it must not take the focus from its target while it is being set up
    // (timer 106 enables it). The note has its resize frame from here on;
    // the style follows with the note's first placement, by when most
    // notes (those without a frame) have taken it away again.
    m_frameWanted = 1;
    Trace("TackletWin Create!\n");
    ::SetTimer(hwnd, TIMER_ENABLE, kEnableDelay, nullptr);

    m_hEar = GetItem(IDC_TACKLET_EAR);
    m_dpi = DpiOfWindow(hwnd);
    m_baseAlpha = 200;  // applied when the start completes, before the note is first shown

    m_edit.Attach(GetItem(IDC_TACKLET_EDIT));
    m_edit.SetListener(this);
    SyncEditPainting();
    ApplyEditMargins();
    m_edit.SetByteLimit(kTextLimit);

    // The children are laid out at the note's first size: its placement,
    // or, for a note being started, the completion of its start.
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
    case WM_DPICHANGED:
        OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return true;
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
    case TIMER_FADE:
        FadeStep();
        break;
    case TIMER_EAR_FLASH:
        EarFlashStep();
        break;
    default:
        break;
    }
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
    // Every value is set. One move below places the note, applies its
    // frame and shows it, which draws it for the first time; the children
    // are laid out for that size before, and the text is set at that size.
    RECT place;
    if (m_startPlace) {
        place = *m_startPlace;
    } else if (!::GetWindowRect(hwnd, &place)) {
        return;
    }
    m_startPlace.reset();
    RECT targetNow;
    if (!m_desktop && FollowableRect(m_hTargetWnd, targetNow)) {
        if (const std::optional<POINT> shift = TakeTargetShift(targetNow)) {
            ::OffsetRect(&place, shift->x, shift->y);
            TraceNoteMove(place);
        }
    }
    const bool frameChanged = TakePendingFrame();
    CheckDesktopTopmost();  // from the text kept for the start: no message to the edit control
    m_starting = false;
    const SIZE border = FrameBorder();
    KeepEarRoom(place, border);
    MoveChildren(place.right - place.left - border.cx, place.bottom - place.top - border.cy);
    SetStartText();
    RestoreAlpha();
    // Shown without activation: the target keeps the focus. A move that
    // shows the window sends no show notification: its trace is written here.
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW;
    if (frameChanged) flags |= SWP_FRAMECHANGED;
    ::SetWindowPos(hwnd, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top, flags);
    Trace("OnShowWindow() bShow=%d, nStatus=%d\n", 1, 0);
    if (m_arrow.ARWFLAG == 1) CreateLeaderLine();  // from where the note is now
    // Following is the controller's timer. The mouse-out step watches a note
    // that appears under the cursor, and then only while the mouse is over
    // the note (away from the cursor the step would do nothing).
    POINT cursor{};
    if (::GetCursorPos(&cursor) && ::PtInRect(&place, cursor)) WatchMouse();
}

void CTackletWin::EnableAfterCreate() {
    const HWND hwnd = GetHwnd();
    if (!IsAlive()) return;
    ::KillTimer(hwnd, TIMER_ENABLE);
    ::EnableWindow(hwnd, TRUE);
    Trace("Delay modifyStyle Enabled\n");
    // Enabling changes nothing that shows: no second drawing. The desktop
    // takes no keyboard focus; asking for it only took the activation from
    // the active window and gave it back, once for every desktop note.
    if (!m_desktop && ::IsWindow(m_hTargetWnd)) ::SetFocus(m_hTargetWnd);
}

void CTackletWin::OnSize(UINT type, int cx, int cy) {
    // A starting note is laid out when its start completes.
    if (type == SIZE_RESTORED && EditHwnd() && !m_starting) LayoutChildren(cx, cy);
    OnMovedOrSized();
}

void CTackletWin::RelayoutNow() {
    RECT client;
    if (!m_starting && IsAlive() && ::GetClientRect(GetHwnd(), &client)) LayoutChildren(client.right, client.bottom);
    OnMovedOrSized();
}

void CTackletWin::LayoutChildren(int cx, int cy) {
    MoveChildren(cx, cy);
    // Never narrower (ear left or right) or flatter (ear top or bottom)
    // than the frame plus the ear.
    const HWND hwnd = GetHwnd();
    RECT window;
    RECT client;
    if (!::GetWindowRect(hwnd, &window) || !::GetClientRect(hwnd, &client)) return;
    RECT wanted = window;
    KeepEarRoom(wanted, SIZE{(window.right - window.left) - client.right, (window.bottom - window.top) - client.bottom});
    if (!::EqualRect(&wanted, &window)) {
        ::SetWindowPos(hwnd, nullptr, 0, 0, wanted.right - wanted.left, wanted.bottom - wanted.top,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void CTackletWin::KeepEarRoom(RECT& window, SIZE border) const {
    const int ear = Scaled(kEarThickness);
    if (PICKPOS == 0 || PICKPOS == 2) {
        window.right = std::max<LONG>(window.right, window.left + border.cx + ear);
    } else {
        window.bottom = std::max<LONG>(window.bottom, window.top + border.cy + ear);
    }
}

SIZE CTackletWin::FrameBorder() const {
    RECT frame{};
    ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongPtrA(GetHwnd(), GWL_STYLE)), FALSE,
                         static_cast<DWORD>(::GetWindowLongPtrA(GetHwnd(), GWL_EXSTYLE)));
    return SIZE{frame.right - frame.left, frame.bottom - frame.top};
}

void CTackletWin::MoveChildren(int cx, int cy) {
    const int ear = Scaled(kEarThickness);
    const ChildLayout layout{cx, cy, PICKPOS, ear};
    if (layout == m_laidOut) return;  // the children are there already
    m_laidOut = layout;
    RECT earRect;   // left, top, width, height
    RECT editRect;
    switch (PICKPOS) {
    case 0: earRect = {cx - ear, 0, ear, cy}; editRect = {0, 0, cx - ear, cy}; break;
    case 1: earRect = {0, 0, cx, ear}; editRect = {0, ear, cx, cy - ear}; break;
    case 2: earRect = {0, 0, ear, cy}; editRect = {ear, 0, cx - ear, cy}; break;
    case 3: earRect = {0, cy - ear, cx, ear}; editRect = {0, 0, cx, cy - ear}; break;
    default: return;
    }
    const BOOL redraw = Shown() ? TRUE : FALSE;  // a hidden note is drawn when it is shown
    ::MoveWindow(m_hEar, earRect.left, earRect.top, std::max<LONG>(earRect.right, 0),
                 std::max<LONG>(earRect.bottom, 0), redraw);
    ::MoveWindow(EditHwnd(), editRect.left, editRect.top, std::max<LONG>(editRect.right, 0),
                 std::max<LONG>(editRect.bottom, 0), redraw);
}

void CTackletWin::ApplyEditMargins() {
    const int margin = Scaled(kEditMargin);
    ::SendMessageA(EditHwnd(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(margin, margin));
}

void CTackletWin::OnDpiChanged(UINT dpi, const RECT& suggested) {
    if (!IsAlive() || dpi == 0) return;
    const PvLogFont font = ReadEditFont();  // at 96 DPI, measured with the old scaling
    m_dpi = dpi;
    SetEditFont(font);
    ApplyEditMargins();
    RECT place = suggested;
    RECT now;
    if (m_followMove && ::GetWindowRect(GetHwnd(), &now)) {
        ::OffsetRect(&place, now.left - place.left, now.top - place.top);
    }
    ::SetWindowPos(GetHwnd(), nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    RelayoutNow();
    Repaint();
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
    RECT now;
    if (m_desktop || !IsAlive() || !FollowableRect(m_hTargetWnd, now)) return;
    FollowTargetTo(ToPvRect(now));
}

std::optional<POINT> CTackletWin::TakeTargetShift(const RECT& now) {
    if (::EqualRect(&now, &m_rectTarget)) return std::nullopt;  // nothing moved: no trace, no work
    Trace("newr top=%d, left=%d, bottom=%d, right=%d\n", static_cast<int>(now.top), static_cast<int>(now.left),
          static_cast<int>(now.bottom), static_cast<int>(now.right));
    const POINT shift{now.left - m_rectTarget.left, now.top - m_rectTarget.top};
    m_rectTarget = now;
    if (shift.x == 0 && shift.y == 0) return std::nullopt;
    Trace("MoveX=%d, MoveY=%d\n", static_cast<int>(shift.x), static_cast<int>(shift.y));
    return shift;
}

void CTackletWin::TraceNoteMove(const RECT& moved) {
    Trace("MoveWindow() top =%d, left=%d, bottom=%d, right=%d\n", static_cast<int>(moved.top),
          static_cast<int>(moved.left), static_cast<int>(moved.bottom), static_cast<int>(moved.right));
}

void CTackletWin::FollowTargetTo(const PvRect& targetNow) {
    if (m_desktop || !IsAlive()) return;
    const std::optional<POINT> shift = TakeTargetShift(ToRect(targetNow));
    if (!shift) return;
    RECT moved;
    if (!::GetWindowRect(GetHwnd(), &moved)) return;
    ::OffsetRect(&moved, shift->x, shift->y);
    TraceNoteMove(moved);
    m_followMove = true;
    ::MoveWindow(GetHwnd(), moved.left, moved.top, moved.right - moved.left, moved.bottom - moved.top, TRUE);
    m_followMove = false;
    OnMovedOrSized();
    Repaint();
}

// --- Opacity ------------------------------------------------------------------------

void CTackletWin::ApplyAlpha(BYTE alpha) {
    if (!IsAlive()) return;
    const bool keyed = BKTRANSPARENT == 1;
    const BOOL ok = ::SetLayeredWindowAttributes(GetHwnd(), keyed ? BackgroundRgb() : 0, alpha,
                                                 keyed ? (LWA_COLORKEY | LWA_ALPHA) : LWA_ALPHA);
    if (!ok) Trace("SetLayeredWindowAttributes() Error=%d\n", static_cast<int>(::GetLastError()));
    SetLeaderLineAlpha(alpha);
}

void CTackletWin::RestoreAlpha() {
    m_fade.ResetCounter();
    ApplyAlpha(m_baseAlpha);
    Repaint();
}

void CTackletWin::MakeOpaque() {
    m_fade.ResetCounter();
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
    WatchMouse();  // watches for the mouse leaving (and for Ctrl)
    ApplyFadeAction(m_fade.MouseOver(MOUSEHIDECTL, BKTRANSPARENT, (keys & MK_CONTROL) != 0));
    if (m_fade.Counter() > 0) ArmFadeTimer();
}

void CTackletWin::MouseOutStep(POINT cursor, bool ctrlDown) {
    RECT r;
    if (!IsAlive() || !::GetWindowRect(GetHwnd(), &r)) {
        StopWatchingMouse();
        return;
    }
    const bool inside = ::PtInRect(&r, cursor) != FALSE;
    ApplyFadeAction(m_fade.MouseOutStep(BKTRANSPARENT, inside, ctrlDown, m_editFocus != 0));
    CheckDesktopTopmost();
    // Nobody over the note and nothing to restore: the watch ends until
    // the mouse comes back.
    if (inside || m_fade.MouseIn()) WatchMouse();
    else StopWatchingMouse();
}

void CTackletWin::ApplyFadeAction(CNoteFade::Action action) {
    if (action == CNoteFade::Action::MakeOpaque) MakeOpaque();
    else if (action == CNoteFade::Action::RestoreAlpha) RestoreAlpha();
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
    const std::optional<std::uint8_t> alpha = m_fade.FadeStep(m_baseAlpha);
    if (alpha) {
        ApplyAlpha(*alpha);
        Trace("Alpha=%d\n", *alpha);
    }
    if (!alpha || m_fade.Counter() == 0) StopFadeTimer();
}

void CTackletWin::WatchMouse() {
    if (IsAlive()) CNoteMouseWatch::Instance().Add(this);
}

void CTackletWin::StopWatchingMouse() { CNoteMouseWatch::Instance().Remove(this); }

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
    // a caption would. Posted, not sent: the system's move loop then starts
    // after this handler has returned, with the button press completed,
    // instead of running nested inside the dialog procedure.
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
    if (keys & MK_CONTROL) width = std::max(width + step, Scaled(CNotifyBridge::MinNoteWidth()));
    if (keys & MK_SHIFT) height = std::max(height + step, Scaled(CNotifyBridge::MinNoteHeight()));
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

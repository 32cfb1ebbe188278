#include "notewin/TackletWin.h"

#include <windowsx.h>

#include <algorithm>
#include <optional>

#include "platform/NotifyBridge.h"
#include "data/RecordDefaults.h"
#include "data/Trace.h"
#include "platform/Dpi.h"
#include "platform/MessageBox.h"
#include "platform/WinConvert.h"
#include "platform/WindowPlace.h"
#include "res/resource.h"

static_assert(sizeof(PvRect) == sizeof(RECT), "PvRect mirrors RECT");

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

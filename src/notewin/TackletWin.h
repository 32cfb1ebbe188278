// The note on screen: a borderless modeless dialog (template 131) owned by
// the note's target window, with the body text in an edit control and a
// coloured ear along one side. It paints its background, makes itself
// translucent, fades under the mouse on request, follows its target when
// that moves, and keeps its own screen rectangle for the note record.
//
// Lifetime: the object deletes itself once its window is gone AND the
// record has let go of it (Destroy()). If the window dies first (the system
// destroys owned windows with their owner), the object stays behind with the
// state it had at that moment: getters answer from it, setters do nothing,
// IsAlive() is false and Handle() is 0. The record's EndTacklet then
// collects that state as usual and its Destroy() frees the object.
//
// Its rooms:
//   TackletWin.cpp         creation, lifetime, messages, the start
//   TackletWinState.cpp    the state the record hands over and reads back, painting
//   TackletLayout.cpp      the children's layout, the frame, display scaling
//   TackletFollow.cpp      following the target
//   TackletMouse.cpp       opacity, fading under the mouse, clicks and the wheel
//   TackletMenu.cpp        the context menu and its commands
//   TackletAppearance.cpp  the appearance dialogs and reminders
//   TackletLeader.cpp      the leader line
#pragma once

#include <windows.h>

#include <array>
#include <optional>
#include <string>

#include "data/ArrowData.h"
#include "data/DpiScale.h"
#include "data/PvLogFont.h"
#include "data/ReserveData.h"
#include "data/TackletWindow.h"
#include "notewin/ArrowWin.h"
#include "notewin/EditTacklet.h"
#include "notewin/NoteFade.h"
#include "notewin/NoteMouseWatch.h"
#include "platform/GdiHolders.h"
#include "platform/SharedGdi.h"
#include "platform/NoteColors.h"
#include "platform/Dialog.h"

class CTackletWin : public CDialog,
                    public CEditTackletListener,
                    public CArrowWinListener,
                    public CNoteMouseWatch::IClient,
                    public ITackletWindow {
public:
    // Designed at 96 DPI, drawn scaled to the note's monitor.
    static constexpr int kEarThickness = 17;
    static constexpr int kTextLimit = 4000;
    static constexpr int kEditMargin = 2;
    static constexpr UINT kEnableDelay = 100;
    static constexpr UINT kFirstFollowDelay = 50;
    static constexpr UINT kDesktopFollowPeriod = 10000;
    static constexpr UINT kFadePeriod = 200;

    // Creates a note window owned by `owner` (its target window; for a
    // desktop note the desktop window). Hidden and disabled until the record
    // has handed everything over and called CompleteStart(). Null when the
    // window could not be created (nothing is left behind then).
    static CTackletWin* CreateFor(HWND owner);

    // Whether the window still exists (false from WM_DESTROY on).
    bool IsAlive() const;

    // --- ITackletWindow -------------------------------------------------
    PvHandle Handle() const override;
    void SetTarget(bool isDesktop, PvHandle target) override;
    void SetText(const std::string& text) override;
    std::string GetText() const override;
    void SetReadOnly(int readOnly) override;
    int IsReadOnly() const override;
    void SetBkTransparent(int value) override;
    int GetBkTransparent() const override { return BKTRANSPARENT; }
    void SetTransparent(int percent) override;
    int GetTransparent() const override { return TRANSPARENT_; }
    void SetMouseHideCtl(int value) override { MOUSEHIDECTL = value; }
    int GetMouseHideCtl() const override { return MOUSEHIDECTL; }
    void SetColor(int index) override;
    int GetColor() const override { return COLOR; }
    void SetFrame(int frame) override;
    int HasFrame() const override;
    void SetPickPos(int pos) override;
    int GetPickPos() const override { return PICKPOS; }
    void SetBkColor(int index) override;
    int GetBkColor() const override { return BKCOLOR; }
    void SetTxColor(int index) override;
    int GetTxColor() const override { return TXCOLOR; }
    void SetGradient(int graFlg, int graPtn) override;
    int GetGraFlg() const override { return GRAFLG; }
    int GetGraPtn() const override { return GRAPTN; }
    void SetEditFont(const PvLogFont& font) override;
    PvLogFont GetEditFont() const override;
    void SetReserve(const CReserveData& reserve) override { m_reserve = reserve; }
    CReserveData GetReserve() const override { return m_reserve; }
    PvRect GetWindowRect() const override;
    void MoveWindow(int left, int top, int width, int height) override;
    PvRect GetRectWin() const override;
    void SetTargetRect(const PvRect& rect) override;
    PvRect GetTargetRect() const override;
    void SetArrow(const CArrowData& arrow, int lineWidth) override;
    CArrowData GetArrow() override;
    int GetArrowLineWidth() const override { return ARLINEWIDTH; }
    void FollowTargetTo(const PvRect& targetNow) override;
    void FlashEar() override;
    void BeginStart() override { m_starting = true; }
    void CompleteStart() override;
    void Destroy() override;

    // --- State the commands and tests read --------------------------------
    HWND EditHwnd() const { return m_edit.GetHwnd(); }
    HWND EarHwnd() const { return m_hEar; }
    HWND TargetHwnd() const { return m_hTargetWnd; }
    bool IsDesktop() const { return m_desktop != 0; }
    BYTE BaseAlpha() const { return m_baseAlpha; }
    bool IsMouseIn() const { return m_fade.MouseIn(); }
    int FadeCounter() const { return m_fade.Counter(); }
    bool HasEditFocus() const { return m_editFocus != 0; }
    bool IsTopmostByPrefix() const { return m_topmost != 0; }
    // The DPI of the monitor the note is on, and a 96-DPI size at it.
    UINT Dpi() const { return m_dpi; }
    int Scaled(int value) const { return ScaleForDpi(value, m_dpi); }
    // Blinks of the ear still to come (0 when the ear is as usual).
    int EarFlashesLeft() const { return m_earFlashes; }
    const CEditTacklet& Edit() const { return m_edit; }
    // The leader-line window while the leader line is shown, else null.
    CArrowWin* LeaderLine() const { return m_pArrowWin; }

    // Greys the context menu's items that do not apply to this note now.
    void GreyMenuItems(HMENU popup) const;

    // --- Opacity ------------------------------------------------------------
    // Layered attributes with alpha `alpha` (and the background colour keyed
    // out in BKTRANSPARENT mode).
    void ApplyAlpha(BYTE alpha);
    // Fade counter 0, base alpha applied, repaint.
    void RestoreAlpha();
    // Fade counter 0, alpha 255 without colour key, repaint.
    void MakeOpaque();

    // --- Steps the timers run (callable directly) -------------------------
    // Timer 106: enable the window, give the focus back to the target.
    void EnableAfterCreate();
    // Timer 104: follow once (not a desktop note) and re-arm.
    void OnFollowTimer();
    // Moves the note by the distance the target's top-left corner moved
    // since the stored target rectangle.
    void FollowTargetOnce();
    // The 200 ms mouse-out detection with the given cursor and Ctrl state,
    // then the desktop topmost check.
    void MouseOutStep(POINT cursor, bool ctrlDown) override;
    // Desktop note whose text starts with "~#&": topmost; otherwise not.
    void CheckDesktopTopmost();
    // Timer 109: one fade step while the mouse is in.
    void FadeStep();
    // The mouse came over the note or its edit control (key flags MK_*).
    void MouseOver(UINT keys);
    // Ctrl/Shift wheel: width/height change by one pixel per notch.
    void MouseWheel(UINT keys, short delta);

    // --- Leader line (the hand-off points of the note) ---------------------
    // Places a never-placed line, then creates the line window when the
    // target exists.
    void CreateLeaderLine();
    // Takes the points back, clears the flag and destroys the line window.
    void RemoveLeaderLine();
    // Hands the target's and the note's client rectangles and the ear over.
    void UpdateLeaderLine();
    void SetLeaderLineAlpha(BYTE alpha);
    // Background and ear colours and the width index.
    void SetLeaderLineColors();
    void ShowLeaderLine(bool show);

    // Moves to (left, top + topShift) with size - 1, then with the size it
    // had before, so the frame and layout are recomputed and the size ends
    // where it began.
    void NudgeSize(int topShift);

    // The note came onto a monitor of another scaling: the font, ear and
    // margins are made anew for `dpi`, and the note takes the size the
    // system suggests. Its top-left corner stays where the follow step put
    // it while the note is following its target, else it goes where the
    // system suggests (a note dragged by the user stays under the mouse).
    void OnDpiChanged(UINT dpi, const RECT& suggested);

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnFinalMessage() override;

    // CEditTackletListener
    void OnEditMouseWheel(UINT keys, short delta, POINT point) override;
    void OnEditMouseMove(UINT keys, POINT point) override;
    void OnEditButtonDown(UINT keys, POINT point) override;

    // CArrowWinListener
    void OnArrowWinGone(const CArrowData& last) override;

private:
    CTackletWin();
    ~CTackletWin() override;

    void OnEditNotify(WORD code);
    void OnTimer(UINT_PTR id);
    void OnSize(UINT type, int cx, int cy);
    // Moves the ear and the edit control for a client area of cx × cy
    // (MoveChildren), then keeps the window wide or high enough for the ear.
    void LayoutChildren(int cx, int cy);
    void MoveChildren(int cx, int cy);
    // Widens (ear left or right) or heightens (ear top or bottom) `window`
    // to hold its frame `border` and the ear.
    void KeepEarRoom(RECT& window, SIZE border) const;
    // The width and height the window's frame takes from its size.
    SIZE FrameBorder() const;
    // The distance the target's top-left corner moved since the stored
    // target rectangle, which becomes `now`; nothing when it did not move.
    std::optional<POINT> TakeTargetShift(const RECT& now);
    static void TraceNoteMove(const RECT& moved);
    void OnMovedOrSized();
    void OnLButtonDown(UINT keys, POINT point);
    void OnRButtonDown();
    void OnDestroy();

    // The note's context menu opens here (right button released on the note
    // outside the edit control). Its commands arrive in OnMenuCommand.
    void ShowContextMenu(POINT screen);
    bool OnMenuCommand(WORD id);
    // The commands that are more than one call.
    void PeelOff();
    void SetFrameStyle(bool on);
    void ChooseEditFont();
    // The colour / leader-line and transparency dialogs, applied on OK.
    void ChooseColors();
    void ChooseTransparency();
    // The reminder dialog; on OK the note's reminder is the chosen one.
    void ChooseReminder();
    // Timer 111: one blink of the ear.
    void EarFlashStep();
    void Split();
    void Absorb();
    // The edit control's text before and after position `caret` (in the
    // control's own units); false when the position lies outside the text.
    bool TextAroundCaret(int caret, std::string& before, std::string& after) const;

    HBRUSH EditColors(HDC dc, bool editRequest);
    HBRUSH EarColors(HDC dc);
    HBRUSH BackgroundBrush() const;
    COLORREF BackgroundRgb() const { return NoteColors::Background(BKCOLOR); }
    void SyncEditPainting();
    // Redraws a shown note. A hidden one (until CompleteStart shows it) is
    // not drawn at all: a new note is drawn once, with every value set.
    void Repaint();
    bool Shown() const;
    void RelayoutNow();
    void ApplyEditMargins();
    std::string ReadEditText() const;
    PvLogFont ReadEditFont() const;

    HWND m_hEar = nullptr;
    UINT m_dpi = kBaseDpi;
    bool m_followMove = false;  // a follow step is moving the note
    CEditTacklet m_edit;
    BYTE m_baseAlpha = 200;
    int TRANSPARENT_ = 70;
    int COLOR = 0;
    int PICKPOS = 0;
    int BKCOLOR = 0;
    int TXCOLOR = 0;
    int GRAFLG = 0;
    int GRAPTN = 0;
    HWND m_hTargetWnd = nullptr;
    RECT m_rectTarget{};
    RECT m_rectWin{};
    // Shared with every note of the same font and colours (a process holds
    // only so many GDI objects, and users keep hundreds of notes).
    CSharedFont m_font;
    CSharedBrush m_earBrush;  // of COLOR
    CSharedBrush m_bkBrush;   // of BKCOLOR
    int ARLINEWIDTH;
    int m_firstFocus = 1;
    int MOUSEHIDECTL = 0;
    int m_desktop = 0;
    CNoteFade m_fade;  // mouse-in state and the fade steps
    int m_editFocus = 0;
    int BKTRANSPARENT = 0;
    CReserveData m_reserve;
    int m_earFlashes = 0;  // ear colour changes still to come; odd: the ear is hidden
    CArrowData m_arrow;
    // The leader-line window while the leader line is shown (owned: it is
    // an owned window of this one and tells OnArrowWinGone when it ends).
    CArrowWin* m_pArrowWin = nullptr;
    int m_topmost = 0;

    // The mouse-out watch and the fade timer run only while the mouse is
    // over the note or a fade is under way; an idle note has neither.
    // The resize frame (1) or none (0) asked for while the note was hidden,
    // -1 when nothing is pending; applied with the next placement or when
    // the note is shown.
    int m_frameWanted = -1;
    // Sets the pending frame style; true when the style changed.
    bool TakePendingFrame();
    bool m_fadeTimer = false;
    void WatchMouse();
    void ApplyFadeAction(CNoteFade::Action action);
    void StopWatchingMouse();
    void ArmFadeTimer();
    void StopFadeTimer();

    // From BeginStart until CompleteStart the body text is kept here and
    // given to the edit control once, at its final size and font.
    bool m_starting = false;
    std::optional<std::string> m_startText;
    void SetStartText();
    // Where the start placed the note (MoveWindow while starting): the note
    // goes there in the move that shows it.
    std::optional<RECT> m_startPlace;
    // The children's last layout: a layout for the same size, ear side and
    // ear thickness moves nothing.
    struct ChildLayout {
        int cx = -1;
        int cy = -1;
        int pick = -1;
        int ear = -1;
        bool operator==(const ChildLayout&) const = default;
    };
    ChildLayout m_laidOut;

    // Lifetime (see the top of this file).
    bool m_destroying = false;   // WM_DESTROY seen
    bool m_finalDone = false;    // WM_NCDESTROY handled
    bool m_released = false;     // Destroy() called by the record
    std::string m_lastText;      // state kept when the window went away
    int m_lastReadOnly = 0;
    int m_lastFrame = 0;
    PvLogFont m_lastFont{};
};

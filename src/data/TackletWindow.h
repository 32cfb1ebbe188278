// What a note record needs of its note window and of the window system.
//
// The portable record drives these interfaces; the Win32 side implements
// them with real windows, the unit tests with fakes.
#pragma once

#include <string>
#include <vector>

#include "data/ArrowData.h"
#include "data/PvLogFont.h"
#include "data/PvTypes.h"
#include "data/ReserveData.h"
#include "data/WinInf.h"

// A note window as the record sees it. Each setter repaints with the values
// set so far, which is why StartTacklet hands them over in a fixed order.
class ITackletWindow {
public:
    virtual ~ITackletWindow() = default;

    virtual PvHandle Handle() const = 0;

    // Whether the note sits on the desktop, and its target window.
    virtual void SetTarget(bool isDesktop, PvHandle target) = 0;

    // Body text of the edit control; setting it puts the caret at the end.
    virtual void SetText(const std::string& text) = 0;
    virtual std::string GetText() const = 0;

    virtual void SetReadOnly(int readOnly) = 0;
    virtual int IsReadOnly() const = 0;
    virtual void SetBkTransparent(int value) = 0;
    virtual int GetBkTransparent() const = 0;
    virtual void SetTransparent(int percent) = 0;
    virtual int GetTransparent() const = 0;
    virtual void SetMouseHideCtl(int value) = 0;
    virtual int GetMouseHideCtl() const = 0;
    virtual void SetColor(int index) = 0;
    virtual int GetColor() const = 0;
    virtual void SetFrame(int frame) = 0;
    // Whether the window currently has the resize-frame style.
    virtual int HasFrame() const = 0;
    virtual void SetPickPos(int pos) = 0;
    virtual int GetPickPos() const = 0;
    virtual void SetBkColor(int index) = 0;
    virtual int GetBkColor() const = 0;
    virtual void SetTxColor(int index) = 0;
    virtual int GetTxColor() const = 0;
    virtual void SetGradient(int graFlg, int graPtn) = 0;
    virtual int GetGraFlg() const = 0;
    virtual int GetGraPtn() const = 0;

    // Creates a font from the description and gives it to the edit control.
    virtual void SetEditFont(const PvLogFont& font) = 0;
    // Description of the font currently selected for the edit control.
    virtual PvLogFont GetEditFont() const = 0;

    virtual void SetReserve(const CReserveData& reserve) = 0;
    virtual CReserveData GetReserve() const = 0;

    // Current window rectangle (screen) and moving/sizing the window.
    virtual PvRect GetWindowRect() const = 0;
    virtual void MoveWindow(int left, int top, int width, int height) = 0;
    // Last known screen rectangle (m_rectWin).
    virtual PvRect GetRectWin() const = 0;

    virtual void SetTargetRect(const PvRect& rect) = 0;
    virtual PvRect GetTargetRect() const = 0;

    virtual void SetArrow(const CArrowData& arrow, int lineWidth) = 0;
    // The leader-line block; when the line is shown its points are taken
    // from the leader-line window first.
    virtual CArrowData GetArrow() = 0;
    virtual int GetArrowLineWidth() const = 0;

    // Follows the target, whose window rectangle is now `targetNow`: moves
    // by the distance its top-left corner moved since the stored target
    // rectangle, which then becomes `targetNow`. The caller has checked that
    // the target exists and is not minimised or parked; desktop notes stay.
    virtual void FollowTargetTo(const PvRect& targetNow) { (void)targetNow; }

    // Draws attention to the note: its ear blinks a few times, then is as
    // before (a reminder fell due).
    virtual void FlashEar() {}
    // Opens the start of a new window: the values handed over until
    // CompleteStart may be kept and applied together there (a hidden window
    // shows none of them meanwhile; the getters answer them at once).
    virtual void BeginStart() {}

    // Completes the start (target rectangle, leader line, opacity, first
    // follow of the target, timers) and shows the window.
    virtual void CompleteStart() = 0;

    // Destroys the window; the window object deletes itself afterwards.
    virtual void Destroy() = 0;
};

// The window system around the records.
class IWindowSystem {
public:
    virtual ~IWindowSystem() = default;

    virtual bool IsWindow(PvHandle hWnd) = 0;
    virtual bool GetWindowRect(PvHandle hWnd, PvRect* rect) = 0;
    // Work area of the monitor nearest to `rect`; false when unavailable.
    virtual bool GetNearestMonitorWorkArea(const PvRect& rect, PvRect* workArea) = 0;

    // Creates a note window (dialog template 131) owned by `owner`; null when
    // creation failed (the factory discards the half-made window object).
    virtual ITackletWindow* CreateTackletWindow(PvHandle owner) = 0;

    // Initial note size from the settings (INIWIDTH x INIHEIGHT).
    virtual void GetInitialNoteSize(int* width, int* height) = 0;

    // Appends every descendant of `parent` (EnumChildWindows order) that is
    // visible and enabled and whose text, read with a 512-byte buffer, is
    // not empty.
    virtual void EnumerateChildWindows(PvHandle parent, std::vector<CChildWinInf>* children) = 0;

    // A record detached from its window: the controller's notifyUpdateWindow
    // when the controller exists.
    virtual void NotifyUpdateWindow() = 0;
};

// The window system the records use; null (the default) means no windows:
// nothing attaches and nothing is enumerated.
void SetTackletWindowSystem(IWindowSystem* system);
IWindowSystem* TackletWindowSystem();

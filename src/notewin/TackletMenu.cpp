// The note's context menu: which items apply now, and the commands it
// runs. Commands that concern other notes or the note list go to the
// controller through the notify bridge; those may destroy this window.
#include "notewin/TackletWin.h"

#include "platform/NotifyBridge.h"
#include "data/Trace.h"
#include "dialogs/NoteFontDlg.h"
#include "platform/MessageBox.h"
#include "platform/WinConvert.h"
#include "platform/WindowPlace.h"
#include "res/resource.h"
#include "platform/WinText.h"

#include <algorithm>
#include <string>

namespace {

constexpr char kPeelCaption[] = "確認";
constexpr char kPeelQuestion[] = "付箋をはがしますか？";

}  // namespace

void CTackletWin::ShowContextMenu(POINT screen) {
    Trace("OnRButtonUp() \n");
    HMENU menu = ::LoadMenuW(AppInstance(), MAKEINTRESOURCEW(IDR_TACKLET_MENU));
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
    // A note with a reminder has its item checked.
    if (m_reserve.type != 0) ::CheckMenuItem(popup, ID_TACKLET_REMINDER, MF_BYCOMMAND | MF_CHECKED);
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
    case ID_TACKLET_REMINDER: ChooseReminder(); return true;
    case ID_TACKLET_EXPORT: CNotifyBridge::notifyCopyToExportStack(hwnd); return true;
    default: return false;
    }
}

void CTackletWin::PeelOff() {
    Trace("CTackletWin::OnMenuitemdelete() hTargetWnd=0x%08x \n",
          static_cast<unsigned>(reinterpret_cast<UINT_PTR>(m_hTargetWnd)));
    if (ReadEditText().empty()) {
        CNotifyBridge::notifyDeleteWindow(GetHwnd());
        return;
    }
    // The question pumps messages: meanwhile a tick may detach the note and
    // end this window (its target hidden, closed or gone), or another
    // command may remove the note. Its identity is kept across the question,
    // and nothing after it uses this object.
    const std::uint64_t note = CNotifyBridge::NoteIdentity(GetHwnd());
    // The question has no owner window. Owned by the note, it would be
    // destroyed together with the note when the target window closes while
    // the question is open (owned windows go with their owner), and it
    // would stay hidden whenever the target is minimised or hidden.
    if (::MessageBoxW(nullptr, WideOf(kPeelQuestion).c_str(), WideOf(kPeelCaption).c_str(), MB_YESNO) != IDYES) return;
    CNotifyBridge::DeleteNote(note);
}

void CTackletWin::SetFrameStyle(bool on) {
    if (!IsAlive() || (HasFrame() != 0) == on) return;
    SetStyleBits(GetHwnd(), GWL_STYLE, WS_THICKFRAME, on);
    NudgeSize(0);
}

void CTackletWin::ChooseEditFont() {
    if (!IsAlive()) return;
    CNoteFontDlg dlg;
    dlg.m_logFont = ReadEditFont();
    dlg.SetNoteWindow(GetHwnd());
    // The dialog pumps messages: this window may be gone afterwards.
    if (!dlg.Run() || !IsAlive()) return;
    // The new font is given to the edit control before the old one is freed.
    SetEditFont(dlg.m_logFont);
}

bool CTackletWin::TextAroundCaret(int caret, std::string& before, std::string& after) const {
    const std::string text = ReadEditText();
    // The control counts UTF-16 units: the bytes of the first `caret` of them.
    const std::wstring utf16 = WideOf(text);
    const std::size_t units = std::min(static_cast<std::size_t>(caret < 0 ? 0 : caret), utf16.size());
    const std::size_t bytes = TextOf(std::wstring_view(utf16).substr(0, units)).size();
    if (bytes > text.size()) return false;
    before = text.substr(0, bytes);
    after = text.substr(bytes);
    return true;
}

void CTackletWin::Split() {
    const HWND edit = EditHwnd();
    DWORD start = 0;
    DWORD end = 0;
    ::SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    if (start != end) {
        ShowNotice(GetHwnd(), "選択状態です。キャレットを文字間に設定してください。");
        return;
    }
    // The two parts are read from the control's text, not through the
    // clipboard: whatever the user keeps there stays as it is.
    std::string first;
    std::string second;
    if (!TextAroundCaret(static_cast<int>(start), first, second)) return;
    if (first.empty()) {
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

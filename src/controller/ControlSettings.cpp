// The panel's two settings dialogs: properties (hotkeys, text format,
// tracking period) and note defaults (appearance and initial size of new
// notes). The controller copies its values in, runs the dialog and, on OK,
// takes the results back, applies them and writes the settings file.
#include "controller/ControlDlg.h"

#include "dialogs/NoteDefaultDlg.h"
#include "dialogs/PropatyDlg.h"
#include "platform/MessageBox.h"
#include "data/AtomicFile.h"
#include "data/RecordDefaults.h"
#include "res/resource.h"

namespace {
constexpr char kSettingsWriteError[] = "設定ファイルに書き込めませんでした.";
}  // namespace

bool CControlDlg::WritePropatyFile() {
    if (PropatyWriteFile(m_propatyPath, m_settings, m_default)) return true;
    ShowNotice(GetHwnd(), kSettingsWriteError);
    return false;
}

void CControlDlg::EditProperties() {
    // A settings file unreadable at start is read again first, so that its
    // values are shown and kept; while it cannot be read it is not written.
    if (AreFileWritesBlocked(m_propatyPath) && PropatyRereadBlocked(m_propatyPath, m_settings, m_default)) {
        CRecordDefaults::SetArrowLineWidth(m_settings.ARROWLINEWIDTH);
        m_default.ARLINEWIDTH = m_settings.ARROWLINEWIDTH;
    }
    CPropatyDlg dialog;
    dialog.m_saveTiming = m_settings.SAVETIMING;
    dialog.m_format = m_settings.FORMAT;
    dialog.m_pastModifiers = m_settings.HK_PAST_MODIFIERS;
    dialog.m_pastKey = m_settings.HK_PAST_KEY;
    dialog.m_pastDtModifiers = m_settings.HK_PASTDT_MODIFIERS;
    dialog.m_pastDtKey = m_settings.HK_PASTDT_KEY;
    dialog.m_posIntervalChoice = PosIntervalChoice(m_settings.POSINTERVAL);
    dialog.m_pastRegistered = m_windowHotkeyOn;
    dialog.m_pastDtRegistered = m_desktopHotkeyOn;
    if (dialog.DoModal(GetHwnd()) != IDOK) return;

    m_settings.SAVETIMING = dialog.m_saveTiming;
    m_settings.FORMAT = dialog.m_format;
    const HotkeysRefused refused =
        ApplyHotkeys(dialog.m_pastModifiers, dialog.m_pastKey, dialog.m_pastDtModifiers, dialog.m_pastDtKey);
    // The running watch of the followed targets takes the new period at once.
    m_settings.POSINTERVAL = PosIntervalOfChoice(dialog.m_posIntervalChoice);
    m_targetWatch.SetPeriod(static_cast<UINT>(m_settings.POSINTERVAL));
    WritePropatyFile();
    // Told last: the box pumps messages, and everything above is settled.
    TellHotkeysRefused(refused.window, refused.desktop, false);
}

CControlDlg::HotkeysRefused CControlDlg::ApplyHotkeys(int pastModifiers, int pastKey, int pastDtModifiers,
                                                      int pastDtKey) {
    // Both hotkeys are released before either is registered again, so that
    // the two may swap their combinations.
    const CSettingsData before = m_settings;
    const bool windowWasOn = m_windowHotkeyOn;
    const bool desktopWasOn = m_desktopHotkeyOn;
    ::UnregisterHotKey(GetHwnd(), HOTKEY_PASTE_WINDOW);
    ::UnregisterHotKey(GetHwnd(), HOTKEY_PASTE_DESKTOP);
    m_settings.HK_PAST_MODIFIERS = pastModifiers;
    m_settings.HK_PAST_KEY = pastKey;
    m_settings.HK_PASTDT_MODIFIERS = pastDtModifiers;
    m_settings.HK_PASTDT_KEY = pastDtKey;
    m_windowHotkeyOn = RegisterHotkey(HOTKEY_PASTE_WINDOW, pastModifiers, pastKey);
    m_desktopHotkeyOn = RegisterHotkey(HOTKEY_PASTE_DESKTOP, pastDtModifiers, pastDtKey);
    const HotkeysRefused refused{!m_windowHotkeyOn, !m_desktopHotkeyOn};
    // A combination the system refuses now (another program took it after
    // the dialog's test) leaves the one that worked before in force, and
    // that is what the settings keep.
    if (refused.window && windowWasOn) {
        m_settings.HK_PAST_MODIFIERS = before.HK_PAST_MODIFIERS;
        m_settings.HK_PAST_KEY = before.HK_PAST_KEY;
        m_windowHotkeyOn = RegisterHotkey(HOTKEY_PASTE_WINDOW, m_settings.HK_PAST_MODIFIERS, m_settings.HK_PAST_KEY);
    }
    if (refused.desktop && desktopWasOn) {
        m_settings.HK_PASTDT_MODIFIERS = before.HK_PASTDT_MODIFIERS;
        m_settings.HK_PASTDT_KEY = before.HK_PASTDT_KEY;
        m_desktopHotkeyOn =
            RegisterHotkey(HOTKEY_PASTE_DESKTOP, m_settings.HK_PASTDT_MODIFIERS, m_settings.HK_PASTDT_KEY);
    }
    return refused;
}

void CControlDlg::EditNoteDefaults() {
    // As for the properties: an unreadable settings file is read again first.
    if (AreFileWritesBlocked(m_propatyPath) && PropatyRereadBlocked(m_propatyPath, m_settings, m_default)) {
        CRecordDefaults::SetArrowLineWidth(m_settings.ARROWLINEWIDTH);
        m_default.ARLINEWIDTH = m_settings.ARROWLINEWIDTH;
    }
    CNoteDefaultDlg dialog;
    dialog.m_defaults = m_default;
    dialog.m_iniHeight = m_settings.INIHEIGHT;
    dialog.m_iniWidth = m_settings.INIWIDTH;
    dialog.m_limits = *this;
    if (dialog.DoModal(GetHwnd()) != IDOK) return;
    m_default = dialog.m_defaults;
    m_settings.INIHEIGHT = dialog.m_iniHeight;
    m_settings.INIWIDTH = dialog.m_iniWidth;
    // The leader-line width of new notes is stored as a setting of its own.
    m_settings.ARROWLINEWIDTH = m_default.ARLINEWIDTH;
    CRecordDefaults::SetArrowLineWidth(m_settings.ARROWLINEWIDTH);
    WritePropatyFile();
}

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
    if (dialog.DoModal(GetHwnd()) != IDOK) return;

    m_settings.SAVETIMING = dialog.m_saveTiming;
    m_settings.FORMAT = dialog.m_format;
    // Both hotkeys are released before either is registered again, so that
    // the two may swap their combinations.
    ::UnregisterHotKey(GetHwnd(), HOTKEY_PASTE_WINDOW);
    ::UnregisterHotKey(GetHwnd(), HOTKEY_PASTE_DESKTOP);
    m_settings.HK_PAST_MODIFIERS = dialog.m_pastModifiers;
    m_settings.HK_PAST_KEY = dialog.m_pastKey;
    m_settings.HK_PASTDT_MODIFIERS = dialog.m_pastDtModifiers;
    m_settings.HK_PASTDT_KEY = dialog.m_pastDtKey;
    RegisterHotkeys(false);
    // The running watch of the followed targets takes the new period at once.
    m_settings.POSINTERVAL = PosIntervalOfChoice(dialog.m_posIntervalChoice);
    m_targetWatch.SetPeriod(static_cast<UINT>(m_settings.POSINTERVAL));
    WritePropatyFile();
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

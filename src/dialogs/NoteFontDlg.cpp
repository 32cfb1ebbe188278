#include "dialogs/NoteFontDlg.h"

#include <commdlg.h>

#include "platform/WinConvert.h"

bool CNoteFontDlg::Run(HWND owner) {
    LOGFONTA lf = ToLogFontA(m_logFont);
    CHOOSEFONTA cf{};
    cf.lStructSize = sizeof cf;
    cf.hwndOwner = owner;
    cf.lpLogFont = &lf;
    cf.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT;  // no CF_EFFECTS
    if (!::ChooseFontA(&cf)) return false;
    if (m_forNote && !::IsWindow(m_hNoteWnd)) return false;
    m_logFont = ToPvLogFont(lf);
    return true;
}

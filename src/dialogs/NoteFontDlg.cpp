#include "dialogs/NoteFontDlg.h"

#include <commdlg.h>

#include "platform/Dpi.h"
#include "platform/WinConvert.h"

bool CNoteFontDlg::Run(HWND owner) {
    // The dialog measures point sizes with the screen's DPI; the font is
    // kept at 96 DPI.
    const UINT dpi = SystemDpi();
    LOGFONTW lf = ToLogFont(FontAtDpi(m_logFont, dpi));
    CHOOSEFONTW cf{};
    cf.lStructSize = sizeof cf;
    cf.hwndOwner = owner;
    cf.lpLogFont = &lf;
    cf.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT;  // no CF_EFFECTS
    if (!::ChooseFontW(&cf)) return false;
    if (m_forNote && !::IsWindow(m_hNoteWnd)) return false;
    m_logFont = FontAt96(ToPvLogFont(lf), dpi);
    return true;
}

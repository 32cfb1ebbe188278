#include "dialogs/NoteDefaultDlg.h"

#include "dialogs/InitSizeDlg.h"
#include "dialogs/NoteDefaultsText.h"
#include "data/DpiScale.h"
#include "res/resource.h"
#include "platform/WinText.h"

namespace {
const int kSummaryIds[] = {IDC_DEFAULTS_PICKPOS,  IDC_DEFAULTS_FRAME,       IDC_DEFAULTS_FONTSIZE,
                           IDC_DEFAULTS_TRANSPARENT, IDC_DEFAULTS_FACENAME, IDC_DEFAULTS_MOUSEHIDE,
                           IDC_DEFAULTS_INIHEIGHT, IDC_DEFAULTS_INIWIDTH,   IDC_DEFAULTS_ARROW,
                           IDC_DEFAULTS_GRADIENT};
}  // namespace

CNoteDefaultDlg::CNoteDefaultDlg() : CDialog(IDD_NOTEDEFAULT) {}

BOOL CNoteDefaultDlg::OnInitDialog() {
    m_summaryBrush.Reset(::CreateSolidBrush(RGB(255, 255, 180)));
    ShowSummary();
    return TRUE;
}

void CNoteDefaultDlg::ShowSummary() {
    using namespace NoteDefaultsText;
    const CTackletData& d = m_defaults;
    auto set = [this](int id, const std::string& text) { SetItemText(GetHwnd(), id, text); };
    set(IDC_DEFAULTS_PICKPOS, EarPosition(d.PICKPOS));
    set(IDC_DEFAULTS_GRADIENT, Gradient(d.GRAFLG, d.GRAPTN));
    set(IDC_DEFAULTS_ARROW, LeaderLine(d.m_arrow.ARWFLAG, d.ARLINEWIDTH));
    set(IDC_DEFAULTS_FACENAME, std::string(FaceNameOf(d.m_logFont)));
    // Note fonts are kept at 96 DPI whatever the screen's scaling.
    const FontSize size = FontSizeText(d.m_logFont.lfHeight, kBaseDpi);
    set(IDC_DEFAULTS_SIZELABEL, size.label);
    set(IDC_DEFAULTS_FONTSIZE, size.value);
    set(IDC_DEFAULTS_TRANSPARENT, Number(d.TRANSPARENT_));
    set(IDC_DEFAULTS_MOUSEHIDE, MouseHide(d.MOUSEHIDECTL));
    set(IDC_DEFAULTS_FRAME, Frame(d.FRAME));
    set(IDC_DEFAULTS_INIHEIGHT, Number(m_iniHeight));
    set(IDC_DEFAULTS_INIWIDTH, Number(m_iniWidth));
    m_textSwatch.Reset(::CreateSolidBrush(TextColor(d.TXCOLOR)));
    m_earSwatch.Reset(::CreateSolidBrush(EarColor(d.COLOR)));
    m_backgroundSwatch.Reset(::CreateSolidBrush(BackgroundColor(d.BKCOLOR)));
    ::InvalidateRect(GetHwnd(), nullptr, TRUE);
}

HBRUSH CNoteDefaultDlg::StaticColors(HDC dc, HWND control) {
    ::SetBkMode(dc, TRANSPARENT);
    switch (::GetDlgCtrlID(control)) {
    case IDC_DEFAULTS_TXCOLOR: return m_textSwatch.Get();
    case IDC_DEFAULTS_COLOR: return m_earSwatch.Get();
    case IDC_DEFAULTS_BKCOLOR: return m_backgroundSwatch.Get();
    default: break;
    }
    for (int id : kSummaryIds)
        if (::GetDlgCtrlID(control) == id) return m_summaryBrush.Get();
    return ::GetSysColorBrush(COLOR_BTNFACE);
}

bool CNoteDefaultDlg::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg != WM_CTLCOLORSTATIC) return false;
    result = reinterpret_cast<LRESULT>(StaticColors(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
    return true;
}

bool CNoteDefaultDlg::OnCommand(WORD id, WORD code, HWND control) {
    switch (id) {
    case IDC_DEFAULTS_CHANGE_COLOR: OnColor(); return true;
    case IDC_DEFAULTS_CHANGE_FONT: OnFont(); return true;
    case IDC_DEFAULTS_CHANGE_TRANSPARENT: OnTransparency(); return true;
    case IDC_DEFAULTS_CHANGE_FRAME: OnFrame(); return true;
    case IDC_DEFAULTS_CHANGE_SIZE: OnInitialSize(); return true;
    default: return CDialog::OnCommand(id, code, control);
    }
}

void CNoteDefaultDlg::OnInitialSize() {
    CInitSizeDlg dialog;
    dialog.m_height = m_iniHeight;
    dialog.m_width = m_iniWidth;
    dialog.m_limits = m_limits;
    if (dialog.DoModal(GetHwnd()) != IDOK) return;
    m_iniHeight = dialog.m_height;
    m_iniWidth = dialog.m_width;
    ShowSummary();
}

#include "dialogs/TackletColorDlg.h"

#include "dialogs/RadioGroup.h"
#include "platform/NoteColors.h"
#include "res/resource.h"

namespace {

constexpr CRadioChoice kEarPos[] = {{IDC_COLOR_POS_RIGHT, 0}, {IDC_COLOR_POS_TOP, 1}, {IDC_COLOR_POS_LEFT, 2},
                                    {IDC_COLOR_POS_BOTTOM, 3}};
constexpr CRadioChoice kTextColor[] = {{IDC_COLOR_TX_BLACK, 0}, {IDC_COLOR_TX_RED, 1}, {IDC_COLOR_TX_BLUE, 2}};
constexpr CRadioChoice kEarColor[] = {{IDC_COLOR_EAR_RED, 0}, {IDC_COLOR_EAR_GREEN, 1}, {IDC_COLOR_EAR_BLUE, 2},
                                      {IDC_COLOR_EAR_ORANGE, 3}, {IDC_COLOR_EAR_BLACK, 4}};
constexpr CRadioChoice kBkColor[] = {{IDC_COLOR_BK_WHITE, 0}, {IDC_COLOR_BK_RED, 1},    {IDC_COLOR_BK_GREEN, 2},
                                     {IDC_COLOR_BK_BLUE, 3},  {IDC_COLOR_BK_ORANGE, 4}, {IDC_COLOR_BK_GREY, 5}};
constexpr CRadioChoice kPattern[] = {{IDC_COLOR_PTN_FIRST + 0, 0}, {IDC_COLOR_PTN_FIRST + 1, 1},
                                     {IDC_COLOR_PTN_FIRST + 2, 2}, {IDC_COLOR_PTN_FIRST + 3, 3},
                                     {IDC_COLOR_PTN_FIRST + 4, 4}, {IDC_COLOR_PTN_FIRST + 5, 5},
                                     {IDC_COLOR_PTN_FIRST + 6, 6}, {IDC_COLOR_PTN_FIRST + 7, 7}};
constexpr CRadioChoice kArrow[] = {{IDC_COLOR_ARROW_OFF, 0}, {IDC_COLOR_ARROW_ON, 1}};
constexpr CRadioChoice kWidth[] = {{IDC_COLOR_WIDTH_THIN, 0}, {IDC_COLOR_WIDTH_NORMAL, 1},
                                   {IDC_COLOR_WIDTH_THICK, 2}};

bool IsButton(HWND control) {
    wchar_t cls[16] = {};
    ::GetClassNameW(control, cls, 16);
    return ::lstrcmpiW(cls, L"Button") == 0;
}

}  // namespace

CColorValues CColorValues::Of(const CTackletData& note) {
    return {note.COLOR,  note.PICKPOS, note.BKCOLOR, note.TXCOLOR, note.m_arrow.ARWFLAG,
            note.GRAFLG, note.GRAPTN,  note.ARLINEWIDTH};
}

void CColorValues::ApplyTo(CTackletData& note) const {
    note.COLOR = COLOR;
    note.PICKPOS = PICKPOS;
    note.BKCOLOR = BKCOLOR;
    note.TXCOLOR = TXCOLOR;
    note.m_arrow.ARWFLAG = ARWFLAG;
    note.GRAFLG = GRAFLG;
    note.GRAPTN = GRAPTN;
    note.ARLINEWIDTH = ARLINEWIDTH;
}

CTackletColorDlg::CTackletColorDlg() : CAppearanceDlg(IDD_TACKLET_COLOR) {}

const std::array<CTackletColorDlg::CSwatch, 10>& CTackletColorDlg::Swatches() {
    // The colours the note window draws with for the same indices.
    static const std::array<CSwatch, 10> swatches = {{
        {IDC_COLOR_SW_EAR_RED, NoteColors::Ear(0)},
        {IDC_COLOR_SW_EAR_GREEN, NoteColors::Ear(1)},
        {IDC_COLOR_SW_EAR_BLUE, NoteColors::Ear(2)},
        {IDC_COLOR_SW_EAR_ORANGE, NoteColors::Ear(3)},
        {IDC_COLOR_SW_EAR_BLACK, NoteColors::Ear(4)},
        {IDC_COLOR_SW_BK_RED, NoteColors::Background(1)},
        {IDC_COLOR_SW_BK_GREEN, NoteColors::Background(2)},
        {IDC_COLOR_SW_BK_BLUE, NoteColors::Background(3)},
        {IDC_COLOR_SW_BK_ORANGE, NoteColors::Background(4)},
        {IDC_COLOR_SW_BK_GREY, NoteColors::Background(5)},
    }};
    return swatches;
}

BOOL CTackletColorDlg::OnInitDialog() {
    for (size_t i = 0; i < Swatches().size(); ++i) m_swatchBrushes[i].Reset(::CreateSolidBrush(Swatches()[i].color));
    return CAppearanceDlg::OnInitDialog();
}

void CTackletColorDlg::ShowValues() {
    const HWND dlg = GetHwnd();
    ShowRadio(dlg, kEarPos, PICKPOS);
    ShowRadio(dlg, kTextColor, TXCOLOR);
    ShowRadio(dlg, kEarColor, COLOR);
    ShowRadio(dlg, kBkColor, BKCOLOR);
    ::CheckDlgButton(dlg, IDC_COLOR_GRADIENT, GRAFLG ? BST_CHECKED : BST_UNCHECKED);
    ShowRadio(dlg, kPattern, GRAPTN);
    ShowRadio(dlg, kArrow, ARWFLAG);
    ShowRadio(dlg, kWidth, ARLINEWIDTH);
    EnablePatterns();
}

void CTackletColorDlg::ReadControls() {
    const HWND dlg = GetHwnd();
    PICKPOS = ReadRadio(dlg, kEarPos, PICKPOS);
    TXCOLOR = ReadRadio(dlg, kTextColor, TXCOLOR);
    COLOR = ReadRadio(dlg, kEarColor, COLOR);
    BKCOLOR = ReadRadio(dlg, kBkColor, BKCOLOR);
    GRAFLG = ::IsDlgButtonChecked(dlg, IDC_COLOR_GRADIENT) == BST_CHECKED ? 1 : 0;
    // A disabled pattern keeps its choice, so the pattern is read either way.
    GRAPTN = ReadRadio(dlg, kPattern, GRAPTN);
    ARWFLAG = ReadRadio(dlg, kArrow, ARWFLAG);
    ARLINEWIDTH = ReadRadio(dlg, kWidth, ARLINEWIDTH);
}

void CTackletColorDlg::OnControl(WORD id, WORD code) {
    if (id == IDC_COLOR_GRADIENT && code == BN_CLICKED) EnablePatterns();
}

void CTackletColorDlg::EnablePatterns() {
    EnableRadio(GetHwnd(), kPattern, ::IsDlgButtonChecked(GetHwnd(), IDC_COLOR_GRADIENT) == BST_CHECKED);
}

bool CTackletColorDlg::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg != WM_CTLCOLORSTATIC && msg != WM_CTLCOLORBTN) return false;
    result = reinterpret_cast<LRESULT>(ControlColors(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
    return true;
}

HBRUSH CTackletColorDlg::ControlColors(HDC dc, HWND control) {
    ::SetBkMode(dc, TRANSPARENT);
    const int id = ::GetDlgCtrlID(control);
    for (size_t i = 0; i < Swatches().size(); ++i) {
        if (Swatches()[i].id == id) return m_swatchBrushes[i].Get();
    }
    // Radio buttons and check boxes show the dialog through them.
    if (IsButton(control)) return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
    return ::GetSysColorBrush(COLOR_BTNFACE);
}

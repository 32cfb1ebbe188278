#include "collections/SerchDlg.h"

#include "collections/NoteStackDlg.h"
#include "data/MbString.h"
#include "data/NoteDate.h"
#include "platform/MessageBox.h"
#include "platform/WindowText.h"
#include "res/resource.h"
#include "platform/WinText.h"

#include <commctrl.h>

namespace {
constexpr int kMinDays = 5;
constexpr int kMaxDays = 1000;
constexpr int kDefaultDays = 90;

bool Checked(HWND dialog, int id) { return ::IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
void Check(HWND dialog, int id, bool on) { ::CheckDlgButton(dialog, id, on ? BST_CHECKED : BST_UNCHECKED); }
}  // namespace

CSerchDlg::CSerchDlg() : CDialog(IDD_SEARCH) {}

CSerchDlg::~CSerchDlg() {
    if (m_noResultBrush) ::DeleteObject(m_noResultBrush);
    if (m_resultBrush) ::DeleteObject(m_resultBrush);
}

bool CSerchDlg::CreateHidden(HWND owner) {
    if (!Create(owner)) return false;
    ::ShowWindow(GetHwnd(), SW_HIDE);
    return true;
}

BOOL CSerchDlg::OnInitDialog() {
    m_noResultBrush = ::CreateSolidBrush(RGB(255, 255, 180));
    m_resultBrush = ::CreateSolidBrush(RGB(0, 255, 0));
    ::SendDlgItemMessageW(GetHwnd(), IDC_SEARCH_DAYS_SPIN, UDM_SETRANGE32, kMinDays, kMaxDays);
    ::SendDlgItemMessageW(GetHwnd(), IDC_SEARCH_DAYS_SPIN, UDM_SETPOS32, 0, kDefaultDays);
    UpdateLabel();
    return TRUE;
}

void CSerchDlg::Open() {
    m_results.Reset();
    m_values.days = kDefaultDays;
    ::SendDlgItemMessageW(GetHwnd(), IDC_SEARCH_DAYS_SPIN, UDM_SETRANGE32, kMinDays, kMaxDays);
    ::SendDlgItemMessageW(GetHwnd(), IDC_SEARCH_DAYS_SPIN, UDM_SETPOS32, 0, kDefaultDays);
    UpdateLabel();
}

void CSerchDlg::ReadControls() {
    HWND d = GetHwnd();
    m_values.textOn = Checked(d, IDC_SEARCH_TEXT_ON);
    m_values.titleOn = Checked(d, IDC_SEARCH_TITLE_ON);
    m_values.exeOn = Checked(d, IDC_SEARCH_EXE_ON);
    m_values.daysOn = Checked(d, IDC_SEARCH_DAYS_ON);
    m_values.shownOn = Checked(d, IDC_SEARCH_SHOWN_ON);
    m_values.textCaseSensitive = Checked(d, IDC_SEARCH_TEXT_CASE);
    m_values.titleCaseSensitive = Checked(d, IDC_SEARCH_TITLE_CASE);
    m_values.text = WindowText(GetItem(IDC_SEARCH_TEXT));
    m_values.title = WindowText(GetItem(IDC_SEARCH_TITLE));
    m_values.exe = WindowText(GetItem(IDC_SEARCH_EXE));
    BOOL ok = FALSE;
    const LRESULT pos = ::SendDlgItemMessageW(d, IDC_SEARCH_DAYS_SPIN, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&ok));
    m_values.days = static_cast<int>(pos);
}

void CSerchDlg::WriteControls() {
    HWND d = GetHwnd();
    Check(d, IDC_SEARCH_TEXT_ON, m_values.textOn);
    Check(d, IDC_SEARCH_TITLE_ON, m_values.titleOn);
    Check(d, IDC_SEARCH_EXE_ON, m_values.exeOn);
    Check(d, IDC_SEARCH_DAYS_ON, m_values.daysOn);
    Check(d, IDC_SEARCH_SHOWN_ON, m_values.shownOn);
    Check(d, IDC_SEARCH_TEXT_CASE, m_values.textCaseSensitive);
    Check(d, IDC_SEARCH_TITLE_CASE, m_values.titleCaseSensitive);
    SetItemText(d, IDC_SEARCH_TEXT, m_values.text);
    SetItemText(d, IDC_SEARCH_TITLE, m_values.title);
    SetItemText(d, IDC_SEARCH_EXE, m_values.exe);
    ::SendDlgItemMessageW(d, IDC_SEARCH_DAYS_SPIN, UDM_SETPOS32, 0, m_values.days);
}

void CSerchDlg::Execute() {
    ReadControls();
    if (const char* notice = SearchNotice(m_values)) {
        ShowNotice(GetHwnd(), notice);
        return;
    }
    m_inForce = m_values;
    m_inForce.exe = MbToUpper(m_values.exe);
    Search();
    UpdateLabel();
    ShowCurrent();
    if (m_source) m_source->SetSearchSubscription(1, WM_SEARCH_REFRESH, GetHwnd());
}

void CSerchDlg::Search() {
    if (!m_source) return;
    std::vector<int> found = RunSearch(m_inForce, m_source->NotesForSearch(), NowTime());
    std::vector<std::uint64_t> identities = IdentitiesOf(found);
    m_results.Set(std::move(found), std::move(identities));
}

void CSerchDlg::SearchAgain() {
    if (!m_source) return;
    std::vector<int> found = RunSearch(m_inForce, m_source->NotesForSearch(), NowTime());
    std::vector<std::uint64_t> identities = IdentitiesOf(found);
    m_results.Rerun(std::move(found), std::move(identities));
}

std::vector<std::uint64_t> CSerchDlg::IdentitiesOf(const std::vector<int>& positions) const {
    std::vector<std::uint64_t> identities;
    identities.reserve(positions.size());
    for (int position : positions) identities.push_back(m_source->NoteIdentityAt(position));
    return identities;
}

void CSerchDlg::UpdateLabel() {
    WriteControls();
    SetItemText(GetHwnd(), IDC_SEARCH_RESULT, m_results.Label());
    ::InvalidateRect(GetItem(IDC_SEARCH_RESULT), nullptr, TRUE);
}

void CSerchDlg::ShowCurrent() {
    const int position = m_results.CurrentPosition();
    if (position >= 0 && m_source) m_source->ShowNoteRow(position);
}

void CSerchDlg::Close() {
    ::ShowWindow(GetHwnd(), SW_HIDE);
    if (m_onClosed) m_onClosed();
}

bool CSerchDlg::OnCommand(WORD id, WORD, HWND) {
    switch (id) {
    case IDC_SEARCH_RUN: Execute(); return true;
    case IDC_SEARCH_PREV:
    case IDC_SEARCH_NEXT:
        if (!(id == IDC_SEARCH_PREV ? m_results.Previous() : m_results.Next())) return true;
        UpdateLabel();
        ShowCurrent();
        return true;
    case IDOK:
    case IDCANCEL: Close(); return true;
    default: return false;
    }
}

bool CSerchDlg::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
    case WM_SEARCH_REFRESH:
        // The main panel's list was rebuilt: follow it while there is a
        // result, staying on the note the user walked to.
        if (m_results.Current() == -1) return true;
        SearchAgain();
        UpdateLabel();
        ShowCurrent();
        return true;
    case WM_NCLBUTTONDOWN: {
        if (wParam != HTCAPTION) return false;
        // A drag on the caption moves the main window; the panel follows it.
        HWND owner = ::GetWindow(GetHwnd(), GW_OWNER);
        if (!owner) return false;
        ::PostMessageW(owner, WM_NCLBUTTONDOWN, HTCAPTION, lParam);
        result = 0;
        return true;
    }
    case WM_CTLCOLORSTATIC:
        if (reinterpret_cast<HWND>(lParam) != GetItem(IDC_SEARCH_RESULT)) return false;
        ::SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        result = reinterpret_cast<LRESULT>(m_results.Current() == -1 ? m_noResultBrush : m_resultBrush);
        return true;
    default:
        return false;
    }
}

#include "dialogs/PropatyDlg.h"

#include "platform/MessageBox.h"
#include "res/resource.h"
#include "platform/WinText.h"

#include <string>

namespace {
constexpr char kCurrentSetting[] = "現在の設定です。";
constexpr char kAvailable[] = "設定可能です.";
constexpr char kTakenByOther[] =
    "このキーの組み合わせは既に他のアプリケーションで使用されています。他の組み合わせに変更してください.";
constexpr char kWindowTaken[] =
    "ウィンドウへの貼り付け設定は既に他のアプリケーションで使用されています。他の組み合わせに変更してください.";
constexpr char kDesktopTaken[] =
    "デスクトップへの貼り付け設定は既に他のアプリケーションで使用されています。他の組み合わせに変更してください.";
constexpr char kSameForBoth[] =
    "ウィンドウへの貼り付けとデスクトップへの貼り付けに同じキーの組み合わせは設定できません.";
constexpr char kNoCombination[] = "ホットキーが設定されていません.変更したいキーを押下してください.";

// Under the fields while a combination the dialog opened with is not
// registered (the system or another program holds it).
constexpr wchar_t kWindowNotRegistered[] = L"ウィンドウへの貼り付けホットキーは未登録です.";
constexpr wchar_t kDesktopNotRegistered[] = L"デスクトップへの貼り付けホットキーは未登録です.";

const int kFieldIds[2] = {IDC_PROPATY_HK_PAST, IDC_PROPATY_HK_PASTDT};
const int kPeriodIds[3] = {IDC_PROPATY_PERIOD_10, IDC_PROPATY_PERIOD_20, IDC_PROPATY_PERIOD_50};
}  // namespace

CPropatyDlg::CPropatyDlg() : CDialog(IDD_PROPATY) {}

BOOL CPropatyDlg::OnInitDialog() {
    m_opened[kWindowField] = Combination{m_pastKey, m_pastModifiers};
    m_opened[kDesktopField] = Combination{m_pastDtKey, m_pastDtModifiers};
    m_held[kWindowField] = m_pastRegistered;
    m_held[kDesktopField] = m_pastDtRegistered;
    ShowRefusedHotkeys();
    for (int f = 0; f < 2; ++f) {
        m_fields[f].Attach(GetItem(kFieldIds[f]));
        m_fields[f].SetHotKey(m_opened[f].key, m_opened[f].modifiers);
    }
    const HWND hwnd = GetHwnd();
    if (m_saveTiming == 0 || m_saveTiming == 1)
        ::CheckRadioButton(hwnd, IDC_PROPATY_SAVE_ATEXIT, IDC_PROPATY_SAVE_EACH,
                           m_saveTiming == 0 ? IDC_PROPATY_SAVE_ATEXIT : IDC_PROPATY_SAVE_EACH);
    ::CheckRadioButton(hwnd, IDC_PROPATY_PLAIN, IDC_PROPATY_SCRAMBLE,
                       m_format == 1 ? IDC_PROPATY_SCRAMBLE : IDC_PROPATY_PLAIN);
    const int choice = m_posIntervalChoice >= 0 && m_posIntervalChoice < 3 ? m_posIntervalChoice : 2;
    ::CheckRadioButton(hwnd, IDC_PROPATY_PERIOD_10, IDC_PROPATY_PERIOD_50, kPeriodIds[choice]);
    // The keyboard starts on OK: a hotkey field with the focus would take
    // every key, so it captures only once the user clicks it.
    ::SetFocus(GetItem(IDOK));
    return FALSE;
}

void CPropatyDlg::ShowRefusedHotkeys() {
    std::wstring text;
    if (!m_held[kWindowField]) text += kWindowNotRegistered;
    if (!m_held[kDesktopField]) text += (text.empty() ? L"" : L"\r\n") + std::wstring(kDesktopNotRegistered);
    const HWND status = GetItem(IDC_PROPATY_HK_STATUS);
    ::SetWindowTextW(status, text.c_str());
    ::ShowWindow(status, text.empty() ? SW_HIDE : SW_SHOWNA);
}

bool CPropatyDlg::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg != WM_CTLCOLORSTATIC || reinterpret_cast<HWND>(lParam) != GetItem(IDC_PROPATY_HK_STATUS)) return false;
    // In red, as a warning; on the dialog's own background.
    const HDC dc = reinterpret_cast<HDC>(wParam);
    ::SetTextColor(dc, RGB(200, 0, 0));
    ::SetBkMode(dc, TRANSPARENT);
    result = reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
    return true;
}

bool CPropatyDlg::OnCommand(WORD id, WORD code, HWND control) {
    switch (id) {
    case IDC_PROPATY_CHECK_PAST: OnCheckDuplicate(kWindowField); return true;
    case IDC_PROPATY_CHECK_PASTDT: OnCheckDuplicate(kDesktopField); return true;
    case IDOK: OnOk(); return true;
    default: return CDialog::OnCommand(id, code, control);
    }
}

CPropatyDlg::Combination CPropatyDlg::Read(Field field) const {
    Combination c;
    m_fields[field].GetHotKey(&c.key, &c.modifiers);
    return c;
}

bool CPropatyDlg::TryRegister(const Combination& c) const {
    // Registered and released at once: only whether the system lets us.
    if (!::RegisterHotKey(GetHwnd(), kTrialHotkeyId, static_cast<UINT>(c.modifiers), static_cast<UINT>(c.key)))
        return false;
    ::UnregisterHotKey(GetHwnd(), kTrialHotkeyId);
    return true;
}

bool CPropatyDlg::Available(const Combination& c) const {
    // An opened combination is ours only while it is registered.
    for (int f = 0; f < 2; ++f)
        if (c == m_opened[f] && m_held[f]) return true;
    return TryRegister(c);
}

void CPropatyDlg::OnCheckDuplicate(Field field) {
    const Combination c = Read(field);
    const Field other = field == kWindowField ? kDesktopField : kWindowField;
    if (c == m_opened[field]) {
        ShowNotice(GetHwnd(), kCurrentSetting);
    } else if (c.Empty()) {
        ShowNotice(GetHwnd(), kNoCombination);
    } else if (c == Read(other)) {
        ShowNotice(GetHwnd(), kSameForBoth);
    } else {
        ShowNotice(GetHwnd(), Available(c) ? kAvailable : kTakenByOther);
    }
}

void CPropatyDlg::OnOk() {
    const Combination window = Read(kWindowField);
    const Combination desktop = Read(kDesktopField);
    const char* const taken[2] = {kWindowTaken, kDesktopTaken};
    const Combination read[2] = {window, desktop};
    for (int f = 0; f < 2; ++f) {
        if (read[f] == m_opened[f]) continue;
        if (read[f].Empty()) {
            ShowNotice(GetHwnd(), kNoCombination);
            return;
        }
        if (!Available(read[f])) {
            ShowNotice(GetHwnd(), taken[f]);
            return;
        }
    }
    if (window == desktop) {
        ShowNotice(GetHwnd(), kSameForBoth);
        return;
    }
    m_pastKey = window.key;
    m_pastModifiers = window.modifiers;
    m_pastDtKey = desktop.key;
    m_pastDtModifiers = desktop.modifiers;

    const HWND hwnd = GetHwnd();
    if (::IsDlgButtonChecked(hwnd, IDC_PROPATY_SAVE_ATEXIT)) m_saveTiming = 0;
    if (::IsDlgButtonChecked(hwnd, IDC_PROPATY_SAVE_EACH)) m_saveTiming = 1;
    m_format = ::IsDlgButtonChecked(hwnd, IDC_PROPATY_SCRAMBLE) ? 1 : 0;
    for (int i = 0; i < 3; ++i)
        if (::IsDlgButtonChecked(hwnd, kPeriodIds[i])) m_posIntervalChoice = i;
    EndDialog(IDOK);
}

#include "dialogs/ReminderDlg.h"

#include <commctrl.h>

#include "dialogs/RadioGroup.h"
#include "platform/MessageBox.h"
#include "res/resource.h"

namespace {

constexpr CRadioChoice kType[] = {
    {IDC_REMIND_OFF, CReminderRule::kNone}, {IDC_REMIND_ONCE, CReminderRule::kOnce},
    {IDC_REMIND_WEEKLY, CReminderRule::kWeekly}};
constexpr int kWeekdayBoxes[7] = {IDC_REMIND_SUN, IDC_REMIND_MON, IDC_REMIND_TUE, IDC_REMIND_WED,
                                  IDC_REMIND_THU, IDC_REMIND_FRI, IDC_REMIND_SAT};
constexpr char kNoWeekday[] = "曜日を選んでください.";
constexpr char kPastTime[] = "過ぎた日時です.これからの日時を指定してください.";

SYSTEMTIME ToSystemTime(const LocalClock& c) {
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(c.year);
    st.wMonth = static_cast<WORD>(c.month);
    st.wDay = static_cast<WORD>(c.day);
    st.wDayOfWeek = static_cast<WORD>(c.weekday);
    st.wHour = static_cast<WORD>(c.hour);
    st.wMinute = static_cast<WORD>(c.minute);
    return st;
}

SYSTEMTIME PickerTime(HWND picker) {
    SYSTEMTIME st{};
    ::SendMessageW(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st));
    return st;
}

// Same kind, date, time and weekdays.
bool SameSchedule(const CReserveData& a, const CReserveData& b) {
    if (a.type != b.type) return false;
    switch (a.type) {
    case CReminderRule::kOnce:
        return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour && a.minute == b.minute;
    case CReminderRule::kWeekly:
        return a.weekdayMask == b.weekdayMask && a.hour == b.hour && a.minute == b.minute;
    default:
        return true;
    }
}

}  // namespace

CReminderDlg::CReminderDlg() : CAppearanceDlg(IDD_REMINDER) {
    // The date and time pickers are registered on request.
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_DATE_CLASSES};
    ::InitCommonControlsEx(&icc);
}

void CReminderDlg::ShowValues() {
    const HWND dlg = GetHwnd();
    const LocalMinute now = LocalMinuteNow();
    // A new reminder starts at the next full hour of today.
    LocalClock shown = ToLocalClock((now / 60 + 1) * 60);
    std::int32_t weekdays = 1 << ToLocalClock(now).weekday;
    if (m_reserve.type == CReminderRule::kOnce) {
        LocalMinute at = 0;
        if (ToLocalMinute(m_reserve.year, m_reserve.month, m_reserve.day, m_reserve.hour, m_reserve.minute, &at))
            shown = ToLocalClock(at);
    } else if (m_reserve.type == CReminderRule::kWeekly) {
        shown.hour = m_reserve.hour;
        shown.minute = m_reserve.minute;
        weekdays = m_reserve.weekdayMask;
    }
    const SYSTEMTIME st = ToSystemTime(shown);
    ::SendMessageW(GetItem(IDC_REMIND_DATE), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
    ::SendMessageW(GetItem(IDC_REMIND_TIME), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
    // Without seconds: a reminder is set to the minute.
    ::SendMessageW(GetItem(IDC_REMIND_TIME), DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(L"HH:mm"));
    for (int d = 0; d < 7; ++d)
        ::CheckDlgButton(dlg, kWeekdayBoxes[d], (weekdays & (1 << d)) ? BST_CHECKED : BST_UNCHECKED);
    ShowRadio(dlg, kType, m_reserve.type);
    EnableForType(m_reserve.type);
}

void CReminderDlg::EnableForType(int type) {
    ::EnableWindow(GetItem(IDC_REMIND_DATE), type == CReminderRule::kOnce);
    ::EnableWindow(GetItem(IDC_REMIND_TIME), type != CReminderRule::kNone);
    for (int id : kWeekdayBoxes) ::EnableWindow(GetItem(id), type == CReminderRule::kWeekly);
}

void CReminderDlg::OnControl(WORD id, WORD code) {
    if (code == BN_CLICKED && (id == IDC_REMIND_OFF || id == IDC_REMIND_ONCE || id == IDC_REMIND_WEEKLY))
        EnableForType(ReadRadio(GetHwnd(), kType, m_reserve.type));
}

CReserveData CReminderDlg::BlockFromControls(LocalMinute now) const {
    const HWND dlg = GetHwnd();
    const SYSTEMTIME date = PickerTime(GetItem(IDC_REMIND_DATE));
    const SYSTEMTIME time = PickerTime(GetItem(IDC_REMIND_TIME));
    switch (ReadRadio(dlg, kType, m_reserve.type)) {
    case CReminderRule::kOnce:
        return CReminderRule::Once(date.wYear, date.wMonth, date.wDay, time.wHour, time.wMinute, now);
    case CReminderRule::kWeekly: {
        std::int32_t mask = 0;
        for (int d = 0; d < 7; ++d)
            if (::IsDlgButtonChecked(dlg, kWeekdayBoxes[d]) == BST_CHECKED) mask |= 1 << d;
        return CReminderRule::Weekly(mask, time.wHour, time.wMinute, now);
    }
    default:
        return CReminderRule::Off();
    }
}

bool CReminderDlg::ControlsValid() {
    const LocalMinute now = LocalMinuteNow();
    const CReserveData block = BlockFromControls(now);
    if (SameSchedule(block, m_reserve)) return true;
    if (block.type == CReminderRule::kWeekly && block.weekdayMask == 0) {
        ShowNotice(GetHwnd(), kNoWeekday);
        return false;
    }
    if (block.type == CReminderRule::kOnce && CReminderRule(block).IsDue(now - 1)) {
        ShowNotice(GetHwnd(), kPastTime);
        return false;
    }
    return true;
}

void CReminderDlg::ReadControls() {
    const CReserveData block = BlockFromControls(LocalMinuteNow());
    if (!SameSchedule(block, m_reserve)) m_reserve = block;
}

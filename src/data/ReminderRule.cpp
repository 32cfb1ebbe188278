#include "data/ReminderRule.h"

#include <ctime>

namespace {

constexpr LocalMinute kMinutesPerDay = 24 * 60;

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeap(y) ? 29 : kDays[m - 1];
}

// Days since 1970-01-01 of a date of the proleptic Gregorian calendar.
std::int64_t DaysFromCivil(int y, int m, int d) {
    y -= m <= 2 ? 1 : 0;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

bool ValidTime(int hour, int minute) { return hour >= 0 && hour <= 23 && minute >= 0 && minute <= 59; }

}  // namespace

bool ToLocalMinute(int year, int month, int day, int hour, int minute, LocalMinute* out) {
    if (year < 1970 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) ||
        !ValidTime(hour, minute))
        return false;
    *out = DaysFromCivil(year, month, day) * kMinutesPerDay + hour * 60 + minute;
    return true;
}

LocalClock ToLocalClock(LocalMinute minute) {
    LocalClock c;
    const std::int64_t days = FloorDiv(minute, kMinutesPerDay);
    const std::int64_t inDay = minute - days * kMinutesPerDay;
    c.hour = static_cast<int>(inDay / 60);
    c.minute = static_cast<int>(inDay % 60);
    c.weekday = static_cast<int>(((days + 4) % 7 + 7) % 7);  // 1970-01-01 was a Thursday
    // Civil date from days (the inverse of DaysFromCivil).
    const std::int64_t z = days + 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    c.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    c.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    c.year = static_cast<int>(yoe + era * 400 + (c.month <= 2 ? 1 : 0));
    return c;
}

LocalMinute LocalMinuteNow() {
    const std::time_t t = std::time(nullptr);
    std::tm tm{};
#ifdef _WIN32
    if (localtime_s(&tm, &t) != 0) return 0;
#else
    if (!localtime_r(&t, &tm)) return 0;
#endif
    LocalMinute now = 0;
    return ToLocalMinute(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, &now) ? now : 0;
}

bool CReminderRule::DueAt(LocalMinute* at) const {
    if (m_block.enable == 0) return false;
    switch (m_block.type) {
    case kOnce:
        if (m_block.due != 0) return false;
        return ToLocalMinute(m_block.year, m_block.month, m_block.day, m_block.hour, m_block.minute, at);
    case kWeekly: {
        if ((m_block.weekdayMask & kAllWeekdays) == 0 || !ValidTime(m_block.hour, m_block.minute)) return false;
        // The first occurrence after `since`: on its own day when the time
        // of day is still ahead, else on one of the next seven days.
        const LocalMinute since = m_block.since;
        const std::int64_t day = FloorDiv(since, kMinutesPerDay);
        const LocalMinute timeOfDay = m_block.hour * 60 + m_block.minute;
        for (int d = 0; d <= 7; ++d) {
            const LocalMinute candidate = (day + d) * kMinutesPerDay + timeOfDay;
            const int weekday = ToLocalClock(candidate).weekday;
            if (candidate > since && (m_block.weekdayMask & (1 << weekday)) != 0) {
                *at = candidate;
                return true;
            }
        }
        return false;
    }
    default:
        return false;
    }
}

bool CReminderRule::IsDue(LocalMinute now) const {
    LocalMinute at = 0;
    return DueAt(&at) && at <= now;
}

CReserveData CReminderRule::Once(int year, int month, int day, int hour, int minute, LocalMinute now) {
    CReserveData b;
    b.type = kOnce;
    b.year = year;
    b.month = month;
    b.day = day;
    b.hour = hour;
    b.minute = minute;
    b.since = static_cast<std::int32_t>(now);
    return b;
}

CReserveData CReminderRule::Weekly(std::int32_t weekdayMask, int hour, int minute, LocalMinute now) {
    CReserveData b;
    b.type = kWeekly;
    b.weekdayMask = weekdayMask & kAllWeekdays;
    b.hour = hour;
    b.minute = minute;
    b.since = static_cast<std::int32_t>(now);
    return b;
}

void CReminderRule::MarkFired(CReserveData& block, LocalMinute now) {
    if (block.type == kOnce) block.due = 1;
    block.since = static_cast<std::int32_t>(now);
}

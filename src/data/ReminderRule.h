// When a note's reminder falls due. Times are local wall-clock minutes:
// whole minutes since 1970-01-01 00:00 as the clock on the wall reads, so a
// reminder at 9:00 falls due when the clock shows 9:00, whatever the time
// zone or daylight saving.
#pragma once

#include <cstdint>

#include "data/ReserveData.h"

using LocalMinute = std::int64_t;

// The minute of a calendar date and time; false when a part is out of range
// (year 1970..9999, month 1..12, day within its month, hour 0..23, minute 0..59).
bool ToLocalMinute(int year, int month, int day, int hour, int minute, LocalMinute* out);

// The calendar parts of a minute.
struct LocalClock {
    int year = 1970;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int weekday = 4;  // 0 Sunday ... 6 Saturday
};
LocalClock ToLocalClock(LocalMinute minute);

// The minute the local clock shows now.
LocalMinute LocalMinuteNow();

class CReminderRule {
public:
    enum Type : std::int32_t { kNone = 0, kOnce = 1, kWeekly = 2 };
    static constexpr std::int32_t kAllWeekdays = 0x7f;

    explicit CReminderRule(const CReserveData& block) : m_block(block) {}

    // The minute at which the reminder falls due: the one-time date not yet
    // shown, or the first weekly occurrence after the minute it was set or
    // last fired. It lies in the past when the reminder fell due while no
    // one looked (it is due then). False for no reminder, a disabled one, a
    // one-time reminder already shown and a block out of range.
    bool DueAt(LocalMinute* at) const;
    // Whether the reminder is due at `now`.
    bool IsDue(LocalMinute now) const;

    // The block set to fire once at the given date and time, or weekly on
    // `weekdayMask` at the given time, from `now` on; or no reminder at all.
    static CReserveData Once(int year, int month, int day, int hour, int minute, LocalMinute now);
    static CReserveData Weekly(std::int32_t weekdayMask, int hour, int minute, LocalMinute now);
    static CReserveData Off() { return CReserveData{}; }
    // The block after the reminder fired at `now`: a one-time reminder is
    // marked shown, a weekly one waits for its next occurrence.
    static void MarkFired(CReserveData& block, LocalMinute now);

private:
    const CReserveData& m_block;
};

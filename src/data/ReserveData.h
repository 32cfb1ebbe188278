// Reservation block of a note record: a reminder. Handed to the note window
// and taken back from it; stored in the note's section only while the note
// has a reminder (type not 0), see NoteFields.h. ReminderRule.h says when a
// reminder falls due.
#pragma once

#include <cstdint>

struct CReserveData {
    std::int32_t spare1 = 0;
    std::int32_t type = 0;  // 0 none, 1 once at year-month-day hour:minute, 2 weekly on weekdayMask at hour:minute
    std::int32_t year = 0;
    std::int32_t month = 0;
    std::int32_t day = 0;
    std::int32_t hour = 0;
    std::int32_t minute = 0;
    std::int32_t weekdayMask = 0;  // bit 0 Sunday ... bit 6 Saturday
    std::int32_t enable = 1;       // 0: the reminder never fires
    std::int32_t due = 0;          // 1: a one-time reminder has been shown
    // Local wall-clock minute (minutes since 1970-01-01 00:00 as the clock
    // reads) at which the reminder was set or last fired: a weekly reminder
    // fires for occurrences after it only.
    std::int32_t since = 0;

    bool operator==(const CReserveData&) const = default;
};
static_assert(sizeof(CReserveData) == 44, "eleven int32 values");

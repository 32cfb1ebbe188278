// Reservation block of a note record: handed to the note window and taken
// back from it, never stored in a file.
#pragma once

#include <cstdint>

struct CReserveData {
    std::int32_t spare1 = 0;
    std::int32_t type = 0;  // 0: no reservation
    std::int32_t year = 0;
    std::int32_t month = 0;
    std::int32_t day = 0;
    std::int32_t hour = 0;
    std::int32_t minute = 0;
    std::int32_t weekdayMask = 0;
    std::int32_t enable = 1;
    std::int32_t due = 0;
    std::int32_t spare2 = 0;

    bool operator==(const CReserveData&) const = default;
};
static_assert(sizeof(CReserveData) == 44, "eleven int32 values");

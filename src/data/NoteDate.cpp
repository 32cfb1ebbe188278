#include "data/NoteDate.h"

#include <cstdint>
#include <cstdio>
#include <ctime>

namespace {

bool ToLocal(PvTime time, std::tm* out) {
    const std::time_t t = static_cast<std::time_t>(time);
    if (static_cast<PvTime>(t) != time) return false;
#ifdef _WIN32
    return localtime_s(out, &t) == 0;
#else
    return localtime_r(&t, out) != nullptr;
#endif
}

// Days from 1970-01-01 to the given date of the Gregorian calendar.
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

std::int64_t WallSeconds(std::int64_t year, int month, int day, int hour, int minute, int second) {
    return DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) * 86400 + hour * 3600 +
           minute * 60 + second;
}

// Local time minus universal time at `time`, in seconds.
bool LocalOffset(PvTime time, std::int64_t* offset) {
    std::tm tm{};
    if (!ToLocal(time, &tm)) return false;
    *offset = WallSeconds(tm.tm_year + 1900LL, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec) - time;
    return true;
}

bool IsLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

int Digits(std::string_view text, std::size_t pos, std::size_t count) {
    int value = 0;
    for (std::size_t i = pos; i < pos + count; ++i) value = value * 10 + (text[i] - '0');
    return value;
}

}  // namespace

PvTime NowTime() { return static_cast<PvTime>(std::time(nullptr)); }

std::string FormatNoteDate(PvTime time) {
    std::tm tm{};
    if (!ToLocal(time, &tm)) return std::string();
    char buf[64];
    std::snprintf(buf, sizeof buf, "%04d%02d%02d%02d%02d", tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday,
                  tm.tm_hour, tm.tm_min);
    return buf;
}

bool ParseNoteDate(std::string_view text, PvTime* time) {
    if (text.size() != 12) return false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    const int year = Digits(text, 0, 4);
    const int month = Digits(text, 4, 2);
    const int day = Digits(text, 6, 2);
    const int hour = Digits(text, 8, 2);
    const int minute = Digits(text, 10, 2);
    if (year < 1900 || month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59) {
        return false;
    }
    // A day past the month's end would be another date than the one stored.
    if (day > DaysInMonth(year, month)) return false;

    // The universal time whose local time is the stored one: start from the
    // wall-clock seconds and correct by the local offset, twice, so that a
    // date on the other side of a daylight-saving change finds its own
    // offset. (The C library's mktime would do the same but looks at the
    // time-zone file on every call.)
    const std::int64_t wall = WallSeconds(year, month, day, hour, minute, 0);
    std::int64_t offset = 0;
    if (!LocalOffset(wall, &offset)) return false;
    PvTime t = wall - offset;
    std::int64_t offsetThere = 0;
    if (!LocalOffset(t, &offsetThere)) return false;
    if (offsetThere != offset) {
        t = wall - offsetThere;
        if (!LocalOffset(t, &offsetThere)) return false;
    }
    *time = t;
    return true;
}

#include "data/NoteDate.h"

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
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_isdst = -1;
    const std::time_t t = std::mktime(&tm);
    if (t == static_cast<std::time_t>(-1)) return false;
    // mktime carries a day past the month's end into the next month, and
    // that would be another date than the one stored.
    if (tm.tm_year != year - 1900 || tm.tm_mon != month - 1 || tm.tm_mday != day) return false;
    *time = static_cast<PvTime>(t);
    return true;
}

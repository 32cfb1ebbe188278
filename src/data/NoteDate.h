// Creation and access times as the note files store them: local time as
// "YYYYMMDDhhmm" (twelve digits, seconds dropped).
#pragma once

#include <string>
#include <string_view>

#include "data/PvTypes.h"

// The local time of `time` as twelve digits; an empty text when the time
// cannot be converted.
std::string FormatNoteDate(PvTime time);

// Reads twelve digits as local time with seconds 0 (daylight saving as the
// system rules). Refuses, returning false, any other length, a character
// that is not a digit, a part out of range (year below 1900, month 1..12,
// day 1..31 and within its month, hour 0..23, minute 0..59) and a time the
// system cannot convert.
bool ParseNoteDate(std::string_view text, PvTime* time);

// The current time.
PvTime NowTime();

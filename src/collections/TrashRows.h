// The texts of the trash panel's rows. No window code here.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "data/TrashFile.h"

// The text up to its first line break.
std::string FirstLineOf(std::string_view text);
// A note's match condition in one line: the process name and the title (or
// title fragment) it asks for, joined by " / " (a title equal to the
// process name once); empty when it asks for neither.
std::string ConditionText(const CObjData& note);
// "YYYY/MM/DD hh:mm" in local time; empty when the time cannot be converted.
std::string TrashDateText(PvTime time);
// The row of an item: its text's first line, its condition, its deletion time.
std::array<std::string, 3> TrashRowTexts(const CTrashItem& item);
// The panel's line under the list: how long items stay.
std::string TrashDaysText(int days);

// The texts of the main panel's rows. No window code here.
#pragma once

#include "data/TackletData.h"

#include <array>
#include <string>

enum class ListMode { Title = 0, Text = 1 };

// "%04d/%2d/%02d %02d:%02d" in local time (the month padded with a space);
// empty when the time cannot be converted.
std::string FormatListDate(PvTime time);

// Columns 0 to 4 of a note's row. `currentText` is the note's text as
// GetText gives it (used in Text mode).
std::array<std::string, 5> NoteRowTexts(const CTackletData& note, ListMode mode, const std::string& currentText);

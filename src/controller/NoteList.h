// The controller's active notes (a record list whose records keep their
// note windows) and the record operations of its commands. No window code
// here.
#pragma once

#include "data/RecordList.h"

#include <string>

using CNoteList = CRecordList;

// A record moved to a new target window with rectangle `target` (screen):
// it keeps its size and is centred on the target, takes the new target's
// strings and the default note's condition flags, child condition and
// leader line. The caller ends the display first.
void RetargetRecord(CTackletData& note, const PvRect& target, const std::string& title, const std::string& exeName,
                    const std::string& exePath, const CTackletData& defaults);

// The fields of the match condition dialog copied from `edited` into
// `note`: the condition flags, the title fragment and the child condition.
// Everything else of `note` (text, position, attachment) stays as it is now.
void TakeMatchCondition(CObjData& note, const CObjData& edited);

// Note rectangle of the initial size centred on (x, y).
PvRect RectCentredOn(int x, int y, int width, int height);

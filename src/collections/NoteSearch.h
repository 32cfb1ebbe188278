// The search panel's conditions, their validation, the test of one note
// and the walk through the results. No window code here.
#pragma once

#include "data/PvTypes.h"
#include "data/TackletData.h"

#include <string>
#include <vector>

struct CSearchConditions {
    bool textOn = false;
    bool titleOn = false;
    bool exeOn = false;
    bool daysOn = false;
    bool shownOn = false;
    std::string text;
    std::string title;
    std::string exe;  // upper case once in force
    int days = 90;
    bool textCaseSensitive = false;
    bool titleCaseSensitive = false;
};

// The notice that stops a search with these conditions, or null.
const char* SearchNotice(const CSearchConditions& conditions);

// Whether `note` passes every condition that is on. `now` is the current
// time; a note is shown while it is attached.
bool MatchesSearch(const CSearchConditions& conditions, const CTackletData& note, PvTime now);

// Positions of the matching notes, in list order.
std::vector<int> RunSearch(const CSearchConditions& conditions, const std::vector<CTackletData>& notes, PvTime now);

// The found positions and the current one (-1: no result).
class CSearchResults {
public:
    void Set(std::vector<int> positions);
    void Reset() { m_current = -1; }
    int Current() const { return m_current; }
    std::size_t Count() const { return m_positions.size(); }
    // The note position of the current result (-1: none).
    int CurrentPosition() const;
    // Step back or on, wrapping; nothing without a result or with only one.
    bool Previous();
    bool Next();
    // "該当データなし" or "%d件中 %d番目のデータ".
    std::string Label() const;

private:
    std::vector<int> m_positions;
    int m_current = -1;
};

// The search panel's conditions, their validation, the test of one note
// and the walk through the results. No window code here.
#pragma once

#include "data/PvTypes.h"
#include "data/TackletData.h"

#include <cstdint>
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
    // A new search: the first result is current. `identities` names the
    // note of each result (same order as `positions`; may be empty when
    // the results are not followed across changes of the list).
    void Set(std::vector<int> positions, std::vector<std::uint64_t> identities = {});
    // The same search run again after the list changed: the current result
    // stays on the note it was on while that note is still found (at its
    // new position); otherwise it keeps its place among the results, the
    // last one when fewer are left; -1 when nothing is found.
    void Rerun(std::vector<int> positions, std::vector<std::uint64_t> identities);
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
    std::vector<std::uint64_t> m_identities;
    int m_current = -1;
};

#include "collections/NoteSearch.h"

#include "data/MbString.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr PvTime kSecondsPerDay = 86400;

bool Contains(const std::string& haystack, const std::string& needle, bool caseSensitive) {
    if (caseSensitive) return MbContains(haystack, needle);
    return MbContains(MbToUpper(haystack), MbToUpper(needle));
}

}  // namespace

const char* SearchNotice(const CSearchConditions& c) {
    if (!c.textOn && !c.titleOn && !c.exeOn && !c.daysOn && !c.shownOn) return "検索条件がいずれも選択されていません";
    if (c.textOn && c.text.empty())
        return "本文テキスト条件がチェックされていますが,検索文字列が設定されていません.";
    if (c.titleOn && c.title.empty())
        return "WindowTitle条件がチェックされていますが,検索文字列が設定されていません";
    if (c.exeOn && c.exe.empty())
        return "ProgramName条件がチェックされていますが,検索文字列が設定されていません";
    return nullptr;
}

bool MatchesSearch(const CSearchConditions& c, const CTackletData& note, PvTime now) {
    if (c.textOn && !Contains(note.GetText(), c.text, c.textCaseSensitive)) return false;
    // Only the full title is searched, and only while the title condition is on.
    if (c.titleOn && (note.TITLEFLAG == 0 || !Contains(note.TITLE, c.title, c.titleCaseSensitive))) return false;
    if (c.exeOn && (note.PRECESSEFLAG == 0 || !MbContains(MbToUpper(note.EXENAME), c.exe))) return false;
    if (c.daysOn && (now - note.ACSDATE) / kSecondsPerDay < c.days) return false;
    if (c.shownOn && note.m_bAttached != 1) return false;
    return true;
}

std::vector<int> RunSearch(const CSearchConditions& c, const std::vector<CTackletData>& notes, PvTime now) {
    std::vector<int> found;
    for (std::size_t i = 0; i < notes.size(); ++i)
        if (MatchesSearch(c, notes[i], now)) found.push_back(static_cast<int>(i));
    return found;
}

void CSearchResults::Set(std::vector<int> positions, std::vector<std::uint64_t> identities) {
    m_positions = std::move(positions);
    m_identities = std::move(identities);
    m_current = m_positions.empty() ? -1 : 0;
}

void CSearchResults::Rerun(std::vector<int> positions, std::vector<std::uint64_t> identities) {
    const int was = m_current;
    const bool known = was >= 0 && static_cast<std::size_t>(was) < m_identities.size();
    const std::uint64_t note = known ? m_identities[static_cast<std::size_t>(was)] : 0;
    m_positions = std::move(positions);
    m_identities = std::move(identities);
    if (m_positions.empty()) {
        m_current = -1;
        return;
    }
    if (known) {
        for (std::size_t i = 0; i < m_identities.size() && i < m_positions.size(); ++i) {
            if (m_identities[i] == note) {
                m_current = static_cast<int>(i);
                return;
            }
        }
    }
    m_current = std::min(std::max(was, 0), static_cast<int>(m_positions.size()) - 1);
}

int CSearchResults::CurrentPosition() const {
    return m_current < 0 || static_cast<std::size_t>(m_current) >= m_positions.size()
               ? -1
               : m_positions[static_cast<std::size_t>(m_current)];
}

bool CSearchResults::Previous() {
    if (m_current < 0 || m_positions.size() < 2) return false;
    m_current = m_current == 0 ? static_cast<int>(m_positions.size()) - 1 : m_current - 1;
    return true;
}

bool CSearchResults::Next() {
    if (m_current < 0 || m_positions.size() < 2) return false;
    m_current = static_cast<std::size_t>(m_current) + 1 == m_positions.size() ? 0 : m_current + 1;
    return true;
}

std::string CSearchResults::Label() const {
    if (m_current < 0) return "該当データなし";
    char text[64];
    std::snprintf(text, sizeof text, "%d件中 %d番目のデータ", static_cast<int>(m_positions.size()), m_current + 1);
    return text;
}

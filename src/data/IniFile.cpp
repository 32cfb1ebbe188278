#include "data/IniFile.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>
#include <utility>

#include "data/AtomicFile.h"
#include "data/CodePage.h"
#include "data/FileSystem.h"
#include "data/TextProtect.h"
#include "data/WriteIniFile.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

// A section name in upper case: single-byte letters only, never the trail
// byte of a double-byte character.
std::string UpperName(std::string_view name) {
    std::string out(name);
    for (std::size_t i = 0; i < out.size(); i += CodePageCharLength(out, i)) {
        if (out[i] >= 'a' && out[i] <= 'z') out[i] = static_cast<char>(out[i] - 'a' + 'A');
    }
    return out;
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

std::string_view StripQuotes(std::string_view s) {
    if (s.size() >= 2 && (s.front() == '"' || s.front() == '\'') && s.back() == s.front()) {
        return s.substr(1, s.size() - 2);
    }
    return s;
}

// A value as the profile functions hand it out: a C string (it ends at a
// zero byte), trimmed, with one pair of enclosing quotes removed.
std::string_view CleanValue(std::string_view s) {
    const std::size_t zero = s.find('\0');
    if (zero != std::string_view::npos) s = Trim(s.substr(0, zero));
    return StripQuotes(s);
}

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Case-insensitive name comparison; double-byte characters compare exactly.
bool NamesEqual(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size();) {
        const std::size_t len = CodePageCharLength(a, i);
        if (len == 2) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
        } else if (AsciiUpper(a[i]) != AsciiUpper(b[i])) {
            return false;
        }
        i += len;
    }
    return true;
}

}  // namespace

CIniFile::CIniFile(std::unique_ptr<char[]> contents, std::size_t size)
    : m_contents(std::move(contents)), m_size(size) {
    ParseContents();
}

CIniFile CIniFile::Load(const std::string& path, LoadState* state, std::size_t maxBytes) {
    LoadState ignored;
    if (state == nullptr) state = &ignored;
    // Something else than a file in its place (a folder) cannot be read as one.
    if (KindOfPath(path) == PathKind::Other) {
        *state = LoadState::Unreadable;
        return CIniFile();
    }
    std::FILE* f = OpenFile(path, "rb");
    if (f == nullptr) {
        // Locked, forbidden or otherwise unopenable files exist all the same.
        *state = FileExists(path) ? LoadState::Unreadable : LoadState::Missing;
        return CIniFile();
    }
    // The whole file in one read when its size is known; whatever more
    // there is (a file still growing, a device) is appended in pieces.
    std::size_t capacity = 0;
    if (std::fseek(f, 0, SEEK_END) == 0) {
        const long size = std::ftell(f);
        if (size > 0) capacity = static_cast<std::size_t>(size);
        std::rewind(f);
    }
    auto tooLarge = [&] {
        std::fclose(f);
        *state = LoadState::TooLarge;
        return CIniFile();
    };
    if (capacity > maxBytes) return tooLarge();
    std::unique_ptr<char[]> data(new char[capacity + 1]);
    std::size_t used = std::fread(data.get(), 1, capacity, f);
    char chunk[65536];
    std::size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) {
        if (used + n > maxBytes) return tooLarge();
        if (used + n > capacity) {
            capacity = std::max(capacity * 2, used + n);
            std::unique_ptr<char[]> bigger(new char[capacity + 1]);
            std::memcpy(bigger.get(), data.get(), used);
            data = std::move(bigger);
        }
        std::memcpy(data.get() + used, chunk, n);
        used += n;
    }
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed) {
        *state = LoadState::Unreadable;
        return CIniFile();
    }
    *state = LoadState::Read;
    return CIniFile(std::move(data), used);
}

CIniFile CIniFile::Parse(std::string_view contents) {
    std::unique_ptr<char[]> data(new char[contents.size() + 1]);
    std::memcpy(data.get(), contents.data(), contents.size());
    return CIniFile(std::move(data), contents.size());
}

void CIniFile::ParseContents() {
    const char* const data = m_contents.get();
    const std::size_t size = m_size;
    Section* current = nullptr;
    // A line ends at CR or LF. The next LF is remembered so that the search
    // for CR stays within the current line (files with CR alone stay linear).
    std::size_t nextLf = 0;
    bool lfSearched = false;
    std::size_t pos = 0;
    while (pos < size) {
        if (!lfSearched || nextLf < pos) {
            const void* lf = std::memchr(data + pos, '\n', size - pos);
            nextLf = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - data) : size;
            lfSearched = true;
        }
        const void* cr = std::memchr(data + pos, '\r', nextLf - pos);
        const std::size_t end = cr ? static_cast<std::size_t>(static_cast<const char*>(cr) - data) : nextLf;
        AddLine(std::string_view(data + pos, end - pos), current);
        pos = end + 1;
    }
    for (Section& section : m_sections) section.hasRepeatedKeys = HasRepeatedKeys(section);
}

bool CIniFile::HasRepeatedKeys(const Section& section) {
    // Compares hashes of the upper-cased names; a collision only costs the
    // faster search.
    std::vector<std::uint64_t> hashes;
    hashes.reserve(section.entries.size());
    for (const Entry& e : section.entries) {
        std::uint64_t h = 1469598103934665603ull;
        for (char c : e.key) h = (h ^ static_cast<unsigned char>(AsciiUpper(c))) * 1099511628211ull;
        hashes.push_back(h);
    }
    std::sort(hashes.begin(), hashes.end());
    return std::adjacent_find(hashes.begin(), hashes.end()) != hashes.end();
}

void CIniFile::AddLine(std::string_view line, Section*& current) {
    line = Trim(line);
    if (line.empty()) return;
    if (line.front() == '[') {
        const std::size_t close = line.rfind(']');
        if (close != std::string_view::npos) {
            const std::string_view name = Trim(line.substr(1, close - 1));
            const auto [it, added] = m_sectionIndex.emplace(UpperName(name), m_sections.size());
            if (added) {
                m_sections.emplace_back();
                current = &m_sections.back();
                current->name = name;
            } else {
                // A repeated section name: its keys are never looked up.
                current = nullptr;
            }
            return;
        }
    }
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos || current == nullptr) return;
    const std::string_view key = Trim(line.substr(0, eq));
    if (key.empty()) return;
    if (key.back() == 'W' || key.back() == 'w') current->hasExactKeys = true;
    current->entries.push_back({key, Trim(line.substr(eq + 1))});
}

const CIniFile::Section* CIniFile::FindSection(std::string_view section) const {
    const auto it = m_sectionIndex.find(UpperName(Trim(section)));
    return it == m_sectionIndex.end() ? nullptr : &m_sections[it->second];
}

bool CIniFile::HasSection(std::string_view section) const { return FindSection(section) != nullptr; }

std::vector<std::string_view> CIniFile::SectionNames() const {
    std::vector<std::string_view> names;
    names.reserve(m_sections.size());
    for (const Section& section : m_sections) names.push_back(section.name);
    return names;
}

const std::string_view* CIniFile::SectionView::FindValue(std::string_view key) const {
    const Section* s = m_section;
    if (s == nullptr || s->entries.empty()) return nullptr;
    const std::size_t n = s->entries.size();
    // With repeated names the first one must win, so the search starts at 0.
    const std::size_t start = (s->hasRepeatedKeys || s->hint >= n) ? 0 : s->hint;
    for (std::size_t k = 0; k < n; ++k) {
        const std::size_t i = start + k < n ? start + k : start + k - n;
        if (NamesEqual(s->entries[i].key, key)) {
            s->hint = i + 1;
            return &s->entries[i].value;
        }
    }
    return nullptr;
}

std::string CIniFile::SectionView::GetString(std::string_view key, std::string_view def,
                                             std::size_t maxBytes) const {
    return std::string(GetView(key, def, maxBytes));
}

std::string_view CIniFile::SectionView::GetView(std::string_view key, std::string_view def,
                                                std::size_t maxBytes) const {
    const std::string_view* value = FindValue(key);
    const std::string_view text = value ? CleanValue(*value) : def;
    return text.substr(0, CodePageFitLength(text, maxBytes));
}

std::string CIniFile::SectionView::GetText(std::string_view key, std::string_view def,
                                           std::size_t maxBytes) const {
    const std::string_view usual = GetView(key, def, maxBytes);
    const std::string_view digits =
        HasExactKeys() ? GetView(ExactKeyOf(key), "", std::numeric_limits<std::size_t>::max()) : std::string_view();
    if (!digits.empty()) {
        std::string bytes;
        bool hasCheck = false;
        std::uint32_t check = 0;
        if (ParseExactKeyValue(digits, kTextPlain, 0, &bytes, &hasCheck, &check)) {
            std::string exact = TextOfExactBytes(bytes);
            const bool current = hasCheck ? UsualKeyCheck(GetView(key, def)) == check
                                          : CWriteIniFile::UsualFormAsRead(exact, maxBytes) == usual;
            if (current) return exact;
        }
    }
    return TextOfCodePage(usual);
}

std::int32_t CIniFile::SectionView::GetInt(std::string_view key, std::int32_t def) const {
    const std::string_view* value = FindValue(key);
    if (value == nullptr) return def;
    const std::string_view text = CleanValue(*value);
    if (text.empty()) return def;
    return ParseLeadingInt(text);
}

std::string CIniFile::GetString(std::string_view section, std::string_view key, std::string_view def,
                                std::size_t maxBytes) const {
    return GetSection(section).GetString(key, def, maxBytes);
}

std::string CIniFile::GetText(std::string_view section, std::string_view key, std::string_view def,
                              std::size_t maxBytes) const {
    return GetSection(section).GetText(key, def, maxBytes);
}

std::int32_t CIniFile::GetInt(std::string_view section, std::string_view key, std::int32_t def) const {
    return GetSection(section).GetInt(key, def);
}

std::int32_t CIniFile::ParseLeadingInt(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    std::uint32_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10u + static_cast<std::uint32_t>(text[i] - '0');
    }
    if (negative) value = 0u - value;
    return static_cast<std::int32_t>(value);
}

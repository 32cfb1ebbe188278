#include "data/WriteIniFile.h"

#include <cstring>

#include "app/Trace.h"

namespace {

ProfileWriter g_profileWriter = nullptr;

constexpr char kLineEnd[] = "\r\r\n";

// A value never spans lines: a line break inside it would end the key and
// let the rest read as further keys or sections. Each CR or LF is written
// as a blank, and the value ends at a zero byte as a C string would.
std::string OneLine(const std::string& value) {
    std::string out = value.substr(0, value.find('\0'));
    for (char& c : out) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    return out;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

// Reading drops blanks around a value and one pair of enclosing quotes. A
// value that would lose either is written inside a pair of double quotes,
// which reading removes again (as the profile functions do).
bool NeedsQuotes(const std::string& value) {
    if (value.empty()) return false;
    const char first = value.front();
    const char last = value.back();
    return IsBlank(first) || IsBlank(last) || (value.size() >= 2 && first == last && (first == '"' || first == '\''));
}

bool NeedsOneLine(const std::string& value) {
    const char* p = value.data();
    const std::size_t n = value.size();
    return std::memchr(p, '\n', n) || std::memchr(p, '\r', n) || std::memchr(p, '\0', n);
}

}  // namespace

void CWriteIniFile::SetProfileWriter(ProfileWriter writer) { g_profileWriter = writer; }

CWriteIniFile::~CWriteIniFile() { close(); }

int CWriteIniFile::open(const std::string& path) {
    if (m_mode != kStreamMode) return 1;
    close();
    m_lastSection.clear();
    m_failed = false;
    m_file = std::fopen(path.c_str(), "wb");
    if (m_file == nullptr) {
        Trace("CWriteIniFile::openFile(%s) Error!\n", path.c_str());
        return 0;
    }
    std::setvbuf(m_file, nullptr, _IOFBF, 1 << 16);
    return 1;
}

void CWriteIniFile::WriteLine(std::string_view a, std::string_view b, std::string_view c) {
    if (m_file == nullptr) return;
    bool ok = std::fwrite(a.data(), 1, a.size(), m_file) == a.size();
    ok = ok && std::fwrite(b.data(), 1, b.size(), m_file) == b.size();
    ok = ok && std::fwrite(c.data(), 1, c.size(), m_file) == c.size();
    ok = ok && std::fwrite(kLineEnd, 1, 3, m_file) == 3;
    if (!ok) m_failed = true;
}

int CWriteIniFile::write(const std::string& section, const std::string& key, const std::string& value,
                         const std::string& path) {
    const std::string* text = &value;
    std::string cleaned;
    if (NeedsOneLine(value)) {
        cleaned = OneLine(value);
        text = &cleaned;
    }
    if (m_mode != kStreamMode) {
        if (g_profileWriter == nullptr) return 0;
        return g_profileWriter(section.c_str(), key.c_str(), text->c_str(), path.c_str()) ? 1 : 0;
    }
    if (section != m_lastSection) {
        m_lastSection = section;
        WriteLine("[", section, "]");
    }
    if (NeedsQuotes(*text)) {
        WriteLine(key, "=\"", *text + "\"");
    } else {
        WriteLine(key, "=", *text);
    }
    return 1;
}

int CWriteIniFile::write(const std::string& section, const std::string& key, long long value,
                         const std::string& path) {
    char buf[24];
    std::snprintf(buf, sizeof buf, "%lld", value);
    return write(section, key, std::string(buf), path);
}

bool CWriteIniFile::close() {
    if (m_file == nullptr) return !m_failed;
    if (std::fclose(m_file) != 0) m_failed = true;
    m_file = nullptr;
    return !m_failed;
}

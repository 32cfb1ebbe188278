#include "data/WriteIniFile.h"

#include <charconv>
#include <cstring>

#include "data/AtomicFile.h"
#include "data/IniFile.h"
#include "data/TextProtect.h"
#include "data/CodePage.h"
#include "data/FileSystem.h"
#include "data/Trace.h"

namespace {

ProfileWriter g_profileWriter = nullptr;

constexpr std::size_t kFlushBytes = 1 << 16;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

bool NeedsQuotes(std::string_view value) {
    if (value.empty()) return false;
    const char first = value.front();
    const char last = value.back();
    return IsBlank(first) || IsBlank(last) || (value.size() >= 2 && first == last && (first == '"' || first == '\''));
}

bool NeedsOneLine(std::string_view value) {
    const char* p = value.data();
    const std::size_t n = value.size();
    return std::memchr(p, '\n', n) || std::memchr(p, '\r', n) || std::memchr(p, '\0', n);
}

std::string OneLine(std::string_view value) {
    std::string out(value.substr(0, value.find('\0')));
    for (char& c : out) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    return out;
}

}  // namespace

std::string CWriteIniFile::LineFormAsRead(std::string_view value) {
    std::string line = NeedsOneLine(value) ? OneLine(value) : std::string(value);
    line.resize(CodePageFitLength(line, CIniFile::kMaxString));
    return line;
}

bool CWriteIniFile::FitsLineForm(std::string_view value) {
    return !NeedsOneLine(value) && CodePageFitLength(value, CIniFile::kMaxString) == value.size();
}

std::string CWriteIniFile::UsualFormAsRead(std::string_view text, std::size_t maxBytes) {
    std::string line = LineFormAsRead(CodePageOf(text));
    line.resize(CodePageFitLength(line, maxBytes));
    return line;
}

bool CWriteIniFile::NeedsExactKey(std::string_view text) {
    if (FitsLineForm(text) && FitsCodePage(text)) return false;
    return TextOfCodePage(UsualFormAsRead(text)) != text;
}

int CWriteIniFile::writeText(std::string_view section, std::string_view key, std::string_view text,
                             const std::string& path) {
    const int written = write(section, key, CodePageOf(text), path);
    if (!NeedsExactKey(text)) return written;
    std::string digits = ExactKeyValue(ExactBytesOf(text), UsualFormAsRead(text), kTextPlain, 0);
    if (m_mode != kStreamMode) return written && write(section, ExactKeyOf(key), digits, path) ? 1 : 0;
    m_sectionTail.emplace_back(ExactKeyOf(key), std::move(digits));
    return written;
}

void CWriteIniFile::EndSection() {
    if (m_sectionTail.empty()) return;
    std::vector<std::pair<std::string, std::string>> tail = std::move(m_sectionTail);
    m_sectionTail.clear();
    for (const auto& [key, value] : tail) {
        Append(key);
        Append("=");
        Append(value);
        EndLine();
    }
}

void CWriteIniFile::SetProfileWriter(ProfileWriter writer) { g_profileWriter = writer; }

// A writer going out of scope without close() never replaces the file
// with what it holds so far.
CWriteIniFile::~CWriteIniFile() { discard(); }

int CWriteIniFile::open(const std::string& path) {
    if (m_mode != kStreamMode) return 1;
    discard();
    m_memory = false;
    m_lastSection.clear();
    m_buffer.clear();
    m_sectionTail.clear();
    m_failed = false;
    m_target = path;
    m_temp.clear();
    if (!AreFileWritesBlocked(path)) m_file = CreateTempFileFor(path, &m_temp);
    if (m_file == nullptr) {
        m_failed = true;
        Trace("CWriteIniFile::openFile(%s) Error!\n", path.c_str());
        return 0;
    }
    return 1;
}

void CWriteIniFile::Append(std::string_view text) { m_buffer.append(text); }

void CWriteIniFile::EndLine() {
    m_buffer.append("\r\r\n", 3);
    if (m_buffer.size() >= kFlushBytes) Flush();
}

void CWriteIniFile::Flush() {
    if (m_memory) return;
    if (m_file != nullptr && !m_buffer.empty() &&
        std::fwrite(m_buffer.data(), 1, m_buffer.size(), m_file) != m_buffer.size()) {
        m_failed = true;
    }
    m_buffer.clear();
}

int CWriteIniFile::write(std::string_view section, std::string_view key, std::string_view value,
                         const std::string& path) {
    std::string cleaned;
    if (NeedsOneLine(value)) {
        cleaned = OneLine(value);
        value = cleaned;
    }
    if (m_mode != kStreamMode) {
        if (g_profileWriter == nullptr) return 0;
        return g_profileWriter(std::string(section).c_str(), std::string(key).c_str(), std::string(value).c_str(),
                               path.c_str())
                   ? 1
                   : 0;
    }
    if (m_file == nullptr && !m_memory) return 1;
    SectionLine(section);
    Append(key);
    if (NeedsQuotes(value)) {
        Append("=\"");
        Append(value);
        Append("\"");
    } else {
        Append("=");
        Append(value);
    }
    EndLine();
    return 1;
}

int CWriteIniFile::writeFilled(std::string_view section, std::string_view key, std::size_t valueBytes,
                              const std::function<void(char* value)>& fill, const std::string& path) {
    if (m_mode != kStreamMode) {
        std::string value(valueBytes, '\0');
        fill(value.data());
        return write(section, key, value, path);
    }
    if (m_file == nullptr && !m_memory) return 1;
    SectionLine(section);
    Append(key);
    Append("=");
    const std::size_t at = m_buffer.size();
    m_buffer.resize(at + valueBytes);
    fill(m_buffer.data() + at);
    EndLine();
    return 1;
}

void CWriteIniFile::SectionLine(std::string_view section) {
    if (section == m_lastSection) return;
    EndSection();
    m_lastSection = section;
    Append("[");
    Append(section);
    Append("]");
    EndLine();
}

int CWriteIniFile::write(std::string_view section, std::string_view key, long long value, const std::string& path) {
    char buf[24];
    const auto result = std::to_chars(buf, buf + sizeof buf, value);
    return write(section, key, std::string_view(buf, static_cast<std::size_t>(result.ptr - buf)), path);
}

bool CWriteIniFile::close() {
    if (m_file == nullptr) return !m_failed;
    EndSection();
    Flush();
    if (!FlushAndClose(m_file)) m_failed = true;
    m_file = nullptr;
    if (m_failed) {
        RemoveFile(m_temp);
        return false;
    }
    if (!CommitFile(m_temp, m_target, m_backups)) m_failed = true;
    return !m_failed;
}

void CWriteIniFile::discard() {
    if (m_file == nullptr) return;
    std::fclose(m_file);
    m_file = nullptr;
    m_buffer.clear();
    m_sectionTail.clear();
    RemoveFile(m_temp);
}

void CWriteIniFile::openMemory(std::size_t expectedBytes) {
    discard();
    m_memory = true;
    m_lastSection.clear();
    m_buffer.clear();
    m_sectionTail.clear();
    m_buffer.reserve(expectedBytes);
    m_failed = false;
}

std::string CWriteIniFile::takeText() {
    EndSection();
    std::string text = std::move(m_buffer);
    m_buffer.clear();
    m_memory = false;
    return text;
}

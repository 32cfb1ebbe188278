// Reader for initialisation-format files ("[section]" and "key=value" lines)
// with the semantics of the Windows profile functions.
//
// The file is parsed once; lookups then work on the parsed form:
// - section and key names are compared without regard to case;
// - the first section of a name, and the first key of a name in it, count;
// - blanks around names and values are dropped, then one pair of enclosing
//   single or double quotation marks is removed from a value;
// - lines end at CR or LF; a line without "=" (that is not a section line)
//   defines nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class CIniFile {
    struct Section;

public:
    // Longest string value a lookup returns (a buffer of 8192 bytes).
    static constexpr std::size_t kMaxString = 8191;

    // One section looked up once, for reading many keys of it. Valid while
    // the file object lives; a missing section answers every key with the
    // default.
    class SectionView {
    public:
        bool Exists() const { return m_section != nullptr; }
        std::string GetString(std::string_view key, std::string_view def, std::size_t maxBytes = kMaxString) const;
        // As GetString, as a view into the file's text (or into `def`).
        std::string_view GetView(std::string_view key, std::string_view def, std::size_t maxBytes = kMaxString) const;
        std::int32_t GetInt(std::string_view key, std::int32_t def) const;
        // A text value (the file holds code-page bytes): the exact text of
        // its added key (see CWriteIniFile::writeText) while the usual key
        // still holds what a writer puts there for it, else the usual key's
        // text.
        std::string GetText(std::string_view key, std::string_view def, std::size_t maxBytes = kMaxString) const;
        // Whether any key of the section ends in "W", as the added keys of
        // exact texts do (a reader need not look for them otherwise).
        bool HasExactKeys() const { return m_section != nullptr && m_section->hasExactKeys; }

    private:
        friend class CIniFile;
        explicit SectionView(const Section* section) : m_section(section) {}
        const std::string_view* FindValue(std::string_view key) const;
        const Section* m_section;
    };

    // What Load found at the path.
    enum class LoadState { Read, Missing, Unreadable, TooLarge };

    CIniFile() = default;

    // Parses the file at `path`; a file that cannot be read gives an empty
    // result, like a missing file for the profile functions. `state` tells
    // a missing file from one that exists but could not be opened or read.
    // A file of more than `maxBytes` bytes is not read (TooLarge); at most
    // maxBytes + 1 bytes of it are held at any time.
    static CIniFile Load(const std::string& path, LoadState* state = nullptr,
                         std::size_t maxBytes = static_cast<std::size_t>(-1) - 1);
    // Parses file contents held in memory.
    static CIniFile Parse(std::string_view contents);

    bool HasSection(std::string_view section) const;
    // Number of sections (each name counted once) and their names as
    // written, in file order.
    std::size_t SectionCount() const { return m_sections.size(); }
    std::vector<std::string_view> SectionNames() const;
    // The file's bytes as read.
    std::string_view Contents() const { return std::string_view(m_contents.get(), m_size); }
    SectionView GetSection(std::string_view section) const { return SectionView(FindSection(section)); }

    // The value of the key cut to `maxBytes` bytes (on a character boundary),
    // or `def` when the section or key is missing.
    std::string GetString(std::string_view section, std::string_view key, std::string_view def,
                          std::size_t maxBytes = kMaxString) const;
    std::string GetText(std::string_view section, std::string_view key, std::string_view def,
                        std::size_t maxBytes = kMaxString) const;

    // The leading signed decimal number of the value (0 when there is none),
    // or `def` when the key is missing or its value is empty.
    std::int32_t GetInt(std::string_view section, std::string_view key, std::int32_t def) const;

    // Leading signed decimal number of a text, wrapping like the 32-bit
    // conversion of the profile functions.
    static std::int32_t ParseLeadingInt(std::string_view text);

private:
    struct Entry {
        std::string_view key;
        std::string_view value;
    };
    struct Section {
        std::string_view name;
        std::vector<Entry> entries;
        // A key name occurs more than once (only the first one counts).
        bool hasRepeatedKeys = false;
        // A key name ends in "W" (see SectionView::HasExactKeys).
        bool hasExactKeys = false;
        // Position after the last key found: the readers ask for keys in
        // nearly the order they were written, so the search starts here.
        mutable std::size_t hint = 0;
    };

    explicit CIniFile(std::unique_ptr<char[]> contents, std::size_t size);
    void ParseContents();
    static bool HasRepeatedKeys(const Section& section);
    void AddLine(std::string_view line, Section*& current);
    const Section* FindSection(std::string_view section) const;

    // The file's bytes, on the heap so that the views into them survive moves.
    std::unique_ptr<char[]> m_contents;
    std::size_t m_size = 0;
    std::vector<Section> m_sections;
    std::unordered_map<std::string, std::size_t> m_sectionIndex;  // upper-case name -> index
};

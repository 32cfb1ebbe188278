// The note section of the note files: TackletData::ReadItem and WriteItem,
// both driven by the field table.
#include <algorithm>
#include <string_view>

#include "data/IniFile.h"
#include "data/MbString.h"
#include "data/NoteDate.h"
#include "data/NoteFields.h"
#include "data/TackletData.h"
#include "data/TextProtect.h"
#include "data/WriteIniFile.h"

namespace {

class CItemReader {
public:
    CItemReader(const CIniFile::SectionView& section, std::uint32_t volumeKey)
        : m_section(section), m_volumeKey(volumeKey) {}

    void Read(const NoteField& f, std::int32_t& value) {
        if (f.Has(NoteField::kFontPart) && !m_font) return;
        const std::int32_t read = m_section.GetInt(f.key, f.Has(NoteField::kKeep) ? value : f.readDefault);
        value = f.clamp ? f.clamp(read) : read;
    }
    void Read(const NoteField& f, std::uint8_t& value) {
        std::int32_t wide = value;
        Read(f, wide);
        value = static_cast<std::uint8_t>(wide);
    }
    void Read(const NoteField& f, std::string& value) {
        if (f.Has(NoteField::kBody)) {
            const int format = m_section.GetInt("TEXTFORMAT", kTextPlain);
            if (format == kTextPlain || format == kTextScrambled) {
                value = DecodeBody(m_section.GetView(f.key, ""), format, m_volumeKey);
            }
            return;
        }
        value = m_section.GetString(f.key, "");
        if (f.Has(NoteField::kUpperCase)) value = MbToUpper(value);
    }
    void Read(const NoteField& f, PvTime& value) {
        PvTime time;
        if (ParseNoteDate(m_section.GetString(f.key, ""), &time)) value = time;
    }
    // The face name; the font's other keys count only when it is given.
    void Read(const NoteField& f, PvLogFont& font) {
        const std::string face = m_section.GetString(f.key, "");
        m_font = !face.empty();
        if (m_font) SetFaceName(font, face);
    }

private:
    const CIniFile::SectionView& m_section;
    std::uint32_t m_volumeKey;
    bool m_font = false;
};

class CItemWriter {
public:
    CItemWriter(CWriteIniFile& writer, int format, std::uint32_t volumeKey, const std::string& section,
                const std::string& path)
        : m_writer(writer), m_format(format), m_volumeKey(volumeKey), m_section(section), m_path(path) {}

    void Write(const NoteField& f, std::int32_t value) { Number(f.key, value); }
    void Write(const NoteField& f, std::uint8_t value) { Number(f.key, value); }
    void Write(const NoteField& f, const std::string& value) {
        if (!f.Has(NoteField::kBody)) return Text(f.key, value);
        // Formats 0 and 1 carry the body; any other writes neither key.
        if (m_format != kTextPlain && m_format != kTextScrambled) return;
        Number("TEXTFORMAT", m_format);
        // The digits go straight into the file's buffer.
        const std::string_view stored = StoredBody(value);
        m_writer.writeFilled(
            m_section, f.key, 2 * stored.size(),
            [&](char* digits) { EncodeStoredBody(digits, stored, m_format, m_volumeKey); }, m_path);
    }
    void Write(const NoteField& f, PvTime value) { Text(f.key, FormatNoteDate(value)); }
    void Write(const NoteField& f, const PvLogFont& font) { Text(f.key, std::string(FaceNameOf(font))); }

private:
    void Number(const char* key, long long value) { m_writer.write(m_section, key, value, m_path); }
    void Text(const char* key, const std::string& value) { m_writer.write(m_section, key, value, m_path); }

    CWriteIniFile& m_writer;
    int m_format;
    std::uint32_t m_volumeKey;
    const std::string& m_section;
    const std::string& m_path;
};

// Adds up an upper bound of what CItemWriter writes: every key line with
// its longest value, its quotes and its line end.
class CItemSizer {
public:
    explicit CItemSizer(int format) : m_format(format) {}

    void Add(const NoteField& f, std::int32_t) { Line(f.key, kNumberBytes); }
    void Add(const NoteField& f, std::uint8_t) { Line(f.key, kNumberBytes); }
    void Add(const NoteField& f, const std::string& value) {
        if (!f.Has(NoteField::kBody)) return Line(f.key, value.size());
        if (m_format != kTextPlain && m_format != kTextScrambled) return;
        Line("TEXTFORMAT", kNumberBytes);
        Line(f.key, 2 * std::min(value.size(), kMaxBodyBytes));
    }
    void Add(const NoteField& f, PvTime) { Line(f.key, kDateBytes); }
    void Add(const NoteField& f, const PvLogFont& font) { Line(f.key, FaceNameOf(font).size()); }
    void Line(std::string_view key, std::size_t valueBytes) { m_bytes += key.size() + valueBytes + kLineBytes; }

    std::size_t Bytes() const { return m_bytes; }

private:
    static constexpr std::size_t kNumberBytes = 20;  // "-9223372036854775808"
    static constexpr std::size_t kDateBytes = 64;    // FormatNoteDate's buffer
    static constexpr std::size_t kLineBytes = 6;     // '=', two quotes, "\r\r\n"

    int m_format;
    std::size_t m_bytes = 0;
};

}  // namespace

void CTackletData::ReadItem(const CIniFile& ini, std::uint32_t volumeKey, const std::string& section) {
    const CIniFile::SectionView s = ini.GetSection(section);
    CItemReader reader(s, volumeKey);
    VisitNoteFields([&](const NoteField& field, auto get) { reader.Read(field, get(*this)); });
}

void CTackletData::WriteItem(CWriteIniFile& writer, int format, std::uint32_t volumeKey,
                             const std::string& section, const std::string& path) const {
    CItemWriter out(writer, format, volumeKey, section, path);
    const CTackletData& record = *this;
    VisitNoteFields([&](const NoteField& field, auto get) {
        if (IsWrittenFor(field, record)) out.Write(field, get(record));
    });
}

std::size_t CTackletData::ItemBytesBound(int format, std::size_t sectionBytes) const {
    CItemSizer sizer(format);
    sizer.Line("[]", sectionBytes);
    const CTackletData& record = *this;
    VisitNoteFields([&](const NoteField& field, auto get) {
        if (IsWrittenFor(field, record)) sizer.Add(field, get(record));
    });
    return sizer.Bytes();
}

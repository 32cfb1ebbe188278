// The note section of the note files: TackletData::ReadItem and WriteItem,
// both driven by the field table.
#include <algorithm>
#include <limits>
#include <string_view>
#include <vector>

#include "data/CodePage.h"
#include "data/IniFile.h"
#include "data/MbString.h"
#include "data/NoteDate.h"
#include "data/NoteFields.h"
#include "data/TackletData.h"
#include "data/TextProtect.h"
#include "data/ValueBounds.h"
#include "data/WriteIniFile.h"

namespace {

// The code-page bytes a reader gets back from the body written for `text`:
// its stored part, ending at a zero byte.
std::string BodyAsRead(std::string_view text) {
    const std::string bytes = CodePageOf(text);
    const std::string_view stored = StoredBody(bytes);
    return std::string(stored.substr(0, stored.find('\0')));
}

// The part of a body that is stored: up to a zero byte, and no more
// characters than fit the stored code-page bytes (kMaxBodyBytes).
std::string StoredBodyText(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    return std::string(text.substr(0, TextFitCodePageBytes(text, kMaxBodyBytes)));
}

// The code-page bytes of `text`: the text itself when it is plain ASCII,
// else its conversion, held in `converted`.
std::string_view CodePageFormOf(std::string_view text, std::string* converted) {
    if (IsAsciiText(text)) return text;
    *converted = CodePageOf(text);
    return *converted;
}

// Plain ASCII on one line: such a text needs no added key.
bool IsPlainLine(std::string_view text) {
    return text.size() <= CIniFile::kMaxString && std::all_of(text.begin(), text.end(), [](char c) {
               return static_cast<unsigned char>(c) < 0x80 && c != '\r' && c != '\n' && c != '\0';
           });
}

class CItemReader {
public:
    CItemReader(const CIniFile::SectionView& section, std::uint32_t volumeKey, CTackletData& record)
        : m_section(section), m_volumeKey(volumeKey), m_record(record) {}

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
            // Read whole: a body that is kept goes back exactly as it came.
            const std::string_view digits = m_section.GetView(f.key, "", std::numeric_limits<std::size_t>::max());
            const bool known = format == kTextPlain || format == kTextScrambled;
            m_record.m_storedDigits.clear();
            if (known && digits.size() % 2 == 0) {
                std::string bytes = DecodeBody(digits, format, m_volumeKey);
                std::string exact;
                if (ReadExact(f.key, bytes, [&](const std::string& text) { return BodyAsRead(text) == bytes; }, &exact)) {
                    value = std::move(exact);
                } else {
                    value = TextOfUsual(f.key, std::move(bytes));
                }
            } else if (!digits.empty()) {
                // Kept as it is: a later program, or the user, may still read it.
                if (known) DecodeBody(digits, format, m_volumeKey);  // its trace line
                m_record.m_storedFormat = format;
                m_record.m_storedDigits = std::string(digits);
                value = kUnreadableBodyNotice;
            }
            return;
        }
        const std::string usual = m_section.GetString(f.key, "");
        std::string exact;
        if (ReadExact(f.key, usual,
                      [&](const std::string& text) { return CWriteIniFile::UsualFormAsRead(text) == usual; },
                      &exact)) {
            value = std::move(exact);
        } else {
            value = TextOfUsual(f.key, usual);
        }
        if (f.Has(NoteField::kUpperCase)) value = MbToUpper(value);
    }
    void Read(const NoteField& f, PvTime& value) {
        PvTime time;
        if (ParseNoteDate(m_section.GetString(f.key, ""), &time)) value = time;
    }
    // The face name; the font's other keys count only when it is given.
    void Read(const NoteField& f, PvLogFont& font) {
        const std::string usual = m_section.GetString(f.key, "");
        std::string face;
        if (!ReadExact(f.key, usual,
                       [&](const std::string& text) { return CWriteIniFile::UsualFormAsRead(text) == usual; },
                       &face))
            face = TextOfUsual(f.key, usual);
        m_font = !face.empty();
        if (m_font) SetFaceName(font, face);
    }

private:
    // The text of the added key of `key` (read whole), when there is one
    // and `matchesUsual` says the usual key holds what a writer puts there
    // for it.
    // `usualAsRead` is what the usual key gave; a value without its check
    // (written before values carried one) is compared by `matchesUsual`.
    template <class MatchesUsual>
    bool ReadExact(const char* key, std::string_view usualAsRead, MatchesUsual matchesUsual, std::string* exact) const {
        if (!m_section.HasExactKeys()) return false;
        const std::string_view value =
            m_section.GetView(ExactKeyOf(key), "", std::numeric_limits<std::size_t>::max());
        if (value.empty()) return false;
        const int format = m_section.GetInt("TEXTFORMAT", kTextPlain) == kTextScrambled ? kTextScrambled : kTextPlain;
        std::string bytes;
        bool hasCheck = false;
        std::uint32_t check = 0;
        if (!ParseExactKeyValue(value, format, m_volumeKey, &bytes, &hasCheck, &check)) return false;
        std::string text = TextOfExactBytes(bytes);
        if (hasCheck ? UsualKeyCheck(usualAsRead) != check : !matchesUsual(text)) return false;
        *exact = std::move(text);
        return true;
    }

    // The text of a usual key's bytes; bytes it does not give back are kept.
    std::string TextOfUsual(const char* key, std::string bytes) const {
        if (IsAsciiText(bytes)) return bytes;
        std::string text = TextOfCodePage(bytes);
        if (CodePageOf(text) != bytes) m_record.m_keptBytes.push_back({key, text, bytes});
        return text;
    }

    const CIniFile::SectionView& m_section;
    std::uint32_t m_volumeKey;
    CTackletData& m_record;
    bool m_font = false;
};

class CItemWriter {
public:
    CItemWriter(CWriteIniFile& writer, int format, std::uint32_t volumeKey, const std::string& section,
                const std::string& path, const CTackletData& record)
        : m_writer(writer), m_format(format), m_volumeKey(volumeKey), m_section(section), m_path(path),
          m_record(record) {}

    void Write(const NoteField& f, std::int32_t value) { Number(f.key, value); }
    void Write(const NoteField& f, std::uint8_t value) { Number(f.key, value); }
    void Write(const NoteField& f, const std::string& value) {
        if (!f.Has(NoteField::kBody)) {
            Text(f.key, value);
            return;
        }
        // Formats 0 and 1 carry the body; any other writes neither key.
        if (m_format != kTextPlain && m_format != kTextScrambled) return;
        if (m_record.KeepsStoredBody()) {
            m_textFormat = m_record.m_storedFormat;
            Number("TEXTFORMAT", m_record.m_storedFormat);
            m_writer.write(m_section, f.key, m_record.m_storedDigits, m_path);
            return;
        }
        Number("TEXTFORMAT", m_format);
        // The digits go straight into the file's buffer.
        const std::string* kept = m_record.KeptBytesOf(f.key, value);
        std::string converted;
        const std::string_view bytes = kept ? std::string_view(*kept) : CodePageFormOf(value, &converted);
        const std::string_view stored = StoredBody(bytes);
        m_writer.writeFilled(
            m_section, f.key, 2 * stored.size(),
            [&](char* digits) { EncodeStoredBody(digits, stored, m_format, m_volumeKey); }, m_path);
        const std::string_view asRead = stored.substr(0, stored.find('\0'));
        if (!kept && !IsAsciiText(value)) {
            std::string exact = StoredBodyText(value);
            if (TextOfCodePage(asRead) != exact) m_exact.push_back({f.key, std::move(exact), std::string(asRead)});
        }
    }
    void Write(const NoteField& f, PvTime value) { m_writer.write(m_section, f.key, FormatNoteDate(value), m_path); }
    void Write(const NoteField& f, const PvLogFont& font) {
        Text(f.key, FaceNameOf(font));
    }

    // After every other key: the added keys of the texts that did not fit,
    // scrambled as the section's TEXTFORMAT says.
    void WriteExactKeys() {
        const int format = m_textFormat == kTextScrambled ? kTextScrambled : kTextPlain;
        for (const ExactText& e : m_exact) {
            m_writer.write(m_section, ExactKeyOf(e.key),
                           ExactKeyValue(ExactBytesOf(e.text), e.usualAsRead, format, m_volumeKey),
                           m_path);
        }
    }

private:
    void Number(const char* key, long long value) { m_writer.write(m_section, key, value, m_path); }
    // A text: its code-page form, or the bytes it was read from; the exact
    // text in the added key when the usual one cannot give it back.
    void Text(const char* key, std::string_view value) {
        if (const std::string* kept = m_record.KeptBytesOf(key, value)) {
            m_writer.write(m_section, key, *kept, m_path);
            return;
        }
        std::string converted;
        m_writer.write(m_section, key, CodePageFormOf(value, &converted), m_path);
        if (CWriteIniFile::NeedsExactKey(value))
            m_exact.push_back({key, std::string(value), CWriteIniFile::UsualFormAsRead(value)});
    }

    CWriteIniFile& m_writer;
    int m_format;
    std::uint32_t m_volumeKey;
    const std::string& m_section;
    const std::string& m_path;
    const CTackletData& m_record;
    int m_textFormat = m_format;  // the section's TEXTFORMAT
    // Keys and texts whose added keys follow the section's other keys.
    struct ExactText {
        const char* key;
        std::string text;
        std::string usualAsRead;  // what a reader gets from the usual key
    };
    std::vector<ExactText> m_exact;
};

// Adds up an upper bound of what CItemWriter writes: every key line with
// its longest value, its quotes and its line end.
class CItemSizer {
public:
    CItemSizer(int format, std::size_t storedDigits) : m_format(format), m_storedDigits(storedDigits) {}

    void Add(const NoteField& f, std::int32_t) { Line(f.key, kNumberBytes); }
    void Add(const NoteField& f, std::uint8_t) { Line(f.key, kNumberBytes); }
    void Add(const NoteField& f, const std::string& value) {
        if (!f.Has(NoteField::kBody)) {
            // A text's code-page form is never longer than its UTF-8 bytes.
            Line(f.key, value.size());
            if (!IsPlainLine(value)) Line(ExactKeyOf(f.key), 2 * value.size() + kCheckBytes);
            return;
        }
        if (m_format != kTextPlain && m_format != kTextScrambled) return;
        Line("TEXTFORMAT", kNumberBytes);
        Line(f.key, std::max(2 * std::min(value.size(), kMaxBodyBytes), m_storedDigits));
        if (!IsAsciiText(value)) Line(ExactKeyOf(f.key), 2 * value.size() + kCheckBytes);
    }
    void Add(const NoteField& f, PvTime) { Line(f.key, kDateBytes); }
    void Add(const NoteField& f, const PvLogFont& font) {
        Line(f.key, FaceNameOf(font).size());
        if (!IsPlainLine(FaceNameOf(font))) Line(ExactKeyOf(f.key), 2 * FaceNameOf(font).size() + kCheckBytes);
    }
    void Line(std::string_view key, std::size_t valueBytes) { m_bytes += key.size() + valueBytes + kLineBytes; }

    std::size_t Bytes() const { return m_bytes; }

private:
    static constexpr std::size_t kNumberBytes = 20;  // "-9223372036854775808"
    static constexpr std::size_t kDateBytes = 64;    // FormatNoteDate's buffer
    static constexpr std::size_t kCheckBytes = 9;    // an added key's "-" and check digits
    static constexpr std::size_t kLineBytes = 6;     // '=', two quotes, "\r\r\n"

    int m_format;
    std::size_t m_storedDigits;
    std::size_t m_bytes = 0;
};

}  // namespace

const std::string* CTackletData::KeptBytesOf(const char* key, std::string_view text) const {
    for (const KeptBytes& kept : m_keptBytes) {
        if (std::string_view(kept.key) == key) return kept.text == text ? &kept.bytes : nullptr;
    }
    return nullptr;
}

bool CTackletData::KeepsStoredBody() const { return !m_storedDigits.empty() && TEXT == kUnreadableBodyNotice; }

void CTackletData::ReadItem(const CIniFile& ini, std::uint32_t volumeKey, const std::string& section) {
    const CIniFile::SectionView s = ini.GetSection(section);
    m_keptBytes.clear();
    CItemReader reader(s, volumeKey, *this);
    VisitNoteFields([&](const NoteField& field, auto get) { reader.Read(field, get(*this)); });
    BoundRecord(*this);
}

void CTackletData::WriteItem(CWriteIniFile& writer, int format, std::uint32_t volumeKey,
                             const std::string& section, const std::string& path) const {
    CItemWriter out(writer, format, volumeKey, section, path, *this);
    const CTackletData& record = *this;
    VisitNoteFields([&](const NoteField& field, auto get) {
        if (!field.Has(NoteField::kTrailing) && IsWrittenFor(field, record, get(record))) out.Write(field, get(record));
    });
    out.WriteExactKeys();
    VisitNoteFields([&](const NoteField& field, auto get) {
        if (field.Has(NoteField::kTrailing) && IsWrittenFor(field, record, get(record))) out.Write(field, get(record));
    });
}

std::size_t CTackletData::ItemBytesBound(int format, std::size_t sectionBytes) const {
    CItemSizer sizer(format, KeepsStoredBody() ? m_storedDigits.size() : 0);
    sizer.Line("[]", sectionBytes);
    const CTackletData& record = *this;
    VisitNoteFields([&](const NoteField& field, auto get) {
        if (IsWrittenFor(field, record, get(record))) sizer.Add(field, get(record));
    });
    return sizer.Bytes();
}

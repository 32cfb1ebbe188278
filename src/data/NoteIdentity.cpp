#include "data/NoteIdentity.h"

#include <cstdio>
#include <random>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "data/NoteDate.h"
#include "data/NoteFields.h"

namespace {

// A 64-bit hash of bytes taken eight at a time (little-endian words, the
// same on every platform), mixed as FNV-1a mixes bytes, with a final
// avalanche: stable everywhere, and fast on bodies of thousands of bytes.
class CHash {
public:
    void Bytes(std::string_view bytes) {
        const unsigned char* p = reinterpret_cast<const unsigned char*>(bytes.data());
        std::size_t n = bytes.size();
        for (; n >= 8; n -= 8, p += 8) {
            std::uint64_t word = 0;
            for (int i = 7; i >= 0; --i) word = (word << 8) | p[i];
            Mix(word);
        }
        std::uint64_t tail = 0;
        for (std::size_t i = n; i-- > 0;) tail = (tail << 8) | p[i];
        Mix(tail ^ (static_cast<std::uint64_t>(n) << 56));
    }
    void Number(std::int64_t value) {
        char bytes[8];
        for (int i = 0; i < 8; ++i) bytes[i] = static_cast<char>((static_cast<std::uint64_t>(value) >> (8 * i)) & 0xFF);
        Bytes(std::string_view(bytes, 8));
    }
    // A text with its length, so that neighbouring texts cannot run into each other.
    void Text(std::string_view text) {
        Number(static_cast<std::int64_t>(text.size()));
        Bytes(text);
    }
    std::uint64_t Value() const {
        std::uint64_t h = m_value;
        h ^= h >> 33;
        h *= 0xff51afd7ed558ccdull;
        h ^= h >> 33;
        return h;
    }

private:
    void Mix(std::uint64_t word) {
        m_value ^= word;
        m_value *= 1099511628211ull;
        m_value ^= m_value >> 31;
    }

    std::uint64_t m_value = 14695981039346656037ull;
};

struct CContentVisitor {
    CHash& hash;
    void Add(std::int32_t value) { hash.Number(value); }
    void Add(std::uint8_t value) { hash.Number(value); }
    void Add(const std::string& value) { hash.Text(value); }
    // As the file holds it (to the minute).
    void Add(PvTime value) { hash.Text(FormatNoteDate(value)); }
    void Add(const PvLogFont& font) { hash.Text(FaceNameOf(font)); }
};

std::string Hex(std::uint64_t value) {
    char digits[17];
    std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(value));
    return digits;
}

}  // namespace

std::uint64_t NoteContentHash(const CTackletData& note) {
    CHash hash;
    CContentVisitor visitor{hash};
    VisitNoteFields([&](const NoteField& field, auto get) {
        if (!field.Has(NoteField::kBookkeeping) && IsWrittenFor(field, note)) visitor.Add(get(note));
    });
    // The place: size, and corner relative to the target window.
    hash.Number(std::int64_t{note.REC_RIGHT} - note.REC_LEFT);
    hash.Number(std::int64_t{note.REC_BOTTOM} - note.REC_TOP);
    hash.Number(std::int64_t{note.REC_LEFT} - note.TGT_LEFT);
    hash.Number(std::int64_t{note.REC_TOP} - note.TGT_TOP);
    // A body kept as it stood in the file.
    if (note.KeepsStoredBody()) hash.Text(note.m_storedDigits);
    return hash.Value();
}

std::string DerivedNoteId(const CTackletData& note, unsigned salt) {
    CHash hash;
    // The creation time as the file holds it (the same digits on every PC).
    hash.Text(FormatNoteDate(note.GENDATE));
    for (std::int32_t flag : {note.TITLEFLAG, note.PRECESSEFLAG, note.FULL, note.EXTENTFLAG, note.EXFULLFLAG,
                              note.EXCTLID})
        hash.Number(flag);
    for (const std::string* text : {&note.TITLE, &note.PART, &note.EXENAME, &note.EXCLASS, &note.EXTEXT,
                                    &note.EXPART})
        hash.Text(*text);
    hash.Text(note.KeepsStoredBody() ? note.m_storedDigits : note.TEXT);
    hash.Number(salt);
    return Hex(hash.Value());
}

std::string NewNoteId() {
    static thread_local std::mt19937_64 generator{[] {
        std::random_device device;
        return (static_cast<std::uint64_t>(device()) << 32) ^ device() ^
               static_cast<std::uint64_t>(NowTime());
    }()};
    return Hex(generator());
}

std::size_t GiveIdentities(std::vector<CTackletData>& notes, NewIdentity how) {
    // Every identity the file gives first, so that a derived one never takes
    // the identity a later note holds.
    std::unordered_set<std::string> taken;
    taken.reserve(notes.size() * 2);
    std::vector<CTackletData*> without;
    for (CTackletData& note : notes) {
        if (note.NOTEID.empty() || !taken.insert(note.NOTEID).second) without.push_back(&note);
    }
    // Twins (notes of the same content) take the salts 0, 1, 2, ... in file
    // order; each content remembers where its search stopped, so a file of
    // many twins costs one search per note, not one per pair.
    std::unordered_map<std::string, unsigned> nextSalt;
    for (CTackletData* note : without) {
        if (how == NewIdentity::Derived) {
            unsigned& salt = nextSalt[DerivedNoteId(*note, 0)];
            do {
                note->NOTEID = DerivedNoteId(*note, salt++);
            } while (!taken.insert(note->NOTEID).second);
        } else {
            do {
                note->NOTEID = NewNoteId();
            } while (!taken.insert(note->NOTEID).second);
        }
        note->m_derivedId = how == NewIdentity::Derived;
    }
    return without.size();
}

std::uint64_t BytesHash(std::string_view bytes) {
    CHash hash;
    hash.Bytes(bytes);
    return hash.Value();
}

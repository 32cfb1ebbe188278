#include "NoteJson.h"

#include <cstdint>
#include <cstdio>

#include "data/CodePage.h"
#include "data/NoteDate.h"
#include "data/NoteFields.h"

namespace {

constexpr char kHexKey[] = "cp932hex";

std::string ToHex(const std::string& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (unsigned char b : bytes) {
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

bool FromHex(const std::string& hex, std::string* bytes) {
    auto value = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    };
    if (hex.size() % 2 != 0) return false;
    bytes->clear();
    for (size_t i = 0; i < hex.size(); i += 2) {
        const int hi = value(hex[i]);
        const int lo = value(hex[i + 1]);
        if (hi < 0 || lo < 0) return false;
        bytes->push_back(static_cast<char>(hi * 16 + lo));
    }
    return true;
}

// Each row of the note field table under its file key; the body is the
// plain text.
struct ToJsonVisitor {
    Json& json;
    const CTackletData& note;
    void Put(const NoteField& f, std::int32_t value) { json[f.key] = value; }
    void Put(const NoteField& f, std::uint8_t value) { json[f.key] = value; }
    void Put(const NoteField& f, const std::string& value) {
        if (f.Has(NoteField::kBody) && note.KeepsStoredBody()) {
            json[f.key] = Json{{"storedformat", note.m_storedFormat}, {"storeddigits", note.m_storedDigits}};
            return;
        }
        json[f.key] = TextToJson(value, note.KeptBytesOf(f.key, value));
    }
    void Put(const NoteField& f, PvTime value) { json[f.key] = FormatNoteDate(value); }
    void Put(const NoteField& f, const PvLogFont& font) {
        const std::string face(FaceNameOf(font));
        json[f.key] = TextToJson(face, note.KeptBytesOf(f.key, face));
    }
};

struct FromJsonVisitor {
    const Json& json;
    CTackletData& note;
    std::string* error;
    bool ok = true;

    const Json* Find(const char* key) {
        const auto it = json.find(key);
        return (ok && it != json.end()) ? &*it : nullptr;
    }
    void Fail(const char* key, const char* what) {
        ok = false;
        *error = std::string(key) + ": " + what;
    }
    void Take(const NoteField& f, std::int32_t& value) {
        const char* key = f.key;
        if (const Json* j = Find(key)) {
            if (!j->is_number_integer()) return Fail(key, "an integer is expected");
            const long long v = j->get<long long>();
            if (v < INT32_MIN || v > INT32_MAX) return Fail(key, "out of the 32-bit range");
            value = static_cast<std::int32_t>(v);
        }
    }
    void Take(const NoteField& f, std::uint8_t& value) {
        std::int32_t wide = value;
        Take(f, wide);
        value = static_cast<std::uint8_t>(wide);
    }
    void Take(const NoteField& f, std::string& value) {
        const char* key = f.key;
        const Json* j = Find(key);
        if (j == nullptr) return;
        if (f.Has(NoteField::kBody) && j->is_object() && j->contains("storeddigits")) {
            const Json& format = (*j)["storedformat"];
            const Json& digits = (*j)["storeddigits"];
            if (!format.is_number_integer() || !digits.is_string() || digits.get<std::string>().empty())
                return Fail(key, "a stored body needs \"storedformat\" and \"storeddigits\"");
            note.m_storedFormat = format.get<std::int32_t>();
            note.m_storedDigits = digits.get<std::string>();
            value = kUnreadableBodyNotice;
            return;
        }
        std::string why;
        std::string kept;
        if (!TextFromJson(*j, &value, &kept, &why)) return Fail(key, why.c_str());
        if (!kept.empty()) note.m_keptBytes.push_back({key, value, kept});
    }
    void Take(const NoteField& f, PvTime& value) {
        const char* key = f.key;
        if (const Json* j = Find(key)) {
            if (!j->is_string() || !ParseNoteDate(j->get<std::string>(), &value)) {
                Fail(key, "a local time \"YYYYMMDDhhmm\" is expected");
            }
        }
    }
    void Take(const NoteField& f, PvLogFont& font) {
        std::string face(FaceNameOf(font));
        Take(f, face);
        if (ok) SetFaceName(font, face);
    }
};

}  // namespace

Json TextToJson(const std::string& text, const std::string* kept) {
    if (kept != nullptr) return Json{{kHexKey, ToHex(*kept)}};
    return text;
}

bool TextFromJson(const Json& json, std::string* text, std::string* kept, std::string* error) {
    kept->clear();
    if (json.is_string()) {
        *text = json.get<std::string>();
        return true;
    }
    std::string bytes;
    if (json.is_object() && json.contains(kHexKey) && json[kHexKey].is_string() &&
        FromHex(json[kHexKey].get<std::string>(), &bytes)) {
        *text = TextOfCodePage(bytes);
        if (CodePageOf(*text) != bytes) *kept = std::move(bytes);
        return true;
    }
    *error = "a string or {\"cp932hex\": \"...\"} is expected";
    return false;
}

Json NoteToJson(const CTackletData& note) {
    Json json = Json::object();
    ToJsonVisitor visitor{json, note};
    VisitNoteFields([&](const NoteField& field, auto get) {
        if (IsWrittenFor(field, note, get(note))) visitor.Put(field, get(note));
    });
    return json;
}

bool NoteFromJson(const Json& json, CTackletData* note, std::string* error) {
    if (!json.is_object()) {
        *error = "a note must be an object";
        return false;
    }
    FromJsonVisitor visitor{json, *note, error};
    VisitNoteFields([&](const NoteField& field, auto get) { visitor.Take(field, get(*note)); });
    return visitor.ok;
}

Json HeaderToJson(const CNoteFileHeader& header) {
    Json json = Json::object();
    json["APPNAME"] = TextToJson(header.APPNAME);
    json["MESSAGE"] = TextToJson(header.MESSAGE);
    json["VERSION"] = TextToJson(header.VERSION);
    json["SAVEFORMAT"] = TextToJson(header.SAVEFORMAT);
    json["TACKLETNUM"] = header.TACKLETNUM;
    return json;
}

bool HeaderFromJson(const Json& json, CNoteFileHeader* header, std::string* error) {
    if (!json.is_object()) {
        *error = "the header must be an object";
        return false;
    }
    const std::pair<const char*, std::string*> texts[] = {
        {"APPNAME", &header->APPNAME}, {"MESSAGE", &header->MESSAGE},
        {"VERSION", &header->VERSION}, {"SAVEFORMAT", &header->SAVEFORMAT}};
    std::string kept;
    for (const auto& [key, field] : texts) {
        if (json.contains(key) && !TextFromJson(json[key], field, &kept, error)) {
            *error = std::string(key) + ": " + *error;
            return false;
        }
    }
    return true;
}

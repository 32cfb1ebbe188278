#include "NoteJson.h"

#include <cstdint>
#include <cstdio>

#include "Cp932.h"
#include "data/NoteDate.h"

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

// Every persisted field of a note, in the order of the file. A visitor has
// Int, Byte, Text, Date and Face members taking the key and the field.
template <class Visitor>
void VisitFields(CTackletData& n, Visitor& v) {
    v.Int("TITLEFLAG", n.TITLEFLAG);
    v.Int("PRECESSEFLAG", n.PRECESSEFLAG);
    v.Int("EXTENTFLAG", n.EXTENTFLAG);
    v.Int("EXFULLFLAG", n.EXFULLFLAG);
    v.Text("TITLE", n.TITLE);
    v.Int("FULL", n.FULL);
    v.Text("PART", n.PART);
    v.Text("EXENAME", n.EXENAME);
    v.Text("EXEPATH", n.EXEPATH);
    v.Int("EXCTLID", n.EXCTLID);
    v.Text("EXCLASS", n.EXCLASS);
    v.Text("EXTEXT", n.EXTEXT);
    v.Text("EXPART", n.EXPART);
    v.Date("GENDATE", n.GENDATE);
    v.Date("ACSDATE", n.ACSDATE);
    v.Int("REC_TOP", n.REC_TOP);
    v.Int("REC_BOTTOM", n.REC_BOTTOM);
    v.Int("REC_LEFT", n.REC_LEFT);
    v.Int("REC_RIGHT", n.REC_RIGHT);
    v.Int("TGT_TOP", n.TGT_TOP);
    v.Int("TGT_BOTTOM", n.TGT_BOTTOM);
    v.Int("TGT_LEFT", n.TGT_LEFT);
    v.Int("TGT_RIGHT", n.TGT_RIGHT);
    v.Int("READONLY", n.READONLY);
    v.Int("TRANSPARENT", n.TRANSPARENT_);
    v.Int("MOUSEHIDECTL", n.MOUSEHIDECTL);
    v.Int("COLOR", n.COLOR);
    v.Int("FRAME", n.FRAME);
    v.Int("BKCOLOR", n.BKCOLOR);
    v.Int("TXCOLOR", n.TXCOLOR);
    v.Int("BKTRANSPARENT", n.BKTRANSPARENT);
    v.Int("PICKPOS", n.PICKPOS);
    v.Int("GRAFLG", n.GRAFLG);
    v.Int("GRAPTN", n.GRAPTN);
    v.Face("FONTFACENAME", n.m_logFont);
    v.Int("FONTHEIGHT", n.m_logFont.lfHeight);
    v.Int("FONTWEIGHT", n.m_logFont.lfWeight);
    v.Byte("FONTITALIC", n.m_logFont.lfItalic);
    v.Int("ARWFLAG", n.m_arrow.ARWFLAG);
    v.Int("ARWSATRTX", n.m_arrow.ARWSATRTX);
    v.Int("ARWSTARTY", n.m_arrow.ARWSTARTY);
    v.Int("ARWENDX", n.m_arrow.ARWENDX);
    v.Int("ARWENDY", n.m_arrow.ARWENDY);
    v.Int("ARLINEWIDTH", n.ARLINEWIDTH);
    v.Text("TEXT", n.TEXT);
}

struct ToJsonVisitor {
    Json& json;
    void Int(const char* key, std::int32_t& value) { json[key] = value; }
    void Byte(const char* key, std::uint8_t& value) { json[key] = value; }
    void Text(const char* key, std::string& value) { json[key] = TextToJson(value); }
    void Date(const char* key, PvTime& value) { json[key] = FormatNoteDate(value); }
    void Face(const char* key, PvLogFont& font) { json[key] = TextToJson(std::string(FaceNameOf(font))); }
};

struct FromJsonVisitor {
    const Json& json;
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
    void Int(const char* key, std::int32_t& value) {
        if (const Json* j = Find(key)) {
            if (!j->is_number_integer()) return Fail(key, "an integer is expected");
            const long long v = j->get<long long>();
            if (v < INT32_MIN || v > INT32_MAX) return Fail(key, "out of the 32-bit range");
            value = static_cast<std::int32_t>(v);
        }
    }
    void Byte(const char* key, std::uint8_t& value) {
        std::int32_t wide = value;
        Int(key, wide);
        value = static_cast<std::uint8_t>(wide);
    }
    void Text(const char* key, std::string& value) {
        if (const Json* j = Find(key)) {
            std::string why;
            if (!TextFromJson(*j, &value, &why)) Fail(key, why.c_str());
        }
    }
    void Date(const char* key, PvTime& value) {
        if (const Json* j = Find(key)) {
            if (!j->is_string() || !ParseNoteDate(j->get<std::string>(), &value)) {
                Fail(key, "a local time \"YYYYMMDDhhmm\" is expected");
            }
        }
    }
    void Face(const char* key, PvLogFont& font) {
        std::string face(FaceNameOf(font));
        Text(key, face);
        if (ok) SetFaceName(font, face);
    }
};

}  // namespace

Json TextToJson(const std::string& cp932) {
    std::string utf8;
    std::string back;
    if (Cp932ToUtf8(cp932, &utf8) && Utf8ToCp932(utf8, &back) && back == cp932) return utf8;
    return Json{{kHexKey, ToHex(cp932)}};
}

bool TextFromJson(const Json& json, std::string* cp932, std::string* error) {
    if (json.is_string()) {
        if (Utf8ToCp932(json.get<std::string>(), cp932)) return true;
        *error = "the text has characters that Shift-JIS cannot hold";
        return false;
    }
    if (json.is_object() && json.contains(kHexKey) && json[kHexKey].is_string() &&
        FromHex(json[kHexKey].get<std::string>(), cp932)) {
        return true;
    }
    *error = "a string or {\"cp932hex\": \"...\"} is expected";
    return false;
}

Json NoteToJson(const CTackletData& note) {
    CTackletData copy = note;
    Json json = Json::object();
    ToJsonVisitor visitor{json};
    VisitFields(copy, visitor);
    return json;
}

bool NoteFromJson(const Json& json, CTackletData* note, std::string* error) {
    if (!json.is_object()) {
        *error = "a note must be an object";
        return false;
    }
    FromJsonVisitor visitor{json, error};
    VisitFields(*note, visitor);
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
    for (const auto& [key, field] : texts) {
        if (json.contains(key) && !TextFromJson(json[key], field, error)) {
            *error = std::string(key) + ": " + *error;
            return false;
        }
    }
    return true;
}

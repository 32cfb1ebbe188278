// pvnote: prints the notes of a note file as JSON and writes a note file
// from such JSON.
//
//   pvnote dump FILE [--kind data|pending|export] [--serial HEX]
//   pvnote write FILE [--kind data|pending|export] [--serial HEX] [--format N] [--json IN]
//
// The volume serial number scrambles the bodies of data and pending-list
// files written with text format 1. By default it is the serial number of
// the drive that holds FILE (Windows), or 0; --serial gives it by hand, for
// example to read the notes of a data file copied from another drive and
// write them again for the drive they are on now. Export files are read and
// written plain.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>

#include "NoteJson.h"
#include "VolumeSerial.h"
#include "data/TextProtect.h"
#include "data/VersionText.h"
#include "data/VolumeKey.h"

#ifdef _WIN32
#include "platform/Platform.h"
#endif

#ifndef PV_VERSION_TEXT
#define PV_VERSION_TEXT ""
#endif

namespace {

struct Options {
    std::string command;
    std::string file;
    std::string kind = "data";
    std::optional<std::uint32_t> serial;
    std::optional<int> format;
    std::string jsonPath;  // empty: standard input
};

int Usage() {
    std::fprintf(stderr,
                 "usage: pvnote dump FILE [--kind data|pending|export] [--serial HEX]\n"
                 "       pvnote write FILE [--kind data|pending|export] [--serial HEX] [--format N] [--json IN]\n");
    return 2;
}

bool ParseOptions(int argc, char** argv, Options* o) {
    if (argc < 3) return false;
    o->command = argv[1];
    o->file = argv[2];
    for (int i = 3; i < argc; ++i) {
        const std::string arg = argv[i];
        if (i + 1 >= argc) return false;
        const std::string value = argv[++i];
        char* end = nullptr;
        if (arg == "--kind") {
            o->kind = value;
        } else if (arg == "--serial") {
            const unsigned long long serial = std::strtoull(value.c_str(), &end, 16);
            if (*end != '\0' || value.empty() || serial > 0xFFFFFFFFull) return false;
            o->serial = static_cast<std::uint32_t>(serial);
        } else if (arg == "--format") {
            const long format = std::strtol(value.c_str(), &end, 10);
            if (*end != '\0' || value.empty()) return false;
            o->format = static_cast<int>(format);
        } else if (arg == "--json") {
            o->jsonPath = value;
        } else {
            return false;
        }
    }
    return (o->command == "dump" || o->command == "write") &&
           (o->kind == "data" || o->kind == "pending" || o->kind == "export");
}

std::uint32_t VolumeKey(const Options& o) {
    if (o.serial) return *o.serial;
    if (o.kind == "export") return 0;
    return VolumeKeyForPath(o.file);
}

int Dump(const Options& o) {
    const CIniFile ini = CIniFile::Load(o.file);
    Json out = Json::object();
    out["kind"] = o.kind;
    out["header"] = HeaderToJson(ReadNoteFileHeader(ini));
    Json notes = Json::array();
    for (const CTackletData& note : ReadNotes(ini, VolumeKey(o))) notes.push_back(NoteToJson(note));
    out["notes"] = std::move(notes);
    std::cout << out.dump(2) << '\n';
    return 0;
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "pvnote: %s\n", message.c_str());
    return 1;
}

int Write(const Options& o) {
    std::string text;
    if (o.jsonPath.empty()) {
        text.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    } else {
        std::ifstream in(o.jsonPath, std::ios::binary);
        if (!in) return Fail("cannot read " + o.jsonPath);
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    const Json json = Json::parse(text, nullptr, false);
    if (json.is_discarded() || !json.is_object()) return Fail("the input is not a JSON object");

    CNoteFileHeader header;
    header.VERSION = PV_VERSION_TEXT;
    header.SAVEFORMAT = "0";
    std::string error;
    if (json.contains("header") && !HeaderFromJson(json["header"], &header, &error)) return Fail(error);
    SetVersionText(header.VERSION);

    std::vector<CTackletData> notes;
    if (json.contains("notes")) {
        if (!json["notes"].is_array()) return Fail("notes must be an array");
        for (const Json& item : json["notes"]) {
            CTackletData note;
            if (!NoteFromJson(item, &note, &error)) {
                return Fail("note " + std::to_string(notes.size()) + ": " + error);
            }
            notes.push_back(std::move(note));
        }
    }

    bool written;
    if (o.kind == "export") {
        written = WriteExportFile(o.file, notes);
    } else {
        const int format = o.format ? *o.format : CIniFile::ParseLeadingInt(header.SAVEFORMAT);
        written = WriteDataFile(o.file, notes, format, VolumeKey(o));
    }
    return written ? 0 : Fail("cannot write " + o.file);
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, &options)) return Usage();
    InstallVolumeSerialProvider();
#ifdef _WIN32
    // Files are replaced the way Pinvane replaces them: in one step, never
    // deleted first.
    InstallFileServices();
#endif
    try {
        return options.command == "dump" ? Dump(options) : Write(options);
    } catch (const std::exception& e) {
        return Fail(e.what());
    }
}

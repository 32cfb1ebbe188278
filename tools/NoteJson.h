// Note records and note-file headers as JSON, keyed by their file keys.
//
// Texts are UTF-8 in JSON. A Shift-JIS text that does not convert to UTF-8
// and back unchanged is given as {"cp932hex": "<bytes>"} instead, so that a
// file written from the JSON has the very bytes it was read from.
#pragma once

#include <string>

#include <nlohmann/json.hpp>

#include "data/NoteFile.h"

using Json = nlohmann::ordered_json;

Json NoteToJson(const CTackletData& note);
// Fields missing from the JSON keep the values of `note`. False with a
// message on a value of the wrong type or form.
bool NoteFromJson(const Json& json, CTackletData* note, std::string* error);

Json HeaderToJson(const CNoteFileHeader& header);
bool HeaderFromJson(const Json& json, CNoteFileHeader* header, std::string* error);

Json TextToJson(const std::string& cp932);
bool TextFromJson(const Json& json, std::string* cp932, std::string* error);

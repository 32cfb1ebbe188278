// Note records and note-file headers as JSON, keyed by their file keys.
//
// Texts are UTF-8 in JSON. A text read from code-page bytes that it does
// not give back (see CTackletData::m_keptBytes) is given as
// {"cp932hex": "<bytes>"} instead, so that a file written from the JSON
// has the very bytes it was read from. A body that could not be read is
// given as {"storedformat": n, "storeddigits": "<digits>"} and is written
// back as it stood.
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

// A text, or the code-page bytes it was read from when `kept` is given.
Json TextToJson(const std::string& text, const std::string* kept = nullptr);
// The text; `kept` receives the bytes of a {"cp932hex"} form (else empty).
bool TextFromJson(const Json& json, std::string* text, std::string* kept, std::string* error);

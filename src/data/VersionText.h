// The program's version text ("Ver.:" and the product version), which the
// note files carry. The application sets it once from its version resource;
// it is empty until then.
#pragma once

#include <string>

void SetVersionText(const std::string& text);
const std::string& VersionText();

// The version text as files store it: "," becomes "-" and ";" becomes ".".
std::string StoredVersionText();

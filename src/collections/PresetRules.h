// The rules of the preset dialogs that need no window: what OK checks in
// one preset, and whether a process already has a preset.
#pragma once

#include <string>
#include <vector>

#include "data/PreSetFile.h"

// Position of the first preset for process `exeName` (byte for byte), or -1.
int FindPresetForProcess(const std::vector<CPreSetCondData>& presets, const std::string& exeName);

// What OK of the preset dialog says about `preset`, in order: the first
// missing value as a notice (the dialog stays open), otherwise the Yes/No
// questions about conditions switched off (each must be answered Yes).
struct CPresetOkCheck {
    const char* notice = nullptr;
    std::vector<const char*> questions;
};
CPresetOkCheck CheckPresetForOk(const CPreSetCondData& preset);

// The question asked when a new preset names a process that has one.
std::string DuplicateProcessQuestion(const std::string& exeName);

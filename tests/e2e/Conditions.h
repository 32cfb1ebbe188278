// End-to-end scenarios of child conditions and presets (Conditions.cpp).
#pragma once

#include <string>

#include "Driver.h"

int ChildConditions(const std::string& exe);
int PresetsKept(const std::string& exe);

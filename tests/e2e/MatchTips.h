// End-to-end scenarios of the main panel's row tips (MatchTips.cpp).
#pragma once

#include <functional>
#include <string>

#include "Driver.h"

int MatchTips(const std::string& exe);
// Brings a row tip up over the main panel and runs `hold` meanwhile (the
// screenshot run takes its picture).
int HoldMatchTip(const std::string& exe, const std::function<void()>& hold);

// End-to-end scenario of notes kept within reach of the monitors (Rescue.cpp).
#pragma once

#include <string>

#include "Driver.h"

int OffscreenRescue(const std::string& exe);

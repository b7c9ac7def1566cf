// The settings a screen-saver host passes on the command line of the hosted mode (XScreenSaver
// builds them from its settings panel): "-number 5", "-lighting spot" and so on. They override
// the profile for that run only; the other modes never read them.
#pragma once

#include "config/settings.h"

#include <string>

// Applies every such option found after the program name to the settings. Values must be within
// the ranges the configuration dialog offers. False, with a message naming the option, when one
// is missing its value or has a value it cannot take; the settings are then left as they were.
// Other arguments are not looked at.
bool ApplyHostOptions(int argc, const char* const* argv, SETTINGS& settings, std::string* error);

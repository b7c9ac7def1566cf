#include "shell/host_options.h"

#include "shell/host_args.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

struct NumberOption {
    const char* name;
    LONG SETTINGS::*field;
    SETTINGRANGE range;
};

constexpr NumberOption kNumbers[] = {
    {"number", &SETTINGS::Number, kNumberRange},         {"length", &SETTINGS::Length, kLengthRange},
    {"speed", &SETTINGS::Speed, kSpeedRange},            {"background", &SETTINGS::BackgroundRGB, kHundredthsRange},
    {"specular", &SETTINGS::Specular, kHundredthsRange}, {"power", &SETTINGS::Power, kTenthsRange},
};

struct ChoiceOption {
    const char* name;
    LONG SETTINGS::*field;
    const char* values[2]; // the words for 0 and 1
};

constexpr ChoiceOption kChoices[] = {
    {"lighting", &SETTINGS::Lighting, {"directional", "spot"}},
    {"order", &SETTINGS::Type, {"one", "all"}},
};

// "-name" or "--name" without its dashes, and the value of "--name=value" (null without one);
// an empty name for anything else.
std::string OptionName(const char* arg, const char** inlineValue) {
    *inlineValue = nullptr;
    if (arg[0] != '-') return {};
    const char* name = arg[1] == '-' ? arg + 2 : arg + 1;
    const char* equals = std::strchr(name, '=');
    if (!equals) return name;
    *inlineValue = equals + 1;
    return std::string(name, equals);
}

// A whole number written as digits, with a minus sign at most.
bool ReadNumber(const char* text, long* value) {
    if (!std::isdigit(static_cast<unsigned char>(*text)) && *text != '-') return false;
    char* end = nullptr;
    errno = 0;
    *value = std::strtol(text, &end, 10);
    return *end == '\0' && errno != ERANGE;
}

} // namespace

bool ApplyHostOptions(int argc, const char* const* argv, SETTINGS& settings, std::string* error) {
    SETTINGS result = settings;
    for (int i = 1; i < argc; ++i) {
        const char* inlineValue = nullptr;
        const std::string name = OptionName(argv[i], &inlineValue);
        if (name.empty()) continue;
        const char* value = inlineValue ? inlineValue : i + 1 < argc ? argv[i + 1] : nullptr;
        // The option as written, without a value of its own: that is only ever quoted.
        const std::string written = inlineValue ? std::string(argv[i], inlineValue - 1) : argv[i];
        bool known = false;
        for (const NumberOption& option : kNumbers) {
            if (name != option.name) continue;
            known = true;
            long number = 0;
            if (!value || !ReadNumber(value, &number) || number < option.range.low || number > option.range.high) {
                *error = written + " needs a whole number from " + std::to_string(option.range.low) +
                         " to " + std::to_string(option.range.high) + (value ? ", not " + QuoteId(value) : "");
                return false;
            }
            result.*option.field = static_cast<LONG>(number);
        }
        for (const ChoiceOption& option : kChoices) {
            if (name != option.name) continue;
            known = true;
            int choice = -1;
            for (int n = 0; n < 2 && value; ++n)
                if (!std::strcmp(value, option.values[n])) choice = n;
            if (choice < 0) {
                *error = written + " needs " + option.values[0] + " or " + option.values[1] +
                         (value ? ", not " + QuoteId(value) : "");
                return false;
            }
            result.*option.field = choice;
        }
        if (known && !inlineValue) ++i; // its value is no option
    }
    settings = result;
    return true;
}

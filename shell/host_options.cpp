#include "shell/host_options.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

struct NumberOption {
    const char* name;
    LONG SETTINGS::*field;
    long low, high;
};

// The ranges of the configuration dialog.
constexpr NumberOption kNumbers[] = {
    {"number", &SETTINGS::Number, 1, 20},         {"length", &SETTINGS::Length, 1, 100},
    {"speed", &SETTINGS::Speed, 10, 3000},        {"background", &SETTINGS::BackgroundRGB, 0, 100},
    {"specular", &SETTINGS::Specular, 0, 100},    {"power", &SETTINGS::Power, 0, 100},
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

// "-name" or "--name" without its dashes; null for anything else.
const char* OptionName(const char* arg) {
    if (arg[0] != '-') return nullptr;
    return arg[1] == '-' ? arg + 2 : arg + 1;
}

bool ReadNumber(const char* text, long* value) {
    if (!*text || std::strchr(" \t", *text)) return false;
    char* end = nullptr;
    errno = 0;
    *value = std::strtol(text, &end, 10);
    return *end == '\0' && errno != ERANGE;
}

} // namespace

bool ApplyHostOptions(int argc, const char* const* argv, SETTINGS& settings, std::string* error) {
    SETTINGS result = settings;
    for (int i = 1; i < argc; ++i) {
        const char* name = OptionName(argv[i]);
        if (!name) continue;
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        bool known = false;
        for (const NumberOption& option : kNumbers) {
            if (std::strcmp(name, option.name) != 0) continue;
            known = true;
            long number = 0;
            if (!value || !ReadNumber(value, &number) || number < option.low || number > option.high) {
                *error = std::string(argv[i]) + " needs a whole number from " + std::to_string(option.low) +
                         " to " + std::to_string(option.high) + (value ? ", not \"" + std::string(value) + "\"" : "");
                return false;
            }
            result.*option.field = static_cast<LONG>(number);
        }
        for (const ChoiceOption& option : kChoices) {
            if (std::strcmp(name, option.name) != 0) continue;
            known = true;
            int choice = -1;
            for (int n = 0; n < 2 && value; ++n)
                if (!std::strcmp(value, option.values[n])) choice = n;
            if (choice < 0) {
                *error = std::string(argv[i]) + " needs " + option.values[0] + " or " + option.values[1] +
                         (value ? ", not \"" + std::string(value) + "\"" : "");
                return false;
            }
            result.*option.field = choice;
        }
        if (known) ++i; // its value is no option
    }
    settings = result;
    return true;
}

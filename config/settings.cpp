#include "config/settings.h"

#include "platform/profile/profile.h"
#include "platform/profile/profile_section.h"

namespace {

struct Key {
    const char* name;
    LONG SETTINGS::*field;
    LONG defaultValue;
};

// Load and save order.
constexpr Key kKeys[] = {
    {"Number", &SETTINGS::Number, 1},        {"Length", &SETTINGS::Length, 10},
    {"Speed", &SETTINGS::Speed, 1000},       {"Width", &SETTINGS::Width, 0},
    {"Height", &SETTINGS::Height, 0},        {"Specular", &SETTINGS::Specular, 100},
    {"BackgroundRGB", &SETTINGS::BackgroundRGB, 0}, {"Power", &SETTINGS::Power, 10},
    {"Type", &SETTINGS::Type, 0},            {"Hard", &SETTINGS::Hard, 1},
    {"Lighting", &SETTINGS::Lighting, 0},
};

} // namespace

void LoadSettings(CWinApp& app, SETTINGS& settings) {
    // One read of the file for all the keys: a profile may be large.
    const ProfileSection profile(app.m_profilePath.c_str(), kSettingsSection);
    for (const Key& key : kKeys) {
        LONG value = static_cast<LONG>(profile.GetInt(key.name, key.defaultValue));
        if (key.field == &SETTINGS::Hard) value = value == 1 ? 1 : 0;
        settings.*key.field = value;
    }
}

void SaveSettings(CWinApp& app, const SETTINGS& settings) {
    // All the keys in one call, so that a platform that can (POSIX: one replacement of the file)
    // lands a save whole or not at all.
    std::vector<std::pair<std::string, std::string>> values;
    for (const Key& key : kKeys) {
        LONG value = settings.*key.field;
        if (key.field == &SETTINGS::Hard) value = value != 0 ? 1 : 0;
        values.emplace_back(key.name, std::to_string(value));
    }
    WritePrivateProfileValues(kSettingsSection, values, app.m_profilePath.c_str());
}

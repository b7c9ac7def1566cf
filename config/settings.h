// The eleven settings of the saver, kept in one profile section, one integer per key.
#pragma once

#include "platform/afx/app.h"
#include "platform/afx/messages.h"

constexpr char kSettingsSection[] = "3D Screen saver Config";

// Fields in the application object's declaration order (the reverse of the load order); the
// initial values are the defaults for absent keys.
struct SETTINGS {
    LONG Lighting = 0;
    LONG Hard = 1;
    LONG Type = 0;
    LONG Power = 10;
    LONG BackgroundRGB = 0;
    LONG Specular = 100;
    LONG Speed = 1000;
    LONG Height = 0;
    LONG Width = 0;
    LONG Length = 10;
    LONG Number = 1;
};

// The ranges the configuration dialog offers (typed; the arrows of Length stop at 50), which a
// host's options take as well.
struct SETTINGRANGE {
    LONG low, high;
};
constexpr SETTINGRANGE kNumberRange{1, 20};
constexpr SETTINGRANGE kLengthRange{1, 100};
constexpr SETTINGRANGE kSpeedRange{10, 3000};
constexpr SETTINGRANGE kHundredthsRange{0, 100}; // Specular, BackgroundRGB
constexpr SETTINGRANGE kTenthsRange{0, 100};     // Power

// Reads every key in load order; absent keys give the defaults, nothing is validated. Hard is
// true only for a stored 1 (or an absent key).
void LoadSettings(CWinApp& app, SETTINGS& settings);
// Writes every key in load order, Hard as 0 or 1.
void SaveSettings(CWinApp& app, const SETTINGS& settings);

// Copies the settings into a dialog that carries the same eleven members, runs it, and copies
// them back when it ends with OK. Returns whether it did.
template <class Dialog> BOOL ExchangeSettingsWithDialog(SETTINGS& settings, Dialog& dlg) {
    dlg.Number = settings.Number;
    dlg.Length = settings.Length;
    dlg.Speed = settings.Speed;
    dlg.Width = settings.Width;
    dlg.Height = settings.Height;
    dlg.Specular = settings.Specular;
    dlg.BackgroundRGB = settings.BackgroundRGB;
    dlg.Power = settings.Power;
    dlg.Type = settings.Type;
    dlg.Hard = settings.Hard;
    dlg.Lighting = settings.Lighting;
    if (dlg.DoModal() != IDOK) return FALSE;
    settings.Number = dlg.Number;
    settings.Length = dlg.Length;
    settings.Speed = dlg.Speed;
    settings.Width = dlg.Width;
    settings.Height = dlg.Height;
    settings.Specular = dlg.Specular;
    settings.BackgroundRGB = dlg.BackgroundRGB;
    settings.Power = dlg.Power;
    settings.Type = dlg.Type;
    settings.Hard = dlg.Hard;
    settings.Lighting = dlg.Lighting;
    return TRUE;
}

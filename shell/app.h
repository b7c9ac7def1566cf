// CMyMirlowApp: the application object. Loads the settings and starts one of the three modes
// chosen by the first command-line argument.
#pragma once

#include "config/settings.h"
#include "platform/afx/app.h"
#include "platform/display/display.h"

#include <memory>

class CSaverWnd;
class CLayerSet;
struct HostArgs;

class CMyMirlowApp : public CWinApp {
public:
    CMyMirlowApp();
    ~CMyMirlowApp() override;

    BOOL InitInstance() override;
    int ExitInstance() override;

    // Whether a command-line argument selects the switch: one leading '-' or '/' skipped, the
    // rest compared whole without regard to case.
    static BOOL IsSwitch(LPCSTR arg, LPCSTR name);
    BOOL FindCurrentDisplayMode(DEVMODE* mode);
    BOOL ChangeDisplayMode(DEVMODE* mode);

    void LoadSettings();
    void SaveSettings();
    // Runs the configuration dialog over a copy of the settings and saves them on OK.
    virtual void RunConfigDialog();

    LONG GetSpecular() const { return m_settings.Specular; }
    LONG GetBackgroundRGB() const { return m_settings.BackgroundRGB; }
    LONG GetPower() const { return m_settings.Power; }
    LONG GetType() const { return m_settings.Type; }
    LONG GetHard() const { return m_settings.Hard; }
    LONG GetLighting() const { return m_settings.Lighting; }

    const SETTINGS& Settings() const { return m_settings; }
    BOOL ModeChanged() const { return m_bModeChanged; }

protected:
    BOOL StartPreview(LPCSTR handleArg);
    BOOL StartSaver();
    // The saver in a screen-saver host's window (shell/hosted_start.cpp).
    BOOL StartHosted(const HostArgs& args);
    // The saver on every output's background layer (shell/layer_start.cpp).
    BOOL StartLayers();

    // The saver window outlives its native window until the program ends.
    std::unique_ptr<CSaverWnd> m_pSaver;
    std::unique_ptr<CLayerSet> m_pLayers;
    BOOL m_bModeChanged = 0;
    SETTINGS m_settings;
    DEVMODE m_devMode{};
};

#include "shell/app.h"

#include "config/config_dlg.h"
#include "platform/afx/wnd.h"
#include "res/resource_module.h"
#include "shell/display_mode.h"

#include <cstdlib>
#include <strings.h>

CMyMirlowApp::CMyMirlowApp() { AfxSetResourceModule(&QuorvelResources()); }

CMyMirlowApp::~CMyMirlowApp() = default;

BOOL CMyMirlowApp::IsSwitch(LPCSTR arg, LPCSTR name) {
    if (!arg || !name) return FALSE;
    if (*arg == '-' || *arg == '/') ++arg;
    return strcasecmp(arg, name) == 0 ? TRUE : FALSE;
}

BOOL CMyMirlowApp::FindCurrentDisplayMode(DEVMODE* mode) { return ::FindCurrentDisplayMode(mode); }

BOOL CMyMirlowApp::ChangeDisplayMode(DEVMODE* mode) { return ::ChangeDisplayMode(mode); }

void CMyMirlowApp::LoadSettings() { ::LoadSettings(*this, m_settings); }

void CMyMirlowApp::SaveSettings() { ::SaveSettings(*this, m_settings); }

BOOL CMyMirlowApp::InitInstance() {
    Enable3dControls();
    LoadSettings();
    if (__argc <= 1 || IsSwitch(__argv[1], "c")) {
        RunConfigDialog();
        return FALSE;
    }
    if (IsSwitch(__argv[1], "p")) return StartPreview(__argc > 2 ? __argv[2] : nullptr);
    if (IsSwitch(__argv[1], "s")) return StartSaver();
    return TRUE; // unknown switch: no main window, the loop ends at once
}

BOOL CMyMirlowApp::StartSaver() {
    if (m_settings.Width != 0 && m_settings.Height != 0) {
        if (!FindCurrentDisplayMode(&m_devMode)) {
            // The current mode is not in the list: switch from what the display reports now
            // rather than from whichever entry the search ended on.
            m_devMode = {};
            m_devMode.dmPelsWidth = static_cast<DWORD>(GetDisplayDeviceCaps(HORZRES));
            m_devMode.dmPelsHeight = static_cast<DWORD>(GetDisplayDeviceCaps(VERTRES));
            m_devMode.dmBitsPerPel = static_cast<DWORD>(GetDisplayDeviceCaps(BITSPIXEL));
        }
        DEVMODE mode = m_devMode;
        if (mode.dmPelsWidth != static_cast<DWORD>(m_settings.Width) ||
            mode.dmPelsHeight != static_cast<DWORD>(m_settings.Height)) {
            mode.dmPelsWidth = static_cast<DWORD>(m_settings.Width);
            mode.dmPelsHeight = static_cast<DWORD>(m_settings.Height);
            if (ChangeDisplayMode(&mode)) m_bModeChanged = 1;
        }
    }
    return TRUE;
}

BOOL CMyMirlowApp::StartPreview(LPCSTR) { return TRUE; }

void CMyMirlowApp::RunConfigDialog() {
    CConfigDlg dlg(nullptr);
    if (ExchangeSettingsWithDialog(m_settings, dlg)) SaveSettings();
}

int CMyMirlowApp::ExitInstance() {
    if (m_bModeChanged) ChangeDisplayMode(nullptr);
    return CWinApp::ExitInstance();
}

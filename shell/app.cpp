#include "shell/app.h"

#include "config/config_dlg.h"
#include "config/display_mode.h"
#include "platform/afx/wnd.h"
#include "res/resource_module.h"
#include "shell/host_args.h"
#include "shell/layer_wnd.h"
#include "shell/preview_handle.h"
#include "shell/preview_wnd.h"
#include "shell/saver_wnd.h"

#include <cstdlib>
#include <cstring>
#include <strings.h>

CMyMirlowApp::CMyMirlowApp() { AfxSetResourceModule(&QuorvelResources()); }

CMyMirlowApp::~CMyMirlowApp() = default; // where CSaverWnd is complete

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
    // A host's arguments come before the switches: they cannot be mistaken for them.
    const HostArgs host = ParseHostArgs(__argc, __argv, std::getenv("XSCREENSAVER_WINDOW"));
    if (host.kind != HostArgs::Kind::None) return StartHosted(host);
    if (__argc > 1 && !std::strcmp(__argv[1], "--layer")) return StartLayers();
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
    // Sized after any switch: the window covers the new screen.
    m_pSaver = std::make_unique<CSaverWnd>(m_settings.Number, m_settings.Length, m_settings.Speed, FALSE);
    if (!m_pSaver->CreateSaverWindow()) return TRUE; // nothing would end the loop: end at once
    m_pMainWnd = m_pSaver.get();
    m_pSaver->StartAnimation();
    return TRUE;
}

BOOL CMyMirlowApp::StartPreview(LPCSTR handleArg) {
    HWND host = ParsePreviewHandle(handleArg);
    RECT client;
    // A missing, invalid or dead host: no window, so the loop ends at once.
    if (!host || !::GetClientRect(host, &client)) return TRUE;
    auto* preview = new CPreviewWnd;
    if (!preview->CreatePreviewWindow(client, host)) {
        delete preview;
        return TRUE;
    }
    m_pMainWnd = preview;
    return TRUE;
}

void CMyMirlowApp::RunConfigDialog() {
    CConfigDlg dlg(nullptr);
    if (ExchangeSettingsWithDialog(m_settings, dlg)) SaveSettings();
}

int CMyMirlowApp::ExitInstance() {
    m_pLayers.reset(); // their render threads end here
    m_pSaver.reset(); // its render thread ends here
    if (m_bModeChanged) ChangeDisplayMode(nullptr);
    return CWinApp::ExitInstance();
}

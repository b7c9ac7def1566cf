// Start-up of the background layers (--layer).
#include "platform/posix/reset_signal.h"
#include "shell/app.h"
#include "shell/layer_wnd.h"

#include <cstdio>

BOOL CMyMirlowApp::StartLayers() {
    // Before anything can take long: SIGUSR1's default action would end the program.
    AfxInstallResetSignal(WM_HOSTRESET);
    auto refuse = [this](const std::string& why) {
        std::fprintf(stderr, "quorvel: --layer: %s\n", why.c_str());
        m_msgCur.wParam = 1; // the exit code ExitInstance returns
        return FALSE;
    };
    const std::string why = AfxGetWindowBackend().WhyNoBackgroundLayers();
    if (!why.empty()) return refuse(why);
    // No display-mode switch, no pointer, no profile write: the desktop stays the user's.
    auto layers = std::make_unique<CLayerSet>(m_settings.Number, m_settings.Length, m_settings.Speed);
    if (!layers->CreateLayerSet()) return refuse("cannot create the window that keeps the layers");
    m_pMainWnd = layers.get();
    m_pLayers = std::move(layers);
    return TRUE;
}

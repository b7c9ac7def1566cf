#include "platform/afx/app.h"

#include "platform/afx/msgqueue.h"
#include "platform/afx/resources.h"
#include "platform/afx/wnd.h"
#include "platform/profile/profile.h"

#ifndef _WIN32
int __argc = 0;
char** __argv = nullptr;
#endif

namespace {
CWinApp* g_app = nullptr;
constexpr UINT kAppTitleString = 57344;
} // namespace

CWinApp* AfxGetApp() { return g_app; }

CWinApp::CWinApp(LPCSTR appName) : m_pszAppName(appName) { g_app = this; }

CWinApp::~CWinApp() {
    if (g_app == this) g_app = nullptr;
}

int CWinApp::Run() {
    if (!m_pMainWnd) PostQuitMessage(0);
    return CWinThread::Run();
}

UINT CWinApp::GetProfileInt(LPCSTR section, LPCSTR entry, int defaultValue) {
    return GetPrivateProfileIntA(section, entry, defaultValue, m_profilePath.c_str());
}

HCURSOR CWinApp::LoadCursor(UINT id) const {
    return reinterpret_cast<HCURSOR>(const_cast<AfxImageResource*>(AfxFindCursor(id)));
}

HICON CWinApp::LoadIcon(UINT id) const {
    return reinterpret_cast<HICON>(const_cast<AfxImageResource*>(AfxFindIcon(id)));
}

int AfxWinMain(int argc, char** argv) {
    __argc = argc;
    __argv = argv;
    CWinApp* app = AfxGetApp();
    if (!app) return 1;
    if (!app->m_pszAppName) app->m_pszAppName = AfxLoadString(kAppTitleString);
    app->m_profilePath = ProfilePathForProgram(argc > 0 ? argv[0] : "");
    if (!app->InitInstance()) {
        if (app->m_pMainWnd) app->m_pMainWnd->DestroyWindow();
        return app->ExitInstance();
    }
    return app->Run();
}

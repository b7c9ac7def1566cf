// CWinApp: the one application object, its start-up and exit rules.
#pragma once

#include "platform/afx/thread.h"
#include "platform/afx/window_backend.h"

#include <string>

class CWinApp : public CWinThread {
public:
    // Registers the object as the application; exactly one may exist.
    explicit CWinApp(LPCSTR appName = nullptr);
    ~CWinApp() override;

    // Runs the message loop; when InitInstance left no main window it ends at once.
    int Run() override;

    // The application title (the given name, or string resource 57344).
    LPCSTR m_pszAppName = nullptr;
    // Private profile file the profile functions work on; set by AfxWinMain from the program name.
    std::string m_profilePath;

    UINT GetProfileInt(LPCSTR section, LPCSTR entry, int defaultValue);

    // Handles of the program's cursor and icon resources; null when there is none with that id.
    HCURSOR LoadCursor(UINT id) const;
    HICON LoadIcon(UINT id) const;

    // Switches on the three-dimensional look of dialog controls (the only look there is here).
    void Enable3dControls() {}
};

CWinApp* AfxGetApp();

// The runtime's split of the command line: the program, then its arguments.
#ifdef _WIN32
#include <cstdlib> // the Windows runtime has its own
#else
extern int __argc;
extern char** __argv;
#endif

// The framework's entry, called by the platform's entry point once the platform is installed:
// sets up the arguments and profile name, then InitInstance, Run or ExitInstance. Returns the
// process exit code.
int AfxWinMain(int argc, char** argv);

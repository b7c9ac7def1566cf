#include "shell/app.h"

// The one application object, built before the framework's entry runs.
CMyMirlowApp theApp;

#include "platform/afx/app.h"
#include "shell/app.h"

// The one application object, built before main runs.
CMyMirlowApp theApp;

int main(int argc, char** argv) { return AfxWinMain(argc, argv); }

// CHostedWnd: the saver drawn inside a window that a screen-saver host owns. A child filling the
// host's window, taking no input, following its size, with the animation of the full-screen
// saver. Ends on the close signals or when the host destroys its window.
#pragma once

#include "shell/saver_wnd.h"

// Posted on SIGUSR1: the host asks for a new set of pipes.
constexpr UINT WM_HOSTRESET = WM_APP + 1;

class CHostedWnd : public CSaverWnd {
public:
    CHostedWnd(LONG number, LONG length, LONG speed);

    BOOL CreateHostedWindow(HWND host);

protected:
    // A host starts one process per monitor in the same second: each must show its own pipes.
    unsigned RandomSeed() const override;
    SIZE ViewSize() const override;

    LRESULT OnSize(WPARAM wParam, LPARAM lParam);
    LRESULT OnHostReset(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

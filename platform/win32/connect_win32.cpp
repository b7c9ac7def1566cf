#include "platform/win32/connect_win32.h"

#include "platform/win32/win32_dialog_backend.h"
#include "platform/win32/win32_display_backend.h"
#include "platform/win32/win32_presenter.h"
#include "platform/win32/win32_window_backend.h"
#include "platform/win32/wgl_backend.h"

Platform ConnectWin32(HWND dialogOwner) {
    Platform p;
    p.windows = std::make_shared<Win32WindowBackend>();
    p.dialogs = CreateWin32DialogBackend(dialogOwner);
    p.display = MakeWin32DisplayBackend();
    p.presenters = swr::MakeWin32Presenter;
    p.gl = MakeWglBackend();
    return p;
}

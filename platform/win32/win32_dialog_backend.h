// CDialog on the system's dialog manager: the template data of res/ becomes an in-memory dialog
// template with the real controls, texts in UTF-16.
#pragma once

#include "platform/afx/dialog_host.h"

// `owner` owns the dialogs that have no dialog above them (the settings page's window that
// passed its handle with the configuration switch), or null.
std::unique_ptr<DialogBackend> CreateWin32DialogBackend(HWND owner);

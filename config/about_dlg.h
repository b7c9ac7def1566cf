// CAboutDlg: the picture, title and version of the saver, opened from the configuration dialog.
#pragma once

#include "platform/afx/dialog.h"

class CAboutDlg : public CDialog {
public:
    explicit CAboutDlg(CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;
};

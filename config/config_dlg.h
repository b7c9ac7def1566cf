// CConfigDlg: the modal dialog that edits the eleven settings.
#pragma once

#include "platform/afx/dialog.h"
#include "platform/display/display.h"

class CConfigDlg : public CDialog {
public:
    explicit CConfigDlg(CWnd* parent = nullptr);
    ~CConfigDlg() override;

    BOOL DestroyWindow() override;

    // Fills the array (room for kMaxModes) with the distinct sizes of the display modes at the
    // current colour depth, in the platform's order; returns how many, or -1 when there are none.
    static int BuildModeList(DEVMODE* modes);
    static constexpr int kMaxModes = 32;

    // The settings being edited (RunConfigDialog fills them before the dialog opens).
    LONG Power = 0;
    LONG BackgroundRGB = 0;
    LONG Specular = 0;
    LONG Speed = 0;
    LONG Height = 0;
    LONG Width = 0;
    LONG Length = 0;
    LONG Number = 0;
    LONG Type = -1;
    LONG Hard = 0;
    LONG Lighting = -1;
    DEVMODE* m_pModes = nullptr; // the listed modes while the window exists

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    LRESULT OnHScroll(WPARAM wParam, LPARAM lParam);
    void OnAbout();

    DECLARE_MESSAGE_MAP()

private:
    void SetUpSlider(int id, int minPos, int maxPos, int ticFrequency, int pos);
    void FillModeList(int modeCount);
};

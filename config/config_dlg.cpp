#include "config/config_dlg.h"

#include "config/about_dlg.h"
#include "platform/afx/data_exchange.h"
#include "res/resource.h"
#include "config/display_mode.h"
#include "config/settings.h"

#include <cstdio>

namespace {

constexpr float kHundredth = 0.01f;
constexpr float kTenth = 0.1f;

std::string FormatInt(int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    return text;
}

std::string FormatScaled(int value, float factor) {
    char text[32];
    std::snprintf(text, sizeof text, "%4.2f", static_cast<double>(static_cast<float>(value) * factor));
    return text;
}

} // namespace

BEGIN_MESSAGE_MAP(CConfigDlg, CDialog)
ON_BN_CLICKED(IDC_ABOUT, OnAbout)
ON_MESSAGE(WM_HSCROLL, OnHScroll)
END_MESSAGE_MAP()

CConfigDlg::CConfigDlg(CWnd* parent) : CDialog(IDD_CONFIG, parent) {}

CConfigDlg::~CConfigDlg() { delete[] m_pModes; }

BOOL CConfigDlg::DestroyWindow() {
    delete[] m_pModes;
    m_pModes = nullptr;
    return CDialog::DestroyWindow();
}

void CConfigDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Text(pDX, IDC_LENGTH, Length);
    DDV_MinMaxInt(pDX, Length, kLengthRange.low, kLengthRange.high);
    DDX_Text(pDX, IDC_NUMBER, Number);
    DDV_MinMaxInt(pDX, Number, kNumberRange.low, kNumberRange.high);
    DDX_Radio(pDX, IDC_TYPE_ONE, Type);
    DDX_Check(pDX, IDC_HARD, Hard);
    DDX_Radio(pDX, IDC_LIGHT_DIRECTIONAL, Lighting);
}

int CConfigDlg::BuildModeList(DEVMODE* modes) {
    DEVMODE current{};
    // When the current mode is not listed the record holds whichever entry the search ended
    // on; the screen's own depth is the one to list then.
    const DWORD depth = FindCurrentDisplayMode(&current) ? current.dmBitsPerPel
                                                         : static_cast<DWORD>(GetDisplayDeviceCaps(BITSPIXEL));

    int count = 0;
    for (DWORD index = 0; count < kMaxModes; ++index) {
        if (!EnumDisplaySettingsA(nullptr, index, &modes[count])) break;
        if (modes[count].dmBitsPerPel == depth) ++count;
    }
    if (count == 0) return -1;

    // The first mode of each size in the platform's order survives.
    int kept = 0;
    for (int i = 0; i < count; ++i) {
        bool seen = false;
        for (int k = 0; k < kept && !seen; ++k)
            seen = modes[k].dmPelsWidth == modes[i].dmPelsWidth && modes[k].dmPelsHeight == modes[i].dmPelsHeight;
        if (!seen) modes[kept++] = modes[i];
    }
    return kept;
}

void CConfigDlg::SetUpSlider(int id, int minPos, int maxPos, int ticFrequency, int pos) {
    SendDlgItemMessage(id, TBM_SETRANGEMIN, TRUE, minPos);
    SendDlgItemMessage(id, TBM_SETRANGEMAX, TRUE, maxPos);
    SendDlgItemMessage(id, TBM_SETTICFREQ, static_cast<WPARAM>(ticFrequency), 0);
    SendDlgItemMessage(id, TBM_SETPOS, TRUE, pos);
}

void CConfigDlg::FillModeList(int modeCount) {
    SendDlgItemMessage(IDC_DISPLAY_MODE, CB_RESETCONTENT);
    SendDlgItemMessage(IDC_DISPLAY_MODE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("(normal)"));
    int selected = 0;
    for (int i = 0; i < modeCount; ++i) {
        const DEVMODE& mode = m_pModes[i];
        char text[48];
        std::snprintf(text, sizeof text, "%4d × %4d", static_cast<int>(mode.dmPelsWidth),
                      static_cast<int>(mode.dmPelsHeight));
        SendDlgItemMessage(IDC_DISPLAY_MODE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        if (selected == 0 && static_cast<LONG>(mode.dmPelsWidth) == Width &&
            static_cast<LONG>(mode.dmPelsHeight) == Height)
            selected = i + 1;
    }
    SendDlgItemMessage(IDC_DISPLAY_MODE, CB_SETCURSEL, static_cast<WPARAM>(selected));
}

BOOL CConfigDlg::OnInitDialog() {
    CDialog::OnInitDialog();

    delete[] m_pModes;
    m_pModes = new DEVMODE[kMaxModes]{};
    const int modeCount = BuildModeList(m_pModes);

    SendDlgItemMessage(IDC_NUMBER_SPIN, UDM_SETRANGE, 0, MAKELPARAM(kNumberRange.high, kNumberRange.low));
    SendDlgItemMessage(IDC_LENGTH_SPIN, UDM_SETRANGE, 0, MAKELPARAM(50, 1));

    if (Speed > kSpeedRange.high || Speed < kSpeedRange.low) Speed = kSpeedRange.high;
    SetUpSlider(IDC_SPEED, 1, 300, 50, Speed / 10);
    if (Specular > kHundredthsRange.high || Specular < kHundredthsRange.low) Specular = kHundredthsRange.high;
    SetUpSlider(IDC_SPECULAR, 0, 100, 10, Specular);
    if (BackgroundRGB > kHundredthsRange.high || BackgroundRGB < kHundredthsRange.low) BackgroundRGB = 0;
    SetUpSlider(IDC_BACKGROUND, 0, 100, 10, BackgroundRGB);
    if (Power > kTenthsRange.high || Power < kTenthsRange.low) Power = 0;
    SetUpSlider(IDC_POWER, 0, 100, 10, Power);

    SetDlgItemText(IDC_SPEED_LABEL, FormatInt(Speed).c_str());
    SetDlgItemText(IDC_SPECULAR_LABEL, FormatScaled(Specular, kHundredth).c_str());
    SetDlgItemText(IDC_BACKGROUND_LABEL, FormatScaled(BackgroundRGB, kHundredth).c_str());
    SetDlgItemText(IDC_POWER_LABEL, FormatScaled(Power, kTenth).c_str());

    FillModeList(modeCount < 0 ? 0 : modeCount);
    return TRUE;
}

void CConfigDlg::OnOK() {
    Speed = static_cast<LONG>(SendDlgItemMessage(IDC_SPEED, TBM_GETPOS)) * 10;
    Specular = static_cast<LONG>(SendDlgItemMessage(IDC_SPECULAR, TBM_GETPOS));
    BackgroundRGB = static_cast<LONG>(SendDlgItemMessage(IDC_BACKGROUND, TBM_GETPOS));
    Power = static_cast<LONG>(SendDlgItemMessage(IDC_POWER, TBM_GETPOS));

    LRESULT entry = SendDlgItemMessage(IDC_DISPLAY_MODE, CB_GETCURSEL);
    if (entry <= 0 || !m_pModes) {
        Width = 0;
        Height = 0;
    } else {
        Width = static_cast<LONG>(m_pModes[entry - 1].dmPelsWidth);
        Height = static_cast<LONG>(m_pModes[entry - 1].dmPelsHeight);
    }
    CDialog::OnOK();
}

LRESULT CConfigDlg::OnHScroll(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) != SB_THUMBPOSITION) {
        HWND slider = reinterpret_cast<HWND>(lParam);
        const int pos = static_cast<int>(::SendMessage(slider, TBM_GETPOS, 0, 0));
        switch (GetDlgCtrlID(slider)) {
        case IDC_SPEED: SetDlgItemText(IDC_SPEED_LABEL, FormatInt(pos * 10).c_str()); break;
        case IDC_SPECULAR: SetDlgItemText(IDC_SPECULAR_LABEL, FormatScaled(pos, kHundredth).c_str()); break;
        case IDC_BACKGROUND: SetDlgItemText(IDC_BACKGROUND_LABEL, FormatScaled(pos, kHundredth).c_str()); break;
        case IDC_POWER: SetDlgItemText(IDC_POWER_LABEL, FormatScaled(pos, kTenth).c_str()); break;
        default: break;
        }
    }
    return Default();
}

void CConfigDlg::OnAbout() {
    CAboutDlg about;
    about.DoModal();
}

#include "res/dialog_templates.h"

#include "res/resource.h"

#include <iterator>

namespace {

constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kGroupBox = kChild | BS_GROUPBOX;
constexpr DWORD kLabel = kChild | SS_LEFT;
constexpr DWORD kEdit = kChild | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
constexpr DWORD kUpDown = kChild | UDS_AUTOBUDDY | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS;
constexpr DWORD kSlider = kChild | TBS_AUTOTICKS | WS_TABSTOP;
constexpr DWORD kRadio = kChild | BS_AUTORADIOBUTTON;
constexpr DWORD kPush = kChild | BS_PUSHBUTTON | WS_TABSTOP;

using K = DlgItemClass;

const DLGITEMDATA kConfigItems[] = {
    {K::Button, IDC_STATIC, "Pipes", 6, 5, 150, 90, kGroupBox},
    {K::Static, IDC_STATIC, "Number of Pipe", 16, 15, 55, 8, kLabel | WS_GROUP},
    {K::Edit, IDC_NUMBER, "", 106, 15, 25, 12, kEdit},
    {K::UpDown, IDC_NUMBER_SPIN, "", 136, 15, 9, 10, kUpDown},
    {K::Static, IDC_STATIC, "Length of Pipes", 16, 45, 60, 8, kLabel | WS_GROUP},
    {K::Edit, IDC_LENGTH, "", 106, 40, 25, 12, kEdit},
    {K::UpDown, IDC_LENGTH_SPIN, "", 136, 40, 9, 10, kUpDown},
    {K::Static, IDC_STATIC, "Speed:", 35, 60, 25, 10, kLabel | WS_GROUP},
    {K::Static, IDC_SPEED_LABEL, "", 65, 60, 35, 10, kChild | SS_RIGHT | WS_GROUP},
    {K::Static, IDC_STATIC, "ms", 105, 60, 15, 10, kLabel | WS_GROUP},
    {K::Trackbar, IDC_SPEED, "", 10, 70, 135, 20, kSlider},
    {K::Button, IDC_STATIC, "Display", 5, 100, 150, 45, kGroupBox | WS_GROUP},
    {K::Button, IDC_TYPE_ONE, "１本づつのばす", 15, 110, 130, 15, kRadio | WS_GROUP | WS_TABSTOP},
    {K::Button, IDC_TYPE_ALL, "すべてを同時にのばす", 15, 125, 130, 15, kRadio},
    {K::Button, IDC_STATIC, "Lighting", 5, 150, 150, 45, kGroupBox | WS_GROUP},
    {K::Button, IDC_LIGHT_DIRECTIONAL, "Directional Light", 15, 160, 130, 15, kRadio | WS_GROUP | WS_TABSTOP},
    {K::Button, IDC_LIGHT_SPOT, "Spot Light", 15, 175, 130, 15, kRadio},
    {K::Static, IDC_STATIC, "Display Mode", 5, 200, 45, 10, kLabel | WS_GROUP},
    {K::ComboBox, IDC_DISPLAY_MODE, "", 60, 200, 95, 65, kChild | CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP},
    {K::Button, IDC_STATIC, "Config for DirectX 3D", 165, 5, 160, 175, kGroupBox},
    {K::Static, IDC_STATIC, "Power", 175, 20, 25, 10, kLabel | WS_GROUP},
    {K::Static, IDC_POWER_LABEL, "", 205, 20, 35, 10, kLabel},
    {K::Trackbar, IDC_POWER, "", 170, 35, 150, 20, kSlider},
    {K::Static, IDC_STATIC, "Specular:", 175, 65, 35, 8, kLabel | WS_GROUP},
    {K::Static, IDC_SPECULAR_LABEL, "", 205, 65, 35, 8, kLabel},
    {K::Trackbar, IDC_SPECULAR, "", 170, 80, 150, 20, kSlider},
    {K::Static, IDC_STATIC, "BackGround", 180, 110, 45, 10, kLabel | WS_GROUP},
    {K::Static, IDC_BACKGROUND_LABEL, "", 225, 110, 40, 10, kLabel},
    {K::Trackbar, IDC_BACKGROUND, "", 170, 125, 150, 20, kSlider},
    {K::Button, IDC_HARD, "ハードウエアによるDirect3Dを優先", 175, 160, 145, 10,
     kChild | BS_AUTOCHECKBOX | WS_TABSTOP},
    {K::Button, IDOK, "OK", 165, 195, 39, 15, kChild | BS_DEFPUSHBUTTON | WS_TABSTOP},
    {K::Button, IDCANCEL, "ｷｬﾝｾﾙ", 225, 195, 39, 15, kPush},
    {K::Button, IDC_ABOUT, "Quorvels...", 285, 195, 39, 15, kPush},
};

const DLGITEMDATA kAboutItems[] = {
    {K::Button, IDOK, "OK", 68, 185, 50, 14, kChild | BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP},
    {K::Static, IDC_STATIC, "", 36, 5, 114, 133, kChild | SS_BITMAP, IDB_PIPES},
    {K::Static, IDC_STATIC, "Quorvel Screen Saver( Direct X)", 40, 135, 105, 10, kChild | SS_CENTER},
    {K::Static, IDC_STATIC, "Ver 1.00", 65, 145, 55, 10, kChild | SS_CENTER},
};

constexpr char kDialogFont[] = "ＭＳ Ｐゴシック";

} // namespace

const DLGTEMPLATEDATA kConfigDialogTemplate = {
    IDD_CONFIG, "Quorvel Screen Saver(Direct X)", 335, 221, kDialogStyle, kDialogFont, 10,
    kConfigItems, std::size(kConfigItems)};

const DLGTEMPLATEDATA kAboutDialogTemplate = {
    IDD_ABOUTBOX, "Quorvel(Direct X)", 187, 207, kDialogStyle, kDialogFont, 10,
    kAboutItems, std::size(kAboutItems)};

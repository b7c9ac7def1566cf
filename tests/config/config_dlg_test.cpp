#include "config/config_dlg.h"
#include "config/settings.h"
#include "fake_dialog_backend.h"
#include "platform/display/display_backend.h"
#include "res/resource.h"
#include "res/resource_module.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {

// A display with a fixed list of modes and a depth that need not be among them.
class ModeListDisplay : public DisplayBackend {
public:
    ModeListDisplay(std::vector<DisplayMode> modes, DisplayMode current) : m_modes(std::move(modes)), m_current(current) {}
    std::vector<DisplayMode> ListModes() override { return m_modes; }
    std::optional<DisplayMode> CurrentMode() override { return m_current; }
    LONG SetMode(const DisplayMode&) override { return DISP_CHANGE_FAILED; }
    LONG Restore() override { return DISP_CHANGE_SUCCESSFUL; }
    DWORD Depth() override { return m_current.bitsPerPixel; }

private:
    std::vector<DisplayMode> m_modes;
    DisplayMode m_current;
};

DisplayMode Mode(DWORD width, DWORD height, DWORD bits = 32, DWORD hz = 60) { return {width, height, bits, hz, 0}; }

const std::string kLengthRange = "1 から 100 迄の整数を入力してください。";
const std::string kNumberRange = "1 から 20 迄の整数を入力してください。";
const std::string kNotInteger = "整数を入力してください。";

class ConfigDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        AfxSetResourceModule(&QuorvelResources());
        UseModes({Mode(640, 480), Mode(800, 600), Mode(1024, 768)}, Mode(1024, 768));
    }
    void TearDown() override {
        AfxSetDialogBackend(nullptr);
        SetDisplayBackend(nullptr);
    }
    void UseModes(std::vector<DisplayMode> modes, DisplayMode current) {
        SetDisplayBackend(std::make_unique<ModeListDisplay>(std::move(modes), current));
    }
    // Runs the dialog over the settings as the configuration mode does.
    BOOL Run(std::function<void(FakeDialogHost&)> user) {
        fake.users.push_back(std::move(user));
        CConfigDlg dlg;
        return ExchangeSettingsWithDialog(settings, dlg);
    }
    static std::vector<std::string> ModeEntries(FakeDialogHost& host) { return host.controls[IDC_DISPLAY_MODE].entries; }

    FakeDialogBackend& fake = InstallFakeDialogBackend();
    SETTINGS settings;
};

TEST_F(ConfigDlgTest, DefaultsAreShownAndCancelStoresNothing) {
    EXPECT_FALSE(Run([](FakeDialogHost& host) {
        auto& c = host.controls;
        EXPECT_EQ(host.dialog.caption, std::string("Quorvel Screen Saver(Direct X)"));
        EXPECT_EQ(c[IDC_NUMBER].text, "1");
        EXPECT_EQ(c[IDC_LENGTH].text, "10");
        EXPECT_EQ(c[IDC_SPEED_LABEL].text, "1000");
        EXPECT_EQ(c[IDC_SPEED].pos, 100);
        EXPECT_EQ(c[IDC_POWER_LABEL].text, "1.00");
        EXPECT_EQ(c[IDC_SPECULAR_LABEL].text, "1.00");
        EXPECT_EQ(c[IDC_BACKGROUND_LABEL].text, "0.00");
        EXPECT_EQ(c[IDC_TYPE_ONE].check, 1);
        EXPECT_EQ(c[IDC_TYPE_ALL].check, 0);
        EXPECT_EQ(c[IDC_LIGHT_DIRECTIONAL].check, 1);
        EXPECT_EQ(c[IDC_LIGHT_SPOT].check, 0);
        EXPECT_EQ(c[IDC_HARD].check, 1);
        EXPECT_EQ(c[IDC_DISPLAY_MODE].curSel, 0);
        EXPECT_EQ(c[IDC_DISPLAY_MODE].entries.at(0), "(normal)");
        EXPECT_EQ(host.focus, IDC_NUMBER);
        // Ranges of the arrows and the sliders.
        EXPECT_EQ(std::make_pair(c[IDC_NUMBER_SPIN].lower, c[IDC_NUMBER_SPIN].upper), std::make_pair(1, 20));
        EXPECT_EQ(std::make_pair(c[IDC_LENGTH_SPIN].lower, c[IDC_LENGTH_SPIN].upper), std::make_pair(1, 50));
        EXPECT_EQ(std::make_pair(c[IDC_SPEED].rangeMin, c[IDC_SPEED].rangeMax), std::make_pair(1, 300));
        EXPECT_EQ(c[IDC_SPEED].ticFrequency, 50);
        for (int id : {IDC_POWER, IDC_SPECULAR, IDC_BACKGROUND}) {
            EXPECT_EQ(std::make_pair(c[id].rangeMin, c[id].rangeMax), std::make_pair(0, 100));
            EXPECT_EQ(c[id].ticFrequency, 10);
        }
        // Cancel after moving every slider.
        for (int id : {IDC_SPEED, IDC_POWER, IDC_SPECULAR, IDC_BACKGROUND}) host.MoveSlider(id, 42, SB_THUMBTRACK);
        host.Type(IDC_NUMBER, "7");
        host.Click(IDCANCEL);
    }));
    SETTINGS defaults;
    EXPECT_EQ(std::memcmp(&settings, &defaults, sizeof settings), 0);
    EXPECT_EQ(fake.hostsAlive, 0);
}

TEST_F(ConfigDlgTest, OkHandsBackEveryValue) {
    settings.Hard = 0;
    EXPECT_TRUE(Run([](FakeDialogHost& host) {
        host.Type(IDC_NUMBER, "20");
        host.Type(IDC_LENGTH, "75"); // beyond the arrows, within what OK accepts
        host.MoveSlider(IDC_SPEED, 1, SB_THUMBTRACK);
        host.MoveSlider(IDC_POWER, 25, SB_PAGEDOWN);
        host.MoveSlider(IDC_SPECULAR, 0, SB_TOP);
        host.MoveSlider(IDC_BACKGROUND, 100, SB_BOTTOM);
        EXPECT_EQ(host.controls[IDC_SPEED_LABEL].text, "10");
        EXPECT_EQ(host.controls[IDC_POWER_LABEL].text, "2.50");
        EXPECT_EQ(host.controls[IDC_SPECULAR_LABEL].text, "0.00");
        EXPECT_EQ(host.controls[IDC_BACKGROUND_LABEL].text, "1.00");
        host.Click(IDC_TYPE_ALL);
        host.Click(IDC_LIGHT_SPOT);
        host.Click(IDC_HARD);
        host.SelectEntry(IDC_DISPLAY_MODE, 2);
        host.Click(IDOK);
    }));
    EXPECT_EQ(settings.Number, 20);
    EXPECT_EQ(settings.Length, 75);
    EXPECT_EQ(settings.Speed, 10);
    EXPECT_EQ(settings.Power, 25);
    EXPECT_EQ(settings.Specular, 0);
    EXPECT_EQ(settings.BackgroundRGB, 100);
    EXPECT_EQ(settings.Type, 1);
    EXPECT_EQ(settings.Lighting, 1);
    EXPECT_EQ(settings.Hard, 1);
    EXPECT_EQ(settings.Width, 800);
    EXPECT_EQ(settings.Height, 600);
}

TEST_F(ConfigDlgTest, TheSpeedLabelShowsTheStoredValueAndOkTheSliderValue) {
    settings.Speed = 1005;
    EXPECT_TRUE(Run([](FakeDialogHost& host) {
        EXPECT_EQ(host.controls[IDC_SPEED_LABEL].text, "1005");
        EXPECT_EQ(host.controls[IDC_SPEED].pos, 100);
        // The end of a drag leaves the label as it is.
        host.controls[IDC_SPEED_LABEL].text = "x";
        host.MoveSlider(IDC_SPEED, 100, SB_THUMBPOSITION);
        EXPECT_EQ(host.controls[IDC_SPEED_LABEL].text, "x");
        host.Click(IDOK);
    }));
    EXPECT_EQ(settings.Speed, 1000);
}

TEST_F(ConfigDlgTest, ValuesOutsideTheRangesAreCorrectedSilently) {
    for (LONG speed : {5, 4000}) {
        settings = SETTINGS{};
        settings.Speed = speed;
        settings.Specular = 101;
        settings.BackgroundRGB = -1;
        settings.Power = 200;
        settings.Number = 50; // shown as it is; only OK checks it
        EXPECT_FALSE(Run([](FakeDialogHost& host) {
            EXPECT_EQ(host.controls[IDC_SPEED_LABEL].text, "3000");
            EXPECT_EQ(host.controls[IDC_SPEED].pos, 300);
            EXPECT_EQ(host.controls[IDC_SPECULAR_LABEL].text, "1.00");
            EXPECT_EQ(host.controls[IDC_BACKGROUND_LABEL].text, "0.00");
            EXPECT_EQ(host.controls[IDC_POWER_LABEL].text, "0.00");
            EXPECT_EQ(host.controls[IDC_NUMBER].text, "50");
            host.CloseWindow();
        }));
        EXPECT_EQ(settings.Speed, speed);
    }
    EXPECT_TRUE(fake.messages.empty());
}

TEST_F(ConfigDlgTest, LengthIsCheckedBeforeNumberAndEachFailureKeepsTheDialogOpen) {
    EXPECT_TRUE(Run([this](FakeDialogHost& host) {
        host.Type(IDC_LENGTH, "0");
        host.Type(IDC_NUMBER, "21");
        host.Click(IDOK);
        ASSERT_EQ(fake.messages.size(), 1u);
        EXPECT_EQ(fake.messages[0].text, kLengthRange);
        EXPECT_EQ(fake.messages[0].caption, "Mirlow");
        EXPECT_EQ(fake.messages[0].type, MB_OK | MB_ICONEXCLAMATION);
        EXPECT_EQ(host.focus, IDC_LENGTH);
        EXPECT_TRUE(host.controls[IDC_LENGTH].wholeTextSelected);

        host.Type(IDC_LENGTH, "101");
        host.Click(IDOK);
        EXPECT_EQ(fake.messages.back().text, kLengthRange);

        host.Type(IDC_LENGTH, "100");
        host.Click(IDOK);
        EXPECT_EQ(fake.messages.back().text, kNumberRange);
        EXPECT_EQ(host.focus, IDC_NUMBER);
        EXPECT_FALSE(host.ended);

        host.Type(IDC_NUMBER, "1");
        host.Click(IDOK);
        EXPECT_EQ(fake.messages.size(), 3u);
    }));
    EXPECT_EQ(settings.Length, 100);
    EXPECT_EQ(settings.Number, 1);
}

TEST_F(ConfigDlgTest, TheNumberBoxReadsTextByTheIntegerRules) {
    const std::pair<const char*, std::string> cases[] = {
        {"", kNotInteger},          {"12a", kNotInteger}, {"７", kNotInteger},
        {"99999999999", kNotInteger}, {"-0", kNumberRange}, {"-3", kNumberRange},
        {" 7 ", ""},                {"+3", ""},           {"\t20", ""}};
    for (auto [text, message] : cases) {
        fake.messages.clear();
        BOOL ok = Run([&](FakeDialogHost& host) {
            host.Type(IDC_NUMBER, text);
            host.Click(IDOK);
            if (!host.ended) host.Click(IDCANCEL);
        });
        EXPECT_EQ(ok, message.empty()) << text;
        EXPECT_EQ(fake.messages.empty() ? std::string() : fake.messages[0].text, message) << text;
    }
    EXPECT_EQ(settings.Number, 20);
}

TEST_F(ConfigDlgTest, AStoredTypeOfFiveShowsNeitherChoiceAndOkStoresMinusOne) {
    settings.Type = 5;
    EXPECT_TRUE(Run([](FakeDialogHost& host) {
        EXPECT_EQ(host.controls[IDC_TYPE_ONE].check, 0);
        EXPECT_EQ(host.controls[IDC_TYPE_ALL].check, 0);
        host.Click(IDOK);
    }));
    EXPECT_EQ(settings.Type, -1);
}

TEST_F(ConfigDlgTest, TheModeListHoldsEachSizeOfTheCurrentDepthOnceInPlatformOrder) {
    UseModes({Mode(800, 600, 32, 60), Mode(640, 480, 16), Mode(640, 480, 32, 60), Mode(640, 480, 32, 75),
              Mode(800, 600, 32, 75), Mode(1280, 1024, 32)},
             Mode(1280, 1024, 32));
    settings.Width = 640;
    settings.Height = 480;
    EXPECT_TRUE(Run([](FakeDialogHost& host) {
        EXPECT_EQ(ModeEntries(host), (std::vector<std::string>{"(normal)", " 800 ×  600", " 640 ×  480", "1280 × 1024"}));
        EXPECT_EQ(host.controls[IDC_DISPLAY_MODE].curSel, 2);
        host.SelectEntry(IDC_DISPLAY_MODE, 3);
        host.Click(IDOK);
    }));
    EXPECT_EQ(settings.Width, 1280);
    EXPECT_EQ(settings.Height, 1024);
}

TEST_F(ConfigDlgTest, OnlyTheFirst32ModesOfTheDepthAreConsidered) {
    std::vector<DisplayMode> modes;
    for (DWORD i = 0; i < 16; ++i) {
        modes.push_back(Mode(640 + i, 480, 32, 60));
        modes.push_back(Mode(640 + i, 480, 8, 60)); // another depth does not count
        modes.push_back(Mode(640 + i, 480, 32, 75));
    }
    modes.push_back(Mode(1920, 1080, 32)); // the 33rd at this depth
    UseModes(modes, Mode(1920, 1080, 32));
    settings.Width = 1920;
    settings.Height = 1080;
    EXPECT_TRUE(Run([](FakeDialogHost& host) {
        auto entries = ModeEntries(host);
        ASSERT_EQ(entries.size(), 17u);
        EXPECT_EQ(entries[1], " 640 ×  480");
        EXPECT_EQ(entries[16], " 655 ×  480");
        EXPECT_EQ(host.controls[IDC_DISPLAY_MODE].curSel, 0);
        host.Click(IDOK);
    }));
    EXPECT_EQ(settings.Width, 0);
    EXPECT_EQ(settings.Height, 0);
}

TEST_F(ConfigDlgTest, AStoredSizeThePlatformDoesNotOfferBecomesNormal) {
    UseModes({Mode(640, 480), Mode(1024, 768)}, Mode(1024, 768));
    settings.Width = 800;
    settings.Height = 600;
    EXPECT_TRUE(Run([](FakeDialogHost& host) {
        EXPECT_EQ(host.controls[IDC_DISPLAY_MODE].curSel, 0);
        host.Click(IDOK);
    }));
    EXPECT_EQ(settings.Width, 0);
    EXPECT_EQ(settings.Height, 0);
}

TEST_F(ConfigDlgTest, WithNoModeAtTheCurrentDepthOnlyNormalIsListed) {
    UseModes({Mode(640, 480, 16), Mode(800, 600, 16)}, Mode(1024, 768, 24));
    DEVMODE modes[CConfigDlg::kMaxModes];
    EXPECT_EQ(CConfigDlg::BuildModeList(modes), -1);
    settings.Width = 640;
    settings.Height = 480;
    EXPECT_TRUE(Run([](FakeDialogHost& host) {
        EXPECT_EQ(ModeEntries(host), std::vector<std::string>{"(normal)"});
        EXPECT_EQ(host.controls[IDC_DISPLAY_MODE].curSel, 0);
        EXPECT_EQ(host.controls[IDC_SPEED].pos, 100);
        host.Click(IDOK);
    }));
    EXPECT_EQ(settings.Width, 0);
    EXPECT_EQ(settings.Height, 0);
}

TEST_F(ConfigDlgTest, TheAboutButtonRunsTheAboutBoxCentredOverTheDialog) {
    FakeDialogHost* configHost = nullptr;
    fake.users.push_back([&](FakeDialogHost& host) {
        configHost = &host;
        host.Type(IDC_NUMBER, "3");
        host.Click(IDC_ABOUT);
        EXPECT_EQ(host.controls[IDC_NUMBER].text, "3");
        host.Click(IDOK);
    });
    fake.users.push_back([&](FakeDialogHost& about) {
        EXPECT_EQ(about.dialog.caption, std::string("Quorvel(Direct X)"));
        EXPECT_EQ(about.owner, configHost);
        EXPECT_TRUE(about.centred);
        EXPECT_EQ(about.focus, IDOK);
        about.PressEscape();
    });
    CConfigDlg dlg;
    EXPECT_TRUE(ExchangeSettingsWithDialog(settings, dlg));
    EXPECT_TRUE(fake.users.empty());
    EXPECT_EQ(settings.Number, 3);
}

} // namespace

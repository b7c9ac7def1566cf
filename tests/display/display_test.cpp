#include "platform/display/display.h"
#include "platform/display/fake_display_backend.h"
#ifndef _WIN32
#include "platform/x11/xrandr_display_backend.h"
#endif

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace {

class DisplaySettings : public ::testing::Test {
protected:
    void SetUp() override {
        auto fake = std::make_unique<FakeDisplayBackend>(std::vector<DisplayMode>{
                                                             {1920, 1080, 32, 60, 0},
                                                             {1920, 1080, 32, 75, 0},
                                                             {1024, 768, 32, 60, 0},
                                                             {1024, 768, 16, 60, 0},
                                                             {800, 600, 16, 60, 0},
                                                         },
                                                         0);
        fake_ = fake.get();
        SetDisplayBackend(std::move(fake));
    }
    void TearDown() override { SetDisplayBackend(nullptr); }

    static DEVMODE Request(DWORD width, DWORD height, DWORD bits) {
        return DEVMODE{DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT, bits, width, height, 0, 0};
    }

    FakeDisplayBackend* fake_ = nullptr;
};

TEST_F(DisplaySettings, EnumeratesModesInOrderUntilTheEnd) {
    DEVMODE mode{};
    ASSERT_TRUE(EnumDisplaySettingsA(nullptr, 1, &mode));
    EXPECT_EQ(mode.dmFields, DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT | DM_DISPLAYFLAGS | DM_DISPLAYFREQUENCY);
    EXPECT_EQ(mode.dmFields, 0x7C0000u);
    EXPECT_EQ(mode.dmPelsWidth, 1920u);
    EXPECT_EQ(mode.dmDisplayFrequency, 75u);
    ASSERT_TRUE(EnumDisplaySettingsA(nullptr, 4, &mode));
    EXPECT_EQ(mode.dmPelsWidth, 800u);
    EXPECT_EQ(mode.dmBitsPerPel, 16u);
    EXPECT_FALSE(EnumDisplaySettingsA(nullptr, 5, &mode));
    EXPECT_FALSE(EnumDisplaySettingsA("\\\\.\\DISPLAY2", 0, &mode));

    ASSERT_TRUE(EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode));
    EXPECT_EQ(mode.dmPelsHeight, 1080u);
    EXPECT_EQ(GetDisplayDeviceCaps(HORZRES), 1920);
    EXPECT_EQ(GetDisplayDeviceCaps(VERTRES), 1080);
    EXPECT_EQ(GetDisplayDeviceCaps(BITSPIXEL), 32);
    EXPECT_EQ(GetDisplayDeviceCaps(88), 0);
}

TEST_F(DisplaySettings, ChangesToAListedModeAndRestoresTheFirstOne) {
    DEVMODE small = Request(1024, 768, 32);
    EXPECT_EQ(ChangeDisplaySettingsA(&small, 0), DISP_CHANGE_SUCCESSFUL);
    EXPECT_EQ(GetDisplayDeviceCaps(HORZRES), 1024);
    DEVMODE smaller = Request(800, 600, 16);
    EXPECT_EQ(ChangeDisplaySettingsA(&smaller, 0), DISP_CHANGE_SUCCESSFUL);
    EXPECT_EQ(GetDisplayDeviceCaps(BITSPIXEL), 16);

    EXPECT_EQ(ChangeDisplaySettingsA(nullptr, 0), DISP_CHANGE_SUCCESSFUL);
    DEVMODE current{};
    ASSERT_TRUE(EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &current));
    EXPECT_EQ(current.dmPelsWidth, 1920u);
    EXPECT_EQ(current.dmBitsPerPel, 32u);
    EXPECT_EQ(fake_->Log().size(), 3u);
    EXPECT_TRUE(fake_->Log().back().restore);
}

TEST_F(DisplaySettings, RequestsTakeUnnamedFieldsFromTheCurrentMode) {
    DEVMODE onlySize{DM_PELSWIDTH | DM_PELSHEIGHT, 8, 1024, 768, 0, 99};
    EXPECT_EQ(ChangeDisplaySettingsA(&onlySize, 0), DISP_CHANGE_SUCCESSFUL);
    EXPECT_EQ(fake_->Log().back().wanted, (DisplayMode{1024, 768, 32, 0, 0}));

    DEVMODE rate = Request(1920, 1080, 32);
    rate.dmFields |= DM_DISPLAYFREQUENCY;
    rate.dmDisplayFrequency = 75;
    EXPECT_EQ(ChangeDisplaySettingsA(&rate, 0), DISP_CHANGE_SUCCESSFUL);
    EXPECT_EQ(GetDisplayDeviceCaps(HORZRES), 1920);
    DEVMODE current{};
    EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &current);
    EXPECT_EQ(current.dmDisplayFrequency, 75u);
    rate.dmDisplayFrequency = 1;  // the hardware's default rate: any
    rate.dmPelsWidth = 1024;
    rate.dmPelsHeight = 768;
    EXPECT_EQ(ChangeDisplaySettingsA(&rate, 0), DISP_CHANGE_SUCCESSFUL);
}

TEST_F(DisplaySettings, RefusedAndUnknownModesLeaveTheDisplayAlone) {
    fake_->Refuse(1024, 768, 32);
    DEVMODE refused = Request(1024, 768, 32);
    EXPECT_EQ(ChangeDisplaySettingsA(&refused, 0), DISP_CHANGE_BADMODE);
    DEVMODE retry = Request(1024, 768, 16);
    EXPECT_EQ(ChangeDisplaySettingsA(&retry, 0), DISP_CHANGE_SUCCESSFUL);
    EXPECT_EQ(GetDisplayDeviceCaps(BITSPIXEL), 16);

    DEVMODE unknown = Request(640, 480, 32);
    EXPECT_EQ(ChangeDisplaySettingsA(&unknown, 0), DISP_CHANGE_BADMODE);
    EXPECT_EQ(ChangeDisplaySettingsA(&retry, 4), DISP_CHANGE_BADFLAGS);
    EXPECT_EQ(fake_->Log().size(), 3u);  // bad flags never reach the display
    EXPECT_EQ(GetDisplayDeviceCaps(HORZRES), 1024);
}

TEST_F(DisplaySettings, RestoreWithoutAChangeDoesNothing) {
    EXPECT_EQ(ChangeDisplaySettingsA(nullptr, 0), DISP_CHANGE_SUCCESSFUL);
    EXPECT_EQ(GetDisplayDeviceCaps(HORZRES), 1920);
}

#ifndef _WIN32
TEST(DisplayWithoutServer, ListsNothingAndChangesNothing) {
    const char* saved = std::getenv("DISPLAY");
    std::string display = saved ? saved : "";
    unsetenv("DISPLAY");
    SetDisplayBackend(MakeXRandRDisplayBackend());

    DEVMODE mode{};
    EXPECT_FALSE(EnumDisplaySettingsA(nullptr, 0, &mode));
    EXPECT_FALSE(EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode));
    mode = DEVMODE{DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL, 32, 1024, 768, 0, 0};
    EXPECT_EQ(ChangeDisplaySettingsA(&mode, 0), DISP_CHANGE_FAILED);
    EXPECT_EQ(ChangeDisplaySettingsA(nullptr, 0), DISP_CHANGE_SUCCESSFUL);  // nothing to undo
    EXPECT_EQ(GetDisplayDeviceCaps(HORZRES), 0);
    EXPECT_EQ(GetDisplayDeviceCaps(BITSPIXEL), 0);

    SetDisplayBackend(nullptr);
    if (saved) setenv("DISPLAY", display.c_str(), 1);
}
#endif

} // namespace

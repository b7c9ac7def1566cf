// The XRandR display backend against a private Xvfb (started at 1920x1080x24), with extra
// modes held by xrandr-hold-modes. What the backend did is checked over a separate connection.
#include "platform/display/display.h"
#include "platform/x11/xrandr_display_backend.h"

#include <gtest/gtest.h>  // before Xlib, whose macros (None, Bool) break it
// keep this order
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>
#include <cstdio>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Runs xrandr-hold-modes with the given sizes until destroyed; waits for its "ready".
class HeldModes {
public:
    explicit HeldModes(std::vector<std::string> sizes) {
        int toChild[2], fromChild[2];
        if (pipe(toChild) != 0 || pipe(fromChild) != 0) return;
        pid_ = fork();
        if (pid_ == 0) {
            dup2(toChild[0], STDIN_FILENO);
            dup2(fromChild[1], STDOUT_FILENO);
            close(toChild[1]);
            close(fromChild[0]);
            std::vector<char*> argv{const_cast<char*>(XRANDR_HOLD_MODES)};
            for (std::string& s : sizes) argv.push_back(s.data());
            argv.push_back(nullptr);
            execv(argv[0], argv.data());
            _exit(127);
        }
        close(toChild[0]);
        close(fromChild[1]);
        input_ = toChild[1];
        FILE* out = fdopen(fromChild[0], "r");
        char line[64] = {};
        ready_ = out && std::fgets(line, sizeof line, out) && std::string(line) == "ready\n";
        if (out) std::fclose(out);
    }
    ~HeldModes() {
        if (input_ >= 0) close(input_);  // end of input lets the helper leave
        if (pid_ > 0) waitpid(pid_, nullptr, 0);
    }
    bool ready() const { return ready_; }

private:
    pid_t pid_ = -1;
    int input_ = -1;
    bool ready_ = false;
};

struct ScreenState {
    int rootWidth = 0, rootHeight = 0;  // the screen
    int crtcWidth = 0, crtcHeight = 0;  // the picture of the first lit output
};

// What any other client sees now.
ScreenState Observe() {
    ScreenState state;
    Display* display = XOpenDisplay(nullptr);
    if (!display) return state;
    Window root = DefaultRootWindow(display), unused;
    int x, y;
    unsigned width, height, border, depth;
    XGetGeometry(display, root, &unused, &x, &y, &width, &height, &border, &depth);
    state.rootWidth = static_cast<int>(width);
    state.rootHeight = static_cast<int>(height);
    XRRScreenResources* resources = XRRGetScreenResources(display, root);
    for (int i = 0; resources && i < resources->noutput && state.crtcWidth == 0; ++i) {
        XRROutputInfo* output = XRRGetOutputInfo(display, resources, resources->outputs[i]);
        if (output && output->crtc != None) {
            XRRCrtcInfo* crtc = XRRGetCrtcInfo(display, resources, output->crtc);
            state.crtcWidth = static_cast<int>(crtc->width);
            state.crtcHeight = static_cast<int>(crtc->height);
            XRRFreeCrtcInfo(crtc);
        }
        if (output) XRRFreeOutputInfo(output);
    }
    if (resources) XRRFreeScreenResources(resources);
    XCloseDisplay(display);
    return state;
}

::testing::AssertionResult ShowsSize(int width, int height) {
    ScreenState s = Observe();
    if (s.rootWidth == width && s.rootHeight == height && s.crtcWidth == width && s.crtcHeight == height)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "screen " << s.rootWidth << "x" << s.rootHeight << ", output "
                                         << s.crtcWidth << "x" << s.crtcHeight;
}

LONG SwitchTo(DWORD width, DWORD height, DWORD bits = 32, DWORD rate = 0) {
    DEVMODE mode{DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT | DM_DISPLAYFREQUENCY, bits, width, height, 0, rate};
    return ChangeDisplaySettingsA(&mode, 0);
}

class XRandRDisplay : public ::testing::Test {
protected:
    static void SetUpTestSuite() { held_ = new HeldModes({"1280x720", "1024x768", "800x600", "1024x768@75"}); }
    static void TearDownTestSuite() { delete held_; }
    void SetUp() override {
        ASSERT_TRUE(held_->ready());
        SetDisplayBackend(MakeXRandRDisplayBackend());
    }
    void TearDown() override {
        EXPECT_EQ(ChangeDisplaySettingsA(nullptr, 0), DISP_CHANGE_SUCCESSFUL);
        EXPECT_TRUE(ShowsSize(1920, 1080));
        SetDisplayBackend(nullptr);
    }
    static HeldModes* held_;
};
HeldModes* XRandRDisplay::held_ = nullptr;

TEST_F(XRandRDisplay, ListsThePrimaryOutputsModesAtTheScreenDepth) {
    std::vector<std::string> listed;
    DEVMODE mode{};
    for (DWORD i = 0; EnumDisplaySettingsA(nullptr, i, &mode); ++i) {
        EXPECT_EQ(mode.dmBitsPerPel, 32u);  // depth 24 is stored in 32 bits
        listed.push_back(std::to_string(mode.dmPelsWidth) + "x" + std::to_string(mode.dmPelsHeight) + "@" +
                         std::to_string(mode.dmDisplayFrequency));
    }
    // Xvfb's own mode carries no timings, so its rate reads as 0.
    EXPECT_EQ(listed, (std::vector<std::string>{"1920x1080@0", "1280x720@60", "1024x768@60", "800x600@60",
                                                "1024x768@75"}));
    EXPECT_EQ(GetDisplayDeviceCaps(HORZRES), 1920);
    EXPECT_EQ(GetDisplayDeviceCaps(VERTRES), 1080);
    EXPECT_EQ(GetDisplayDeviceCaps(BITSPIXEL), 32);
}

TEST_F(XRandRDisplay, SwitchesTheScreenAndRestoresIt) {
    ASSERT_EQ(SwitchTo(1024, 768), DISP_CHANGE_SUCCESSFUL);
    EXPECT_TRUE(ShowsSize(1024, 768));
    EXPECT_EQ(GetDisplayDeviceCaps(HORZRES), 1024);
    DEVMODE current{};
    ASSERT_TRUE(EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &current));
    EXPECT_EQ(current.dmPelsHeight, 768u);
    EXPECT_EQ(current.dmDisplayFrequency, 60u);

    EXPECT_EQ(ChangeDisplaySettingsA(nullptr, 0), DISP_CHANGE_SUCCESSFUL);
    EXPECT_TRUE(ShowsSize(1920, 1080));
    EXPECT_EQ(GetDisplayDeviceCaps(HORZRES), 1920);
}

// Xvfb cannot make its screen larger than the size it started with; growing back up to it
// must work, in either dimension, and whatever was switched in between.
TEST_F(XRandRDisplay, GrowsBackWithinTheStartSize) {
    ASSERT_EQ(SwitchTo(1024, 768), DISP_CHANGE_SUCCESSFUL);
    ASSERT_EQ(SwitchTo(1280, 720), DISP_CHANGE_SUCCESSFUL);  // wider but lower
    EXPECT_TRUE(ShowsSize(1280, 720));
    ASSERT_EQ(SwitchTo(800, 600), DISP_CHANGE_SUCCESSFUL);
    EXPECT_TRUE(ShowsSize(800, 600));
    EXPECT_EQ(ChangeDisplaySettingsA(nullptr, 0), DISP_CHANGE_SUCCESSFUL);
    EXPECT_TRUE(ShowsSize(1920, 1080));  // the mode found at the first switch
}

TEST_F(XRandRDisplay, RefusesModesTheOutputDoesNotOffer) {
    EXPECT_EQ(SwitchTo(1024, 768, 16), DISP_CHANGE_BADMODE);  // one depth per server
    EXPECT_EQ(SwitchTo(1024, 768, 32, 50), DISP_CHANGE_BADMODE);
    EXPECT_EQ(SwitchTo(640, 480), DISP_CHANGE_BADMODE);
    EXPECT_TRUE(ShowsSize(1920, 1080));
}

TEST_F(XRandRDisplay, PicksTheRequestedRateOrTheFirstOfTheSize) {
    ASSERT_EQ(SwitchTo(1024, 768, 32, 75), DISP_CHANGE_SUCCESSFUL);
    DEVMODE current{};
    ASSERT_TRUE(EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &current));
    EXPECT_EQ(current.dmDisplayFrequency, 75u);
    ASSERT_EQ(SwitchTo(1024, 768), DISP_CHANGE_SUCCESSFUL);
    ASSERT_TRUE(EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &current));
    EXPECT_EQ(current.dmDisplayFrequency, 60u);
    EXPECT_TRUE(ShowsSize(1024, 768));
}

} // namespace

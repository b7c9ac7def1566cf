// Wayland seat events as window messages, without a compositor: buttons, keys with and without
// Alt, pointer positions at buffer scales, activation; and the choice of the platform.
#include "platform/wayland/platform_choice.h"
#include "platform/wayland/wayland_input.h"

#include <gtest/gtest.h>
#include <linux/input-event-codes.h>
#include <map>
#include <string>
#include <xkbcommon/xkbcommon-keysyms.h>

namespace {

const HWND kWnd = reinterpret_cast<HWND>(uintptr_t{0x101});

int32_t Fixed(double units) { return static_cast<int32_t>(units * 256); }

TEST(WaylandInput, LeftMiddleRightButtonsAreMessagesAndOthersAreNot) {
    const uint32_t buttons[] = {BTN_LEFT, BTN_MIDDLE, BTN_RIGHT};
    const UINT down[] = {WM_LBUTTONDOWN, WM_MBUTTONDOWN, WM_RBUTTONDOWN};
    const UINT up[] = {WM_LBUTTONUP, WM_MBUTTONUP, WM_RBUTTONUP};
    const LPARAM at = MAKELPARAM(12, 34);
    for (int i = 0; i < 3; ++i) {
        MSG msg{};
        ASSERT_TRUE(TranslateWaylandButton(kWnd, buttons[i], true, 0, at, &msg));
        EXPECT_EQ(msg.hwnd, kWnd);
        EXPECT_EQ(msg.message, down[i]);
        EXPECT_EQ(msg.lParam, at);
        ASSERT_TRUE(TranslateWaylandButton(kWnd, buttons[i], false, 0, at, &msg));
        EXPECT_EQ(msg.message, up[i]);
    }
    MSG untouched{nullptr, WM_NULL, 0, 0};
    for (uint32_t b : {uint32_t{BTN_SIDE}, uint32_t{BTN_EXTRA}, uint32_t{BTN_FORWARD}})
        EXPECT_FALSE(TranslateWaylandButton(kWnd, b, true, 0, at, &untouched));
    EXPECT_EQ(untouched.message, WM_NULL);
}

TEST(WaylandInput, PointerFlagsAndPositionsInBufferPixels) {
    const WPARAM held = MouseKeyOfButton(BTN_LEFT) | MouseKeyOfButton(BTN_MIDDLE);
    EXPECT_EQ(WaylandMouseKeyFlags(held, false, true), WPARAM{0x0001 | 0x0010 | 0x0008});
    EXPECT_EQ(WaylandMouseKeyFlags(MouseKeyOfButton(BTN_RIGHT), true, false), WPARAM{0x0002 | 0x0004});
    EXPECT_EQ(MouseKeyOfButton(BTN_SIDE), WPARAM{0});

    MSG msg = TranslateWaylandMotion(kWnd, Fixed(5.75), Fixed(6.25), 1, 0x0001);
    EXPECT_EQ(msg.message, WM_MOUSEMOVE);
    EXPECT_EQ(msg.wParam, WPARAM{0x0001});
    EXPECT_EQ(msg.lParam, MAKELPARAM(5, 6));
    // At scale 2 the window has twice the pixels the surface has units.
    msg = TranslateWaylandMotion(kWnd, Fixed(100.5), Fixed(7.25), 2, 0);
    EXPECT_EQ(msg.lParam, MAKELPARAM(201, 14));
}

TEST(WaylandInput, KeysBecomeKeyMessagesAndAltMakesThemSystemKeys) {
    MSG msg = TranslateWaylandKey(kWnd, KEY_A, XKB_KEY_a, true, false);
    EXPECT_EQ(msg.message, WM_KEYDOWN);
    EXPECT_EQ(msg.wParam, WPARAM{'A'});
    EXPECT_EQ(msg.lParam, LPARAM{1 | (0x1E << 16)}); // one repeat, the PC scan code of A

    msg = TranslateWaylandKey(kWnd, KEY_A, XKB_KEY_a, false, false);
    EXPECT_EQ(msg.message, WM_KEYUP);
    EXPECT_EQ(msg.lParam, LPARAM{1 | (0x1E << 16) | (1L << 30) | (1L << 31)});

    msg = TranslateWaylandKey(kWnd, KEY_F5, XKB_KEY_F5, true, true);
    EXPECT_EQ(msg.message, WM_SYSKEYDOWN);
    EXPECT_EQ(msg.wParam, WPARAM{0x74});
    EXPECT_EQ(msg.lParam & (1L << 29), 1L << 29) << "the context bit says Alt is down";

    // Alt itself is a system key even before its modifier is in effect.
    msg = TranslateWaylandKey(kWnd, KEY_LEFTALT, XKB_KEY_Alt_L, true, false);
    EXPECT_EQ(msg.message, WM_SYSKEYDOWN);
    EXPECT_EQ(msg.wParam, WPARAM{0x12});
    // A key without a virtual key still closes: it is a key message all the same.
    msg = TranslateWaylandKey(kWnd, KEY_PROG1, XKB_KEY_XF86Launch1, true, false);
    EXPECT_EQ(msg.message, WM_KEYDOWN);
    EXPECT_EQ(msg.wParam, WPARAM{0});
    EXPECT_EQ(TranslateWaylandKey(kWnd, KEY_ESC, XKB_KEY_Escape, true, false).wParam, WPARAM{0x1B});
}

TEST(WaylandInput, ActivationIsTheActivatedStateAmongOthers) {
    EXPECT_TRUE(IsActivatedState({2, 4}));  // fullscreen, activated
    EXPECT_FALSE(IsActivatedState({2}));    // fullscreen only: focus went elsewhere
    EXPECT_FALSE(IsActivatedState({}));
}

PlatformChoice Choose(std::initializer_list<const char*> args, std::map<std::string, std::string> env) {
    std::vector<const char*> argv = {"quorvel"};
    argv.insert(argv.end(), args.begin(), args.end());
    return ChoosePlatform(static_cast<int>(argv.size()), argv.data(), [&](const char* name) -> const char* {
        auto it = env.find(name);
        return it == env.end() ? nullptr : it->second.c_str();
    });
}

TEST(PlatformChoice, WaylandSessionsRunNativelyUnlessXWindowsAreNamedOrTheUserSaysOtherwise) {
    const std::map<std::string, std::string> wayland = {{"WAYLAND_DISPLAY", "wayland-1"}, {"DISPLAY", ":0"}};
    EXPECT_EQ(Choose({"s"}, wayland).platform, SessionPlatform::Wayland);
    EXPECT_EQ(Choose({}, wayland).platform, SessionPlatform::Wayland);
    EXPECT_EQ(Choose({"--layer"}, wayland).platform, SessionPlatform::Wayland);
    EXPECT_EQ(Choose({"/C"}, {{"XDG_SESSION_TYPE", "wayland"}}).platform, SessionPlatform::Wayland);
    // Hosts and the preview hand over X windows.
    EXPECT_EQ(Choose({"-root"}, wayland).platform, SessionPlatform::X11);
    EXPECT_EQ(Choose({"--window-id=0x400001"}, wayland).platform, SessionPlatform::X11);
    EXPECT_EQ(Choose({"-window-id", "5"}, wayland).platform, SessionPlatform::X11);
    EXPECT_EQ(Choose({"-P", "1234"}, wayland).platform, SessionPlatform::X11);
    // No Wayland session: X11 as ever.
    EXPECT_EQ(Choose({"s"}, {{"DISPLAY", ":0"}, {"WAYLAND_DISPLAY", ""}}).platform, SessionPlatform::X11);
    EXPECT_EQ(Choose({"s"}, {{"XDG_SESSION_TYPE", "x11"}}).platform, SessionPlatform::X11);
    // The override wins either way, and says so.
    auto x11 = wayland;
    x11["QUORVEL_PLATFORM"] = "x11";
    EXPECT_EQ(Choose({"s"}, x11).platform, SessionPlatform::X11);
    EXPECT_TRUE(Choose({"s"}, x11).forced);
    const PlatformChoice forced = Choose({"p", "1234"}, {{"QUORVEL_PLATFORM", "wayland"}});
    EXPECT_EQ(forced.platform, SessionPlatform::Wayland);
    EXPECT_TRUE(forced.forced);
    EXPECT_FALSE(Choose({"s"}, wayland).forced);
}

} // namespace

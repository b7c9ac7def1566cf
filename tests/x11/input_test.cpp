// X input events as window messages, without a server: buttons, keys with and without Alt, and
// the modifier flags of pointer messages.
// GoogleTest first: Xlib defines None and Bool as macros.
#include <gtest/gtest.h>

#include "platform/x11/x11_input.h"
#include "platform/keys/key_messages.h"

#include <X11/keysym.h>

namespace {

const HWND kWnd = reinterpret_cast<HWND>(uintptr_t{0x400001});

XButtonEvent Button(int type, unsigned button, unsigned state = 0) {
    XButtonEvent e{};
    e.type = type;
    e.button = button;
    e.state = state;
    e.x = 12;
    e.y = 34;
    return e;
}

XKeyEvent Key(int type, unsigned keycode, unsigned state = 0) {
    XKeyEvent e{};
    e.type = type;
    e.keycode = keycode;
    e.state = state;
    return e;
}

TEST(X11Input, ButtonsOneToThreeAreLeftMiddleRightAndTheWheelIsNothing) {
    const UINT down[] = {WM_LBUTTONDOWN, WM_MBUTTONDOWN, WM_RBUTTONDOWN};
    const UINT up[] = {WM_LBUTTONUP, WM_MBUTTONUP, WM_RBUTTONUP};
    for (unsigned b = 1; b <= 3; ++b) {
        MSG msg{};
        ASSERT_TRUE(TranslateButton(kWnd, Button(ButtonPress, b), &msg));
        EXPECT_EQ(msg.hwnd, kWnd);
        EXPECT_EQ(msg.message, down[b - 1]);
        EXPECT_EQ(GET_X_LPARAM(msg.lParam), 12);
        EXPECT_EQ(GET_Y_LPARAM(msg.lParam), 34);
        ASSERT_TRUE(TranslateButton(kWnd, Button(ButtonRelease, b), &msg));
        EXPECT_EQ(msg.message, up[b - 1]);
    }
    MSG untouched{nullptr, WM_NULL, 0, 0};
    for (unsigned b : {4u, 5u, 8u}) EXPECT_FALSE(TranslateButton(kWnd, Button(ButtonPress, b), &untouched));
    EXPECT_EQ(untouched.message, static_cast<UINT>(WM_NULL));
}

TEST(X11Input, PointerFlagsFollowButtonsAndModifiers) {
    MSG msg{};
    ASSERT_TRUE(TranslateButton(kWnd, Button(ButtonPress, 1, ShiftMask | Button3Mask), &msg));
    EXPECT_EQ(msg.wParam, WPARAM{0x0002 | 0x0004});
    XMotionEvent motion{};
    motion.type = MotionNotify;
    motion.state = Button1Mask | Button2Mask | ControlMask;
    motion.x = 5;
    motion.y = 6;
    msg = TranslateMotion(kWnd, motion);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_MOUSEMOVE));
    EXPECT_EQ(msg.wParam, WPARAM{0x0001 | 0x0010 | 0x0008});
    EXPECT_EQ(msg.lParam, MAKELPARAM(5, 6));
}

TEST(X11Input, KeysBecomeKeyMessagesAndAltMakesThemSystemKeys) {
    MSG msg = TranslateKey(kWnd, Key(KeyPress, 38), XK_a);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_EQ(msg.wParam, WPARAM{'A'});
    EXPECT_EQ(msg.lParam, LPARAM{1 | (38 << 16)}); // one repeat, the scan code, no transition bits

    msg = TranslateKey(kWnd, Key(KeyRelease, 38), XK_a);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_KEYUP));
    EXPECT_EQ(msg.lParam, LPARAM{1 | (38 << 16) | (1L << 30) | (1L << 31)});

    msg = TranslateKey(kWnd, Key(KeyPress, 71, Mod1Mask), XK_F5);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_SYSKEYDOWN));
    EXPECT_EQ(msg.wParam, WPARAM{0x74});
    EXPECT_EQ(msg.lParam & (1L << 29), 1L << 29) << "the context bit says Alt is down";

    msg = TranslateKey(kWnd, Key(KeyPress, 64), XK_Alt_L); // Alt itself, before its modifier is set
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_SYSKEYDOWN));
    EXPECT_EQ(msg.wParam, WPARAM{VK_MENU});
    EXPECT_EQ(TranslateKey(kWnd, Key(KeyRelease, 64, Mod1Mask), XK_Alt_L).message,
              static_cast<UINT>(WM_SYSKEYUP));

    EXPECT_EQ(TranslateKey(kWnd, Key(KeyPress, 9), XK_Escape).wParam, WPARAM{0x1B});
    EXPECT_EQ(TranslateKey(kWnd, Key(KeyPress, 200), XK_Multi_key).wParam, WPARAM{0})
        << "keys without a virtual-key code still arrive, as code 0";
}

} // namespace

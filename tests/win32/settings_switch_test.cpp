#include "platform/win32/settings_switch.h"

#include <gtest/gtest.h>

namespace {

TEST(SettingsSwitch, TakesTheOwnerOfTheConfigurationSwitch) {
    HWND owner = nullptr;
    EXPECT_TRUE(ParseSettingsSwitch("/c:1234", &owner));
    EXPECT_EQ(reinterpret_cast<uintptr_t>(owner), 1234u);
    EXPECT_TRUE(ParseSettingsSwitch("-C:4294967295", &owner));
    EXPECT_EQ(reinterpret_cast<uintptr_t>(owner), 4294967295u);
    EXPECT_TRUE(ParseSettingsSwitch("c:7", &owner));
    EXPECT_EQ(reinterpret_cast<uintptr_t>(owner), 7u);

    owner = nullptr;
    for (const char* other : {"/c", "/c:", "/c:12a", "/c:-5", "//c:1", "/s:1", "/cc:1", "/c 1", ""})
        EXPECT_FALSE(ParseSettingsSwitch(other, &owner)) << other;
    EXPECT_EQ(owner, nullptr);
}

} // namespace

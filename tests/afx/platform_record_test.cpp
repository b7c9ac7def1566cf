// Services come only from the installed platform: one it lacks stops the process with its name
// instead of falling back to something that pretends to work.
#include "platform/afx/msgqueue.h"
#include "platform/afx/window_backend.h"
#include "platform/platform.h"

#include <gtest/gtest.h>

TEST(PlatformRecordDeathTest, MissingServicesStopTheProcess) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    AfxSetWindowBackend(nullptr);
    EXPECT_DEATH(GetSystemMetrics(0), "no window backend");
    ThePlatform().pump = nullptr;
    EXPECT_DEATH(PostMessage(nullptr, WM_NULL, 0, 0), "no message pump");
}

// The main of the unit tests: every case runs on the null platform, which it may change.
#include "platform/null/connect_null.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    InstallPlatform(ConnectNull());
    return RUN_ALL_TESTS();
}

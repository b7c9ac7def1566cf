// A writer killed at any moment leaves the old or the new complete file, and at most
// the one temporary it had in flight, which the next writer removes.
#include "platform/profile/profile.h"
#include "tests/profile/temp_dir.h"

#include <chrono>
#include <gtest/gtest.h>
#include <random>
#include <signal.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr const char* kSection = "3D Screen saver Config";

size_t CountEntries(const std::filesystem::path& dir) {
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(dir), {}));
}

TEST(ProfileCrash, KilledWriterNeverLeavesATruncatedFile) {
    TempDir dir;
    std::string path = dir.File("quorvel.INI");
    // A large file makes each write take long enough to be caught half way.
    const std::string filler = "[Filler]\n" + std::string(512 * 1024, 'f') + "\n";
    const std::string contentA = filler + "[3D Screen saver Config]\nNumber=1111\n";
    const std::string contentB = filler + "[3D Screen saver Config]\nNumber=2222\n";
    WriteBytes(path, contentA);

    std::mt19937 rng(1234);
    int kills = 0;
    for (int round = 0; round < 60; ++round) {
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int i = 0;; ++i) WritePrivateProfileStringA(kSection, "Number", i % 2 ? "2222" : "1111", path.c_str());
        }
        std::this_thread::sleep_for(std::chrono::microseconds(1000 + rng() % 20000));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        kills += WIFSIGNALED(status);

        std::string now = ReadBytes(path);
        ASSERT_TRUE(now == contentA || now == contentB) << "round " << round << ": " << now.size() << " bytes";
        int number = static_cast<int>(GetPrivateProfileIntA(kSection, "Number", 0, path.c_str()));
        EXPECT_TRUE(number == 1111 || number == 2222);
        ASSERT_LE(CountEntries(dir.path()), 2u) << "temporaries pile up";
    }
    EXPECT_EQ(kills, 60);
    // The next successful write clears a temporary left by a killed writer.
    ASSERT_TRUE(WritePrivateProfileStringA(kSection, "Number", "3", path.c_str()));
    EXPECT_EQ(CountEntries(dir.path()), 1u);
}

} // namespace

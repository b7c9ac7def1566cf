#include "config/settings.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <tuple>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class CProfileApp : public CWinApp {};

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/quorvel-settings-XXXXXX";
        m_dir = mkdtemp(tmpl);
        m_app.m_profilePath = (m_dir / "quorvel.INI").string();
    }
    void TearDown() override { fs::remove_all(m_dir); }

    void WriteProfile(const std::string& text) { std::ofstream(m_app.m_profilePath) << text; }
    std::string ReadProfile() {
        std::ifstream in(m_app.m_profilePath);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    fs::path m_dir;
    CProfileApp m_app;
};

} // namespace

TEST_F(SettingsTest, FirstRunGivesDefaultsAndWritesNothing) {
    SETTINGS s;
    s.Number = 99;
    LoadSettings(m_app, s);
    EXPECT_EQ(s.Number, 1);
    EXPECT_EQ(s.Length, 10);
    EXPECT_EQ(s.Speed, 1000);
    EXPECT_EQ(s.Width, 0);
    EXPECT_EQ(s.Height, 0);
    EXPECT_EQ(s.Specular, 100);
    EXPECT_EQ(s.BackgroundRGB, 0);
    EXPECT_EQ(s.Power, 10);
    EXPECT_EQ(s.Type, 0);
    EXPECT_EQ(s.Hard, 1);
    EXPECT_EQ(s.Lighting, 0);
    EXPECT_FALSE(fs::exists(m_app.m_profilePath));
}

TEST_F(SettingsTest, SaveWritesEveryKeyInOrderAndHardAsZeroOrOne) {
    WriteProfile("[3D Screen saver Config]\nHard=2\nSpeed=5\n");
    SETTINGS s;
    LoadSettings(m_app, s);
    EXPECT_EQ(s.Hard, 0) << "only a stored 1 means true";
    EXPECT_EQ(s.Speed, 5) << "load does not validate";
    s.Hard = 7; // any nonzero value is written as 1
    SaveSettings(m_app, s);
    EXPECT_EQ(ReadProfile(), "[3D Screen saver Config]\nHard=1\nSpeed=5\nNumber=1\nLength=10\n"
                             "Width=0\nHeight=0\nSpecular=100\nBackgroundRGB=0\nPower=10\nType=0\n"
                             "Lighting=0\n");
    s.Hard = 0;
    SaveSettings(m_app, s);
    SETTINGS back;
    LoadSettings(m_app, back);
    EXPECT_EQ(back.Hard, 0);
}

TEST_F(SettingsTest, RoundTripKeepsOtherContent) {
    WriteProfile("; kept\n[Other]\nNumber=5\n\n[3d screen SAVER config]\nnumber=3\n");
    SETTINGS s;
    LoadSettings(m_app, s);
    EXPECT_EQ(s.Number, 3) << "section and key are matched without regard to case";
    s.Number = 20;
    s.Length = 100;
    s.Lighting = 1;
    SaveSettings(m_app, s);
    SETTINGS back;
    LoadSettings(m_app, back);
    EXPECT_EQ(back.Number, 20);
    EXPECT_EQ(back.Length, 100);
    EXPECT_EQ(back.Lighting, 1);
    std::string text = ReadProfile();
    EXPECT_EQ(text.rfind("; kept\n[Other]\nNumber=5\n", 0), 0u) << text;
}

TEST_F(SettingsTest, AbsurdAndBrokenValuesLoadAsTheReaderGivesThem) {
    WriteProfile("\xEF\xBB\xBF[3D Screen saver Config]\r\nNumber=2147483647\r\nSpeed=-5\r\n"
                 "Hard=7\r\nLength=abc\r\nPower=12a\r\n");
    SETTINGS s;
    LoadSettings(m_app, s);
    EXPECT_EQ(s.Number, 2147483647);
    EXPECT_EQ(s.Speed, -5);
    EXPECT_EQ(s.Hard, 0);
    EXPECT_EQ(s.Length, 0) << "text that is not a number reads as 0";
    EXPECT_EQ(s.Power, 12);
}

namespace {
auto Values(const SETTINGS& s) {
    return std::tie(s.Number, s.Length, s.Speed, s.Width, s.Height, s.Specular, s.BackgroundRGB, s.Power, s.Type,
                    s.Hard, s.Lighting);
}
} // namespace

// A save killed at any moment leaves the eleven values of the old save or of the new one, never
// a mix, and at most one temporary, which the next save removes.
TEST_F(SettingsTest, KilledSaveLeavesTheOldOrTheNewValuesWhole) {
    SETTINGS a, b;
    b.Number = 20, b.Length = 50, b.Speed = 10, b.Width = 640, b.Height = 480, b.Specular = 0;
    b.BackgroundRGB = 100, b.Power = 0, b.Type = 1, b.Hard = 0, b.Lighting = 1;
    SaveSettings(m_app, a);
    std::mt19937 rng(7);
    for (int round = 0; round < 40; ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            for (int i = 0;; ++i) SaveSettings(m_app, i % 2 ? a : b);
        std::this_thread::sleep_for(std::chrono::microseconds(500 + rng() % 10000));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        SETTINGS now;
        LoadSettings(m_app, now);
        ASSERT_TRUE(Values(now) == Values(a) || Values(now) == Values(b)) << "round " << round << ":\n" << ReadProfile();
        ASSERT_LE(std::distance(fs::directory_iterator(m_dir), {}), 2) << "temporaries pile up";
    }
    SaveSettings(m_app, b);
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), {}), 1) << "the next save removes a temporary left behind";
}

namespace {
struct FakeDialog {
    LONG Number = 0, Length = 0, Speed = 0, Width = 0, Height = 0, Specular = 0, BackgroundRGB = 0,
         Power = 0, Type = -1, Hard = 0, Lighting = -1;
    int result = IDCANCEL;
    int DoModal() {
        Number += 1; // the user edits one value
        return result;
    }
};
} // namespace

TEST(SettingsDialogExchange, OkCopiesBackAndCancelLeavesTheRecord) {
    SETTINGS s;
    s.Width = 800;
    FakeDialog cancel;
    EXPECT_FALSE(ExchangeSettingsWithDialog(s, cancel));
    EXPECT_EQ(cancel.Width, 800) << "the dialog sees the settings";
    EXPECT_EQ(s.Number, 1);

    FakeDialog ok;
    ok.result = IDOK;
    EXPECT_TRUE(ExchangeSettingsWithDialog(s, ok));
    EXPECT_EQ(s.Number, 2);
    EXPECT_EQ(s.Width, 800);
    EXPECT_EQ(s.Hard, 1);
}

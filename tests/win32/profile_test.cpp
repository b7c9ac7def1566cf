// The profile functions on the system's own GetPrivateProfileIntW / WritePrivateProfileStringW.
#include "platform/profile/profile.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace fs = std::filesystem;

namespace {

constexpr char kSection[] = "3D Screen saver Config";

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class Win32Profile : public ::testing::Test {
protected:
    void SetUp() override {
        const char* windir = std::getenv("windir");
        const char* appdata = std::getenv("APPDATA");
        ASSERT_TRUE(windir && appdata);
        m_windowsFile = fs::path(windir) / m_name;
        m_userFile = fs::path(appdata) / m_name;
        fs::remove(m_windowsFile);
        fs::remove(m_userFile);
    }
    void TearDown() override {
        fs::remove(m_windowsFile);
        fs::remove(m_userFile);
    }

    std::string m_name = "quorvel_profile_test.INI";
    fs::path m_windowsFile, m_userFile;
};

TEST_F(Win32Profile, BareNameLivesInTheWindowsDirectory) {
    EXPECT_EQ(static_cast<int>(GetPrivateProfileIntA(kSection, "Number", 1, m_name.c_str())), 1);
    EXPECT_TRUE(WritePrivateProfileStringA(kSection, "Number", "7", m_name.c_str()));
    EXPECT_TRUE(WritePrivateProfileStringA(kSection, "speed", "-20", m_name.c_str()));
    EXPECT_EQ(static_cast<int>(GetPrivateProfileIntA(kSection, "NUMBER", 1, m_name.c_str())), 7);
    EXPECT_EQ(static_cast<int>(GetPrivateProfileIntA(kSection, "Speed", 1000, m_name.c_str())), -20);
    EXPECT_EQ(static_cast<int>(GetPrivateProfileIntA("Other", "Number", 3, m_name.c_str())), 3);
    const std::string text = ReadAll(m_windowsFile);
    EXPECT_NE(text.find("[3D Screen saver Config]"), std::string::npos) << text;
    EXPECT_NE(text.find("Number=7"), std::string::npos) << text;
    EXPECT_FALSE(fs::exists(m_userFile));
}

TEST_F(Win32Profile, PerUserFileComesFirstOnceItExists) {
    ASSERT_TRUE(WritePrivateProfileStringA(kSection, "Number", "4", m_name.c_str()));
    { std::ofstream(m_userFile) << "[3D Screen saver Config]\r\nNumber=9\r\n"; }
    EXPECT_EQ(static_cast<int>(GetPrivateProfileIntA(kSection, "Number", 1, m_name.c_str())), 9);
    EXPECT_TRUE(WritePrivateProfileStringA(kSection, "Length", "33", m_name.c_str()));
    EXPECT_EQ(static_cast<int>(GetPrivateProfileIntA(kSection, "Length", 10, m_name.c_str())), 33);
    EXPECT_NE(ReadAll(m_userFile).find("Length=33"), std::string::npos);
    EXPECT_EQ(ReadAll(m_windowsFile).find("Length"), std::string::npos);
}

TEST(Win32ProfileName, IsTheProgramNameWithoutDirectory) {
    EXPECT_EQ(ProfilePathForProgram("C:\\Windows\\System32\\quorvel.scr"), "quorvel.INI");
    EXPECT_EQ(ProfilePathForProgram("QUORVEL.SCR"), "QUORVEL.INI");
    EXPECT_EQ(ProfilePathForProgram("d:/savers/abc.def.scr"), "abc.def.INI");
}

} // namespace

#include "platform/profile/profile.h"
#include "platform/profile/profile_section.h"
#include "tests/profile/temp_dir.h"

#include <climits>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr const char* kSection = "3D Screen saver Config";

class Profile : public ::testing::Test {
protected:
    int ReadInt(const char* key, int def = -12345) {
        return static_cast<int>(GetPrivateProfileIntA(kSection, key, def, path_.c_str()));
    }
    std::string ReadString(const char* section, const char* key) {
        char buffer[256];
        GetPrivateProfileStringA(section, key, "<none>", buffer, sizeof buffer, path_.c_str());
        return buffer;
    }
    BOOL Write(const char* key, const char* value) {
        return WritePrivateProfileStringA(kSection, key, value, path_.c_str());
    }

    TempDir dir_;
    std::string path_ = dir_.File("quorvel.INI");
};

TEST_F(Profile, WrittenValuesReadBackAndAbsentOnesGiveTheDefault) {
    EXPECT_EQ(ReadInt("Number", 1), 1);  // no file yet
    ASSERT_TRUE(Write("Number", "20"));
    ASSERT_TRUE(Write("Speed", "-5"));
    ASSERT_TRUE(Write("Number", "7"));
    EXPECT_EQ(ReadInt("Number"), 7);
    EXPECT_EQ(ReadInt("Speed"), -5);
    EXPECT_EQ(GetPrivateProfileIntA(kSection, "Speed", 0, path_.c_str()), static_cast<UINT>(-5));
    EXPECT_EQ(ReadInt("Length", 10), 10);
    EXPECT_EQ(static_cast<int>(GetPrivateProfileIntA("Other", "Number", 3, path_.c_str())), 3);
    EXPECT_EQ(ReadBytes(path_), "[3D Screen saver Config]\nNumber=7\nSpeed=-5\n");
}

TEST_F(Profile, SectionsAndKeysMatchWithoutRegardToCaseAndBlanks) {
    WriteBytes(path_, "[ 3d SCREEN Saver config ]\n  nUMBER  =  42  \n");
    EXPECT_EQ(ReadInt("Number"), 42);
    EXPECT_EQ(ReadString("3D screen saver config", "number"), "42");
    ASSERT_TRUE(Write("NUMBER", "5"));
    EXPECT_EQ(ReadBytes(path_), "[ 3d SCREEN Saver config ]\n  nUMBER  =  5\n");
}

TEST_F(Profile, IntegersAreReadLikeAtolAndSaturate) {
    WriteBytes(path_, "[3D Screen saver Config]\n"
                      "Text=abc\nTrailing=12abc\nHex=0x1F\nSigned=+3\nBlanks= \t -7\nEmpty=\n"
                      "Big=99999999999\nSmall=-99999999999\nMax=2147483647\nOver=2147483648\nMin=-2147483648\n");
    EXPECT_EQ(ReadInt("Text"), 0);  // not a number: 0, not the default
    EXPECT_EQ(ReadInt("Trailing"), 12);
    EXPECT_EQ(ReadInt("Hex"), 0);
    EXPECT_EQ(ReadInt("Signed"), 3);
    EXPECT_EQ(ReadInt("Blanks"), -7);
    EXPECT_EQ(ReadInt("Empty", 9), 9);
    EXPECT_EQ(ReadInt("Big"), INT_MAX);
    EXPECT_EQ(ReadInt("Small"), INT_MIN);
    EXPECT_EQ(ReadInt("Max"), INT_MAX);
    EXPECT_EQ(ReadInt("Over"), INT_MAX);
    EXPECT_EQ(ReadInt("Min"), INT_MIN);
}

TEST_F(Profile, FirstMatchingSectionAndKeyWin) {
    WriteBytes(path_, "[3D Screen saver Config]\nNumber=1\nnumber=2\n[3d screen saver config]\nNumber=3\nSpeed=4\n");
    EXPECT_EQ(ReadInt("Number"), 1);
    EXPECT_EQ(ReadInt("Speed", 99), 99);  // only the first section is searched
    ASSERT_TRUE(Write("Speed", "5"));
    EXPECT_EQ(ReadBytes(path_),
              "[3D Screen saver Config]\nNumber=1\nnumber=2\nSpeed=5\n[3d screen saver config]\nNumber=3\nSpeed=4\n");
}

TEST_F(Profile, WritesKeepEveryOtherByte) {
    const std::string before = "; settings\n"
                               "stray line before any section\n"
                               "[Other]\r\n"
                               "Number=100\n"
                               "# hash comment\n"
                               "\n"
                               "[3D Screen saver Config]\n"
                               "Number = 5 ; not a comment\n"
                               "Speed=10\n"
                               "\n"
                               "\n"
                               "[Last]\n"
                               "x";
    WriteBytes(path_, before);
    ASSERT_TRUE(Write("Number", "6"));
    ASSERT_TRUE(Write("Length", "50"));
    ASSERT_TRUE(WritePrivateProfileStringA("New", "Key", "v", path_.c_str()));
    EXPECT_EQ(ReadBytes(path_), "; settings\n"
                                "stray line before any section\n"
                                "[Other]\r\n"
                                "Number=100\n"
                                "# hash comment\n"
                                "\n"
                                "[3D Screen saver Config]\n"
                                "Number = 6\n"
                                "Speed=10\n"
                                "Length=50\n"
                                "\n"
                                "\n"
                                "[Last]\n"
                                "x\n"
                                "\n"
                                "[New]\n"
                                "Key=v\n");
}

TEST_F(Profile, CrlfFilesStayCrlfAndTheByteOrderMarkStays) {
    WriteBytes(path_, "\xEF\xBB\xBF[3D Screen saver Config]\r\nNumber=3\r\n");
    EXPECT_EQ(ReadInt("Number"), 3);  // the mark is not part of the section name
    ASSERT_TRUE(Write("Speed", "20"));
    ASSERT_TRUE(WritePrivateProfileStringA("B", "k", "1", path_.c_str()));
    EXPECT_EQ(ReadBytes(path_), "\xEF\xBB\xBF[3D Screen saver Config]\r\nNumber=3\r\nSpeed=20\r\n\r\n[B]\r\nk=1\r\n");
}

TEST_F(Profile, NullValueRemovesAKeyAndNullKeyASection) {
    WriteBytes(path_, "[A]\nx=1\n[3D Screen saver Config]\nNumber=1\nSpeed=2\n[C]\ny=3\n");
    ASSERT_TRUE(Write("Number", nullptr));
    ASSERT_TRUE(WritePrivateProfileStringA("A", nullptr, nullptr, path_.c_str()));
    EXPECT_EQ(ReadBytes(path_), "[3D Screen saver Config]\nSpeed=2\n[C]\ny=3\n");
}

TEST_F(Profile, RefusesNamesAndValuesThatWouldNotReadBack) {
    WriteBytes(path_, "[3D Screen saver Config]\nNumber=1\n");
    EXPECT_FALSE(Write("Number", "1\n[Evil]\nx=1"));
    EXPECT_FALSE(Write("A=B", "1"));
    EXPECT_FALSE(Write("", "1"));
    EXPECT_FALSE(Write(";x", "1"));
    EXPECT_FALSE(WritePrivateProfileStringA("a]b", "k", "1", path_.c_str()));
    EXPECT_FALSE(WritePrivateProfileStringA(nullptr, "k", "1", path_.c_str()));
    // Several keys at once: one refused pair and none is stored.
    EXPECT_FALSE(WritePrivateProfileValues(kSection, {{"Number", "2"}, {"Speed", "1\r"}}, path_.c_str()));
    EXPECT_EQ(ReadBytes(path_), "[3D Screen saver Config]\nNumber=1\n");
    EXPECT_TRUE(WritePrivateProfileValues(kSection, {{"Number", "2"}, {"Speed", "3"}}, path_.c_str()));
    EXPECT_EQ(ReadBytes(path_), "[3D Screen saver Config]\nNumber=2\nSpeed=3\n");
}

TEST_F(Profile, LongLinesAndGarbageAreHandled) {
    std::string longValue(1 << 20, '7');
    std::string garbage;
    std::mt19937 rng(42);
    for (int i = 0; i < 200000; ++i) garbage += static_cast<char>(rng());
    WriteBytes(path_, garbage + "\n;" + std::string(1 << 20, 'c') + "\n[3D Screen saver Config]\nLong=" + longValue +
                          "\nNumber=4\n");
    EXPECT_EQ(ReadInt("Number"), 4);
    EXPECT_EQ(ReadInt("Long"), INT_MAX);
    std::string buffer(longValue.size() + 1, '\0');
    EXPECT_EQ(GetPrivateProfileStringA(kSection, "Long", "", buffer.data(), static_cast<DWORD>(buffer.size()),
                                       path_.c_str()),
              longValue.size());
    EXPECT_EQ(buffer.c_str(), longValue);

    WriteBytes(path_, garbage);
    EXPECT_EQ(ReadInt("Number", 8), 8);
    ASSERT_TRUE(Write("Number", "9"));
    EXPECT_EQ(ReadInt("Number"), 9);
    EXPECT_EQ(ReadBytes(path_).substr(0, garbage.size()), garbage);
}

TEST_F(Profile, StringReadsTruncateAndListNames) {
    WriteBytes(path_, "[A]\nk1=hello\nk2=x\n[B]\n");
    char buf[16];
    EXPECT_EQ(GetPrivateProfileStringA("A", "k1", "", buf, 4, path_.c_str()), 3u);
    EXPECT_STREQ(buf, "hel");
    EXPECT_EQ(GetPrivateProfileStringA("A", "none", nullptr, buf, sizeof buf, path_.c_str()), 0u);
    EXPECT_STREQ(buf, "");
    EXPECT_EQ(GetPrivateProfileStringA(nullptr, nullptr, "", buf, sizeof buf, path_.c_str()), 4u);
    EXPECT_EQ(std::string(buf, 5), std::string("A\0B\0\0", 5));
    EXPECT_EQ(GetPrivateProfileStringA("a", nullptr, "", buf, sizeof buf, path_.c_str()), 6u);
    EXPECT_EQ(std::string(buf, 7), std::string("k1\0k2\0\0", 7));
    EXPECT_EQ(GetPrivateProfileStringA("a", nullptr, "", buf, 5, path_.c_str()), 3u);
    EXPECT_EQ(std::string(buf, 5), std::string("k1\0\0\0", 5));
}

TEST_F(Profile, CreatesMissingDirectoriesPrivately) {
    std::string nested = dir_.File("a/b/quorvel.INI");
    ASSERT_TRUE(WritePrivateProfileStringA(kSection, "Number", "3", nested.c_str()));
    EXPECT_EQ(static_cast<int>(GetPrivateProfileIntA(kSection, "Number", 0, nested.c_str())), 3);
    EXPECT_EQ(PermissionBits(dir_.File("a")), 0700u);
    EXPECT_EQ(PermissionBits(dir_.File("a/b")), 0700u);
    EXPECT_EQ(PermissionBits(nested), 0600u);
}

TEST_F(Profile, RewriteKeepsPermissionBitsAndSymbolicLinks) {
    WriteBytes(dir_.File("real.INI"), "[3D Screen saver Config]\nNumber=1\n");
    chmod(dir_.File("real.INI").c_str(), 0644);
    ASSERT_EQ(symlink("real.INI", path_.c_str()), 0);
    ASSERT_TRUE(Write("Number", "2"));
    EXPECT_TRUE(std::filesystem::is_symlink(path_));
    EXPECT_EQ(ReadBytes(dir_.File("real.INI")), "[3D Screen saver Config]\nNumber=2\n");
    EXPECT_EQ(PermissionBits(dir_.File("real.INI")), 0644u);
}

TEST_F(Profile, PathsThatAreNotRegularFilesReadAsEmptyAndAreNotReplaced) {
    ASSERT_EQ(mkdir(path_.c_str(), 0700), 0);
    EXPECT_EQ(ReadInt("Number", 1), 1);
    EXPECT_FALSE(Write("Number", "2"));
    EXPECT_TRUE(std::filesystem::is_directory(path_));

    std::string fifo = dir_.File("fifo.INI");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(static_cast<int>(GetPrivateProfileIntA(kSection, "Number", 1, fifo.c_str())), 1);  // must not block
    EXPECT_FALSE(WritePrivateProfileStringA(kSection, "Number", "2", fifo.c_str()));
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
}

TEST_F(Profile, UnreadableFileGivesDefaultsAndIsNotOverwritten) {
    if (geteuid() == 0) GTEST_SKIP() << "root reads any file";
    WriteBytes(path_, "[3D Screen saver Config]\nNumber=5\n");
    chmod(path_.c_str(), 0);
    EXPECT_EQ(ReadInt("Number", 1), 1);
    EXPECT_FALSE(Write("Speed", "2"));
    chmod(path_.c_str(), 0600);
    EXPECT_EQ(ReadBytes(path_), "[3D Screen saver Config]\nNumber=5\n");
}

TEST_F(Profile, FailedWritesReturnFalseAndLeaveNothingBehind) {
    // A parent path that is a regular file: neither mkdir nor a temporary can be made there.
    WriteBytes(dir_.File("plain"), "x");
    EXPECT_FALSE(WritePrivateProfileStringA(kSection, "Number", "2", dir_.File("plain/sub/q.INI").c_str()));
    EXPECT_FALSE(WritePrivateProfileStringA(kSection, "Number", "2", dir_.File("plain/q.INI").c_str()));
    EXPECT_EQ(ReadBytes(dir_.File("plain")), "x");

    if (geteuid() == 0) return;  // root writes into read-only directories
    WriteBytes(path_, "[3D Screen saver Config]\nNumber=5\n");
    chmod(dir_.path().c_str(), 0500);
    EXPECT_FALSE(Write("Number", "6"));
    chmod(dir_.path().c_str(), 0700);
    EXPECT_EQ(ReadBytes(path_), "[3D Screen saver Config]\nNumber=5\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.path()), {}), 2);
}

// Files that would keep a reader busy for minutes: a pseudo-file reads as empty, a read of the
// section stops once the program asks it to, and many keys cost one pass.
TEST_F(Profile, HostileFilesNeitherHangTheReadersNorOutliveAStopRequest) {
    std::filesystem::create_symlink("/proc/self/pagemap", path_);
    EXPECT_EQ(ReadInt("Number", 7), 7);
    EXPECT_EQ(ProfileSection(path_.c_str(), kSection).GetInt("Number", 7), 7u);
    std::filesystem::remove(path_);

    // A gigabyte without a line end, sparse so that the test writes almost nothing.
    WriteBytes(path_, "[3D Screen saver Config]\nNumber=3\n");
    std::filesystem::resize_file(path_, 1ull << 30);
    static int asked;
    asked = 0;
    SetProfileReadStop([] { return ++asked > 3; });
    EXPECT_EQ(ProfileSection(path_.c_str(), kSection).GetInt("Number", 7), 7u) << "a stopped read reads as empty";
    SetProfileReadStop(nullptr);
    EXPECT_EQ(asked, 4);

    std::string text = "[3D Screen saver Config]\n";
    for (int i = 0; i < 100000; ++i) text += "Key" + std::to_string(i) + "=" + std::to_string(i) + "\n";
    WriteBytes(path_, text + "key99999=1\nNumber=5\n");
    const ProfileSection many(path_.c_str(), kSection);
    EXPECT_EQ(many.GetInt("KEY99999", 0), 99999u) << "the first of a name wins, whatever its case";
    EXPECT_EQ(many.GetInt("Number", 0), 5u);
}

TEST(ProfilePath, NamedAfterTheProgramInTheConfigDirectory) {
    const char* savedXdg = std::getenv("XDG_CONFIG_HOME");
    const char* savedHome = std::getenv("HOME");
    std::string xdg = savedXdg ? savedXdg : "", home = savedHome ? savedHome : "";

    setenv("XDG_CONFIG_HOME", "/cfg/", 1);
    setenv("HOME", "/home/u", 1);
    EXPECT_EQ(ProfilePathForProgram("/usr/bin/quorvel"), "/cfg/quorvel.INI");
    EXPECT_EQ(ProfilePathForProgram("ABC.SCR"), "/cfg/ABC.INI");
    EXPECT_EQ(ProfilePathForProgram("./dir.d/a.b.c"), "/cfg/a.b.INI");
    EXPECT_EQ(ProfilePathForProgram("/x/.hidden"), "/cfg/.hidden.INI");
    setenv("XDG_CONFIG_HOME", "relative", 1);  // not absolute: ignored
    EXPECT_EQ(ProfilePathForProgram("quorvel"), "/home/u/.config/quorvel.INI");
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(ProfilePathForProgram("quorvel"), "/home/u/.config/quorvel.INI");

    savedXdg ? setenv("XDG_CONFIG_HOME", xdg.c_str(), 1) : unsetenv("XDG_CONFIG_HOME");
    savedHome ? setenv("HOME", home.c_str(), 1) : unsetenv("HOME");
}

} // namespace

// The one-pass section reader reads every key as the whole-file functions do, including
// across the boundaries of its read chunks.
TEST_F(Profile, SectionReaderAgreesWithTheProfileFunctions) {
    const std::string padding(70000, 'x');
    const std::string files[] = {
        "\xEF\xBB\xBF[3d screen SAVER config]\r\nNumber = 12\r\nnumber=3\r\nSpeed=\r\n",
        "Number=9\n[Other]\nNumber=8\n[ 3D Screen saver Config ]\n; Number=7\n#Length=2\nLength=  -40x\n"
        "[3D Screen saver Config]\nNumber=6\nPower",
        "[Other]\nNote=" + padding + "\n[3D Screen saver Config]\nNumber=99999999999\nHard=1",
        "[3D Screen saver Config]\nLength=5\nNote=" + padding + "\nNumber=4\n[Next]\nPower=3\n",
        "[3D Screen saver Config]\nSpeed=4" + std::string(200000, ' ') + "9\nNumber=2\n",
        "",
    };
    for (const std::string& text : files) {
        std::ofstream(path_, std::ios::binary | std::ios::trunc) << text;
        const ProfileSection section(path_.c_str(), kSection);
        for (const char* key : {"Number", "Length", "Speed", "Power", "Hard", "Absent"})
            EXPECT_EQ(section.GetInt(key, -77), GetPrivateProfileIntA(kSection, key, -77, path_.c_str()))
                << key << " in " << text.substr(0, 60);
    }
    const ProfileSection missing(dir_.File("none.INI").c_str(), kSection);
    EXPECT_EQ(missing.GetInt("Number", 5), 5u);
    const ProfileSection directory(dir_.File("").c_str(), kSection);
    EXPECT_EQ(directory.GetInt("Number", 5), 5u);
}

#include "shell/host_args.h"
#include "shell/host_options.h"

#include <gtest/gtest.h>
#include <initializer_list>
#include <vector>

namespace {

HostArgs Parse(std::initializer_list<const char*> args, const char* env = nullptr) {
    std::vector<const char*> argv{"quorvel"};
    argv.insert(argv.end(), args);
    return ParseHostArgs(static_cast<int>(argv.size()), argv.data(), env);
}

TEST(HostArgsTest, WindowIdInEveryFormAndBase) {
    for (auto args : {Parse({"-window-id", "1234"}), Parse({"--window-id", "1234"}),
                      Parse({"--window-id=1234"}), Parse({"--window-id", "0x4d2"}),
                      Parse({"--window-id", "0X4D2"}), Parse({"-root"}, "1234"),
                      Parse({"--root"}, "0x4d2"), Parse({"-root", "--window-id", "1234"}, "99")}) {
        EXPECT_EQ(args.kind, HostArgs::Kind::Window);
        EXPECT_EQ(args.window, 1234u);
    }
    EXPECT_EQ(Parse({"--window-id", "0xffffffff"}).window, 0xFFFFFFFFul);
}

TEST(HostArgsTest, RootWithoutEnvironmentMeansTheDesktop) {
    EXPECT_EQ(Parse({"-root"}).kind, HostArgs::Kind::Desktop);
}

TEST(HostArgsTest, SwitchesAndOtherArgumentsAreNotHostArguments) {
    for (auto args : {Parse({}), Parse({"s"}), Parse({"/p", "1234"}), Parse({"-c"}), Parse({"-rootx"}),
                      Parse({"root"}), Parse({"-window-idx", "5"}), Parse({"s"}, "1234")})
        EXPECT_EQ(args.kind, HostArgs::Kind::None);
}

TEST(HostArgsTest, MalformedIdsAreInvalidAndKeptForTheMessage) {
    for (const char* id : {"", "0", "0x", "0x0", "-5", "+5", " 5", "5 ", "12x", "0x12g", "99999999999",
                           "0x100000000", "4294967296"}) {
        HostArgs args = Parse({"--window-id", id});
        EXPECT_EQ(args.kind, HostArgs::Kind::Invalid) << id;
        EXPECT_EQ(args.idText, id);
        EXPECT_EQ(Parse({"-root"}, id).kind, HostArgs::Kind::Invalid) << id;
    }
    EXPECT_EQ(Parse({"--window-id"}).kind, HostArgs::Kind::Invalid);
}

TEST(HostArgsTest, QuotedIdsAreShortAndPrintable) {
    EXPECT_EQ(QuoteId("0x7ffffff"), "\"0x7ffffff\"");
    EXPECT_EQ(QuoteId(""), "\"\"");
    EXPECT_EQ(QuoteId("a\x1b[2Jb\r\n\"\\\x7f\xc3\xa9"), "\"a\\x1B[2Jb\\x0D\\x0A\\x22\\x5C\\x7F\\xC3\\xA9\"");
    const std::string huge(100000, '7');
    EXPECT_EQ(QuoteId(huge), "\"" + huge.substr(0, kQuotedIdLength) + "\"...");
    // Escapes widen at most fourfold: the worst case still fits one short line.
    EXPECT_LE(QuoteId(std::string(100000, '\n')).size(), 4 * kQuotedIdLength + 5);
}

} // namespace

namespace {

bool Apply(std::initializer_list<const char*> args, SETTINGS& settings, std::string* error) {
    std::vector<const char*> argv{"quorvel"};
    argv.insert(argv.end(), args);
    return ApplyHostOptions(static_cast<int>(argv.size()), argv.data(), settings, error);
}

TEST(HostOptionsTest, OverrideEachSettingWithinTheDialogsRanges) {
    SETTINGS settings;
    settings.Hard = 0;
    std::string error;
    ASSERT_TRUE(Apply({"-root", "-number", "20", "--length", "100", "-speed", "10", "-background", "0",
                       "-specular", "0", "-power", "100", "-lighting", "spot", "-order", "all", "-window-id", "7"},
                      settings, &error))
        << error;
    EXPECT_EQ(settings.Number, 20);
    EXPECT_EQ(settings.Length, 100);
    EXPECT_EQ(settings.Speed, 10);
    EXPECT_EQ(settings.BackgroundRGB, 0);
    EXPECT_EQ(settings.Specular, 0);
    EXPECT_EQ(settings.Power, 100);
    EXPECT_EQ(settings.Lighting, 1);
    EXPECT_EQ(settings.Type, 1);
    EXPECT_EQ(settings.Hard, 0) << "no option for it";
    ASSERT_TRUE(Apply({"-lighting", "directional", "-order", "one", "-speed", "3000"}, settings, &error));
    EXPECT_EQ(settings.Lighting, 0);
    EXPECT_EQ(settings.Type, 0);
    EXPECT_EQ(settings.Speed, 3000);
    ASSERT_TRUE(Apply({"--number=7", "-lighting=spot", "--speed", "20"}, settings, &error)) << error;
    EXPECT_EQ(settings.Number, 7);
    EXPECT_EQ(settings.Lighting, 1);
    EXPECT_EQ(settings.Speed, 20);
}

TEST(HostOptionsTest, AValueOutsideTheRangeOrMissingIsRefusedAndChangesNothing) {
    for (auto args : {std::vector<const char*>{"-number", "0"}, {"-number", "21"}, {"-length", "101"},
                      {"-speed", "9"}, {"-speed", "3001"}, {"-background", "-1"}, {"-specular", "101"},
                      {"-power", "1e2"}, {"-number", " 5"}, {"-number", ""}, {"-number", "99999999999999999999"},
                      {"-lighting", "Spot"}, {"-order", "2"}, {"-number"}, {"-lighting"}, {"--number=0"},
                      {"-number", "\n5"}, {"-lighting", "\x1b[2Jspot"}, {"--lighting=\x1b[2Jspot"}}) {
        SETTINGS settings;
        std::vector<const char*> argv{"quorvel", "-speed", "20"};
        argv.insert(argv.end(), args.begin(), args.end());
        std::string error;
        EXPECT_FALSE(ApplyHostOptions(static_cast<int>(argv.size()), argv.data(), settings, &error)) << args[0];
        const std::string option(args[0]);
        EXPECT_NE(error.find(option.substr(0, option.find('='))), std::string::npos) << error;
        EXPECT_EQ(error.find('\x1b'), std::string::npos) << "a value is quoted, not written raw";
        EXPECT_EQ(settings.Speed, 1000) << "nothing applied";
    }
}

} // namespace

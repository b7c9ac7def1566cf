#include "platform/afx/afxwin.h"
#include "platform/posix/close_signals.h"
#include "platform/null/null_window_backend.h"
#include "platform/display/fake_display_backend.h"
#include "shell/app.h"
#include "shell/preview_handle.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

class CTestApp : public CMyMirlowApp {
public:
    int configRuns = 0;
    void RunConfigDialog() override { ++configRuns; }
    using CMyMirlowApp::m_bModeChanged;
};

class AppTest : public ::testing::Test {
protected:
    void SetUp() override {
        AfxResetMessageQueue();
        AfxSetWindowBackend(std::make_unique<NullWindowBackend>());
        auto display = std::make_unique<FakeDisplayBackend>(
            std::vector<DisplayMode>{{1920, 1080, 32, 60, 0},
                                     {1280, 720, 32, 60, 0},
                                     {1280, 720, 24, 60, 0},
                                     {1280, 720, 16, 60, 0},
                                     {1920, 1080, 24, 60, 0}},
            0);
        m_display = display.get();
        SetDisplayBackend(std::move(display));
        char tmpl[] = "/tmp/quorvel-app-XXXXXX";
        m_dir = mkdtemp(tmpl);
        m_app.m_profilePath = (m_dir / "quorvel.INI").string();
    }
    void TearDown() override {
        SetDisplayBackend(nullptr);
        fs::remove_all(m_dir);
        AfxResetMessageQueue();
    }

    void Profile(const std::string& body) {
        std::ofstream(m_app.m_profilePath) << "[3D Screen saver Config]\n" << body;
    }

    // Runs the framework's start-up as AfxWinMain does, with these arguments.
    int Start(std::vector<std::string> args) {
        SetArgs(std::move(args));
        if (!m_app.InitInstance()) return m_app.ExitInstance();
        // The saver runs until something closes it: here, at once.
        if (m_app.m_pMainWnd) m_app.m_pMainWnd->PostMessage(WM_CLOSE);
        return m_app.Run();
    }

    void SetArgs(std::vector<std::string> args) {
        args.insert(args.begin(), "quorvel");
        m_args = args;
        m_argv.clear();
        for (auto& a : m_args) m_argv.push_back(a.data());
        __argc = static_cast<int>(m_argv.size());
        __argv = m_argv.data();
    }

    FakeDisplayBackend* m_display = nullptr;
    fs::path m_dir;
    CTestApp m_app;
    std::vector<std::string> m_args;
    std::vector<char*> m_argv;
};

} // namespace

TEST(IsSwitch, SkipsOneLeadingDashOrSlashAndIgnoresCase) {
    for (const char* yes : {"s", "S", "/s", "-S"}) EXPECT_TRUE(CMyMirlowApp::IsSwitch(yes, "s")) << yes;
    for (const char* no : {"//s", "s:1", "ss", "", "-", "--s", "c"})
        EXPECT_FALSE(CMyMirlowApp::IsSwitch(no, "s")) << no;
}

TEST_F(AppTest, NoArgumentAndEveryConfigFormRunTheDialogAndEnd) {
    EXPECT_EQ(Start({}), 0);
    for (const char* arg : {"c", "C", "/c", "-C"}) EXPECT_EQ(Start({arg, "ignored"}), 0);
    EXPECT_EQ(m_app.configRuns, 5);
}

TEST_F(AppTest, UnknownArgumentsEndAtOnceWithoutWindowOrDisplayChange) {
    Profile("Width=1280\nHeight=720\n");
    for (const char* arg : {"a", "c:1234", "//s", "", "ss"}) {
        EXPECT_EQ(Start({arg}), 0) << arg;
        EXPECT_EQ(m_app.m_pMainWnd, nullptr);
    }
    EXPECT_EQ(m_app.configRuns, 0);
    EXPECT_TRUE(m_display->Log().empty());
}

TEST_F(AppTest, SettingsAreLoadedInEveryMode) {
    Profile("Number=5\nHard=2\n");
    Start({"p", "1234"});
    EXPECT_EQ(m_app.Settings().Number, 5);
    EXPECT_EQ(m_app.GetHard(), 0);
}

TEST_F(AppTest, SaverWithoutSizeOrWithTheCurrentSizeNeverTouchesTheDisplay) {
    Start({"s"});
    Profile("Width=800\nHeight=0\n");
    Start({"s"});
    Profile("Width=1920\nHeight=1080\n");
    Start({"s"});
    EXPECT_TRUE(m_display->Log().empty());
    EXPECT_FALSE(m_app.m_bModeChanged);
}

TEST_F(AppTest, SaverSwitchesAtItsDepthAndRestoresAtExit) {
    Profile("Width=1280\nHeight=720\n");
    Start({"s"});
    ASSERT_EQ(m_display->Log().size(), 2u);
    EXPECT_FALSE(m_display->Log()[0].restore);
    EXPECT_EQ(m_display->Log()[0].wanted.width, 1280u);
    EXPECT_EQ(m_display->Log()[0].wanted.bitsPerPixel, 32u) << "the depth stays as found";
    EXPECT_EQ(m_display->Log()[0].result, DISP_CHANGE_SUCCESSFUL);
    EXPECT_TRUE(m_display->Log()[1].restore);
}

TEST_F(AppTest, RefusedTwentyFourBitModeIsRetriedOnceAtSixteen) {
    auto fake = std::make_unique<FakeDisplayBackend>(
        std::vector<DisplayMode>{{1920, 1080, 24, 60, 0}, {1280, 720, 24, 60, 0}, {1280, 720, 16, 60, 0}}, 0);
    fake->Refuse(1280, 720, 24);
    FakeDisplayBackend* log = fake.get();
    SetDisplayBackend(std::move(fake));
    Profile("Width=1280\nHeight=720\n");
    Start({"s"});
    ASSERT_EQ(log->Log().size(), 3u);
    EXPECT_EQ(log->Log()[0].wanted.bitsPerPixel, 24u);
    EXPECT_NE(log->Log()[0].result, DISP_CHANGE_SUCCESSFUL);
    EXPECT_EQ(log->Log()[1].wanted.bitsPerPixel, 16u);
    EXPECT_EQ(log->Log()[1].result, DISP_CHANGE_SUCCESSFUL);
    EXPECT_TRUE(log->Log()[2].restore);
}

TEST_F(AppTest, RefusedThirtyTwoBitModeIsNotRetriedAndNothingIsRestored) {
    m_display->Refuse(1280, 720, 32);
    Profile("Width=1280\nHeight=720\n");
    Start({"s"});
    ASSERT_EQ(m_display->Log().size(), 1u);
    EXPECT_FALSE(m_app.m_bModeChanged);
}

TEST_F(AppTest, CloseSignalDuringASwitchedRunStillRestoresTheDisplay) {
    Profile("Width=1280\nHeight=720\n");
    __argc = 2;
    char prog[] = "quorvel", arg[] = "s";
    char* argv[] = {prog, arg, nullptr};
    __argv = argv;
    ASSERT_TRUE(m_app.InitInstance());
    ASSERT_NE(m_app.m_pMainWnd, nullptr) << "the saver window keeps the run alive";
    AfxInstallCloseSignals();
    raise(SIGTERM);
    EXPECT_EQ(m_app.Run(), 0);
    AfxRemoveCloseSignals();
    ASSERT_EQ(m_display->Log().size(), 2u);
    EXPECT_TRUE(m_display->Log()[1].restore);
}

TEST(PreviewHandle, ReadLikeAtolAndOnlyWhenItFitsAWindowId) {
    auto id = [](const char* text) { return reinterpret_cast<uintptr_t>(ParsePreviewHandle(text)); };
    EXPECT_EQ(id("2097155"), 2097155u);
    EXPECT_EQ(id(" 2097155abc"), 2097155u);
    EXPECT_EQ(id("4294967295"), 4294967295u);
    // 2^32 + 2097155 would be cut to 2097155, another program's window.
    EXPECT_EQ(id("4297064451"), 0u);
    EXPECT_EQ(id("18446744073711648771"), 0u); // 2^64 + 2097155
    EXPECT_EQ(id("-2097155"), 0u);
    EXPECT_EQ(id("abc"), 0u);
    EXPECT_EQ(id(nullptr), 0u);
}

TEST_F(AppTest, HostedModeDrawsInAChildOfTheHostWindowAndTouchesNothingShared) {
    auto backend = std::make_unique<NullWindowBackend>();
    NullWindowBackend* windows = backend.get();
    AfxSetWindowBackend(std::move(backend));
    HWND host = windows->CreateForeignWindow(640, 480);
    Profile("Width=1280\nHeight=720\n");
    SetArgs({"--window-id", std::to_string(reinterpret_cast<uintptr_t>(host)), "s"});
    ASSERT_TRUE(m_app.InitInstance());
    ASSERT_NE(m_app.m_pMainWnd, nullptr);
    HWND child = m_app.m_pMainWnd->m_hWnd;
    EXPECT_EQ(windows->GetParent(child), host);
    EXPECT_EQ(windows->GetStyle(child) & (WS_CHILD | WS_POPUP | WS_DISABLED), WS_CHILD | WS_DISABLED)
        << "no input of its own";
    RECT client;
    ASSERT_TRUE(::GetClientRect(child, &client));
    EXPECT_EQ(client.right, 640);
    EXPECT_EQ(client.bottom, 480);
    m_app.m_pMainWnd->PostMessage(WM_CLOSE);
    EXPECT_EQ(m_app.Run(), 0);
    EXPECT_TRUE(m_display->Log().empty()) << "no display-mode switch";
    std::ifstream profile(m_app.m_profilePath);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(profile), {}),
              "[3D Screen saver Config]\nWidth=1280\nHeight=720\n");
}

TEST_F(AppTest, HostOptionsOverrideTheProfileInTheHostedModeOnly) {
    auto backend = std::make_unique<NullWindowBackend>();
    NullWindowBackend* windows = backend.get();
    AfxSetWindowBackend(std::move(backend));
    const std::string host = std::to_string(reinterpret_cast<uintptr_t>(windows->CreateForeignWindow(64, 48)));
    Profile("Number=2\nLighting=0\n");
    SetArgs({"--window-id", host, "-number", "4", "-lighting", "spot"});
    ASSERT_TRUE(m_app.InitInstance());
    EXPECT_EQ(m_app.Settings().Number, 4);
    EXPECT_EQ(m_app.GetLighting(), 1) << "what the saver window reads";
    m_app.m_pMainWnd->PostMessage(WM_CLOSE);
    EXPECT_EQ(m_app.Run(), 0);
    std::ifstream profile(m_app.m_profilePath);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(profile), {}), "[3D Screen saver Config]\nNumber=2\nLighting=0\n");

    EXPECT_EQ(Start({"--window-id", host, "-number", "21"}), 1) << "out of range";
    for (auto mode : {"s", "p"}) {
        CTestApp app;
        app.m_profilePath = m_app.m_profilePath;
        SetArgs({mode, "-number", "4"});
        app.InitInstance();
        EXPECT_EQ(app.Settings().Number, 2) << mode;
        if (app.m_pMainWnd) app.m_pMainWnd->PostMessage(WM_CLOSE);
        app.Run();
    }
}

TEST_F(AppTest, HostedModeWithoutAWindowToDrawInEndsWithCode1) {
    unsetenv("XSCREENSAVER_WINDOW");
    EXPECT_EQ(Start({"--window-id", "777"}), 1) << "no such window";
    EXPECT_EQ(Start({"-root"}), 1) << "the in-memory backend has no desktop";
    EXPECT_EQ(m_app.m_pMainWnd, nullptr);
    EXPECT_EQ(m_app.configRuns, 0);
}

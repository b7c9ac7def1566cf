#include "pipes/pipe.h"
#include "platform/swr/frame_buffer.h"
#include "platform/afx/afxwin.h"
#include "platform/null/null_window_backend.h"
#include "platform/null/headless_display_backend.h"
#include "shell/app.h"
#include "shell/saver_wnd.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

class CSeededSaverWnd : public CSaverWnd {
public:
    CSeededSaverWnd(const SETTINGS& s) : CSaverWnd(s.Number, s.Length, s.Speed, FALSE) {}

protected:
    unsigned RandomSeed() const override { return 11; }
};

class SaverTest : public ::testing::Test {
protected:
    void SetUp() override {
        AfxResetMessageQueue();
        m_windows = new NullWindowBackend(320, 240);
        AfxSetWindowBackend(std::unique_ptr<WindowBackend>(m_windows));
        SetDisplayBackend(std::make_unique<HeadlessDisplayBackend>(320, 240));
        char tmpl[] = "/tmp/quorvel-saver-XXXXXX";
        m_dir = mkdtemp(tmpl);
        m_app.m_profilePath = (m_dir / "quorvel.INI").string();
    }
    void TearDown() override {
        m_saver.reset();
        SetDisplayBackend(nullptr);
        fs::remove_all(m_dir);
        AfxResetMessageQueue();
    }

    CSeededSaverWnd& Start(const std::string& settings) {
        std::ofstream(m_app.m_profilePath) << "[3D Screen saver Config]\n" << settings;
        m_app.LoadSettings();
        m_saver = std::make_unique<CSeededSaverWnd>(m_app.Settings());
        EXPECT_TRUE(m_saver->CreateSaverWindow());
        EXPECT_TRUE(m_saver->StartAnimation());
        return *m_saver;
    }

    // The visuals each pipe's frame holds now, in list order.
    std::vector<size_t> Pieces() const {
        std::vector<size_t> counts;
        POSITION pos = m_saver->GetPipes().GetHeadPosition();
        while (pos) {
            auto* pipe = static_cast<CPipe*>(const_cast<CObList&>(m_saver->GetPipes()).GetNext(pos));
            counts.push_back(pipe->GetFrame()->Visuals().size());
        }
        return counts;
    }

    // Index of the pipe that grew at one tick, -1 when none did.
    int Tick() {
        std::vector<size_t> before = Pieces();
        m_saver->SendMessage(WM_TIMER, 1, 0);
        std::vector<size_t> after = Pieces();
        if (after.size() != before.size()) return -2; // a new cycle began
        for (size_t i = 0; i < after.size(); ++i)
            if (after[i] != before[i]) return static_cast<int>(i);
        return -1;
    }

    // Handles what is waiting (paints, ticks) and tells whether a close request was among it.
    bool ClosePosted() { return Drain(WM_CLOSE); }
    bool Drain(UINT wanted) {
        bool found = false;
        MSG msg;
        while (PeekMessage(&msg)) {
            if (msg.message == wanted)
                found = true;
            else if (msg.message != WM_CLOSE && msg.message != WM_QUIT)
                DispatchMessage(&msg);
        }
        return found;
    }

    NullWindowBackend* m_windows = nullptr;
    fs::path m_dir;
    CMyMirlowApp m_app;
    std::unique_ptr<CSeededSaverWnd> m_saver;
};

} // namespace

TEST_F(SaverTest, OneAfterAnotherGrowsEachPipeForItsLengthThenRestarts) {
    CSeededSaverWnd& saver = Start("Number=3\nLength=10\nType=0\n");
    ASSERT_EQ(saver.GetPipes().GetCount(), 3);
    EXPECT_EQ(saver.GetStep(), 0);
    std::vector<int> order;
    while (saver.GetStep() < 30) {
        int grown = Tick();
        ASSERT_GE(grown, -1);
        if (grown >= 0) order.push_back(grown);
    }
    std::vector<int> expected;
    for (int p = 0; p < 3; ++p) expected.insert(expected.end(), 10, p);
    EXPECT_EQ(order, expected);
    // The tick after the thirtieth step makes a new set and grows its first pipe once.
    saver.SendMessage(WM_TIMER, 1, 0);
    EXPECT_EQ(saver.GetPipes().GetCount(), 3);
    std::vector<size_t> pieces = Pieces();
    EXPECT_GT(pieces[0], 0u);
    EXPECT_EQ(pieces[1], 0u);
    EXPECT_EQ(pieces[2], 0u);
}

TEST_F(SaverTest, InTurnGrowsThePipesRoundRobin) {
    CSeededSaverWnd& saver = Start("Number=3\nLength=10\nType=5\n");
    std::vector<int> order;
    while (saver.GetStep() < 30) {
        int grown = Tick();
        if (grown >= 0) order.push_back(grown);
    }
    ASSERT_EQ(order.size(), 30u);
    for (size_t i = 0; i < order.size(); ++i) EXPECT_EQ(order[i], static_cast<int>(i % 3)) << i;
}

TEST_F(SaverTest, OutOfRangeSettingsSkipGrowthWithoutFailing) {
    // No pipe or no length: every tick skips the growth step.
    for (const char* settings : {"Number=0\n", "Number=-4\n", "Length=0\n", "Length=-3\n"}) {
        CSeededSaverWnd& saver = Start(settings);
        for (int i = 0; i < 5; ++i) EXPECT_EQ(Tick(), -1) << settings;
        EXPECT_EQ(saver.GetStep(), 0) << settings;
        saver.DestroyWindow();
    }
    // A huge length or a negative speed still grows one step per tick.
    for (const char* settings : {"Number=3\nLength=2147483647\n", "Speed=-5\nNumber=2\n"}) {
        CSeededSaverWnd& saver = Start(settings);
        for (int i = 0; i < 5; ++i) EXPECT_GE(Tick(), 0) << settings;
        EXPECT_EQ(saver.GetStep(), 5) << settings;
        saver.DestroyWindow();
    }
}

TEST_F(SaverTest, AnAbsurdNumberOfPipesIsCapped) {
    CSeededSaverWnd& saver = Start("Number=2000000000\nLength=1\n");
    EXPECT_EQ(saver.GetPipes().GetCount(), CSaverWnd::kMaxPipes);
}

TEST_F(SaverTest, TheFourthMouseMoveCloses) {
    CSeededSaverWnd& saver = Start("");
    for (int i = 0; i < 3; ++i) saver.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_FALSE(ClosePosted());
    saver.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(ClosePosted()) << "the fourth move closes even at the same place";
}

TEST_F(SaverTest, InputAndDeactivationCloseButSystemCommandsAreRefused) {
    CSeededSaverWnd& saver = Start("");
    for (UINT msg : {WM_LBUTTONDOWN, WM_MBUTTONDOWN, WM_RBUTTONDOWN, WM_KEYDOWN, WM_SYSKEYDOWN}) {
        saver.SendMessage(msg, 0, 0);
        EXPECT_TRUE(ClosePosted()) << msg;
    }
    for (UINT msg : {WM_LBUTTONUP, WM_KEYUP, WM_SYSKEYUP}) {
        saver.SendMessage(msg, 0, 0);
        EXPECT_FALSE(ClosePosted()) << msg;
    }
    saver.SendMessage(WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_TRUE(ClosePosted());
    saver.SendMessage(WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_TRUE(ClosePosted());
    saver.SendMessage(WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_FALSE(ClosePosted());
    EXPECT_EQ(saver.SendMessage(WM_NCACTIVATE, FALSE, 0), FALSE);
    EXPECT_EQ(saver.SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0), 0);
    EXPECT_EQ(saver.SendMessage(WM_SYSCOMMAND, SC_SCREENSAVE, 0), 0);
    EXPECT_FALSE(ClosePosted()) << "the close command is ignored";
    SetCursor(reinterpret_cast<HCURSOR>(&m_dir));
    EXPECT_EQ(saver.SendMessage(WM_SETCURSOR, 0, 0), TRUE);
    EXPECT_EQ(GetCursor(), nullptr) << "the pointer is invisible over the window";
}

TEST_F(SaverTest, DestroyingFreesThePipesAndQuits) {
    CSeededSaverWnd& saver = Start("Number=4\nLength=5\n");
    for (int i = 0; i < 12; ++i) saver.SendMessage(WM_TIMER, 1, 0);
    ASSERT_GT(IDirect3DRMMesh::LiveCount(), 0);
    saver.SendMessage(WM_CLOSE);
    EXPECT_EQ(saver.m_hWnd, nullptr);
    EXPECT_TRUE(saver.GetPipes().IsEmpty());
    EXPECT_EQ(IDirect3DRMMesh::LiveCount(), 0);
    EXPECT_EQ(IDirect3DRMFrame::LiveCount(), 0);
    EXPECT_EQ(IDirect3DRMLight::LiveCount(), 0);
    EXPECT_TRUE(Drain(WM_QUIT));
}

TEST_F(SaverTest, TheBackgroundIsTheGreyOfItsPercentage) {
    const std::pair<const char*, uint32_t> cases[] = {
        {"BackgroundRGB=0\n", 0x000000u}, {"BackgroundRGB=50\n", 0x7F7F7Fu}, {"BackgroundRGB=100\n", 0xFFFFFFu}};
    for (const auto& [settings, grey] : cases) {
        CSeededSaverWnd& saver = Start(settings);
        saver.SendMessage(WM_TIMER, 1, 0);
        CRenderContext& render = saver.GetRenderContext();
        render.PauseRendering();
        ASSERT_TRUE(render.DrawFrameNow());
        const swr::FrameBuffer& frame = render.GetDevice()->GetFrameBuffer();
        EXPECT_EQ(frame.Pixel(0, 0) & 0xFFFFFF, grey) << settings; // a corner no pipe reaches
        saver.DestroyWindow();
    }
}

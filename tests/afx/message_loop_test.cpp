#include "platform/afx/afxwin.h"
#include "platform/posix/close_signals.h"
#include "platform/null/null_window_backend.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <csignal>
#include <gtest/gtest.h>
#include <vector>

namespace {

class LoopTest : public ::testing::Test {
protected:
    void SetUp() override {
        AfxResetMessageQueue();
        AfxSetWindowBackend(std::make_unique<NullWindowBackend>(800, 600));
    }
    void TearDown() override { AfxResetMessageQueue(); }
};

// Records what reaches it and answers a few messages through its map.
class CRecordingWnd : public CWnd {
public:
    std::vector<UINT> seen;
    int nDestroyed = 0;
    int nPostNcDestroy = 0;

    BOOL Create(DWORD style = WS_POPUP | WS_VISIBLE, HWND parent = nullptr) {
        LPCSTR cls = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW, nullptr, GetStockObject(BLACK_BRUSH));
        return CreateEx(0, cls, "test", style, 0, 0, 320, 200, parent, 0);
    }
    LRESULT WindowProc(UINT message, WPARAM w, LPARAM l) override {
        seen.push_back(message);
        return CWnd::WindowProc(message, w, l);
    }

protected:
    LRESULT OnTimer(WPARAM, LPARAM) { return 0; }
    LRESULT OnDestroy(WPARAM, LPARAM) {
        ++nDestroyed;
        return Default();
    }
    void OnAbout() { seen.push_back(0xABCD); }
    void PostNcDestroy() override { ++nPostNcDestroy; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRecordingWnd, CWnd)
ON_MESSAGE(WM_TIMER, OnTimer)
ON_MESSAGE(WM_DESTROY, OnDestroy)
ON_BN_CLICKED(1006, OnAbout)
END_MESSAGE_MAP()

class CTestApp : public CWinApp {
public:
    BOOL InitInstance() override { return TRUE; }
};

} // namespace

TEST_F(LoopTest, PostedBeforeInputBeforePaintBeforeTimers) {
    CRecordingWnd wnd;
    ASSERT_TRUE(wnd.Create());
    HWND h = wnd.m_hWnd;
    ::SetTimer(h, 1, 10);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    AfxQueueInput({h, WM_KEYDOWN, 'A', 0});
    PostMessage(h, WM_USER, 0, 0);
    std::vector<UINT> order;
    MSG msg;
    for (int i = 0; i < 4 && PeekMessage(&msg); ++i) {
        order.push_back(msg.message);
        if (msg.message == WM_PAINT) AfxValidateWindow(h);
    }
    EXPECT_EQ(order, (std::vector<UINT>{WM_USER, WM_KEYDOWN, WM_PAINT, WM_TIMER}));
}

TEST_F(LoopTest, TimerKeepsAtMostOneTickPendingAndHonoursItsPeriod) {
    CRecordingWnd wnd;
    ASSERT_TRUE(wnd.Create(WS_POPUP));
    ::SetTimer(wnd.m_hWnd, 1, 30);
    std::this_thread::sleep_for(std::chrono::milliseconds(100)); // three periods go by unserved
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg));
    EXPECT_EQ(msg.message, WM_TIMER);
    EXPECT_FALSE(PeekMessage(&msg)) << "late ticks must not pile up";
    auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(GetMessage(&msg));
    EXPECT_EQ(msg.message, WM_TIMER);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(25));
    EXPECT_TRUE(::KillTimer(wnd.m_hWnd, 1));
    EXPECT_FALSE(::KillTimer(wnd.m_hWnd, 1));
}

TEST_F(LoopTest, MessageMapRoutesCommandsAndFallsBackToDefault) {
    CRecordingWnd wnd;
    ASSERT_TRUE(wnd.Create());
    wnd.SendMessage(WM_COMMAND, 1006, 0);
    wnd.SendMessage(WM_COMMAND, 1007, 0); // no entry: default processing, nothing recorded
    EXPECT_EQ(std::count(wnd.seen.begin(), wnd.seen.end(), 0xABCDu), 1);
    // WM_CLOSE has no entry: default processing destroys the window.
    wnd.SendMessage(WM_CLOSE);
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_EQ(wnd.nDestroyed, 1);
    EXPECT_EQ(wnd.nPostNcDestroy, 1);
}

TEST_F(LoopTest, LoopEndsAtOnceWithoutMainWindowAndWithQuitCode) {
    CTestApp app;
    EXPECT_EQ(app.Run(), 0);
    AfxResetMessageQueue();
    PostQuitMessage(7);
    EXPECT_EQ(app.CWinThread::Run(), 7);
}

TEST_F(LoopTest, DestroyingTheMainWindowEndsTheLoop) {
    CTestApp app;
    CRecordingWnd wnd;
    ASSERT_TRUE(wnd.Create());
    app.m_pMainWnd = &wnd;
    wnd.PostMessage(WM_CLOSE);
    EXPECT_EQ(app.Run(), 0);
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    EXPECT_EQ(wnd.nDestroyed, 1);
}

TEST_F(LoopTest, ForeignParentDestroyedReachesChildAsDestroy) {
    auto* backend = new NullWindowBackend(800, 600);
    AfxSetWindowBackend(std::unique_ptr<WindowBackend>(backend));
    HWND host = backend->CreateForeignWindow(100, 75);
    CRecordingWnd child;
    ASSERT_TRUE(child.Create(WS_CHILD | WS_VISIBLE, host));
    HWND h = child.m_hWnd;
    PostMessage(h, WM_USER, 0, 0);
    AfxOnNativeWindowDestroyed(h);
    EXPECT_EQ(child.nDestroyed, 1);
    EXPECT_EQ(child.nPostNcDestroy, 1);
    MSG msg;
    EXPECT_FALSE(PeekMessage(&msg)) << "messages for a dead window are dropped";
}

TEST_F(LoopTest, CloseSignalClosesTheMainWindow) {
    CTestApp app;
    CRecordingWnd wnd;
    ASSERT_TRUE(wnd.Create());
    app.m_pMainWnd = &wnd;
    AfxInstallCloseSignals();
    raise(SIGTERM);
    EXPECT_EQ(app.Run(), 0);
    EXPECT_EQ(wnd.nDestroyed, 1);
    AfxRemoveCloseSignals();
}

TEST_F(LoopTest, CloseSignalWithoutWindowQuits) {
    CTestApp app;
    AfxInstallCloseSignals();
    raise(SIGHUP);
    MSG msg;
    EXPECT_FALSE(GetMessage(&msg));
    EXPECT_EQ(msg.message, WM_QUIT);
    AfxRemoveCloseSignals();
}

namespace {

// Deletes itself once destroyed. Its storage outlives the delete, filled with a pattern, so
// that any write into the freed object shows.
class CSelfDeletingWnd : public CRecordingWnd {
public:
    static constexpr unsigned char kFreed = 0xA5;
    static inline unsigned char* storage = nullptr;
    static inline size_t storageSize = 0;

    static void* operator new(size_t size) {
        storage = static_cast<unsigned char*>(::operator new(size));
        storageSize = size;
        return storage;
    }
    static void operator delete(void* p, size_t size) { std::memset(p, kFreed, size); }
    static bool UntouchedSinceDelete() {
        return std::all_of(storage, storage + storageSize, [](unsigned char b) { return b == kFreed; });
    }

protected:
    void PostNcDestroy() override { delete this; }
};

} // namespace

TEST_F(LoopTest, SelfDeletingWindowIsNotTouchedAfterItsLastMessage) {
    for (int signo : {SIGTERM, SIGINT, SIGHUP}) {
        CTestApp app;
        auto* wnd = new CSelfDeletingWnd;
        ASSERT_TRUE(wnd->Create());
        app.m_pMainWnd = wnd;
        AfxInstallCloseSignals();
        raise(signo);
        EXPECT_EQ(app.Run(), 0);
        AfxRemoveCloseSignals();
        EXPECT_EQ(app.m_pMainWnd, nullptr);
        EXPECT_TRUE(CSelfDeletingWnd::UntouchedSinceDelete()) << "written after delete, signal " << signo;
        ::operator delete(CSelfDeletingWnd::storage);
        AfxResetMessageQueue();
    }
}

// The wake-and-step worker, the render thread and the scene lock of the render context.
#include "platform/null/null_window_backend.h"
#include "platform/afx/wnd.h"
#include "platform/display/fake_display_backend.h"
#include "render/render_context.h"
#include "tests/support/saver_scene.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <thread>

namespace {

using namespace std::chrono_literals;

// Polls until the condition holds; false after a generous limit (a hung worker, not a slow one).
bool WaitFor(const std::function<bool()>& condition) {
    const auto limit = std::chrono::steady_clock::now() + 20s;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > limit) return false;
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

// Counts its steps; the first one waits until the test opens the gate.
class GatedWorker : public CMultiThread {
public:
    ~GatedWorker() override {
        gate.SetEvent();
        StopWorker();
    }
    void OnWake() override {
        const int n = ++steps;
        if (n == 1) {
            inFirstStep.SetEvent();
            gate.Lock();
        }
    }
    void Wake() { m_pWake->SetEvent(); }
    std::atomic<int> steps{0};
    CEvent inFirstStep{FALSE, TRUE};
    CEvent gate{FALSE, TRUE};
};

TEST(MultiThread, RuntimeClassAndWakesDuringAStepCollapseIntoOne) {
    EXPECT_STREQ(CRuntimeClass::FromName("CMultiThread")->m_lpszClassName, "CMultiThread");
    EXPECT_TRUE(RUNTIME_CLASS(CMultiThread)->IsDerivedFrom(RUNTIME_CLASS(CWinThread)));

    GatedWorker worker;
    ASSERT_TRUE(worker.Start(0, 0, nullptr, INFINITE));
    worker.Wake();
    ASSERT_TRUE(worker.inFirstStep.Lock(20000));
    worker.Wake();
    worker.Wake();
    worker.Wake();
    worker.gate.SetEvent();
    ASSERT_TRUE(WaitFor([&] { return worker.steps >= 2; }));
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(worker.steps, 2);
}

// A render thread over a real scene on a headless device; frames are counted by the device.
class RenderThreadTest : public ::testing::Test {
protected:
    void SetUp() override {
        PipeRandomSeed(2);
        scene = std::make_unique<SaverScene>(96, 64);
        scene->AddPipes(2, 20);
    }
    uint64_t Frames() const { return scene->device->UpdateCount(); }

    CCriticalSection lock;
    std::unique_ptr<SaverScene> scene;
};

TEST_F(RenderThreadTest, BeginNeedsAllTargets) {
    CRenderThread thread(&lock);
    EXPECT_FALSE(thread.Begin(0));
    thread.SetTargets(scene->device, nullptr, scene->scene);
    EXPECT_FALSE(thread.Begin(0));
    EXPECT_FALSE(thread.Pause());
    EXPECT_FALSE(thread.Wake()) << "no worker to wake";
}

TEST_F(RenderThreadTest, DestroyingANeverBegunThreadReturnsAtOnce) {
    // Ended on a thread of its own, so that waiting for a worker that never ran hangs only it.
    auto ended = std::make_shared<std::atomic<bool>>(false);
    auto thread = std::make_shared<CRenderThread>(&lock);
    thread->SetTargets(scene->device, scene->viewport, scene->scene);
    std::thread([thread = std::move(thread), ended]() mutable {
        thread.reset();
        *ended = true;
    }).detach();
    EXPECT_TRUE(WaitFor([&] { return ended->load(); })) << "the destructor waits for a worker that never ran";
    EXPECT_EQ(Frames(), 0u);
}

TEST_F(RenderThreadTest, EachWakeDrawsOneFrameUntilPaused) {
    auto thread = std::make_unique<CRenderThread>(&lock);
    thread->SetTargets(scene->device, scene->viewport, scene->scene);
    ASSERT_TRUE(thread->Begin(0));
    for (uint64_t frame = 1; frame <= 3; ++frame) {
        {
            CSingleLock changing(&lock, TRUE);
            scene->GrowNext();
        }
        ASSERT_TRUE(thread->Wake());
        ASSERT_TRUE(WaitFor([&] { return Frames() == frame; }));
    }
    EXPECT_TRUE(thread->Pause());
    EXPECT_FALSE(thread->Pause()) << "already paused";
    thread->Wake();
    thread->Wake();
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(Frames(), 3u);
    thread.reset(); // the last step draws nothing either
    EXPECT_EQ(Frames(), 3u);
}

TEST_F(RenderThreadTest, WithoutALimitNothingIsDrawnUnasked) {
    for (LONG limit : {0, -5}) {
        const uint64_t before = Frames();
        CRenderThread thread(&lock);
        thread.SetTargets(scene->device, scene->viewport, scene->scene);
        ASSERT_TRUE(thread.Begin(limit));
        std::this_thread::sleep_for(150ms);
        EXPECT_EQ(Frames(), before);
        thread.Wake();
        ASSERT_TRUE(WaitFor([&] { return Frames() == before + 1; }));
        thread.Pause();
    }
}

TEST_F(RenderThreadTest, FortyMillisecondLimitDrawsWithoutWakes) {
    CRenderThread thread(&lock);
    thread.SetTargets(scene->device, scene->viewport, scene->scene);
    ASSERT_TRUE(thread.Begin(40));
    EXPECT_TRUE(WaitFor([&] { return Frames() >= 3; }));
    thread.Pause();
}

TEST_F(RenderThreadTest, NoStepRunsWhileTheSceneLockIsHeld) {
    CRenderThread thread(&lock);
    thread.SetTargets(scene->device, scene->viewport, scene->scene);
    ASSERT_TRUE(thread.Begin(0));
    {
        CSingleLock changing(&lock, TRUE);
        thread.Wake();
        std::this_thread::sleep_for(100ms);
        EXPECT_EQ(Frames(), 0u);
        scene->GrowNext();
    }
    EXPECT_TRUE(WaitFor([&] { return Frames() == 1; }));
    // Pause returns only when no step is in progress: frames counted now stay counted.
    thread.Wake();
    thread.Pause();
    const uint64_t atPause = Frames();
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(Frames(), atPause);
}

class RenderContextThreadTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto* backend = dynamic_cast<NullWindowBackend*>(&AfxGetWindowBackend());
        ASSERT_NE(backend, nullptr);
        window.m_hWnd = backend->CreateForeignWindow(128, 96);
        SetDisplayBackend(std::make_unique<FakeDisplayBackend>(
            std::vector<DisplayMode>{{1920, 1080, 32, 60, 0}}, 0));
    }
    void TearDown() override {
        AfxGetWindowBackend().Destroy(window.m_hWnd);
        window.m_hWnd = nullptr;
        SetDisplayBackend(nullptr);
    }
    CWnd window;
};

TEST_F(RenderContextThreadTest, TicksChangeTheSceneUnderTheLockWhileFramesAreDrawn) {
    PipeRandomSeed(4);
    auto context = std::make_unique<CRenderContext>();
    ASSERT_TRUE(context->Initialize(&window, FALSE));
    context->PointCamera(100, 0, 0);
    std::vector<std::unique_ptr<CPipe>> pipes;
    for (int i = 0; i < 3; ++i) {
        auto pipe = std::make_unique<CPipe>();
        pipe->SetParameters(30, 4.0f, 0.6f, 0.5f, 2.0f, context->GetField(), context->GetFront(),
                            0.6666667f);
        pipe->Create(context->GetD3DRM(), context->GetScene());
        pipe->SetPosition(150, 0, 0);
        pipes.push_back(std::move(pipe));
    }
    ASSERT_TRUE(context->StartRendering(0));
    EXPECT_FALSE(context->Initialize(&window, FALSE)) << "refused while rendering";
    EXPECT_NE(context->GetDevice(), nullptr);
    EXPECT_TRUE(context->HandlePaint(nullptr));
    EXPECT_TRUE(context->HandleActivate(1));
    for (int tick = 0; tick < 90; ++tick) {
        {
            CSingleLock changing(&context->GetSceneLock(), TRUE);
            pipes[tick % 3]->Grow(context->GetD3DRM());
        }
        context->RequestFrame();
        if (tick % 10 == 0) std::this_thread::sleep_for(2ms);
    }
    IDirect3DRMDevice* device = context->GetDevice();
    ASSERT_TRUE(WaitFor([&] { return device->UpdateCount() >= 1; }));
    // A new cycle: the pipes leave the scene while the worker may be drawing.
    for (auto& pipe : pipes)
        context->RemoveFromScene(pipe->GetFrame());
    context->RequestFrame();
    context->PauseRendering();
    pipes.clear();
    context.reset();
    EXPECT_EQ(IDirect3DRMDevice::LiveCount(), 0);
    EXPECT_EQ(IDirect3DRMMesh::LiveCount(), 0);
}

TEST_F(RenderContextThreadTest, ReleaseAllWhileRenderingStopsDrawing) {
    CRenderContext context;
    ASSERT_TRUE(context.Initialize(&window, FALSE));
    ASSERT_TRUE(context.StartRendering(0));
    context.RequestFrame();
    context.ReleaseAll(); // without PauseRendering first
    for (int i = 0; i < 5; ++i)
        context.RequestFrame();
    std::this_thread::sleep_for(50ms);
    EXPECT_FALSE(context.HandlePaint(nullptr));
    EXPECT_EQ(IDirect3DRMDevice::LiveCount(), 0);
}

TEST_F(RenderContextThreadTest, DestroyingARunningContextStopsTheWorker) {
    auto context = std::make_unique<CRenderContext>();
    ASSERT_TRUE(context->Initialize(&window, FALSE));
    ASSERT_TRUE(context->StartRendering(0));
    for (int i = 0; i < 10; ++i)
        context->RequestFrame();
    context.reset();
    EXPECT_EQ(IDirect3DRM::LiveCount(), 0);
}

} // namespace

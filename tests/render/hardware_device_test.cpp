// The hardware device in the device search (by what the GL driver probe found and QUORVEL_GL),
// and the render context falling back to the software device when GL fails at context creation
// or at the first frame, while the render thread draws. Also run in the thread-sanitizer build.
#include "tests/support/gl_available.h"

#include "platform/afx/wnd.h"
#include "platform/display/fake_display_backend.h"
#include "platform/gl/driver_policy.h"
#include "platform/null/null_window_backend.h"
#include "render/render_context.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

class ProbedDriver : public gl::Backend {
public:
    explicit ProbedDriver(gl::DriverInfo info) : m_info(std::move(info)) {}
    const gl::DriverInfo& Probe() override { return m_info; }
    std::unique_ptr<gl::Surface> CreateSurface(const swr::SurfaceTarget&, int, int, int) override { return nullptr; }

private:
    gl::DriverInfo m_info;
};

// The real offscreen contexts with a failure put in: none made, or frames that never show.
class FailingGl : public gl::Backend {
public:
    enum class Failure { None, Context, FirstFrame };
    FailingGl(std::shared_ptr<gl::Backend> real, Failure failure) : m_real(std::move(real)), m_failure(failure) {}
    const gl::DriverInfo& Probe() override { return m_real->Probe(); }
    std::unique_ptr<gl::Surface> CreateSurface(const swr::SurfaceTarget& target, int width, int height,
                                               int bitsPerPixel) override {
        if (m_failure == Failure::Context) return nullptr;
        auto surface = m_real->CreateSurface(target, width, height, bitsPerPixel);
        if (!surface || m_failure == Failure::None) return surface;
        return std::make_unique<Unpresentable>(std::move(surface));
    }

private:
    class Unpresentable : public gl::Surface {
    public:
        explicit Unpresentable(std::unique_ptr<gl::Surface> s) : m_s(std::move(s)) {}
        bool IsEs() const override { return m_s->IsEs(); }
        gl::ChannelBits Bits() const override { return m_s->Bits(); }
        unsigned Framebuffer() const override { return m_s->Framebuffer(); }
        bool MakeCurrent() override { return m_s->MakeCurrent(); }
        bool Present() override { return false; }
        bool Read(uint32_t* pixels) override { return m_s->Read(pixels); }

    private:
        std::unique_ptr<gl::Surface> m_s;
    };
    std::shared_ptr<gl::Backend> m_real;
    Failure m_failure;
};

class HardwareDeviceTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_saved = ThePlatform().gl;
        SetDisplayBackend(std::make_unique<FakeDisplayBackend>(std::vector<DisplayMode>{{1920, 1080, 32, 60, 0}}, 0));
    }
    void TearDown() override {
        ThePlatform().gl = m_saved;
        SetDisplayBackend(nullptr);
        unsetenv("QUORVEL_GL");
    }
    static const GUID* Chosen(DEVICESEARCH& search, BOOL hard) {
        return SearchDevices(search, 32, hard) ? SelectedDeviceGuid(search) : nullptr;
    }

    std::shared_ptr<gl::Backend> m_saved;
};

TEST_F(HardwareDeviceTest, ListedForAHardwareDriverOrWhenForced) {
    struct Case {
        bool usable, software;
        const char* preference;
        bool listed;
    };
    const Case cases[] = {
        {true, false, nullptr, true},   {true, true, nullptr, false}, {true, true, "force", true},
        {true, false, "off", false},    {false, false, "force", false},
    };
    for (const Case& c : cases) {
        ThePlatform().gl = std::make_shared<ProbedDriver>(gl::DriverInfo{c.usable, "a renderer", c.software});
        if (c.preference)
            setenv("QUORVEL_GL", c.preference, 1);
        else
            unsetenv("QUORVEL_GL");
        DEVICESEARCH search{};
        const GUID* hard = Chosen(search, TRUE);
        ASSERT_NE(hard, nullptr);
        EXPECT_EQ(search.count, c.listed ? 3 : 2);
        EXPECT_EQ(*hard, c.listed ? IID_IDirect3DHALDevice : IID_IDirect3DRGBDevice);
        EXPECT_EQ(*Chosen(search, FALSE), IID_IDirect3DRGBDevice) << "Hard off keeps the software device";
    }
    EXPECT_TRUE(gl::IsSoftwareRenderer("llvmpipe (LLVM 15.0.6, 256 bits)"));
    EXPECT_TRUE(gl::IsSoftwareRenderer("GDI Generic"));
    EXPECT_FALSE(gl::IsSoftwareRenderer("NVIDIA H100 PCIe/PCIe/SSE2"));
}

TEST_F(HardwareDeviceTest, RenderThreadDrawsWithGlOrFallsBackToSoftwareWhenItFails) {
    SKIP_WITHOUT_GL();
    const std::shared_ptr<gl::Backend> real = ThePlatform().gl;
    auto* windows = dynamic_cast<NullWindowBackend*>(&AfxGetWindowBackend());
    ASSERT_NE(windows, nullptr);
    for (FailingGl::Failure failure :
         {FailingGl::Failure::None, FailingGl::Failure::Context, FailingGl::Failure::FirstFrame}) {
        const bool fails = failure != FailingGl::Failure::None;
        ThePlatform().gl = std::make_shared<FailingGl>(real, failure);
        CWnd window;
        window.m_hWnd = windows->CreateForeignWindow(160, 120);
        {
            CRenderContext context;
            ASSERT_TRUE(context.Initialize(&window, TRUE));
            ASSERT_TRUE(context.GetDevice()->IsHardware());
            // A red square of light in front of the camera on a grey background.
            IDirect3DRM* rm = context.GetD3DRM();
            IDirect3DRMLight* ambient = nullptr;
            IDirect3DRMMesh* mesh = nullptr;
            ASSERT_EQ(rm->CreateLightRGB(D3DRMLIGHT_AMBIENT, 1, 1, 1, &ambient), S_OK);
            context.AddSceneLight(ambient);
            ambient->Release();
            ASSERT_EQ(rm->CreateMesh(&mesh), S_OK);
            const unsigned face[] = {0, 1, 2, 3};
            D3DRMGROUPINDEX group;
            mesh->AddGroup(4, 1, 4, face, &group);
            D3DRMVERTEX v[4]{};
            const D3DVECTOR corners[] = {{10, 2, 2}, {10, 2, -2}, {10, -2, -2}, {10, -2, 2}};
            for (int i = 0; i < 4; ++i) v[i] = {corners[i], {-1, 0, 0}, 0, 0, 0};
            mesh->SetVertices(group, 0, 4, v);
            mesh->SetGroupColor(group, 0xFFFF0000u);
            context.PointCamera(100, 0, 0);
            context.SetBackgroundRGB(0.2f, 0.2f, 0.2f);
            context.GetScene()->AddVisual(mesh);
            mesh->Release();

            ASSERT_TRUE(context.StartRendering(0));
            uint32_t centre = 0;
            bool drawn = false;
            const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(20);
            while (!drawn && std::chrono::steady_clock::now() < limit) {
                context.RequestFrame(); // the tick after a lost frame replaces the device
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
                CSingleLock lock(&context.GetSceneLock(), TRUE);
                IDirect3DRMDevice* device = context.GetDevice();
                drawn = device->IsHardware() != fails && device->UpdateCount() > 0;
                if (drawn) centre = device->GetFrameBuffer().Pixel(80, 60);
            }
            EXPECT_TRUE(drawn) << static_cast<int>(failure);
            EXPECT_EQ(centre, 0xFFFF0000u) << static_cast<int>(failure);
            EXPECT_EQ(*SelectedDeviceGuid(context.GetDeviceSearch()),
                      fails ? IID_IDirect3DRGBDevice : IID_IDirect3DHALDevice);
            context.PauseRendering();
        }
        windows->Destroy(window.m_hWnd);
    }
}

} // namespace

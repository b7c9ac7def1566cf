#include "tools/headless_saver.h"

#include "platform/d3drm/d3d.h"
#include "platform/egl/egl_backend.h"
#include "platform/null/connect_null.h"
#include "platform/swr/frame_buffer.h"
#include "shell/app.h"
#include "shell/saver_wnd.h"

#include <memory>

namespace {

class CHeadlessApp : public CMyMirlowApp {};

// The saver with a chosen seed instead of the time.
class CSeededSaverWnd : public CSaverWnd {
public:
    CSeededSaverWnd(unsigned seed, const SETTINGS& s)
        : CSaverWnd(s.Number, s.Length, s.Speed, FALSE), m_seed(seed) {}

protected:
    unsigned RandomSeed() const override { return m_seed; }

private:
    unsigned m_seed;
};

// Leaves only the chosen device to the search; false when it does not exist.
bool ChooseDevice(HeadlessRun::Device device) {
    if (device == HeadlessRun::Device::Default) return true;
    if (device == HeadlessRun::Device::Gl) setenv("QUORVEL_GL", "force", 1);
    const GUID wanted = device == HeadlessRun::Device::Rgb    ? IID_IDirect3DRGBDevice
                        : device == HeadlessRun::Device::Mono ? IID_IDirect3DRampDevice
                                                              : IID_IDirect3DHALDevice;
    for (const D3DDeviceEntry& entry : D3DBuiltInDevices()) {
        if (entry.guid == wanted) {
            const std::vector<D3DDeviceEntry> only{entry};
            D3DSetDeviceListForTesting(&only);
            return true;
        }
    }
    return false;
}

} // namespace

HeadlessFrame RunHeadlessSaver(const HeadlessRun& run) {
    Platform platform = ConnectNull(run.width, run.height);
    // Only when asked: the pictures the tools make stay the software device's on every machine.
    if (run.device == HeadlessRun::Device::Gl) platform.gl = egl::MakeSurfacelessBackend();
    InstallPlatform(std::move(platform));
    HeadlessFrame frame;
    if (!ChooseDevice(run.device)) return frame;
    CHeadlessApp app;
    app.m_profilePath = run.profile;
    if (!run.profile.empty()) app.LoadSettings();

    CSeededSaverWnd wnd(run.seed, app.Settings());
    if (!wnd.CreateSaverWindow() || !wnd.StartAnimation()) return frame;
    for (int i = 0; i < run.ticks; ++i) wnd.SendMessage(WM_TIMER, 1, 0);

    // The last frame is drawn here rather than by the render thread, so it shows every tick.
    CRenderContext& render = wnd.GetRenderContext();
    render.PauseRendering();
    if (render.DrawFrameNow()) {
        const swr::FrameBuffer& fb = render.GetDevice()->GetFrameBuffer();
        frame.hardware = render.GetDevice()->IsHardware();
        frame.width = fb.Width();
        frame.height = fb.Height();
        frame.pixels.assign(fb.Pixels(), fb.Pixels() + static_cast<size_t>(fb.Width()) * fb.Height());
        for (uint32_t& p : frame.pixels) p &= 0xFFFFFF;
    }
    wnd.DestroyWindow();
    return frame;
}

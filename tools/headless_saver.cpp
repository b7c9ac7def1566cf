#include "tools/headless_saver.h"

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

} // namespace

HeadlessFrame RunHeadlessSaver(const HeadlessRun& run) {
    InstallPlatform(ConnectNull(run.width, run.height));
    CHeadlessApp app;
    app.m_profilePath = run.profile;
    if (!run.profile.empty()) app.LoadSettings();

    CSeededSaverWnd wnd(run.seed, app.Settings());
    HeadlessFrame frame;
    if (!wnd.CreateSaverWindow() || !wnd.StartAnimation()) return frame;
    for (int i = 0; i < run.ticks; ++i) wnd.SendMessage(WM_TIMER, 1, 0);

    // The last frame is drawn here rather than by the render thread, so it shows every tick.
    CRenderContext& render = wnd.GetRenderContext();
    render.PauseRendering();
    if (render.DrawFrameNow()) {
        const swr::FrameBuffer& fb = render.GetDevice()->GetFrameBuffer();
        frame.width = fb.Width();
        frame.height = fb.Height();
        frame.pixels.assign(fb.Pixels(), fb.Pixels() + static_cast<size_t>(fb.Width()) * fb.Height());
        for (uint32_t& p : frame.pixels) p &= 0xFFFFFF;
    }
    wnd.DestroyWindow();
    return frame;
}

#include "platform/d3drm/gl_device.h"

#include "platform/gl/frame_status.h"
#include "platform/platform.h"

namespace gl {

Device::Device(swr::SurfaceTarget target, int width, int height, int bitsPerPixel)
    : m_target(std::move(target)), m_width(width), m_height(height), m_bitsPerPixel(bitsPerPixel) {}

Device::~Device() {
    Release(std::move(m_state));
}

Device::State::~State() {
    // The program and stores are deleted with their context current; a context that cannot be
    // made current any more takes them with it.
    if (surface && surface->MakeCurrent()) return;
    (void)program.release();
    for (std::unique_ptr<TriangleStore>& store : stores) (void)store.release();
}

bool Device::Fail() {
    m_lost = true;
    return false;
}

bool Device::Begin() {
    if (m_lost) return false;
    if (m_state) return m_state->surface->MakeCurrent() || Fail();
    const std::shared_ptr<Backend> backend = ThePlatform().gl;
    if (!backend) return Fail();
    auto state = std::make_unique<State>();
    state->surface = backend->CreateSurface(m_target, m_width, m_height, m_bitsPerPixel);
    if (state->surface) state->program = std::make_unique<SceneProgram>();
    if (!state->surface || !state->program->Build(state->surface->IsEs())) {
        state.reset(); // still on its own thread: destroyed at once
        return Fail();
    }
    state->reportsResets = ReportsResets();
    m_state = std::move(state);
    return true;
}

TriangleStore* Device::NewStore() {
    if (!m_state) return nullptr;
    auto store = std::make_unique<TriangleStore>();
    if (!store->Create()) {
        Fail();
        return nullptr;
    }
    return m_state->stores.emplace_back(std::move(store)).get();
}

void Device::Viewport(RECT area) const {
    // GL counts rows from the bottom.
    const auto width = static_cast<GLsizei>(area.right - area.left);
    const auto height = static_cast<GLsizei>(area.bottom - area.top);
    glBindFramebuffer(GL_FRAMEBUFFER, m_state->surface->Framebuffer());
    glViewport(area.left, m_height - area.bottom, width, height);
    glScissor(area.left, m_height - area.bottom, width, height);
}

void Device::Clear(D3DCOLOR colour, RECT area) {
    Viewport(area);
    const ChannelBits bits = m_state->surface->Bits();
    glEnable(GL_SCISSOR_TEST);
    glDepthMask(GL_TRUE);
    glClearColor(ChannelValue((colour >> 16) & 0xFF, bits.red), ChannelValue((colour >> 8) & 0xFF, bits.green),
                 ChannelValue(colour & 0xFF, bits.blue), 1.0f);
    glClearDepth(1.0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
}

void Device::Draw(const TriangleStore& store, const swr::Projection& p) {
    Viewport({p.left, p.top, p.left + p.width, p.top + p.height});
    m_state->program->Use(p, m_state->surface->Bits());
    store.Draw();
}

bool Device::Present(uint32_t* pixels) {
    Surface& surface = *m_state->surface;
    if (!FrameSucceeded(m_state->reportsResets) || !surface.Present()) return Fail();
    if (pixels && !surface.Read(pixels)) return Fail();
    return true;
}

} // namespace gl

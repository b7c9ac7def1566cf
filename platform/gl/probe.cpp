#include "platform/gl/probe.h"

#include "platform/gl/driver_policy.h"
#include "platform/gl/offscreen_target.h"
#include "platform/gl/scene_program.h"
#include "platform/gl/triangle_store.h"


namespace gl {
namespace {

constexpr int kSize = 8;

std::string String(GLenum name) {
    const GLubyte* s = glGetString(name);
    return s ? reinterpret_cast<const char*>(s) : "";
}

// A triangle with its point down over an 8 × 8 target, in the colour (1, 0.5, 0.25), drawn with
// the state the device draws with: its centre takes the colour, the bottom-left corner stays black.
bool DrawsTestTriangle(bool es) {
    SceneProgram program;
    TriangleStore store;
    OffscreenTarget target;
    if (!program.Build(es) || !store.Create() || !target.Create(kSize, kSize, 32)) return false;
    const swr::CameraVertex vertices[] = {
        {-1, 1, 2, 1, 0.5f, 0.25f}, {1, 1, 2, 1, 0.5f, 0.25f}, {0, -1, 2, 1, 0.5f, 0.25f}};
    const uint32_t triangle[] = {0, 1, 2};
    if (!store.Append(vertices, triangle)) return false;
    glBindFramebuffer(GL_FRAMEBUFFER, target.Framebuffer());
    glViewport(0, 0, kSize, kSize);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    program.Use({0.5f, 1.0f, 100.0f, 0, 0, kSize, kSize}, target.Bits());
    store.Draw();
    uint32_t pixels[kSize * kSize];
    target.Read(pixels);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glUseProgram(0);
    return glGetError() == GL_NO_ERROR && pixels[kSize / 2 * kSize + kSize / 2] == 0xFFFF7F3Fu &&
           pixels[(kSize - 1) * kSize] == 0xFF000000u;
}

} // namespace

DriverInfo ProbeCurrentContext(bool es) {
    DriverInfo info;
    info.renderer = String(GL_RENDERER);
    info.software = IsSoftwareRenderer(info.renderer);
    info.usable = !info.renderer.empty() && DrawsTestTriangle(es);
    return info;
}

} // namespace gl

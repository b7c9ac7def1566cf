// The hardware device's OpenGL side: a context and surface from the platform's GL service,
// made on the thread that draws the first frame and touched by no other thread.
#pragma once

#include "platform/base/wintypes.h"
#include "platform/d3drm/window_presenter.h"
#include "platform/gl/scene_program.h"
#include "platform/gl/triangle_store.h"
#include "platform/swr/raster.h"

#include <memory>
#include <vector>

namespace gl {

class Device {
public:
    Device(swr::SurfaceTarget target, int width, int height, int bitsPerPixel);
    // The context goes back to its thread to be destroyed there.
    ~Device();
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    // Makes the context current on the calling thread, creating it with its surface and
    // program on the first call. False, now and from then on, when that fails.
    bool Begin();
    // Storage for one viewport's meshes, kept as long as the device. After Begin.
    TriangleStore* NewStore();
    // Fills the rectangle (top-down pixel rows) with the colour and clears its depth.
    void Clear(D3DCOLOR colour, RECT area);
    // Draws the store under the projection, over what the rectangle holds.
    void Draw(const TriangleStore& store, const swr::Projection& projection);
    // Ends the frame, after Begin: its GL work checked, then shown (offscreen: read into
    // pixels, rows top to bottom, width × height words). False when the context or surface is
    // lost.
    bool Present(uint32_t* pixels);

private:
    // Everything made with the context, destroyed on its thread with it current.
    struct State : ThreadBound {
        std::unique_ptr<Surface> surface;
        std::unique_ptr<SceneProgram> program;
        std::vector<std::unique_ptr<TriangleStore>> stores;
        bool reportsResets = false;
        ~State() override;
    };

    void Viewport(RECT area) const;
    bool Fail();

    swr::SurfaceTarget m_target;
    int m_width, m_height, m_bitsPerPixel;
    std::unique_ptr<State> m_state;
    bool m_lost = false;
};

} // namespace gl

// The platform's OpenGL service (the record's `gl`): probing the driver, and contexts with the
// drawable they draw into. The GL drawing code is the same on every platform; only this differs.
#pragma once

#include "platform/gl/thread_resources.h"

#include <cstdint>
#include <memory>
#include <string>

namespace swr {
struct SurfaceTarget; // platform/d3drm/window_presenter.h
} // namespace swr

namespace gl {

// Bits per colour channel of what a context draws into.
struct ChannelBits {
    int red = 8, green = 8, blue = 8;
};

// What a probe found: whether a context could be made and could draw, and what renders it.
struct DriverInfo {
    bool usable = false;
    std::string renderer; // GL_RENDERER
    bool software = false;
};

// A context and its drawable, current on the thread that made it and used only there.
class Surface : public ThreadBound {
public:
    // OpenGL ES (GLSL ES 3.00) rather than desktop OpenGL 3.3 core.
    virtual bool IsEs() const = 0;
    virtual ChannelBits Bits() const = 0;
    // The framebuffer object to draw into; 0 for the window's own.
    virtual unsigned Framebuffer() const = 0;
    // Makes the context current again on its thread (after another context was); true when it
    // already is.
    virtual bool MakeCurrent() = 0;
    // Shows what was drawn since the last call (a window's buffers swapped; offscreen: the
    // drawing finished). False when the drawable or the context is lost.
    virtual bool Present() = 0;
    // Offscreen surfaces: the picture as 0xFFRRGGBB words, rows top to bottom. False for a
    // window.
    virtual bool Read(uint32_t* pixels) = 0;
};

class Backend {
public:
    virtual ~Backend() = default;
    // Makes a context where the saver draws and draws a test frame with it; done once, on the
    // first call, on the calling thread, and remembered.
    virtual const DriverInfo& Probe() = 0;
    // A context drawing into the window of the target, current on the calling thread; for a
    // memory surface an offscreen one of width × height (5-6-5 channels for a display of
    // bitsPerPixel 16, else 8-bit ones). Null when none can be made.
    virtual std::unique_ptr<Surface> CreateSurface(const swr::SurfaceTarget& target, int width,
                                                   int height, int bitsPerPixel) = 0;
};

} // namespace gl

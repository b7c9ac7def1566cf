// Where finished frames go: a window, or an image in memory.
#pragma once

#include "platform/base/wintypes.h"
#include "platform/swr/frame_buffer.h"

namespace swr {

// Used only by the thread that renders.
class Presenter {
public:
    virtual ~Presenter() = default;
    // Copies the damage rectangle (clipped to the frame) of frame to the target and keeps it as
    // part of the last frame. Pixels outside the rectangle keep what earlier frames left there
    // (black when the frame size changed since the last call).
    // False when the target could not be updated.
    virtual bool Present(const FrameBuffer& frame, RECT damage) = 0;
    // Shows the whole last frame again (after the target lost its contents, e.g. on expose).
    virtual bool Repaint() = 0;
    // The presented image itself, when it can be drawn into directly: width × height 0xAARRGGBB
    // words without row padding, valid while the presenter lives and is given frames of this
    // size. A frame drawn there needs no copy at Present. Null when the target needs conversion.
    virtual uint32_t* Surface(int width, int height) = 0;
};

} // namespace swr

// Whether the GL work of a frame went through: no error, and the context not lost to a GPU
// reset (where the driver reports resets).
#pragma once

namespace gl {

// Whether the current context reports GPU resets: made to be lost on one, with a driver that can
// say so (OpenGL 4.5 or KHR_robustness). Asked once per context.
bool ReportsResets();
// Needs a current context; takes the errors it finds.
bool FrameSucceeded(bool reportsResets);

} // namespace gl

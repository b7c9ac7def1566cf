// Whether the GL work of a frame went through: no error, and the context not lost to a GPU
// reset (where the driver reports resets).
#pragma once

namespace gl {

// Whether the current context's driver reports GPU resets (OpenGL 4.5 or KHR_robustness); asked
// once per context.
bool ReportsResets();
// Needs a current context; takes the errors it finds.
bool FrameSucceeded(bool reportsResets);

} // namespace gl

// Whether the GL work of a frame went through: no error, and the context not lost to a GPU
// reset (where the driver reports resets).
#pragma once

namespace gl {

// Needs a current context; takes the errors it finds.
bool FrameSucceeded();

} // namespace gl

// The OpenGL functions, through the platform's loader: libepoxy on Linux, a glad loader generated
// at build time on Windows. Either resolves each function for the context current on the
// calling thread.
#pragma once

#if defined(_WIN32)
#include <glad/gl.h>
#else
#include <epoxy/gl.h>
#endif

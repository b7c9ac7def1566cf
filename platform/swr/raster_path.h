// Which instruction set the rasterizer's inner loops use.
#pragma once

namespace swr {

enum class RasterPath { Scalar, Sse2, Avx2 };

// The path in use: the widest the processor supports, or a narrower one named by the environment
// variable QUORVEL_RASTER_PATH (scalar, sse2 or avx2) at the first use.
RasterPath CurrentRasterPath();
// Switches paths (tests, benchmarks); false, changing nothing, when the processor or the build
// lacks it. Not while anything is being drawn.
bool UseRasterPath(RasterPath path);
const char* RasterPathName(RasterPath path);

} // namespace swr

// The rasterizer's inner loops, one set per instruction-set path. Every path computes each pixel
// with the same arithmetic (below), so all paths draw byte-identical colours and depths.
#pragma once

#include "platform/swr/raster_path.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace swr::kernels {

// Narrow triangles are drawn whole by one kernel call; wider ones row by row as spans.
constexpr int kNarrowWidth = 16;

// A fixed-point channel i steps on; wraps like the vector lanes.
inline int32_t ColourAt(int32_t base, int i, int32_t step) {
    return static_cast<int32_t>(static_cast<uint32_t>(base) +
                                static_cast<uint32_t>(i) * static_cast<uint32_t>(step));
}

// 1/z i pixels from the box's left edge: one product and one sum, never fused.
inline float DepthAt(float row, int i, float step) { return row + static_cast<float>(i) * step; }

inline uint32_t PackPixel(int32_t r, int32_t g, int32_t b) {
    auto channel = [](int32_t c) { return static_cast<uint32_t>(std::clamp(c >> 16, 0, 255)); };
    return 0xFF000000u | (channel(r) << 16) | (channel(g) << 8) | channel(b);
}

struct Target {
    uint32_t* pixels;
    float* depth;
    size_t stride; // pixels per row
};

// A triangle after set-up: its pixel box (inclusive), its edge functions at the centre of pixel
// (left, top) with their steps per pixel and per row (a pixel is inside when all three are ≥ 0),
// and its attributes at that pixel with their steps.
struct TriangleSetup {
    int left, top, right, bottom;
    int64_t edge[3], edgeStepX[3], edgeStepY[3];
    float z, zStepX, zStepY; // 1/z
    // Channels of 0..255 in 16.16 fixed point, the first with the bias; rows and columns step them
    // with wrapping sums.
    int32_t red, green, blue;
    int32_t redStepX, greenStepX, blueStepX;
    int32_t redStepY, greenStepY, blueStepY;
    bool narrow; // at most kNarrowWidth wide, and every edge value in the box fits 32 bits
};

// One row's run of a triangle: pixels [from, to] counted from the box's left edge.
struct Span {
    uint32_t* pixels; // at the box's left edge
    float* depth;
    int from, to;
    float z, zStepX;
    int32_t red, green, blue; // 16.16 with the bias, at the box's left edge
    int32_t redStepX, greenStepX, blueStepX;
};

struct Kernels {
    RasterPath path;
    // Draws a narrow triangle whole.
    void (*narrow)(const TriangleSetup& setup, const Target& target);
    // Draws one span with the depth test.
    void (*span)(const Span& span);
    // Fills count words with value.
    void (*fill)(uint32_t* words, size_t count, uint32_t value);
};

const Kernels& ScalarKernels();
// Null when this build has no such path.
const Kernels* Sse2Kernels();
const Kernels* Avx2Kernels();
// The kernels of the path in use.
const Kernels& Active();

} // namespace swr::kernels

// The plain C++ inner loops: the path every processor has, and the measure of the others.
#include "platform/swr/raster_kernels.h"

namespace swr::kernels {
namespace {

void DrawNarrow(const TriangleSetup& s, const Target& t) {
    const int width = s.right - s.left + 1;
    uint32_t* pixelRow = t.pixels + static_cast<size_t>(s.top) * t.stride + s.left;
    float* depthRow = t.depth + static_cast<size_t>(s.top) * t.stride + s.left;
    int64_t e0 = s.edge[0], e1 = s.edge[1], e2 = s.edge[2];
    float z = s.z;
    for (int y = s.top; y <= s.bottom; ++y) {
        int64_t w0 = e0, w1 = e1, w2 = e2;
        int i = 0;
        while (i < width && (w0 | w1 | w2) < 0) {
            w0 += s.edgeStepX[0];
            w1 += s.edgeStepX[1];
            w2 += s.edgeStepX[2];
            ++i;
        }
        const int row = y - s.top;
        const int32_t r = ColourAt(s.red, row, s.redStepY), g = ColourAt(s.green, row, s.greenStepY),
                      b = ColourAt(s.blue, row, s.blueStepY);
        // A row of a triangle is one run of pixels.
        while (i < width && (w0 | w1 | w2) >= 0) {
            const float invZ = DepthAt(z, i, s.zStepX);
            if (invZ > depthRow[i]) {
                depthRow[i] = invZ;
                pixelRow[i] = PackPixel(ColourAt(r, i, s.redStepX), ColourAt(g, i, s.greenStepX),
                                        ColourAt(b, i, s.blueStepX));
            }
            w0 += s.edgeStepX[0];
            w1 += s.edgeStepX[1];
            w2 += s.edgeStepX[2];
            ++i;
        }
        e0 += s.edgeStepY[0];
        e1 += s.edgeStepY[1];
        e2 += s.edgeStepY[2];
        z += s.zStepY;
        pixelRow += t.stride;
        depthRow += t.stride;
    }
}

void DrawSpan(const Span& s) {
    for (int i = s.from; i <= s.to; ++i) {
        const float invZ = DepthAt(s.z, i, s.zStepX);
        if (invZ > s.depth[i]) {
            s.depth[i] = invZ;
            s.pixels[i] = PackPixel(ColourAt(s.red, i, s.redStepX), ColourAt(s.green, i, s.greenStepX),
                                    ColourAt(s.blue, i, s.blueStepX));
        }
    }
}

void Fill(uint32_t* words, size_t count, uint32_t value) { std::fill_n(words, count, value); }

} // namespace

const Kernels& ScalarKernels() {
    static const Kernels kernels{RasterPath::Scalar, DrawNarrow, DrawSpan, Fill};
    return kernels;
}

} // namespace swr::kernels

// Inner loops eight pixels at a time with AVX2, compiled for that instruction set alone so that
// the program still runs on processors without it (the path is chosen at run time).
#include "platform/swr/raster_kernels.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>

#define QUORVEL_AVX2 __attribute__((target("avx2")))

namespace swr::kernels {
namespace {

QUORVEL_AVX2 inline __m256i Channel(__m256i fixed) {
    const __m256i c = _mm256_srai_epi32(fixed, 16);
    return _mm256_min_epi32(_mm256_max_epi32(c, _mm256_setzero_si256()), _mm256_set1_epi32(255));
}

QUORVEL_AVX2 inline __m256i Pack(__m256i r, __m256i g, __m256i b) {
    const __m256i rg = _mm256_or_si256(_mm256_slli_epi32(Channel(r), 16), _mm256_slli_epi32(Channel(g), 8));
    return _mm256_or_si256(_mm256_or_si256(rg, Channel(b)), _mm256_set1_epi32(static_cast<int>(0xFF000000u)));
}

QUORVEL_AVX2 inline bool None(__m256i mask) { return _mm256_testz_si256(mask, mask) != 0; }

// Depth test and writes of the lanes in mask; the eight pixels start at column x of a row of
// `stride`. Chunks sit on multiples of eight columns, so successive triangles load what the last
// one stored at the same address and the store is forwarded; lanes outside mask are written back
// unchanged (the row belongs to this thread). A chunk past the row's end touches only its lanes.
QUORVEL_AVX2 inline void Shade(uint32_t* pixels, float* depth, bool inRow, __m256i mask, __m256 z,
                               __m256i r, __m256i g, __m256i b) {
    if (inRow) {
        const __m256 stored = _mm256_loadu_ps(depth);
        const __m256 pass = _mm256_and_ps(_mm256_castsi256_ps(mask), _mm256_cmp_ps(z, stored, _CMP_GT_OQ));
        // No branch on the outcome: for pixels this small it would be mispredicted half the time.
        _mm256_storeu_ps(depth, _mm256_blendv_ps(stored, z, pass));
        const __m256i old = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(pixels));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(pixels),
                            _mm256_blendv_epi8(old, Pack(r, g, b), _mm256_castps_si256(pass)));
        return;
    }
    const __m256 stored = _mm256_maskload_ps(depth, mask);
    const __m256i pass = _mm256_and_si256(mask, _mm256_castps_si256(_mm256_cmp_ps(z, stored, _CMP_GT_OQ)));
    if (None(pass)) return;
    _mm256_maskstore_ps(depth, pass, z);
    _mm256_maskstore_epi32(reinterpret_cast<int*>(pixels), pass, Pack(r, g, b));
}

QUORVEL_AVX2 void DrawNarrow(const TriangleSetup& s, const Target& t) {
    const int width = s.right - s.left + 1;
    const int first = s.left & ~7;
    const int chunks = (s.right - first) / 8 + 1;
    const __m256i lanes = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
    // Per chunk: what its columns add to the row's values (wrapping, as the scalar path's
    // unsigned arithmetic does; lanes left of the box count negative), and which lie in the box.
    constexpr int kChunks = kNarrowWidth / 8 + 1;
    __m256i inBox[kChunks], edgeX[kChunks][3], red[kChunks], green[kChunks], blue[kChunks];
    __m256 zX[kChunks];
    bool inRow[kChunks];
    for (int c = 0; c < chunks; ++c) {
        const __m256i i = _mm256_add_epi32(lanes, _mm256_set1_epi32(first + 8 * c - s.left));
        inBox[c] = _mm256_and_si256(_mm256_cmpgt_epi32(_mm256_set1_epi32(width), i),
                                    _mm256_cmpgt_epi32(i, _mm256_set1_epi32(-1)));
        for (int k = 0; k < 3; ++k)
            edgeX[c][k] = _mm256_mullo_epi32(i, _mm256_set1_epi32(static_cast<int32_t>(s.edgeStepX[k])));
        red[c] = _mm256_mullo_epi32(i, _mm256_set1_epi32(s.redStepX));
        green[c] = _mm256_mullo_epi32(i, _mm256_set1_epi32(s.greenStepX));
        blue[c] = _mm256_mullo_epi32(i, _mm256_set1_epi32(s.blueStepX));
        zX[c] = _mm256_mul_ps(_mm256_cvtepi32_ps(i), _mm256_set1_ps(s.zStepX));
        inRow[c] = static_cast<size_t>(first + 8 * c + 8) <= t.stride;
    }
    uint32_t* pixelRow = t.pixels + static_cast<size_t>(s.top) * t.stride + first;
    float* depthRow = t.depth + static_cast<size_t>(s.top) * t.stride + first;
    uint32_t e0 = static_cast<uint32_t>(s.edge[0]), e1 = static_cast<uint32_t>(s.edge[1]),
             e2 = static_cast<uint32_t>(s.edge[2]);
    float z = s.z;
    uint32_t r = static_cast<uint32_t>(s.red), g = static_cast<uint32_t>(s.green), b = static_cast<uint32_t>(s.blue);
    for (int y = s.top; y <= s.bottom; ++y) {
        const __m256i w0 = _mm256_set1_epi32(static_cast<int32_t>(e0));
        const __m256i w1 = _mm256_set1_epi32(static_cast<int32_t>(e1));
        const __m256i w2 = _mm256_set1_epi32(static_cast<int32_t>(e2));
        const __m256i rowRed = _mm256_set1_epi32(static_cast<int32_t>(r));
        const __m256i rowGreen = _mm256_set1_epi32(static_cast<int32_t>(g));
        const __m256i rowBlue = _mm256_set1_epi32(static_cast<int32_t>(b));
        for (int c = 0; c < chunks; ++c) {
            const __m256i outside = _mm256_or_si256(
                _mm256_or_si256(_mm256_add_epi32(w0, edgeX[c][0]), _mm256_add_epi32(w1, edgeX[c][1])),
                _mm256_add_epi32(w2, edgeX[c][2]));
            const __m256i cover = _mm256_andnot_si256(_mm256_srai_epi32(outside, 31), inBox[c]);
            const __m256 invZ = _mm256_add_ps(_mm256_set1_ps(z), zX[c]);
            Shade(pixelRow + 8 * c, depthRow + 8 * c, inRow[c], cover, invZ, _mm256_add_epi32(rowRed, red[c]),
                  _mm256_add_epi32(rowGreen, green[c]), _mm256_add_epi32(rowBlue, blue[c]));
        }
        e0 += static_cast<uint32_t>(s.edgeStepY[0]);
        e1 += static_cast<uint32_t>(s.edgeStepY[1]);
        e2 += static_cast<uint32_t>(s.edgeStepY[2]);
        z += s.zStepY;
        r += static_cast<uint32_t>(s.redStepY);
        g += static_cast<uint32_t>(s.greenStepY);
        b += static_cast<uint32_t>(s.blueStepY);
        pixelRow += t.stride;
        depthRow += t.stride;
    }
}

QUORVEL_AVX2 void DrawSpan(const Span& s) {
    const __m256i lanes = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
    const __m256i end = _mm256_set1_epi32(s.to + 1);
    for (int from = s.from; from <= s.to; from += 8) {
        const __m256i i = _mm256_add_epi32(lanes, _mm256_set1_epi32(from));
        const __m256i inSpan = _mm256_cmpgt_epi32(end, i);
        const __m256 invZ = _mm256_add_ps(_mm256_set1_ps(s.z), _mm256_mul_ps(_mm256_cvtepi32_ps(i), _mm256_set1_ps(s.zStepX)));
        Shade(s.pixels + from, s.depth + from, from + 8 <= s.to + 1, inSpan, invZ,
              _mm256_add_epi32(_mm256_set1_epi32(s.red), _mm256_mullo_epi32(i, _mm256_set1_epi32(s.redStepX))),
              _mm256_add_epi32(_mm256_set1_epi32(s.green), _mm256_mullo_epi32(i, _mm256_set1_epi32(s.greenStepX))),
              _mm256_add_epi32(_mm256_set1_epi32(s.blue), _mm256_mullo_epi32(i, _mm256_set1_epi32(s.blueStepX))));
    }
}

QUORVEL_AVX2 void Fill(uint32_t* words, size_t count, uint32_t value) {
    const __m256i v = _mm256_set1_epi32(static_cast<int32_t>(value));
    size_t i = 0;
    for (; i + 8 <= count; i += 8) _mm256_storeu_si256(reinterpret_cast<__m256i*>(words + i), v);
    for (; i < count; ++i) words[i] = value;
}

} // namespace

const Kernels* Avx2Kernels() {
    static const Kernels kernels{RasterPath::Avx2, DrawNarrow, DrawSpan, Fill};
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") ? &kernels : nullptr;
}

} // namespace swr::kernels

#else

namespace swr::kernels {
const Kernels* Avx2Kernels() { return nullptr; }
} // namespace swr::kernels

#endif

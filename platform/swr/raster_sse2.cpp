// Inner loops four pixels at a time with SSE2, for processors without AVX2.
#include "platform/swr/raster_kernels.h"

#if defined(__x86_64__) || defined(__i386__)
#include <emmintrin.h>

#define QUORVEL_SSE2 __attribute__((target("sse2")))

namespace swr::kernels {
namespace {

QUORVEL_SSE2 inline __m128i Channel(__m128i fixed) {
    const __m128i c = _mm_srai_epi32(fixed, 16);
    const __m128i low = _mm_andnot_si128(_mm_cmpgt_epi32(_mm_setzero_si128(), c), c);
    const __m128i high = _mm_cmpgt_epi32(low, _mm_set1_epi32(255));
    return _mm_or_si128(_mm_and_si128(high, _mm_set1_epi32(255)), _mm_andnot_si128(high, low));
}

QUORVEL_SSE2 inline __m128i Pack(__m128i r, __m128i g, __m128i b) {
    const __m128i rg = _mm_or_si128(_mm_slli_epi32(Channel(r), 16), _mm_slli_epi32(Channel(g), 8));
    return _mm_or_si128(_mm_or_si128(rg, Channel(b)), _mm_set1_epi32(static_cast<int>(0xFF000000u)));
}

// lane * step for lanes 0..3, wrapping like the scalar path's unsigned arithmetic.
QUORVEL_SSE2 inline __m128i Ramp(int64_t step) {
    const uint32_t s = static_cast<uint32_t>(step);
    return _mm_setr_epi32(0, static_cast<int32_t>(s), static_cast<int32_t>(2 * s), static_cast<int32_t>(3 * s));
}

QUORVEL_SSE2 inline __m128i Step4(int64_t step) {
    return _mm_set1_epi32(static_cast<int32_t>(4 * static_cast<uint32_t>(step)));
}

// Depth test and writes of the pixels in mask. Only the first count lanes may be touched in
// memory: beyond them may lie another thread's row or the end of the buffer.
QUORVEL_SSE2 inline void Shade(uint32_t* pixels, float* depth, int count, __m128i mask, __m128 z,
                               __m128i r, __m128i g, __m128i b) {
    if (count >= 4) {
        const __m128 stored = _mm_loadu_ps(depth);
        const __m128i pass = _mm_and_si128(mask, _mm_castps_si128(_mm_cmpgt_ps(z, stored)));
        if (_mm_movemask_epi8(pass) == 0) return;
        const __m128 fp = _mm_castsi128_ps(pass);
        _mm_storeu_ps(depth, _mm_or_ps(_mm_and_ps(fp, z), _mm_andnot_ps(fp, stored)));
        const __m128i old = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels),
                         _mm_or_si128(_mm_and_si128(pass, Pack(r, g, b)), _mm_andnot_si128(pass, old)));
        return;
    }
    alignas(16) float zs[4];
    alignas(16) uint32_t colours[4];
    alignas(16) int32_t inside[4];
    _mm_store_ps(zs, z);
    _mm_store_si128(reinterpret_cast<__m128i*>(colours), Pack(r, g, b));
    _mm_store_si128(reinterpret_cast<__m128i*>(inside), mask);
    for (int l = 0; l < count; ++l) {
        if (inside[l] && zs[l] > depth[l]) {
            depth[l] = zs[l];
            pixels[l] = colours[l];
        }
    }
}

QUORVEL_SSE2 void DrawNarrow(const TriangleSetup& s, const Target& t) {
    const int width = s.right - s.left + 1;
    const __m128i lanes = _mm_setr_epi32(0, 1, 2, 3);
    const __m128 zStep = _mm_set1_ps(s.zStepX);
    const __m128i e0X = Ramp(s.edgeStepX[0]), e1X = Ramp(s.edgeStepX[1]), e2X = Ramp(s.edgeStepX[2]);
    const __m128i e0X4 = Step4(s.edgeStepX[0]), e1X4 = Step4(s.edgeStepX[1]), e2X4 = Step4(s.edgeStepX[2]);
    const __m128i rX = Ramp(s.redStepX), gX = Ramp(s.greenStepX), bX = Ramp(s.blueStepX);
    const __m128i rX4 = Step4(s.redStepX), gX4 = Step4(s.greenStepX), bX4 = Step4(s.blueStepX);
    uint32_t* pixelRow = t.pixels + static_cast<size_t>(s.top) * t.stride + s.left;
    float* depthRow = t.depth + static_cast<size_t>(s.top) * t.stride + s.left;
    uint32_t e0 = static_cast<uint32_t>(s.edge[0]), e1 = static_cast<uint32_t>(s.edge[1]),
             e2 = static_cast<uint32_t>(s.edge[2]);
    float z = s.z;
    uint32_t r = static_cast<uint32_t>(s.red), g = static_cast<uint32_t>(s.green), b = static_cast<uint32_t>(s.blue);
    for (int y = s.top; y <= s.bottom; ++y) {
        __m128i w0 = _mm_add_epi32(_mm_set1_epi32(static_cast<int32_t>(e0)), e0X);
        __m128i w1 = _mm_add_epi32(_mm_set1_epi32(static_cast<int32_t>(e1)), e1X);
        __m128i w2 = _mm_add_epi32(_mm_set1_epi32(static_cast<int32_t>(e2)), e2X);
        __m128i red = _mm_add_epi32(_mm_set1_epi32(static_cast<int32_t>(r)), rX);
        __m128i green = _mm_add_epi32(_mm_set1_epi32(static_cast<int32_t>(g)), gX);
        __m128i blue = _mm_add_epi32(_mm_set1_epi32(static_cast<int32_t>(b)), bX);
        for (int i = 0; i < width; i += 4) {
            const __m128i outside = _mm_srai_epi32(_mm_or_si128(_mm_or_si128(w0, w1), w2), 31);
            if (_mm_movemask_epi8(outside) != 0xFFFF) {
                // Lanes past the box's right edge are left alone through the count.
                const __m128 column = _mm_cvtepi32_ps(_mm_add_epi32(lanes, _mm_set1_epi32(i)));
                const __m128 invZ = _mm_add_ps(_mm_set1_ps(z), _mm_mul_ps(column, zStep));
                Shade(pixelRow + i, depthRow + i, width - i, _mm_xor_si128(outside, _mm_set1_epi32(-1)), invZ,
                      red, green, blue);
            }
            w0 = _mm_add_epi32(w0, e0X4);
            w1 = _mm_add_epi32(w1, e1X4);
            w2 = _mm_add_epi32(w2, e2X4);
            red = _mm_add_epi32(red, rX4);
            green = _mm_add_epi32(green, gX4);
            blue = _mm_add_epi32(blue, bX4);
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

// base + (from + lane) * step for lanes 0..3.
QUORVEL_SSE2 inline __m128i RampFrom(int32_t base, int from, int32_t step) {
    const uint32_t at = static_cast<uint32_t>(base) + static_cast<uint32_t>(from) * static_cast<uint32_t>(step);
    return _mm_add_epi32(_mm_set1_epi32(static_cast<int32_t>(at)), Ramp(step));
}

QUORVEL_SSE2 void DrawSpan(const Span& s) {
    const __m128i lanes = _mm_setr_epi32(0, 1, 2, 3);
    const __m128 zStep = _mm_set1_ps(s.zStepX);
    for (int from = s.from; from <= s.to; from += 4) {
        const __m128 column = _mm_cvtepi32_ps(_mm_add_epi32(lanes, _mm_set1_epi32(from)));
        const __m128 invZ = _mm_add_ps(_mm_set1_ps(s.z), _mm_mul_ps(column, zStep));
        Shade(s.pixels + from, s.depth + from, s.to + 1 - from, _mm_set1_epi32(-1), invZ,
              RampFrom(s.red, from, s.redStepX), RampFrom(s.green, from, s.greenStepX),
              RampFrom(s.blue, from, s.blueStepX));
    }
}

QUORVEL_SSE2 void Fill(uint32_t* words, size_t count, uint32_t value) {
    const __m128i v = _mm_set1_epi32(static_cast<int32_t>(value));
    size_t i = 0;
    for (; i + 4 <= count; i += 4) _mm_storeu_si128(reinterpret_cast<__m128i*>(words + i), v);
    for (; i < count; ++i) words[i] = value;
}

} // namespace

const Kernels* Sse2Kernels() {
    static const Kernels kernels{RasterPath::Sse2, DrawNarrow, DrawSpan, Fill};
    __builtin_cpu_init();
    return __builtin_cpu_supports("sse2") ? &kernels : nullptr;
}

} // namespace swr::kernels

#else

namespace swr::kernels {
const Kernels* Sse2Kernels() { return nullptr; }
} // namespace swr::kernels

#endif

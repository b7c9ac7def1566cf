#include "platform/swr/raster.h"

#include "platform/swr/triangle_fan.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace swr {
namespace {

constexpr int kSubBits = 8; // vertex positions are snapped to 1/256 pixel
constexpr int kSub = 1 << kSubBits;
constexpr int kHalf = kSub / 2;
// Triangles reaching further than this beyond the viewport are clipped in camera space as well,
// which keeps snapped coordinates and edge products well inside 64-bit range.
constexpr float kGuardPixels = 8192.0f;

enum Outcode : uint32_t {
    kNearerThanFront = 1,
    kBeyondBack = 2,
    kLeftOfGuard = 4,
    kRightOfGuard = 8,
    kBelowGuard = 16,
    kAboveGuard = 32,
    kNotFinite = 64,
};
constexpr uint32_t kClipPlanes = 63;

int FloorDiv(int64_t v) { return static_cast<int>(v >> kSubBits); }
int CeilDiv(int64_t v) { return static_cast<int>((v + kSub - 1) >> kSubBits); }

// Colours run as 16.16 fixed point of 0..255. The small bias keeps rounding drift from pulling an
// exact channel value (a flat colour) below its integer.
constexpr int32_t kColourBias = 64;
// Fixed-point values saturate here instead of overflowing (slivers have huge gradients).
constexpr float kFixedLimit = 1073741824.0f; // 2^30

#if defined(__SSE2__)
// Four values at once; NaN becomes the low limit.
__m128i ToFixed(__m128 v) {
    const __m128 scaled = _mm_mul_ps(v, _mm_set1_ps(65536.0f));
    const __m128 low = _mm_max_ps(scaled, _mm_set1_ps(-kFixedLimit)); // the second operand for NaN
    return _mm_cvttps_epi32(_mm_min_ps(low, _mm_set1_ps(kFixedLimit)));
}
#else
int32_t ToFixed(float v) {
    v *= 65536.0f;
    if (!(v > -kFixedLimit)) v = -kFixedLimit; // NaN too
    if (v > kFixedLimit) v = kFixedLimit;
    return static_cast<int32_t>(v);
}
#endif

// Nearest integer, halves away from zero; inline, unlike lrint. |v| stays far below 2^31 inside
// the guard band.
int32_t Round(float v) { return static_cast<int32_t>(v + (v >= 0.0f ? 0.5f : -0.5f)); }

float Channel255(float c) { return std::clamp(c, 0.0f, 1.0f) * 255.0f; }

// Edge p→q as an integer function of the pixel centre, positive inside a clockwise triangle.
struct Edge {
    int64_t stepX, stepY, start;

    Edge(const int32_t px, const int32_t py, const int32_t qx, const int32_t qy, int64_t x0, int64_t y0) {
        const int64_t dx = int64_t{qx} - px;
        const int64_t dy = int64_t{qy} - py;
        stepX = -dy * kSub;
        stepY = dx * kSub;
        start = dx * (y0 - py) - dy * (x0 - px);
        // Top-left rule: pixels exactly on an edge belong to the triangle only for a top edge
        // (horizontal, other vertex below) or a left edge (going up in clockwise order).
        const bool topLeft = dy < 0 || (dy == 0 && dx > 0);
        if (!topLeft) start -= 1;
    }
};

// A value linear in screen space: f(x, y) = at + dx·(x − x0) + dy·(y − y0) from the first pixel.
struct Gradient {
    float at, dx, dy;
};

} // namespace

Rasterizer::Rasterizer(FrameBuffer& target) : m_target(target) {}

void Rasterizer::SetProjection(const Projection& p) {
    m_projection = p;
    m_valid = p.width > 0 && p.height > 0 && p.field > 0 && p.front > 0 && p.back > p.front &&
              std::isfinite(p.field) && std::isfinite(p.back);
    if (!m_valid) return;
    m_scale = p.front * static_cast<float>(p.height) / (2.0f * p.field);
    m_centreX = static_cast<float>(p.left) + static_cast<float>(p.width) / 2.0f;
    m_centreY = static_cast<float>(p.top) + static_cast<float>(p.height) / 2.0f;
    m_guardX = (static_cast<float>(p.width) / 2.0f + kGuardPixels) / m_scale;
    m_guardY = (static_cast<float>(p.height) / 2.0f + kGuardPixels) / m_scale;
    UpdateClip();
}

void Rasterizer::SetRows(int top, int bottom) {
    m_rowsTop = top;
    m_rowsBottom = bottom;
    if (m_valid) UpdateClip();
}

void Rasterizer::UpdateClip() {
    const Projection& p = m_projection;
    m_clipLeft = std::max(p.left, 0);
    m_viewTop = std::max(p.top, 0);
    m_clipTop = std::max(m_viewTop, m_rowsTop);
    m_clipRight = std::min(p.left + p.width, m_target.Width()) - 1;
    m_clipBottom = std::min({p.top + p.height, m_target.Height(), m_rowsBottom}) - 1;
}

RECT Rasterizer::TakeDamage() {
    const RECT taken = m_damage;
    m_damage = {0, 0, 0, 0};
    return taken;
}

uint32_t Rasterizer::Outcode(const CameraVertex& v) const {
    if (!std::isfinite(v.x) || !std::isfinite(v.y) || !std::isfinite(v.z)) return kNotFinite;
    uint32_t code = 0;
    if (v.z < m_projection.front) code |= kNearerThanFront;
    if (v.z > m_projection.back) code |= kBeyondBack;
    if (v.x < -m_guardX * v.z) code |= kLeftOfGuard;
    if (v.x > m_guardX * v.z) code |= kRightOfGuard;
    if (v.y < -m_guardY * v.z) code |= kBelowGuard;
    if (v.y > m_guardY * v.z) code |= kAboveGuard;
    return code;
}

Rasterizer::Projected Rasterizer::Project(const CameraVertex& v) const {
    const float invZ = 1.0f / v.z;
    return {Round((m_centreX + v.x * m_scale * invZ) * kSub),
            Round((m_centreY - v.y * m_scale * invZ) * kSub),
            invZ,
            Channel255(v.r),
            Channel255(v.g),
            Channel255(v.b),
            0};
}

void Rasterizer::ProjectVertices(std::span<const CameraVertex> vertices, std::vector<ScreenVertex>& screen) const {
    screen.resize(vertices.size());
    for (size_t i = 0; i < vertices.size(); ++i) {
        const CameraVertex& v = vertices[i];
        const uint32_t code = m_valid ? Outcode(v) : kNotFinite;
        if (code == 0) {
            screen[i] = Project(v);
        } else {
            screen[i] = {0, 0, 0.0f, Channel255(v.r), Channel255(v.g), Channel255(v.b), code};
        }
    }
}

void Rasterizer::DrawTriangles(std::span<const CameraVertex> vertices, std::span<const uint32_t> indices) {
    if (!m_valid) return;
    ProjectVertices(vertices, m_projected);
    DrawProjected(vertices, m_projected, indices);
}

void Rasterizer::DrawProjected(std::span<const CameraVertex> vertices, std::span<const ScreenVertex> screen,
                               std::span<const uint32_t> indices) {
    if (!m_valid || (!vertices.empty() && screen.size() != vertices.size())) return;
    m_kernels = &kernels::Active();
    const size_t count = screen.size();
    for (size_t t = 0; t + 3 <= indices.size(); t += 3) {
        const uint32_t ia = indices[t], ib = indices[t + 1], ic = indices[t + 2];
        if (ia >= count || ib >= count || ic >= count) continue;
        const Projected& a = screen[ia];
        const Projected& b = screen[ib];
        const Projected& c = screen[ic];
        const uint32_t any = a.outcode | b.outcode | c.outcode;
        if (any == 0) {
            Fill(a, b, c); // set-up starts by culling faces turned away
        } else if ((a.outcode & b.outcode & c.outcode) == 0 && (any & kNotFinite) == 0 && !vertices.empty()) {
            DrawClipped(vertices[ia], vertices[ib], vertices[ic], any);
        }
    }
}

void Rasterizer::KeepDrawable(std::span<const ScreenVertex> screen, std::vector<uint32_t>& indices) const {
    const size_t count = screen.size();
    size_t kept = 0;
    kernels::TriangleSetup setup;
    for (size_t t = 0; m_valid && t + 3 <= indices.size(); t += 3) {
        const uint32_t ia = indices[t], ib = indices[t + 1], ic = indices[t + 2];
        if (ia >= count || ib >= count || ic >= count) continue;
        const Projected& a = screen[ia];
        const Projected& b = screen[ib];
        const Projected& c = screen[ic];
        const uint32_t any = a.outcode | b.outcode | c.outcode;
        const bool drawable = any == 0 ? SetUp(a, b, c, setup)
                                       : (a.outcode & b.outcode & c.outcode) == 0 && (any & kNotFinite) == 0;
        if (!drawable) continue;
        indices[kept++] = ia;
        indices[kept++] = ib;
        indices[kept++] = ic;
    }
    indices.resize(kept);
}

void Rasterizer::DrawClipped(const CameraVertex& a, const CameraVertex& b, const CameraVertex& c,
                             uint32_t planes) {
    // Sutherland–Hodgman against each plane the triangle crosses; a triangle gains at most one
    // vertex per plane. The crossing point is always computed from the inside end of an edge, so
    // two triangles sharing the edge get bit-identical vertices (no cracks, no double pixels).
    CameraVertex bufferA[9] = {a, b, c};
    CameraVertex bufferB[9];
    CameraVertex* in = bufferA;
    CameraVertex* out = bufferB;
    int n = 3;
    const float front = m_projection.front, back = m_projection.back;
    const float gx = m_guardX, gy = m_guardY;
    for (uint32_t plane = 1; plane <= kAboveGuard && n >= 3; plane <<= 1) {
        if ((planes & plane & kClipPlanes) == 0) continue;
        auto distance = [&](const CameraVertex& v) {
            switch (plane) {
            case kNearerThanFront: return v.z - front;
            case kBeyondBack: return back - v.z;
            case kLeftOfGuard: return v.x + gx * v.z;
            case kRightOfGuard: return gx * v.z - v.x;
            case kBelowGuard: return v.y + gy * v.z;
            default: return gy * v.z - v.y;
            }
        };
        auto cross = [](const CameraVertex& inside, float dIn, const CameraVertex& outside, float dOut) {
            const float t = dIn / (dIn - dOut);
            auto lerp = [t](float p, float q) { return p + t * (q - p); };
            return CameraVertex{lerp(inside.x, outside.x), lerp(inside.y, outside.y), lerp(inside.z, outside.z),
                                lerp(inside.r, outside.r), lerp(inside.g, outside.g), lerp(inside.b, outside.b)};
        };
        int m = 0;
        const CameraVertex* prev = &in[n - 1];
        float dPrev = distance(*prev);
        for (int i = 0; i < n; ++i) {
            const CameraVertex& cur = in[i];
            const float dCur = distance(cur);
            if (dCur >= 0) {
                if (dPrev < 0) out[m++] = cross(cur, dCur, *prev, dPrev);
                out[m++] = cur;
            } else if (dPrev >= 0) {
                out[m++] = cross(*prev, dPrev, cur, dCur);
            }
            prev = &cur;
            dPrev = dCur;
        }
        std::swap(in, out);
        n = m;
    }
    if (n < 3) return;
    Projected projected[9];
    for (int i = 0; i < n; ++i) projected[i] = Project(in[i]);
    for (int i = 1; i + 1 < n; ++i) Fill(projected[0], projected[i], projected[i + 1]);
}

bool Rasterizer::SetUp(const Projected& v0, const Projected& v1, const Projected& v2,
                       kernels::TriangleSetup& s) const {
    const int64_t dx1 = int64_t{v1.x} - v0.x, dy1 = int64_t{v1.y} - v0.y;
    const int64_t dx2 = int64_t{v2.x} - v0.x, dy2 = int64_t{v2.y} - v0.y;
    const int64_t area = dx1 * dy2 - dy1 * dx2;
    if (area <= 0) return false; // back face or degenerate

    // Pixels whose centres (i + 0.5) can fall inside the bounding box, clamped to the viewport.
    const int64_t minX = std::min({v0.x, v1.x, v2.x}), maxX = std::max({v0.x, v1.x, v2.x});
    const int64_t minY = std::min({v0.y, v1.y, v2.y}), maxY = std::max({v0.y, v1.y, v2.y});
    s.left = std::max(CeilDiv(minX - kHalf), m_clipLeft);
    s.right = std::min(FloorDiv(maxX - kHalf), m_clipRight);
    // Attributes start from the triangle's first row in the viewport, whatever rows this
    // rasterizer is confined to, so a band steps down to its own first row exactly as a whole
    // frame's rows do and draws the same bytes.
    const int firstRow = std::max(CeilDiv(minY - kHalf), m_viewTop);
    s.top = std::max(firstRow, m_clipTop);
    s.bottom = std::min(FloorDiv(maxY - kHalf), m_clipBottom);
    if (s.left > s.right || s.top > s.bottom) return false;

    const int64_t x0 = int64_t{s.left} * kSub + kHalf;
    const int64_t y0 = int64_t{firstRow} * kSub + kHalf;
    const Edge edges[3] = {Edge(v0.x, v0.y, v1.x, v1.y, x0, y0), Edge(v1.x, v1.y, v2.x, v2.y, x0, y0),
                           Edge(v2.x, v2.y, v0.x, v0.y, x0, y0)};
    const int skipped = s.top - firstRow;
    // 32-bit edge values over the whole box let the narrow kernels step them in vector lanes.
    s.narrow = s.right - s.left < kernels::kNarrowWidth;
    for (int k = 0; k < 3; ++k) {
        s.edge[k] = edges[k].start + edges[k].stepY * skipped;
        s.edgeStepX[k] = edges[k].stepX;
        s.edgeStepY[k] = edges[k].stepY;
        const int64_t reach = std::abs(s.edge[k]) + std::abs(edges[k].stepX) * (s.right - s.left) +
                              std::abs(edges[k].stepY) * (s.bottom - s.top);
        s.narrow = s.narrow && reach < (int64_t{1} << 31);
    }

    // Attribute gradients per pixel, solved from the snapped positions.
    const float inv = static_cast<float>(kSub) / static_cast<float>(area);
    const float fdx1 = static_cast<float>(dx1), fdy1 = static_cast<float>(dy1);
    const float fdx2 = static_cast<float>(dx2), fdy2 = static_cast<float>(dy2);
    const float offX = static_cast<float>(x0 - v0.x) / kSub, offY = static_cast<float>(y0 - v0.y) / kSub;
#if defined(__SSE2__)
    // The four attributes (1/z, red, green, blue) side by side, each lane with the same arithmetic.
    static_assert(offsetof(ScreenVertex, b) == offsetof(ScreenVertex, invZ) + 3 * sizeof(float));
    const __m128 f0 = _mm_loadu_ps(&v0.invZ), f1 = _mm_loadu_ps(&v1.invZ), f2 = _mm_loadu_ps(&v2.invZ);
    const __m128 d1 = _mm_sub_ps(f1, f0), d2 = _mm_sub_ps(f2, f0);
    const __m128 gx = _mm_mul_ps(_mm_sub_ps(_mm_mul_ps(d1, _mm_set1_ps(fdy2)), _mm_mul_ps(d2, _mm_set1_ps(fdy1))),
                                 _mm_set1_ps(inv));
    const __m128 gy = _mm_mul_ps(_mm_sub_ps(_mm_mul_ps(d2, _mm_set1_ps(fdx1)), _mm_mul_ps(d1, _mm_set1_ps(fdx2))),
                                 _mm_set1_ps(inv));
    const __m128 at = _mm_add_ps(_mm_add_ps(f0, _mm_mul_ps(gx, _mm_set1_ps(offX))), _mm_mul_ps(gy, _mm_set1_ps(offY)));
    float atX[4];
    _mm_storeu_ps(atX, at);
    s.z = atX[0];
    s.zStepX = _mm_cvtss_f32(gx);
    s.zStepY = _mm_cvtss_f32(gy);
    alignas(16) int32_t fixedAt[4], fixedX[4], fixedY[4];
    _mm_store_si128(reinterpret_cast<__m128i*>(fixedAt), ToFixed(at));
    _mm_store_si128(reinterpret_cast<__m128i*>(fixedX), ToFixed(gx));
    _mm_store_si128(reinterpret_cast<__m128i*>(fixedY), ToFixed(gy));
    s.red = fixedAt[1] + kColourBias;
    s.green = fixedAt[2] + kColourBias;
    s.blue = fixedAt[3] + kColourBias;
    s.redStepX = fixedX[1];
    s.greenStepX = fixedX[2];
    s.blueStepX = fixedX[3];
    s.redStepY = fixedY[1];
    s.greenStepY = fixedY[2];
    s.blueStepY = fixedY[3];
#else
    auto gradient = [&](float f0, float f1, float f2) {
        const float d1 = f1 - f0, d2 = f2 - f0;
        const float gx = (d1 * fdy2 - d2 * fdy1) * inv;
        const float gy = (d2 * fdx1 - d1 * fdx2) * inv;
        return Gradient{f0 + gx * offX + gy * offY, gx, gy};
    };
    const Gradient z = gradient(v0.invZ, v1.invZ, v2.invZ), r = gradient(v0.r, v1.r, v2.r),
                   g = gradient(v0.g, v1.g, v2.g), b = gradient(v0.b, v1.b, v2.b);
    s.z = z.at;
    s.zStepX = z.dx;
    s.zStepY = z.dy;
    s.red = ToFixed(r.at) + kColourBias;
    s.green = ToFixed(g.at) + kColourBias;
    s.blue = ToFixed(b.at) + kColourBias;
    s.redStepX = ToFixed(r.dx);
    s.greenStepX = ToFixed(g.dx);
    s.blueStepX = ToFixed(b.dx);
    s.redStepY = ToFixed(r.dy);
    s.greenStepY = ToFixed(g.dy);
    s.blueStepY = ToFixed(b.dy);
#endif
    // Down to the first row drawn: 1/z by the same sums the kernels make row by row.
    for (int row = 0; row < skipped; ++row) s.z += s.zStepY;
    s.red = kernels::ColourAt(s.red, skipped, s.redStepY);
    s.green = kernels::ColourAt(s.green, skipped, s.greenStepY);
    s.blue = kernels::ColourAt(s.blue, skipped, s.blueStepY);
    return true;
}

void Rasterizer::DrawRows(const kernels::TriangleSetup& s) {
    const kernels::Target target{m_target.Pixels(), m_target.Depth(), static_cast<size_t>(m_target.Width())};
    if (s.narrow) {
        m_kernels->narrow(s, target);
    } else {
        DrawSpans(s, target);
    }
    Unite(m_damage, {s.left, s.top, s.right + 1, s.bottom + 1});
}

void Rasterizer::DrawSpans(const kernels::TriangleSetup& s, const kernels::Target& t) const {
    const int last = s.right - s.left;
    kernels::Span span{};
    span.pixels = t.pixels + static_cast<size_t>(s.top) * t.stride + s.left;
    span.depth = t.depth + static_cast<size_t>(s.top) * t.stride + s.left;
    span.zStepX = s.zStepX;
    span.redStepX = s.redStepX;
    span.greenStepX = s.greenStepX;
    span.blueStepX = s.blueStepX;
    int64_t e[3] = {s.edge[0], s.edge[1], s.edge[2]};
    float z = s.z;
    for (int y = s.top; y <= s.bottom; ++y) {
        // The columns where each edge function is ≥ 0, exactly: a row is one run of pixels.
        int from = 0, to = last;
        for (int k = 0; k < 3 && from <= to; ++k) {
            const int64_t step = s.edgeStepX[k];
            if (step > 0) {
                if (e[k] < 0) from = static_cast<int>(std::clamp<int64_t>((-e[k] + step - 1) / step, from, last + 1));
            } else if (step < 0) {
                to = e[k] < 0 ? -1 : static_cast<int>(std::min<int64_t>(to, e[k] / -step));
            } else if (e[k] < 0) {
                to = -1;
            }
        }
        if (from <= to) {
            span.from = from;
            span.to = to;
            span.z = z;
            const int row = y - s.top;
            span.red = kernels::ColourAt(s.red, row, s.redStepY);
            span.green = kernels::ColourAt(s.green, row, s.greenStepY);
            span.blue = kernels::ColourAt(s.blue, row, s.blueStepY);
            m_kernels->span(span);
        }
        for (int k = 0; k < 3; ++k) e[k] += s.edgeStepY[k];
        z += s.zStepY;
        span.pixels += t.stride;
        span.depth += t.stride;
    }
}

void Rasterizer::Fill(const Projected& a, const Projected& b, const Projected& c) {
    kernels::TriangleSetup setup;
    if (SetUp(a, b, c, setup)) DrawRows(setup);
}

size_t AppendTriangles(std::span<const uint32_t> faceList, uint32_t verticesPerFace,
                       std::vector<uint32_t>& triangles) {
    size_t faces = 0;
    size_t i = 0;
    while (i < faceList.size()) {
        size_t n = verticesPerFace;
        if (n == 0) n = faceList[i++];
        if (n > faceList.size() - i) break;
        AppendFan(faceList.subspan(i, n), 0, triangles);
        i += n;
        ++faces;
    }
    return faces;
}

} // namespace swr

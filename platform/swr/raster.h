// Software triangle rasterizer: clipping, projection, back-face culling, depth test, Gouraud fill.
#pragma once

#include "platform/swr/frame_buffer.h"
#include "platform/swr/raster_kernels.h"

#include <climits>
#include <cstdint>
#include <span>
#include <vector>

namespace swr {

// A vertex in camera space (left-handed: +x right, +y up, +z away from the eye at the origin)
// with its lit colour, channels 0..1.
struct CameraVertex {
    float x, y, z;
    float r, g, b;
};

// How camera space maps onto the viewport. field is the half-height of the view window at the
// front plane; the half-width is field × width ÷ height. The viewport is the pixel rectangle
// [left, left + width) × [top, top + height) of the frame buffer; screen y grows downwards.
struct Projection {
    float field = 0.5f;
    float front = 1.0f;
    float back = 100.0f;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// A vertex projected onto the screen, as the rasterizer keeps it. outcode is nonzero when the vertex
// lies outside the front/back planes or the guard band; then only the colour is meaningful.
struct ScreenVertex {
    int32_t x, y; // 1/256 pixel
    float invZ;
    float r, g, b; // 0..255
    uint32_t outcode;
};

// Draws triangles into a frame buffer. A triangle (a, b, c) is drawn only when it is clockwise as
// the eye sees it, i.e. (b − a) × (c − a) points towards the eye. It is clipped to front ≤ z ≤ back.
// A pixel is drawn when its centre lies inside the triangle (top-left rule on edges, vertex
// positions snapped to 1/256 pixel) and its 1/z is strictly greater than the stored depth: of two
// surfaces at the same depth the one drawn first stays. Colours and 1/z are interpolated linearly
// in screen space. Every pixel drawn is inside the rasterizer's own damage rectangle (TakeDamage);
// the frame buffer's is left alone, so rasterizers confined to disjoint rows of one buffer can
// draw on different threads. Reuses its working storage, so a long-lived rasterizer does not
// allocate per mesh.
class Rasterizer {
public:
    explicit Rasterizer(FrameBuffer& target);

    // A projection with width, height, field or front ≤ 0, or back ≤ front, draws nothing.
    void SetProjection(const Projection& projection);
    const Projection& GetProjection() const { return m_projection; }
    // Confines drawing to the buffer rows [top, bottom) as well as the viewport; projection is
    // unaffected. Rows are unlimited until this is called.
    void SetRows(int top, int bottom);
    int RowsTop() const { return m_rowsTop; }
    int RowsBottom() const { return m_rowsBottom; }

    // The union of the pixels drawn since the last call; empty when none were.
    RECT TakeDamage();

    // indices holds three vertex indices per triangle; a trailing partial triangle and triangles
    // with an index outside vertices are ignored.
    void DrawTriangles(std::span<const CameraVertex> vertices, std::span<const uint32_t> indices);

    // The two halves of DrawTriangles, for callers that draw the same vertices in many frames:
    // projection under the current projection (screen gets one entry per vertex), then drawing.
    // screen must come from ProjectVertices of the same vertices and the same projection;
    // vertices may be empty when no screen vertex has an outcode (nothing needs clipping).
    void ProjectVertices(std::span<const CameraVertex> vertices, std::vector<ScreenVertex>& screen) const;
    void DrawProjected(std::span<const CameraVertex> vertices, std::span<const ScreenVertex> screen,
                       std::span<const uint32_t> indices);

    // Drops from indices (three per triangle, as DrawProjected takes them) every triangle that
    // cannot draw a pixel under the current projection: faces turned away, degenerate ones, those
    // wholly beyond one clipping plane or between pixel centres, and bad ones. Drawing what is
    // left draws exactly what drawing all would.
    void KeepDrawable(std::span<const ScreenVertex> screen, std::vector<uint32_t>& indices) const;

private:
    using Projected = ScreenVertex;

    Projected Project(const CameraVertex& v) const;
    uint32_t Outcode(const CameraVertex& v) const;
    void DrawClipped(const CameraVertex& a, const CameraVertex& b, const CameraVertex& c,
                     uint32_t planes);
    // A triangle is drawn in two stages: set-up (box, edge functions, gradients; false when it
    // covers no pixel or faces away), then its rows.
    void Fill(const Projected& a, const Projected& b, const Projected& c);
    bool SetUp(const Projected& a, const Projected& b, const Projected& c, kernels::TriangleSetup& setup) const;
    void DrawRows(const kernels::TriangleSetup& setup);
    // Rows of a triangle too wide for the narrow kernels: each row's run found exactly from the
    // edge functions, then filled by the span kernel.
    void DrawSpans(const kernels::TriangleSetup& setup, const kernels::Target& target) const;
    void UpdateClip();

    FrameBuffer& m_target;
    Projection m_projection;
    bool m_valid = false;
    float m_scale = 0;          // pixels per unit of x/z
    float m_centreX = 0, m_centreY = 0;
    float m_guardX = 0, m_guardY = 0; // |x/z|, |y/z| limits of the guard band
    int m_rowsTop = INT_MIN, m_rowsBottom = INT_MAX;
    int m_clipLeft = 0, m_clipTop = 0, m_clipRight = 0, m_clipBottom = 0; // inclusive pixel range
    int m_viewTop = 0; // the viewport's first row in the buffer, before SetRows confines it
    RECT m_damage{0, 0, 0, 0};
    std::vector<Projected> m_projected;
    const kernels::Kernels* m_kernels = &kernels::Active();
};

// Appends the triangles of a face list to triangles. With verticesPerFace 0 each face is its
// vertex count followed by that many indices; otherwise every face has verticesPerFace indices.
// Each face becomes a fan (AppendFan). Faces with fewer than 3 vertices are skipped; a face
// running past the end of the list ends the conversion. Returns the number of faces read.
size_t AppendTriangles(std::span<const uint32_t> faceList, uint32_t verticesPerFace,
                       std::vector<uint32_t>& triangles);

} // namespace swr

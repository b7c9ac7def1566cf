// Vertex and index storage on the GPU that grows as meshes are added and is drawn in one call.
#pragma once

#include "platform/gl/gl_api.h"
#include "platform/swr/raster.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace gl {

class TriangleStore {
public:
    TriangleStore() = default;
    // Needs the context it was created on to be current.
    ~TriangleStore();
    TriangleStore(const TriangleStore&) = delete;
    TriangleStore& operator=(const TriangleStore&) = delete;

    // Makes the buffers on the current context; false when the driver refuses.
    bool Create();
    // Appends a mesh: its vertices, and its triangles as indices into them. False when the
    // storage cannot grow (the store then holds what it held before).
    bool Append(std::span<const swr::CameraVertex> vertices, std::span<const uint32_t> triangles);
    // Forgets everything and gives the storage back, down to a small start.
    void Clear();
    // Draws every triangle, in the order appended.
    void Draw() const;

    size_t Vertices() const { return m_vertices.used / sizeof(swr::CameraVertex); }
    size_t Triangles() const { return m_indices.used / (3 * sizeof(uint32_t)); }
    // Bytes of GPU storage held.
    size_t Capacity() const { return m_vertices.capacity + m_indices.capacity; }

private:
    struct Buffer {
        GLuint name = 0;
        size_t used = 0, capacity = 0;
    };
    // Room for `more` bytes at the end of the buffer bound to target, keeping what it holds.
    bool Reserve(Buffer& buffer, GLenum target, size_t more);
    void Allocate(Buffer& buffer, GLenum target, size_t capacity);
    void PointAttributes() const;

    GLuint m_vao = 0;
    Buffer m_vertices, m_indices;
    std::vector<uint32_t> m_offsetIndices;
};

} // namespace gl

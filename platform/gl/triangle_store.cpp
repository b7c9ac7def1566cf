#include "platform/gl/triangle_store.h"

#include <algorithm>

namespace gl {
namespace {

constexpr size_t kStartBytes = 64 * 1024;

} // namespace

TriangleStore::~TriangleStore() {
    if (m_vao) glDeleteVertexArrays(1, &m_vao);
    for (GLuint name : {m_vertices.name, m_indices.name})
        if (name) glDeleteBuffers(1, &name);
}

bool TriangleStore::Create() {
    glGenVertexArrays(1, &m_vao);
    glBindVertexArray(m_vao);
    Allocate(m_vertices, GL_ARRAY_BUFFER, kStartBytes);
    Allocate(m_indices, GL_ELEMENT_ARRAY_BUFFER, kStartBytes);
    PointAttributes();
    glBindVertexArray(0);
    return m_vao && m_vertices.name && m_indices.name && glGetError() == GL_NO_ERROR;
}

void TriangleStore::Allocate(Buffer& buffer, GLenum target, size_t capacity) {
    if (buffer.name) glDeleteBuffers(1, &buffer.name);
    glGenBuffers(1, &buffer.name);
    glBindBuffer(target, buffer.name);
    glBufferData(target, static_cast<GLsizeiptr>(capacity), nullptr, GL_DYNAMIC_DRAW);
    buffer.used = 0;
    buffer.capacity = capacity;
}

void TriangleStore::PointAttributes() const {
    glBindBuffer(GL_ARRAY_BUFFER, m_vertices.name);
    constexpr GLsizei stride = sizeof(swr::CameraVertex);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, stride, nullptr);
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, 3, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<const void*>(offsetof(swr::CameraVertex, r)));
}

bool TriangleStore::Reserve(Buffer& buffer, GLenum target, size_t more) {
    if (buffer.used + more <= buffer.capacity) return true;
    const size_t capacity = std::max(buffer.used + more, buffer.capacity * 2);
    // The new storage takes a copy of the old on the GPU: nothing is kept on this side.
    GLuint grown = 0;
    glGenBuffers(1, &grown);
    glBindBuffer(GL_COPY_WRITE_BUFFER, grown);
    glBufferData(GL_COPY_WRITE_BUFFER, static_cast<GLsizeiptr>(capacity), nullptr, GL_DYNAMIC_DRAW);
    if (glGetError() != GL_NO_ERROR) {
        glDeleteBuffers(1, &grown);
        return false;
    }
    glBindBuffer(GL_COPY_READ_BUFFER, buffer.name);
    glCopyBufferSubData(GL_COPY_READ_BUFFER, GL_COPY_WRITE_BUFFER, 0, 0,
                        static_cast<GLsizeiptr>(buffer.used));
    glDeleteBuffers(1, &buffer.name);
    buffer.name = grown;
    buffer.capacity = capacity;
    glBindBuffer(target, grown);
    return true;
}

bool TriangleStore::Append(std::span<const swr::CameraVertex> vertices,
                           std::span<const uint32_t> triangles) {
    if (vertices.empty() || triangles.size() < 3) return true;
    const auto base = static_cast<uint32_t>(Vertices());
    m_offsetIndices.resize(triangles.size() - triangles.size() % 3);
    for (size_t i = 0; i < m_offsetIndices.size(); ++i) m_offsetIndices[i] = base + triangles[i];
    const size_t vertexBytes = vertices.size_bytes();
    const size_t indexBytes = m_offsetIndices.size() * sizeof(uint32_t);

    glBindVertexArray(m_vao);
    const GLuint vertexName = m_vertices.name;
    const bool room = Reserve(m_vertices, GL_ARRAY_BUFFER, vertexBytes) &&
                      Reserve(m_indices, GL_ELEMENT_ARRAY_BUFFER, indexBytes);
    if (m_vertices.name != vertexName) PointAttributes();
    if (room) {
        glBindBuffer(GL_ARRAY_BUFFER, m_vertices.name);
        glBufferSubData(GL_ARRAY_BUFFER, static_cast<GLintptr>(m_vertices.used),
                        static_cast<GLsizeiptr>(vertexBytes), vertices.data());
        glBufferSubData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLintptr>(m_indices.used),
                        static_cast<GLsizeiptr>(indexBytes), m_offsetIndices.data());
        m_vertices.used += vertexBytes;
        m_indices.used += indexBytes;
    }
    glBindVertexArray(0);
    return room;
}

void TriangleStore::Clear() {
    glBindVertexArray(m_vao);
    Allocate(m_vertices, GL_ARRAY_BUFFER, kStartBytes);
    Allocate(m_indices, GL_ELEMENT_ARRAY_BUFFER, kStartBytes);
    PointAttributes();
    glBindVertexArray(0);
}

void TriangleStore::Draw() const {
    if (m_indices.used == 0) return;
    glBindVertexArray(m_vao);
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(m_indices.used / sizeof(uint32_t)),
                   GL_UNSIGNED_INT, nullptr);
    glBindVertexArray(0);
}

} // namespace gl

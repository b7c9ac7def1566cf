#include "pipes/tube_mesh.h"

#include "render/rm_material.h"

#include <cstdint>
#include <vector>

namespace {
// Keeps vertex and face-list counts well inside 32 bits.
constexpr int64_t kMaxTubeCells = int64_t{1} << 20;
} // namespace

BOOL CTubeMesh::GetMaterial(IDirect3DRMMaterial** material) {
    return m_group != -1 && GetGroupMaterial(m_group, material);
}

BOOL CTubeMesh::SetColor(D3DCOLOR color) {
    return m_group != -1 && SetGroupColor(m_group, color);
}

BOOL CTubeMesh::SetMaterial(IDirect3DRMMaterial* material) {
    return m_group != -1 && SetGroupMaterial(m_group, material);
}

BOOL CTubeMesh::SetQuality(D3DRMRENDERQUALITY quality) {
    return m_group != -1 && SetGroupQuality(m_group, quality);
}

BOOL CTubeMesh::SetVertices(unsigned first, unsigned count, const D3DRMVERTEX* values) {
    return m_group != -1 && CRMMesh::SetVertices(m_group, first, count, values);
}

BOOL CTubeMesh::CreateGroup(int rings, int sides) {
    if (rings < 2 || sides < 1 || int64_t{rings} * sides > kMaxTubeCells) return FALSE;
    const unsigned ns = static_cast<unsigned>(sides);
    const unsigned vertexCount = static_cast<unsigned>(rings - 1) * ns + 2;
    auto ring = [ns](int k, int j) {
        return 1 + static_cast<unsigned>(k - 1) * ns + static_cast<unsigned>(j) % ns;
    };

    std::vector<unsigned> faces;
    faces.reserve(static_cast<size_t>(5 * rings - 2) * ns);
    for (int j = 0; j < sides; ++j)
        faces.insert(faces.end(), {3u, 0u, ring(1, j + 1), ring(1, j)});
    for (int k = 1; k <= rings - 2; ++k)
        for (int j = 0; j < sides; ++j)
            faces.insert(faces.end(),
                         {4u, ring(k, j), ring(k, j + 1), ring(k + 1, j + 1), ring(k + 1, j)});
    for (int j = 0; j < sides; ++j)
        faces.insert(faces.end(),
                     {3u, ring(rings - 1, j), ring(rings - 1, j + 1), vertexCount - 1});

    return AddGroup(vertexCount, static_cast<unsigned>(rings) * ns, 0, faces.data(), &m_group);
}

BOOL CTubeMesh::Build(IDirect3DRM* rm, int rings, int sides) {
    if (!m_bReady) return FALSE;
    if (!Create(rm)) return FALSE;
    if (!CreateGroup(rings, sides)) return FALSE;

    {
        std::vector<D3DRMVERTEX> vertices(static_cast<size_t>(rings - 1) * sides + 2);
        auto out = vertices.begin();
        MakeVertex(0, 0, &*out++);
        for (int i = 1; i < rings; ++i)
            for (int j = 0; j < sides; ++j)
                MakeVertex(i, j, &*out++);
        MakeVertex(rings, 0, &*out);
        if (!SetVertices(0, static_cast<unsigned>(vertices.size()), vertices.data())) return FALSE;
    }

    // The piece's own material; the walker adjusts its specular level and power later.
    CRMMaterial material;
    material.Create(rm);
    material.SetPower(1.0f);
    material.SetEmissive(0.0f, 0.0f, 0.0f);
    material.SetSpecular(1.0f, 1.0f, 1.0f);
    if (!SetColor(m_color)) return FALSE;
    if (!SetMaterial(material.GetMaterial())) return FALSE;
    return SetQuality(D3DRMRENDER_GOURAUD);
}

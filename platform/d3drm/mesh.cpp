#include "platform/d3drm/mesh.h"

#include "platform/d3drm/material.h"

#include <algorithm>
#include <new>

IDirect3DRMMesh::~IDirect3DRMMesh() {
    for (RMMeshGroup& g : m_groups)
        if (g.m_material) g.m_material->Release();
}

RMMeshGroup* IDirect3DRMMesh::FindGroup(D3DRMGROUPINDEX group) {
    if (group < 0 || static_cast<size_t>(group) >= m_groups.size()) return nullptr;
    return &m_groups[static_cast<size_t>(group)];
}

HRESULT IDirect3DRMMesh::AddGroup(unsigned vertexCount, unsigned faceCount, unsigned vertsPerFace,
                                  const unsigned* faceData, D3DRMGROUPINDEX* group) {
    if (!group || vertexCount == 0 || (faceCount > 0 && !faceData)) return D3DRMERR_BADVALUE;
    if (vertsPerFace != 0 && vertsPerFace < 3) return D3DRMERR_BADVALUE;
    // First pass: check the list and size it, so the group is stored in one allocation each.
    size_t indexCount = 0;
    const unsigned* p = faceData;
    for (unsigned f = 0; f < faceCount; ++f) {
        const unsigned n = vertsPerFace != 0 ? vertsPerFace : *p++;
        if (n < 3) return D3DRMERR_BADVALUE;
        for (unsigned k = 0; k < n; ++k)
            if (p[k] >= vertexCount) return D3DRMERR_BADVALUE;
        p += n;
        indexCount += n;
    }
    try {
        RMMeshGroup g;
        g.m_faceStart.reserve(size_t{faceCount} + 1);
        g.m_faceStart.push_back(0);
        g.m_indices.reserve(indexCount);
        p = faceData;
        for (unsigned f = 0; f < faceCount; ++f) {
            const unsigned n = vertsPerFace != 0 ? vertsPerFace : *p++;
            g.m_indices.insert(g.m_indices.end(), p, p + n);
            p += n;
            g.m_faceStart.push_back(static_cast<uint32_t>(g.m_indices.size()));
        }
        g.m_vertices.assign(vertexCount, D3DRMVERTEX{});
        m_groups.push_back(std::move(g));
    } catch (const std::bad_alloc&) {
        return D3DRMERR_BADALLOC;
    }
    *group = static_cast<D3DRMGROUPINDEX>(m_groups.size() - 1);
    Touch();
    return S_OK;
}

HRESULT IDirect3DRMMesh::SetVertices(D3DRMGROUPINDEX group, unsigned first, unsigned count,
                                     const D3DRMVERTEX* values) {
    RMMeshGroup* g = FindGroup(group);
    if (!g || (count > 0 && !values)) return D3DRMERR_BADVALUE;
    if (uint64_t{first} + count > g->m_vertices.size()) return D3DRMERR_BADVALUE;
    std::copy_n(values, count, g->m_vertices.begin() + first);
    Touch();
    return S_OK;
}

HRESULT IDirect3DRMMesh::SetGroupColor(D3DRMGROUPINDEX group, D3DCOLOR color) {
    RMMeshGroup* g = FindGroup(group);
    if (!g) return D3DRMERR_BADVALUE;
    g->m_color = color;
    Touch();
    return S_OK;
}

HRESULT IDirect3DRMMesh::SetGroupQuality(D3DRMGROUPINDEX group, D3DRMRENDERQUALITY quality) {
    RMMeshGroup* g = FindGroup(group);
    if (!g) return D3DRMERR_BADVALUE;
    g->m_quality = quality;
    Touch();
    return S_OK;
}

HRESULT IDirect3DRMMesh::SetGroupMaterial(D3DRMGROUPINDEX group, IDirect3DRMMaterial* material) {
    RMMeshGroup* g = FindGroup(group);
    if (!g) return D3DRMERR_BADVALUE;
    if (!material) return D3DRMERR_BADOBJECT;
    material->AddRef(); // before the release: the same material may be set again
    if (g->m_material) g->m_material->Release();
    g->m_material = material;
    Touch();
    return S_OK;
}

HRESULT IDirect3DRMMesh::GetGroupMaterial(D3DRMGROUPINDEX group, IDirect3DRMMaterial** material) {
    if (!material) return D3DRMERR_BADVALUE;
    *material = nullptr;
    RMMeshGroup* g = FindGroup(group);
    if (!g) return D3DRMERR_BADVALUE;
    if (!g->m_material) return D3DRMERR_NOTFOUND;
    g->m_material->AddRef();
    *material = g->m_material;
    return S_OK;
}

unsigned IDirect3DRMMesh::GetGroupCount() {
    return static_cast<unsigned>(m_groups.size());
}

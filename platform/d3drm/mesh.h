// IDirect3DRMMesh: groups of vertices and faces with a colour, a quality and a material each.
#pragma once

#include "platform/d3drm/object.h"

#include <span>
#include <vector>

class IDirect3DRMMaterial;

// One group of a mesh, as the renderer reads it.
class RMMeshGroup {
public:
    std::span<const D3DRMVERTEX> Vertices() const { return m_vertices; }
    size_t FaceCount() const { return m_faceStart.size() - 1; }
    // The vertex indices of face i (3 or more, each below the vertex count), in winding order:
    // clockwise seen from the front.
    std::span<const uint32_t> Face(size_t i) const {
        return std::span<const uint32_t>(m_indices).subspan(m_faceStart[i],
                                                            m_faceStart[i + 1] - m_faceStart[i]);
    }
    // The colour of every face; white until set.
    D3DCOLOR Color() const { return m_color; }
    // D3DRMRENDER_GOURAUD until set.
    D3DRMRENDERQUALITY Quality() const { return m_quality; }
    // Null until set.
    const IDirect3DRMMaterial* Material() const { return m_material; }

private:
    friend class IDirect3DRMMesh;
    std::vector<D3DRMVERTEX> m_vertices;
    std::vector<uint32_t> m_indices;
    std::vector<uint32_t> m_faceStart; // face i is [m_faceStart[i], m_faceStart[i + 1])
    D3DCOLOR m_color = 0xFFFFFFFFu;
    D3DRMRENDERQUALITY m_quality = D3DRMRENDER_GOURAUD;
    IDirect3DRMMaterial* m_material = nullptr; // one reference held
};

class IDirect3DRMMesh : public IDirect3DRMVisual {
public:
    // Adds a group of vertexCount zeroed vertices and faceCount faces. With vertsPerFace 0 each
    // face in faceData is its vertex count followed by its indices; otherwise every face has
    // vertsPerFace indices. Faces need 3 or more vertices and indices below vertexCount.
    virtual HRESULT AddGroup(unsigned vertexCount, unsigned faceCount, unsigned vertsPerFace,
                             const unsigned* faceData, D3DRMGROUPINDEX* group);
    // Replaces count vertices of the group from index first on.
    virtual HRESULT SetVertices(D3DRMGROUPINDEX group, unsigned first, unsigned count,
                                const D3DRMVERTEX* values);
    virtual HRESULT SetGroupColor(D3DRMGROUPINDEX group, D3DCOLOR color);
    virtual HRESULT SetGroupQuality(D3DRMGROUPINDEX group, D3DRMRENDERQUALITY quality);
    // The group takes a reference of its own; a null material is refused.
    virtual HRESULT SetGroupMaterial(D3DRMGROUPINDEX group, IDirect3DRMMaterial* material);
    // Hands out the group's material with a reference the caller releases; fails when the
    // group has none.
    virtual HRESULT GetGroupMaterial(D3DRMGROUPINDEX group, IDirect3DRMMaterial** material);
    virtual unsigned GetGroupCount();

    // Scene access for the renderer. Vertex positions and normals are in the coordinates of the
    // frame the mesh is added to.
    const IDirect3DRMMesh* AsMesh() const override { return this; }
    size_t GroupCount() const { return m_groups.size(); }
    const RMMeshGroup& Group(size_t i) const { return m_groups[i]; }

    static long LiveCount() { return RMLiveCounter<IDirect3DRMMesh>::Count(); }

protected:
    friend class IDirect3DRM;
    IDirect3DRMMesh() = default;
    ~IDirect3DRMMesh() override;

private:
    RMMeshGroup* FindGroup(D3DRMGROUPINDEX group);

    RMLiveCounter<IDirect3DRMMesh> m_live;
    std::vector<RMMeshGroup> m_groups;
};

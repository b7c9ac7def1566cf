// CRMMesh: owns one retained-mode mesh.
#pragma once

#include "platform/afx/object.h"
#include "platform/d3drm/d3drm.h"

class CRMMesh : public CObject {
public:
    CRMMesh() = default;
    ~CRMMesh() override;

    // status holds the platform's result code. Refused while a mesh is held.
    BOOL Create(IDirect3DRM* rm);
    BOOL AddGroup(unsigned vertexCount, unsigned faceCount, unsigned vertsPerFace,
                  const unsigned* faceData, D3DRMGROUPINDEX* group);
    BOOL SetVertices(D3DRMGROUPINDEX group, unsigned first, unsigned count,
                     const D3DRMVERTEX* values);
    BOOL SetGroupColor(D3DRMGROUPINDEX group, D3DCOLOR color);
    BOOL SetGroupQuality(D3DRMGROUPINDEX group, D3DRMRENDERQUALITY quality);
    BOOL SetGroupMaterial(D3DRMGROUPINDEX group, IDirect3DRMMaterial* material);
    // The material comes with a reference the caller releases.
    BOOL GetGroupMaterial(D3DRMGROUPINDEX group, IDirect3DRMMaterial** material);
    IDirect3DRMMesh* GetMesh() const { return m_pMesh; }

private:
    BOOL Result(HRESULT hr);
    BOOL NoMesh();

    IDirect3DRMMesh* m_pMesh = nullptr;

public:
    int32_t status = 0;
};

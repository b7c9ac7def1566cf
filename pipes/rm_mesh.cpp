#include "pipes/rm_mesh.h"

CRMMesh::~CRMMesh() {
    if (m_pMesh) {
        m_pMesh->Release();
        m_pMesh = nullptr;
    }
}

BOOL CRMMesh::Result(HRESULT hr) {
    status = hr == S_OK ? 0 : 1;
    return hr == S_OK;
}

BOOL CRMMesh::NoMesh() {
    status = 0;
    return FALSE;
}

BOOL CRMMesh::Create(IDirect3DRM* rm) {
    if (!rm) return NoMesh();
    if (m_pMesh) return FALSE; // a second mesh would lose the first one's reference
    status = rm->CreateMesh(&m_pMesh);
    return status == S_OK;
}

BOOL CRMMesh::AddGroup(unsigned vertexCount, unsigned faceCount, unsigned vertsPerFace,
                       const unsigned* faceData, D3DRMGROUPINDEX* group) {
    if (!m_pMesh) return NoMesh();
    return Result(m_pMesh->AddGroup(vertexCount, faceCount, vertsPerFace, faceData, group));
}

BOOL CRMMesh::SetVertices(D3DRMGROUPINDEX group, unsigned first, unsigned count,
                          const D3DRMVERTEX* values) {
    if (!m_pMesh) return NoMesh();
    return Result(m_pMesh->SetVertices(group, first, count, values));
}

BOOL CRMMesh::SetGroupColor(D3DRMGROUPINDEX group, D3DCOLOR color) {
    if (!m_pMesh) return NoMesh();
    return Result(m_pMesh->SetGroupColor(group, color));
}

BOOL CRMMesh::SetGroupQuality(D3DRMGROUPINDEX group, D3DRMRENDERQUALITY quality) {
    if (!m_pMesh) return NoMesh();
    return Result(m_pMesh->SetGroupQuality(group, quality));
}

BOOL CRMMesh::SetGroupMaterial(D3DRMGROUPINDEX group, IDirect3DRMMaterial* material) {
    if (!m_pMesh) return NoMesh();
    return Result(m_pMesh->SetGroupMaterial(group, material));
}

BOOL CRMMesh::GetGroupMaterial(D3DRMGROUPINDEX group, IDirect3DRMMaterial** material) {
    if (!m_pMesh) return NoMesh();
    return Result(m_pMesh->GetGroupMaterial(group, material));
}

// CCylinderMesh: a straight closed cylinder, the straight piece of a pipe.
#pragma once

#include "pipes/piece_params.h"
#include "pipes/tube_mesh.h"

class CCylinderMesh : public CTubeMesh {
public:
    CCylinderMesh() = default;

    void SetParams(const CYLINDERPARAMS* params);
    // Builds the cylinder with three rings (two rims and the end centre) of `sides` vertices.
    BOOL Create(IDirect3DRM* rm, int sides);

protected:
    void MakeVertex(int i, int j, D3DRMVERTEX* out) override;

private:
    D3DVALUE m_fLength = 0.0f;
    D3DVALUE m_fRadius = 0.0f;
    D3DVECTOR m_vCentre{};
    D3DVALUE m_fRotX = 0.0f, m_fRotY = 0.0f, m_fRotZ = 0.0f;
    int m_nSides = 0;
};

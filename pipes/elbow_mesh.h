// CElbowMesh: a closed bent tube, the elbow between two straight pieces of a pipe.
#pragma once

#include "pipes/piece_params.h"
#include "pipes/tube_mesh.h"

class CElbowMesh : public CTubeMesh {
public:
    CElbowMesh() = default;

    void SetParams(const ELBOWPARAMS* params);
    // Builds the elbow with `rings` rings; it needs at least 3, as the rings between the two
    // end rings are spaced sweep ÷ (rings - 2) apart.
    BOOL Create(IDirect3DRM* rm, int sides, int rings);

protected:
    void MakeVertex(int i, int j, D3DRMVERTEX* out) override;

private:
    D3DVALUE m_fArcLength = 0.0f;
    D3DVALUE m_fRadius = 0.0f;
    D3DVALUE m_fSweep = 0.0f;
    D3DVECTOR m_vPosition{};
    D3DVALUE m_fRotX = 0.0f, m_fRotY = 0.0f, m_fRotZ = 0.0f;
    int m_nSides = 0;
    int m_nRings = 0;
};

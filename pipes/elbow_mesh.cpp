#include "pipes/elbow_mesh.h"

#include "pipes/tube_angle.h"

#include <cmath>

void CElbowMesh::SetParams(const ELBOWPARAMS* params) {
    m_fRadius = params->fRadius;
    m_fArcLength = params->fArcLength;
    m_fSweep = params->fSweep;
    m_vPosition = {params->x, params->y, params->z};
    m_color = params->color;
    m_fRotX = params->fRotX;
    m_fRotY = params->fRotY;
    m_fRotZ = params->fRotZ;
    m_bReady = TRUE;
}

BOOL CElbowMesh::Create(IDirect3DRM* rm, int sides, int rings) {
    if (!m_bReady || rings < 3) return FALSE;
    m_nSides = sides;
    m_nRings = rings;
    return Build(rm, rings, sides);
}

// Local coordinates: the centre line is the arc of radius R = S ÷ Θ around (R, 0, 0) in the
// plane z = 0, through the origin at bend angle 0; the start end lies at +Θ/2, the end at -Θ/2.
void CElbowMesh::MakeVertex(int i, int j, D3DRMVERTEX* out) {
    if (!out || i < 0 || j < 0) return;
    const D3DVALUE bendRadius = m_fArcLength / m_fSweep;
    D3DVALUE x = 0.0f, z = 0.0f, nx = 0.0f, nz = 0.0f;
    D3DVALUE alpha;
    if (i == 0 || i == m_nRings) {
        alpha = m_fSweep * (i == 0 ? 0.5f : -0.5f);
        out->tu = out->tv = 2.0f; // the end centres carry a zero normal
    } else {
        const double phi = TubeColumnAngle(j, m_nSides);
        x = static_cast<D3DVALUE>(m_fRadius * std::cos(phi));
        z = static_cast<D3DVALUE>(m_fRadius * std::sin(phi));
        nx = static_cast<D3DVALUE>(std::cos(phi));
        nz = static_cast<D3DVALUE>(std::sin(phi));
        const double along = double(i - 1) / (m_nRings - 2);
        out->tu = static_cast<D3DVALUE>(j) / static_cast<D3DVALUE>(m_nSides);
        out->tv = static_cast<D3DVALUE>(1.0 - along);
        alpha = static_cast<D3DVALUE>((0.5 - along) * m_fSweep);
    }
    const double c = std::cos(double{alpha}), s = std::sin(double{alpha});
    D3DVECTOR pos{static_cast<D3DVALUE>(bendRadius * (1.0 - c) + x * c),
                  static_cast<D3DVALUE>(bendRadius * s - x * s), z};
    D3DVECTOR normal{static_cast<D3DVALUE>(nx * c), static_cast<D3DVALUE>(-nx * s), nz};
    RotateXYZ(&pos, m_fRotX, m_fRotY, m_fRotZ);
    RotateXYZ(&normal, m_fRotX, m_fRotY, m_fRotZ);
    D3DRMVectorAdd(&out->position, &pos, &m_vPosition);
    out->normal = normal;
    out->color = m_color;
}

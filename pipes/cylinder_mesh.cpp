#include "pipes/cylinder_mesh.h"

#include "pipes/tube_angle.h"

#include <cmath>

void CCylinderMesh::SetParams(const CYLINDERPARAMS* params) {
    m_fRadius = params->fRadius;
    m_fLength = params->fLength;
    m_vCentre = {params->x, params->y, params->z};
    m_color = params->color;
    m_fRotX = params->fRotX;
    m_fRotY = params->fRotY;
    m_fRotZ = params->fRotZ;
    m_bReady = TRUE;
}

BOOL CCylinderMesh::Create(IDirect3DRM* rm, int sides) {
    if (!m_bReady) return FALSE;
    m_nSides = sides;
    return Build(rm, 3, sides);
}

// Local coordinates: axis along y, middle at the origin, ring 1 and the start centre at +L/2.
// The end centre is recognised as index 3, which is why the cylinder is built with three rings.
void CCylinderMesh::MakeVertex(int i, int j, D3DRMVERTEX* out) {
    if (!out || i < 0 || j < 0) return;
    D3DVECTOR pos, normal;
    if (i == 0 || i == 3) {
        const D3DVALUE end = i == 0 ? 0.5f : -0.5f;
        pos = {0.0f, m_fLength * end, 0.0f};
        normal = {0.0f, i == 0 ? 1.0f : -1.0f, 0.0f};
        out->tu = out->tv = 2.0f;
    } else {
        const double phi = TubeColumnAngle(j, m_nSides);
        const double c = std::cos(phi), s = std::sin(phi);
        pos = {static_cast<D3DVALUE>(m_fRadius * c), m_fLength * (i == 1 ? 0.5f : -0.5f),
               static_cast<D3DVALUE>(m_fRadius * s)};
        normal = {static_cast<D3DVALUE>(c), 0.0f, static_cast<D3DVALUE>(s)};
        out->tu = static_cast<D3DVALUE>(j) / static_cast<D3DVALUE>(m_nSides);
        out->tv = i == 1 ? 1.0f : 0.0f;
    }
    RotateXYZ(&pos, m_fRotX, m_fRotY, m_fRotZ);
    RotateXYZ(&normal, m_fRotX, m_fRotY, m_fRotZ);
    D3DRMVectorAdd(&out->position, &pos, &m_vCentre);
    out->normal = normal;
    out->color = m_color;
}

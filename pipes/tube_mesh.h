// CTubeMesh: a mesh of one group laid out as a closed tube: a centre vertex at each end, rings
// of vertices between, triangle fans at the ends and quadrilaterals between the rings. The
// pieces derived from it supply the vertices.
#pragma once

#include "pipes/rm_mesh.h"

class CTubeMesh : public CRMMesh {
public:
    // The group operations; each fails while no group has been added.
    BOOL GetMaterial(IDirect3DRMMaterial** material);
    BOOL SetColor(D3DCOLOR color);
    BOOL SetMaterial(IDirect3DRMMaterial* material);
    BOOL SetQuality(D3DRMRENDERQUALITY quality);
    BOOL SetVertices(unsigned first, unsigned count, const D3DRMVERTEX* values);

    // Adds the group with (rings - 1) × sides + 2 vertices and rings × sides faces.
    BOOL CreateGroup(int rings, int sides);
    // Creates the mesh and fills it: group, vertices, colour, a material of its own and
    // Gouraud quality. Refused until the piece has its parameters.
    BOOL Build(IDirect3DRM* rm, int rings, int sides);

protected:
    CTubeMesh() = default;
    // Vertex j of ring i; ring 0 is the start centre, ring `rings` the end centre.
    virtual void MakeVertex(int i, int j, D3DRMVERTEX* out) = 0;

    D3DCOLOR m_color = 0;
    BOOL m_bReady = FALSE;

private:
    D3DRMGROUPINDEX m_group = -1;
};

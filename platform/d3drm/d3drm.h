// The retained-mode 3D layer: IUnknown, IDirect3DRMObject, IDirect3DRMVisual, IDirect3DRMFrame,
// IDirect3DRMLight, IDirect3DRMMaterial, IDirect3DRMMesh, IDirect3DRM and Direct3DRMCreate.
//
// Every operation returns 0 on success and a nonzero D3DRMERR_ code on failure. Objects are
// reference counted. Besides the platform operations, each class offers const accessors by which
// a renderer walks the scene: frames with their world transforms, children, lights and visuals;
// mesh groups with vertices, faces, colour, quality and material; light and material parameters;
// and a revision stamp per object that tells what changed since a given moment.
#pragma once

#include "platform/d3drm/root.h"

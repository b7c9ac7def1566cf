// Rigid transforms of frames.
#pragma once

#include "platform/base/d3drmtypes.h"

// A transform of row vectors in the layer's left-handed coordinates: a point p maps to p × M.
// Rows 0..2 are the images of the x (right), y (up) and z (forward) unit axes, row 3 is the
// translation; column 3 is (0, 0, 0, 1). Frames only ever hold rotations and translations.
struct RMTransform {
    D3DVALUE m[4][4];

    static RMTransform Identity();
    // The transform that applies this one first and then `then`.
    RMTransform Then(const RMTransform& then) const;
    // The inverse, valid because the rotation part is orthonormal.
    RMTransform InverseRigid() const;

    D3DVECTOR Axis(int row) const { return {m[row][0], m[row][1], m[row][2]}; }
    D3DVECTOR Origin() const { return Axis(3); }
    void SetAxis(int row, const D3DVECTOR& v);

    D3DVECTOR ApplyToPoint(const D3DVECTOR& p) const;
    D3DVECTOR ApplyToDirection(const D3DVECTOR& v) const;
};

// Rotations of vectors about the coordinate axes, in place; angles in radians.
#pragma once

#include "platform/base/d3drmtypes.h"

// The pipes take π as 3.14159; these are the angles they use, as single-precision values.
constexpr D3DVALUE kPipePi = 3.14159f;
constexpr D3DVALUE kRightAngle = 1.570795f;
constexpr D3DVALUE kHalfRightAngle = 0.7853975f;
constexpr D3DVALUE kThreeHalfRightAngles = 2.3561926f;

void RotateX(D3DVECTOR* v, D3DVALUE angle);
void RotateY(D3DVECTOR* v, D3DVALUE angle);
void RotateZ(D3DVECTOR* v, D3DVALUE angle);
// About X, then Y, then Z; a zero angle is skipped.
void RotateXYZ(D3DVECTOR* v, D3DVALUE x, D3DVALUE y, D3DVALUE z);

// The records the pipe walker hands to the two kinds of piece. Rotations are stored in the
// order X, Z, Y; the pieces apply them about X, then Y, then Z.
#pragma once

#include "platform/base/d3drmtypes.h"

struct ELBOWPARAMS {
    D3DVALUE fRadius;    // of the tube
    D3DVALUE fArcLength; // of the centre line
    D3DVALUE fSweep;     // angle of the bend
    D3DVALUE x, y, z;    // where the elbow's own origin goes in the pipe frame
    D3DCOLOR color;
    D3DVALUE fRotX, fRotZ, fRotY;
};
static_assert(sizeof(ELBOWPARAMS) == 40);

struct CYLINDERPARAMS {
    D3DVALUE fRadius;
    D3DVALUE fLength;
    D3DVALUE x, y, z; // centre
    D3DCOLOR color;
    D3DVALUE fRotX, fRotZ, fRotY;
};
static_assert(sizeof(CYLINDERPARAMS) == 36);

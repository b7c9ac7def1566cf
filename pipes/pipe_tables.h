// The fixed rotations of the pipe walker.
#pragma once

#include "platform/base/d3drmtypes.h"

// Direction codes: 0 +x, 1 +y, 2 +z, 3 -x, 4 -y, 5 -z.
constexpr int kDirections = 6;
inline int OppositeDirection(int d) {
    return d <= 2 ? d + 3 : d - 3;
}

struct DIRROTATION {
    D3DVALUE x, y, z;
};
// Row d turns (0, 1, 0) into direction d.
extern const DIRROTATION g_dirRotation[kDirections];

struct ELBOWROTATION {
    int lo, hi; // the two perpendicular direction codes the elbow joins, lo < hi
    D3DVALUE x, y, z;
};
constexpr int kElbowRows = 12;
// Orients the standard elbow to join the two directions of its row.
extern const ELBOWROTATION g_elbowRotation[kElbowRows];

// The row joining directions lo < hi; null when they are opposite or equal.
const ELBOWROTATION* FindElbowRotation(int lo, int hi);

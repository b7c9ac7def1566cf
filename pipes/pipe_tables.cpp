#include "pipes/pipe_tables.h"

#include "pipes/rotate.h"

const DIRROTATION g_dirRotation[kDirections] = {
    {0.0f, 0.0f, -kRightAngle}, // +x
    {0.0f, 0.0f, 0.0f},         // +y
    {kRightAngle, 0.0f, 0.0f},  // +z
    {0.0f, 0.0f, kRightAngle},  // -x
    {kPipePi, 0.0f, 0.0f},      // -y
    {-kRightAngle, 0.0f, 0.0f}, // -z
};

const ELBOWROTATION g_elbowRotation[kElbowRows] = {
    {0, 1, kPipePi, 0.0f, kHalfRightAngle},
    {0, 2, -kRightAngle, -kHalfRightAngle, 0.0f},
    {0, 4, 0.0f, 0.0f, -kHalfRightAngle},
    {0, 5, kRightAngle, kHalfRightAngle, 0.0f},
    {1, 2, -kRightAngle, -kHalfRightAngle, kRightAngle},
    {1, 3, kPipePi, 0.0f, kThreeHalfRightAngles},
    {1, 5, kRightAngle, kHalfRightAngle, kRightAngle},
    {2, 3, -kRightAngle, -kThreeHalfRightAngles, 0.0f},
    {2, 4, kRightAngle, -kHalfRightAngle, -kRightAngle},
    {3, 4, kPipePi, 0.0f, -kThreeHalfRightAngles},
    {3, 5, -kRightAngle, kThreeHalfRightAngles, 0.0f},
    {4, 5, kRightAngle, kHalfRightAngle, -kRightAngle},
};

const ELBOWROTATION* FindElbowRotation(int lo, int hi) {
    for (const ELBOWROTATION& row : g_elbowRotation)
        if (row.lo == lo && row.hi == hi) return &row;
    return nullptr;
}

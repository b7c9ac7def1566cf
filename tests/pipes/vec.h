// Small vector helpers for the pipe tests.
#pragma once

#include "platform/base/d3drmtypes.h"

#include <cmath>
#include <gtest/gtest.h>

inline D3DVECTOR operator+(D3DVECTOR a, D3DVECTOR b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline D3DVECTOR operator-(D3DVECTOR a, D3DVECTOR b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline D3DVECTOR operator*(float s, D3DVECTOR a) {
    return {s * a.x, s * a.y, s * a.z};
}
inline float Dot(D3DVECTOR a, D3DVECTOR b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline float Length(D3DVECTOR a) {
    return std::sqrt(Dot(a, a));
}
inline D3DVECTOR Cross(D3DVECTOR a, D3DVECTOR b) {
    D3DVECTOR d;
    D3DRMVectorCrossProduct(&d, &a, &b);
    return d;
}

// The unit vector of a direction code: 0 +x, 1 +y, 2 +z, 3 -x, 4 -y, 5 -z.
inline D3DVECTOR AxisOf(int dir) {
    const float s = dir < 3 ? 1.0f : -1.0f;
    switch (dir % 3) {
    case 0:
        return {s, 0, 0};
    case 1:
        return {0, s, 0};
    default:
        return {0, 0, s};
    }
}

// Each component within tol.
inline ::testing::AssertionResult Near(D3DVECTOR a, D3DVECTOR b, float tol) {
    if (std::fabs(a.x - b.x) <= tol && std::fabs(a.y - b.y) <= tol && std::fabs(a.z - b.z) <= tol)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << a.x << ", " << a.y << ", " << a.z << ") vs ("
                                         << b.x << ", " << b.y << ", " << b.z << ")";
}

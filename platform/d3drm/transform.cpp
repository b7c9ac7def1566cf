#include "platform/d3drm/transform.h"

RMTransform RMTransform::Identity() {
    RMTransform t{};
    for (int i = 0; i < 4; ++i)
        t.m[i][i] = 1.0f;
    return t;
}

RMTransform RMTransform::Then(const RMTransform& then) const {
    RMTransform r{};
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k)
                sum += double(m[i][k]) * then.m[k][j];
            r.m[i][j] = static_cast<D3DVALUE>(sum);
        }
    return r;
}

RMTransform RMTransform::InverseRigid() const {
    RMTransform r = Identity();
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            r.m[i][j] = m[j][i];
    for (int j = 0; j < 3; ++j)
        r.m[3][j] = -(m[3][0] * r.m[0][j] + m[3][1] * r.m[1][j] + m[3][2] * r.m[2][j]);
    return r;
}

void RMTransform::SetAxis(int row, const D3DVECTOR& v) {
    m[row][0] = v.x;
    m[row][1] = v.y;
    m[row][2] = v.z;
}

D3DVECTOR RMTransform::ApplyToDirection(const D3DVECTOR& v) const {
    return {v.x * m[0][0] + v.y * m[1][0] + v.z * m[2][0],
            v.x * m[0][1] + v.y * m[1][1] + v.z * m[2][1],
            v.x * m[0][2] + v.y * m[1][2] + v.z * m[2][2]};
}

D3DVECTOR RMTransform::ApplyToPoint(const D3DVECTOR& p) const {
    D3DVECTOR d = ApplyToDirection(p);
    return {d.x + m[3][0], d.y + m[3][1], d.z + m[3][2]};
}

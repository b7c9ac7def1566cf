#include "platform/base/d3drmtypes.h"

#include <cmath>

namespace {
DWORD ChannelByte(D3DVALUE c) {
    if (!(c > 0.0f)) return 0; // also catches NaN
    if (c >= 1.0f) return 255;
    return static_cast<DWORD>(c * 255.0f);
}
} // namespace

D3DCOLOR D3DRMCreateColorRGBA(D3DVALUE red, D3DVALUE green, D3DVALUE blue, D3DVALUE alpha) {
    return (ChannelByte(alpha) << 24) | (ChannelByte(red) << 16) | (ChannelByte(green) << 8) |
           ChannelByte(blue);
}

D3DCOLOR D3DRMCreateColorRGB(D3DVALUE red, D3DVALUE green, D3DVALUE blue) {
    return D3DRMCreateColorRGBA(red, green, blue, 1.0f);
}

D3DVALUE D3DRMColorGetRed(D3DCOLOR c) { return static_cast<D3DVALUE>((c >> 16) & 0xFF) / 255.0f; }
D3DVALUE D3DRMColorGetGreen(D3DCOLOR c) { return static_cast<D3DVALUE>((c >> 8) & 0xFF) / 255.0f; }
D3DVALUE D3DRMColorGetBlue(D3DCOLOR c) { return static_cast<D3DVALUE>(c & 0xFF) / 255.0f; }

D3DVECTOR* D3DRMVectorAdd(D3DVECTOR* d, const D3DVECTOR* a, const D3DVECTOR* b) {
    *d = {a->x + b->x, a->y + b->y, a->z + b->z};
    return d;
}

D3DVECTOR* D3DRMVectorSubtract(D3DVECTOR* d, const D3DVECTOR* a, const D3DVECTOR* b) {
    *d = {a->x - b->x, a->y - b->y, a->z - b->z};
    return d;
}

D3DVECTOR* D3DRMVectorCrossProduct(D3DVECTOR* d, const D3DVECTOR* a, const D3DVECTOR* b) {
    *d = {a->y * b->z - a->z * b->y, a->z * b->x - a->x * b->z, a->x * b->y - a->y * b->x};
    return d;
}

D3DVALUE D3DRMVectorDotProduct(const D3DVECTOR* a, const D3DVECTOR* b) {
    return a->x * b->x + a->y * b->y + a->z * b->z;
}

D3DVALUE D3DRMVectorModulus(const D3DVECTOR* v) { return std::sqrt(D3DRMVectorDotProduct(v, v)); }

D3DVECTOR* D3DRMVectorNormalize(D3DVECTOR* v) {
    D3DVALUE len = D3DRMVectorModulus(v);
    if (len > 0.0f) *v = {v->x / len, v->y / len, v->z / len};
    return v;
}

D3DVECTOR* D3DRMVectorScale(D3DVECTOR* d, const D3DVECTOR* s, D3DVALUE factor) {
    *d = {s->x * factor, s->y * factor, s->z * factor};
    return d;
}

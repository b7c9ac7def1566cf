#include "pipes/rotate.h"

#include <cmath>

// Sines, cosines and products in double precision; the results are stored as floats.

void RotateX(D3DVECTOR* v, D3DVALUE angle) {
    const double c = std::cos(double{angle}), s = std::sin(double{angle});
    const double y = v->y, z = v->z;
    v->y = static_cast<D3DVALUE>(y * c - z * s);
    v->z = static_cast<D3DVALUE>(y * s + z * c);
}

void RotateY(D3DVECTOR* v, D3DVALUE angle) {
    const double c = std::cos(double{angle}), s = std::sin(double{angle});
    const double x = v->x, z = v->z;
    v->x = static_cast<D3DVALUE>(x * c + z * s);
    v->z = static_cast<D3DVALUE>(z * c - x * s);
}

void RotateZ(D3DVECTOR* v, D3DVALUE angle) {
    const double c = std::cos(double{angle}), s = std::sin(double{angle});
    const double x = v->x, y = v->y;
    v->x = static_cast<D3DVALUE>(x * c - y * s);
    v->y = static_cast<D3DVALUE>(x * s + y * c);
}

void RotateXYZ(D3DVECTOR* v, D3DVALUE x, D3DVALUE y, D3DVALUE z) {
    if (x != 0.0f) RotateX(v, x);
    if (y != 0.0f) RotateY(v, y);
    if (z != 0.0f) RotateZ(v, z);
}

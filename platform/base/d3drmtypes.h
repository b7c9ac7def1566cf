// Value types and constants of the retained-mode 3D layer.
#pragma once

#include "platform/base/wintypes.h"

using D3DVALUE = float;
using D3DCOLOR = DWORD; // packed ARGB
using D3DRMGROUPINDEX = LONG;

struct D3DVECTOR {
    D3DVALUE x, y, z;
};

struct D3DRMVERTEX {
    D3DVECTOR position;
    D3DVECTOR normal;
    D3DVALUE tu, tv;
    D3DCOLOR color;
};
static_assert(sizeof(D3DRMVERTEX) == 36, "D3DRMVERTEX is a 36-byte record");

enum D3DRMLIGHTTYPE : int32_t {
    D3DRMLIGHT_AMBIENT = 0,
    D3DRMLIGHT_POINT = 1,
    D3DRMLIGHT_SPOT = 2,
    D3DRMLIGHT_DIRECTIONAL = 3,
    D3DRMLIGHT_PARALLELPOINT = 4,
};

using D3DRMRENDERQUALITY = DWORD;
constexpr D3DRMRENDERQUALITY D3DRMSHADE_FLAT = 0;
constexpr D3DRMRENDERQUALITY D3DRMSHADE_GOURAUD = 1;
constexpr D3DRMRENDERQUALITY D3DRMLIGHT_OFF = 0;
constexpr D3DRMRENDERQUALITY D3DRMLIGHT_ON = 8;
constexpr D3DRMRENDERQUALITY D3DRMFILL_WIREFRAME = 0x40;
constexpr D3DRMRENDERQUALITY D3DRMFILL_SOLID = 0x80;
constexpr D3DRMRENDERQUALITY D3DRMRENDER_GOURAUD = D3DRMSHADE_GOURAUD | D3DRMLIGHT_ON | D3DRMFILL_SOLID;

using D3DCOLORMODEL = DWORD;
constexpr D3DCOLORMODEL D3DCOLOR_MONO = 1;
constexpr D3DCOLORMODEL D3DCOLOR_RGB = 2;

// Render-depth flags of a device description.
constexpr DWORD DDBD_1 = 0x4000;
constexpr DWORD DDBD_2 = 0x2000;
constexpr DWORD DDBD_4 = 0x1000;
constexpr DWORD DDBD_8 = 0x800;
constexpr DWORD DDBD_16 = 0x400;
constexpr DWORD DDBD_24 = 0x200;
constexpr DWORD DDBD_32 = 0x100;

// Generic failure code of the layer; every operation returns 0 on success.
constexpr HRESULT D3DRMERR_BADVALUE = static_cast<HRESULT>(0x88760000u | 781);
constexpr HRESULT D3DRMERR_BADOBJECT = static_cast<HRESULT>(0x88760000u | 782);
constexpr HRESULT D3DRMERR_NOTFOUND = static_cast<HRESULT>(0x88760000u | 785);
constexpr HRESULT D3DRMERR_BADALLOC = static_cast<HRESULT>(0x88760000u | 786);
// A hardware device whose context or surface is gone: it draws nothing more, and its owner
// makes another device.
constexpr HRESULT D3DRMERR_DEVICELOST = static_cast<HRESULT>(0x88760000u | 797);

// Colour packing: channels clamped to 0..1, byte = floor(c × 255).
D3DCOLOR D3DRMCreateColorRGBA(D3DVALUE red, D3DVALUE green, D3DVALUE blue, D3DVALUE alpha);
D3DCOLOR D3DRMCreateColorRGB(D3DVALUE red, D3DVALUE green, D3DVALUE blue);
D3DVALUE D3DRMColorGetRed(D3DCOLOR c);
D3DVALUE D3DRMColorGetGreen(D3DCOLOR c);
D3DVALUE D3DRMColorGetBlue(D3DCOLOR c);

// Vector functions; each returns its output argument.
D3DVECTOR* D3DRMVectorAdd(D3DVECTOR* d, const D3DVECTOR* a, const D3DVECTOR* b);
D3DVECTOR* D3DRMVectorSubtract(D3DVECTOR* d, const D3DVECTOR* a, const D3DVECTOR* b);
D3DVECTOR* D3DRMVectorCrossProduct(D3DVECTOR* d, const D3DVECTOR* a, const D3DVECTOR* b);
D3DVALUE D3DRMVectorDotProduct(const D3DVECTOR* a, const D3DVECTOR* b);
D3DVALUE D3DRMVectorModulus(const D3DVECTOR* v);
// Scales v to length 1 in place; a zero vector is left as it is. Returns v.
D3DVECTOR* D3DRMVectorNormalize(D3DVECTOR* v);
D3DVECTOR* D3DRMVectorScale(D3DVECTOR* d, const D3DVECTOR* s, D3DVALUE factor);

// Unclamped real colour of lights and materials.
#pragma once

#include "platform/base/d3drmtypes.h"

struct RMColorRGB {
    D3DVALUE r, g, b;
};

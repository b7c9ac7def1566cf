// Unclamped real colour of lights and materials.
#pragma once

#include "platform/d3drm/d3drmtypes.h"

struct RMColorRGB {
    D3DVALUE r, g, b;
};

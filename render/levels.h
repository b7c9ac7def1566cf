// Conversion of integer levels 0..255 into colour channels.
#pragma once

#include "platform/base/d3drmtypes.h"

// 1/255 as a single-precision constant: 255 times it is exactly 1.0.
constexpr D3DVALUE kLevelToChannel = 0.003921569f;

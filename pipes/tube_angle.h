// Shared by the pieces: where column j of a ring lies around the tube.
#pragma once

#include "pipes/rotate.h"

inline D3DVALUE TubeColumnAngle(int j, int sides) {
    return static_cast<D3DVALUE>(2.0 * j / sides * double{kPipePi});
}

// Display settings over the X Resize and Rotate extension (1.2 or later): the modes of the
// primary output, a switch of its CRTC with the screen resized to fit, and the way back.
//
// The backend opens its own connection to $DISPLAY on first use and keeps it while it is
// installed. Without a display the mode list is empty, the current mode unknown, the depth
// 0 and every switch fails; with a display but without the extension the current mode is the
// screen's size and depth, and nothing can be listed or switched.
#pragma once

#include "platform/display/display_backend.h"

std::unique_ptr<DisplayBackend> MakeXRandRDisplayBackend();

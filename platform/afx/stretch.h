// Nearest-pixel stretch of a palette bitmap into a 0x00RRGGBB image, shared by the backends.
#pragma once

#include "platform/afx/resources.h"

// Fills the destination rectangle (clipped to the image) with the source rectangle of the bitmap.
void StretchPaletteBitmap(const AfxBitmapResource& bitmap, RECT source, RECT dest, uint32_t* image,
                          int imageWidth, int imageHeight);

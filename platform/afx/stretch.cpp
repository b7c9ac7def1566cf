#include "platform/afx/stretch.h"

#include <algorithm>

void StretchPaletteBitmap(const AfxBitmapResource& bitmap, RECT source, RECT dest, uint32_t* image,
                          int imageWidth, int imageHeight) {
    const int dw = dest.right - dest.left, dh = dest.bottom - dest.top;
    const int sw = source.right - source.left, sh = source.bottom - source.top;
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
    const int x0 = std::max<int>(dest.left, 0), x1 = std::min<int>(dest.right, imageWidth);
    const int y0 = std::max<int>(dest.top, 0), y1 = std::min<int>(dest.bottom, imageHeight);
    for (int y = y0; y < y1; ++y) {
        int sy = source.top + static_cast<int>((static_cast<long long>(y - dest.top) * sh) / dh);
        if (sy < 0 || sy >= bitmap.height) continue;
        const uint8_t* row = bitmap.pixels + static_cast<size_t>(sy) * bitmap.width;
        for (int x = x0; x < x1; ++x) {
            int sx = source.left + static_cast<int>((static_cast<long long>(x - dest.left) * sw) / dw);
            if (sx < 0 || sx >= bitmap.width) continue;
            uint8_t index = row[sx];
            image[static_cast<size_t>(y) * imageWidth + x] =
                index < bitmap.paletteSize ? bitmap.palette[index] & 0xFFFFFF : 0;
        }
    }
}

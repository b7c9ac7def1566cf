#include "res/bmp_image.h"

#include <cstdlib>

namespace {
uint32_t U32(const unsigned char* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }
uint16_t U16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
} // namespace

std::optional<BmpImage> ReadBmp8(const unsigned char* data, size_t size) {
    if (size < 54 || data[0] != 'B' || data[1] != 'M') return std::nullopt;
    const uint32_t offset = U32(data + 10), headerSize = U32(data + 14);
    const auto width = static_cast<int32_t>(U32(data + 18));
    const auto rawHeight = static_cast<int32_t>(U32(data + 22));
    if (headerSize < 40 || U16(data + 26) != 1 || U16(data + 28) != 8 || U32(data + 30) != 0) return std::nullopt;
    if (width <= 0 || width > 16384 || rawHeight == 0 || std::abs(rawHeight) > 16384) return std::nullopt;
    uint32_t colours = U32(data + 46);
    if (colours == 0 || colours > 256) colours = 256;
    const size_t paletteAt = 14 + static_cast<size_t>(headerSize);
    const int height = std::abs(rawHeight);
    const size_t stride = (static_cast<size_t>(width) + 3) & ~size_t{3};
    if (paletteAt + colours * 4 > size || offset > size || stride * height > size - offset) return std::nullopt;

    BmpImage image;
    image.width = width;
    image.height = height;
    for (uint32_t i = 0; i < colours; ++i) image.palette.push_back(U32(data + paletteAt + i * 4) & 0xFFFFFF);
    image.pixels.resize(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        // Positive heights store the bottom row first.
        const int fileRow = rawHeight > 0 ? height - 1 - y : y;
        const unsigned char* row = data + offset + stride * fileRow;
        for (int x = 0; x < width; ++x) {
            uint8_t index = row[x];
            image.pixels[static_cast<size_t>(y) * width + x] = index < colours ? index : 0;
        }
    }
    return image;
}

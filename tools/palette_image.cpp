#include "tools/palette_image.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <limits>
#include <memory>

namespace {

uint32_t Key15(uint32_t rgb) { return ((rgb >> 9) & 0x7C00) | ((rgb >> 6) & 0x3E0) | ((rgb >> 3) & 0x1F); }

// The middle of a 5-bit cell as a full colour.
uint32_t FromKey15(uint32_t key) {
    auto expand = [](uint32_t c5) { return (c5 << 3) | (c5 >> 2); };
    return (expand((key >> 10) & 31) << 16) | (expand((key >> 5) & 31) << 8) | expand(key & 31);
}

int Distance(uint32_t a, uint32_t b) {
    int dr = static_cast<int>((a >> 16) & 0xFF) - static_cast<int>((b >> 16) & 0xFF);
    int dg = static_cast<int>((a >> 8) & 0xFF) - static_cast<int>((b >> 8) & 0xFF);
    int db = static_cast<int>(a & 0xFF) - static_cast<int>(b & 0xFF);
    return dr * dr * 3 + dg * dg * 4 + db * db * 2;
}

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

} // namespace

PaletteImage QuantizeToPalette(const uint32_t* pixels, int width, int height) {
    const size_t count = static_cast<size_t>(width) * height;
    std::vector<uint32_t> histogram(1 << 15, 0);
    for (size_t i = 0; i < count; ++i) ++histogram[Key15(pixels[i])];
    std::vector<uint32_t> keys;
    for (uint32_t k = 0; k < histogram.size(); ++k)
        if (histogram[k]) keys.push_back(k);
    std::stable_sort(keys.begin(), keys.end(),
                     [&](uint32_t a, uint32_t b) { return histogram[a] > histogram[b]; });
    PaletteImage image;
    image.width = width;
    image.height = height;
    image.palette.assign(256, 0);
    const size_t used = std::min<size_t>(keys.size(), 256);
    for (size_t i = 0; i < used; ++i) image.palette[i] = FromKey15(keys[i]);

    std::vector<int> nearest(1 << 15, -1);
    image.pixels.resize(count);
    for (size_t i = 0; i < count; ++i) {
        uint32_t key = Key15(pixels[i]);
        if (nearest[key] < 0) {
            int best = 0, bestDistance = std::numeric_limits<int>::max();
            for (size_t p = 0; p < std::max<size_t>(used, 1); ++p) {
                int d = Distance(FromKey15(key), image.palette[p]);
                if (d < bestDistance) best = static_cast<int>(p), bestDistance = d;
            }
            nearest[key] = best;
        }
        image.pixels[i] = static_cast<uint8_t>(nearest[key]);
    }
    return image;
}

std::vector<uint32_t> Crop(const uint32_t* pixels, int width, int x, int y, int cropWidth, int cropHeight) {
    std::vector<uint32_t> out;
    out.reserve(static_cast<size_t>(cropWidth) * cropHeight);
    for (int row = y; row < y + cropHeight; ++row) {
        const uint32_t* from = pixels + static_cast<size_t>(row) * width + x;
        out.insert(out.end(), from, from + cropWidth);
    }
    return out;
}

std::vector<uint32_t> Downscale(const uint32_t* pixels, int width, int height, int toWidth, int toHeight) {
    std::vector<uint32_t> out(static_cast<size_t>(toWidth) * toHeight);
    for (int y = 0; y < toHeight; ++y) {
        for (int x = 0; x < toWidth; ++x) {
            int x0 = x * width / toWidth, x1 = std::max(x0 + 1, (x + 1) * width / toWidth);
            int y0 = y * height / toHeight, y1 = std::max(y0 + 1, (y + 1) * height / toHeight);
            std::array<uint64_t, 3> sum{};
            for (int sy = y0; sy < y1; ++sy)
                for (int sx = x0; sx < x1; ++sx)
                    for (int c = 0; c < 3; ++c)
                        sum[c] += (pixels[static_cast<size_t>(sy) * width + sx] >> (16 - 8 * c)) & 0xFF;
            uint64_t n = static_cast<uint64_t>(x1 - x0) * (y1 - y0);
            out[static_cast<size_t>(y) * toWidth + x] =
                static_cast<uint32_t>((sum[0] / n) << 16 | (sum[1] / n) << 8 | sum[2] / n);
        }
    }
    return out;
}

bool WriteBmp8(const std::string& path, const PaletteImage& image) {
    const uint32_t stride = (static_cast<uint32_t>(image.width) + 3) & ~3u;
    const uint32_t dataOffset = 14 + 40 + 256 * 4;
    const uint32_t dataSize = stride * static_cast<uint32_t>(image.height);
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, dataOffset + dataSize);
    Put32(out, 0);
    Put32(out, dataOffset);
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(image.width));
    Put32(out, static_cast<uint32_t>(image.height)); // positive: rows bottom to top
    Put16(out, 1);
    Put16(out, 8);
    Put32(out, 0); // no compression
    Put32(out, dataSize);
    Put32(out, 2835); // 72 dpi
    Put32(out, 2835);
    Put32(out, 256);
    Put32(out, 0);
    for (uint32_t c : image.palette) Put32(out, c & 0xFFFFFF); // blue, green, red, 0
    for (int y = image.height - 1; y >= 0; --y) {
        const uint8_t* row = image.pixels.data() + static_cast<size_t>(y) * image.width;
        out.insert(out.end(), row, row + image.width);
        out.insert(out.end(), stride - static_cast<uint32_t>(image.width), 0);
    }
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "wb"), std::fclose);
    return file && std::fwrite(out.data(), 1, out.size(), file.get()) == out.size() &&
           std::fflush(file.get()) == 0;
}

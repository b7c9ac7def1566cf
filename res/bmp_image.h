// Reads an 8-bit palette BMP file held in memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

struct BmpImage {
    int width = 0, height = 0;
    std::vector<uint8_t> pixels;   // rows top to bottom
    std::vector<uint32_t> palette; // 0x00RRGGBB
};

// Null unless the bytes are an uncompressed 8-bit BMP whose pixels all lie inside the file.
std::optional<BmpImage> ReadBmp8(const unsigned char* data, size_t size);

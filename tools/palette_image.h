// Turns a true-colour frame into an 8-bit palette picture and saves it as a BMP file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct PaletteImage {
    int width = 0, height = 0;
    std::vector<uint8_t> pixels;   // rows top to bottom
    std::vector<uint32_t> palette; // 256 entries of 0x00RRGGBB
};

// The 256 most frequent colours (at 5 bits a channel), each pixel mapped to the nearest one.
PaletteImage QuantizeToPalette(const uint32_t* pixels, int width, int height);
// The pixels of a rectangle of a picture `width` pixels wide.
std::vector<uint32_t> Crop(const uint32_t* pixels, int width, int x, int y, int cropWidth, int cropHeight);
// A box-filtered copy of the picture at another size.
std::vector<uint32_t> Downscale(const uint32_t* pixels, int width, int height, int toWidth, int toHeight);
bool WriteBmp8(const std::string& path, const PaletteImage& image);

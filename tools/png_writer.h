// Writes 0x00RRGGBB pixels as an 8-bit RGB PNG file.
#pragma once

#include <cstdint>
#include <string>

bool WritePng(const std::string& path, const uint32_t* pixels, int width, int height);

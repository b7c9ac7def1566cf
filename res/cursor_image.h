// The pixels of cursor 131.
#pragma once

#include <array>
#include <cstdint>

constexpr int kCursorSize = 16;
std::array<uint32_t, kCursorSize * kCursorSize> CursorPixels();

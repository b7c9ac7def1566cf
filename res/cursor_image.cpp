#include "res/cursor_image.h"

#include <cstring>

namespace {
// The saver's pointer: a plain arrow. 'X' black, '.' white, ' ' transparent.
constexpr const char* kArrow[kCursorSize] = {
    "X               ", "XX              ", "X.X             ", "X..X            ",
    "X...X           ", "X....X          ", "X.....X         ", "X......X        ",
    "X.......X       ", "X........X      ", "X.....XXXXX     ", "X..X..X         ",
    "X.X X..X        ", "XX  X..X        ", "X    X..X       ", "      XX        ",
};
} // namespace

std::array<uint32_t, kCursorSize * kCursorSize> CursorPixels() {
    std::array<uint32_t, kCursorSize * kCursorSize> pixels{};
    for (int y = 0; y < kCursorSize; ++y)
        for (int x = 0; x < kCursorSize; ++x) {
            char c = kArrow[y][x];
            pixels[y * kCursorSize + x] = c == 'X' ? 0xFF000000u : c == '.' ? 0xFFFFFFFFu : 0u;
        }
    return pixels;
}

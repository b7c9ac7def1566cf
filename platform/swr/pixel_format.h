// The one conversion of frame pixels (0xAARRGGBB) into a screen's TrueColor pixel values, for
// every path that puts colours on a screen: each 8-bit channel goes into its mask's bits, its top
// bits for a narrower field and the byte repeated for a wider one.
#pragma once

#include <cstdint>

namespace swr {

class PixelFormat {
public:
    PixelFormat(unsigned long redMask, unsigned long greenMask, unsigned long blueMask);

    unsigned long Pack(uint32_t argb) const {
        return m_red.Pack((argb >> 16) & 0xFF) | m_green.Pack((argb >> 8) & 0xFF) |
               m_blue.Pack(argb & 0xFF);
    }
    // The frame's own layout: pixels go unchanged.
    bool IsXrgb8888() const;
    // 5-6-5 bits: PackRgb565 gives the same values, faster.
    bool IsRgb565() const;

private:
    struct Channel {
        unsigned long mask = 0;
        int shift = 0, bits = 0;
        unsigned long Pack(uint32_t value8) const;
    };
    static Channel MakeChannel(unsigned long mask);
    Channel m_red, m_green, m_blue;
};

inline uint16_t PackRgb565(uint32_t argb) {
    return static_cast<uint16_t>(((argb >> 8) & 0xF800u) | ((argb >> 5) & 0x07E0u) |
                                 ((argb >> 3) & 0x001Fu));
}

} // namespace swr

#include "platform/swr/pixel_format.h"

#include <bit>

namespace swr {
PixelFormat::PixelFormat(unsigned long redMask, unsigned long greenMask, unsigned long blueMask)
    : m_red(MakeChannel(redMask)), m_green(MakeChannel(greenMask)), m_blue(MakeChannel(blueMask)) {}

PixelFormat::Channel PixelFormat::MakeChannel(unsigned long mask) {
    if (mask == 0) return {};
    return {mask, std::countr_zero(mask), std::popcount(mask)};
}

unsigned long PixelFormat::Channel::Pack(uint32_t value8) const {
    if (mask == 0) return 0;
    unsigned long value = value8;
    if (bits <= 8) {
        value >>= 8 - bits;
    } else {
        for (int filled = 8; filled < bits; filled += 8) value = (value << 8) | value8;
        value >>= (bits + 7) / 8 * 8 - bits;
    }
    return value << shift;
}

bool PixelFormat::IsXrgb8888() const {
    return m_red.mask == 0xFF0000 && m_green.mask == 0xFF00 && m_blue.mask == 0xFF;
}

bool PixelFormat::IsRgb565() const {
    return m_red.mask == 0xF800 && m_green.mask == 0x07E0 && m_blue.mask == 0x001F;
}

} // namespace swr

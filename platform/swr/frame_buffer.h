// Colour and depth buffers that the software renderer draws into.
#pragma once

#include "platform/base/wintypes.h"
#include "platform/base/d3drmtypes.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace swr {

// Pixels are 0xAARRGGBB words, row after row without padding: on a little-endian machine that is the
// byte layout of a 24- or 32-bit TrueColor ZPixmap. Alpha is always 0xFF.
// Depth holds 1/z of the nearest surface drawn so far; 0 means nothing drawn (infinitely far).
// The pixels may live in memory the buffer does not own (the image a presenter shows), which
// saves a frame-sized copy per frame and a frame-sized buffer.
class FrameBuffer {
public:
    // The buffer's own pixels start black; with allocateLater they take no memory until first
    // used, so that external pixels attached before then never coexist with them.
    FrameBuffer(int width, int height, bool allocateLater = false);

    // From now on the pixels are the width × height words at external (rows without padding),
    // which must outlive their use here; the current picture is copied there and the buffer's own
    // pixels are freed.
    void UseExternalPixels(uint32_t* external);

    int Width() const { return m_width; }
    int Height() const { return m_height; }

    uint32_t* Pixels() { return m_pixelData ? m_pixelData : Allocate(); }
    const uint32_t* Pixels() const { return m_pixelData ? m_pixelData : Allocate(); }
    uint32_t Pixel(int x, int y) const { return Pixels()[Index(x, y)]; }
    float* Depth() { return m_depth.data(); }
    const float* Depth() const { return m_depth.data(); }
    float DepthAt(int x, int y) const { return m_depth[Index(x, y)]; }

    // Fills every pixel with colour (alpha forced to opaque), resets depth, damages everything.
    void Clear(D3DCOLOR colour);
    // The same for the half-open rectangle [left, right) × [top, bottom), clipped to the buffer.
    void Clear(D3DCOLOR colour, RECT area);

    // Grows the damage rectangle by the half-open rectangle [left, right) × [top, bottom),
    // clipped to the buffer.
    void AddDamage(int left, int top, int right, int bottom);
    RECT Damage() const { return m_damage; }
    // Returns the damage collected since the last call and starts a new, empty one.
    RECT TakeDamage();

private:
    size_t Index(int x, int y) const {
        return static_cast<size_t>(y) * static_cast<size_t>(m_width) + static_cast<size_t>(x);
    }

    // Own pixels, black, made at first use (logically the buffer was black all along).
    uint32_t* Allocate() const;

    int m_width;
    int m_height;
    mutable std::vector<uint32_t> m_ownPixels;
    mutable uint32_t* m_pixelData = nullptr; // own or external; null until allocated
    std::vector<float> m_depth;
    RECT m_damage{0, 0, 0, 0};
};

inline bool IsEmpty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

// Grows into to the smallest rectangle holding both; an empty r changes nothing.
inline void Unite(RECT& into, const RECT& r) {
    if (IsEmpty(r)) return;
    if (IsEmpty(into)) {
        into = r;
        return;
    }
    if (r.left < into.left) into.left = r.left;
    if (r.top < into.top) into.top = r.top;
    if (r.right > into.right) into.right = r.right;
    if (r.bottom > into.bottom) into.bottom = r.bottom;
}

} // namespace swr

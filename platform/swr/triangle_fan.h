// Faces into triangles: a face (v0, v1, … vn−1) becomes the fan (v0, v1, v2), (v0, v2, v3), …,
// so a quadrilateral (a, b, c, d) gives (a, b, c) and (a, c, d).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace swr {

// Appends the fan of one face, each index offset by base; a face of fewer than 3 adds nothing.
inline void AppendFan(std::span<const uint32_t> face, uint32_t base, std::vector<uint32_t>& triangles) {
    for (size_t k = 1; k + 1 < face.size(); ++k) {
        triangles.push_back(base + face[0]);
        triangles.push_back(base + face[k]);
        triangles.push_back(base + face[k + 1]);
    }
}

} // namespace swr

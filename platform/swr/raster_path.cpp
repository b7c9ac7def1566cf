#include "platform/swr/raster_path.h"

#include "platform/swr/raster_kernels.h"

#include <atomic>
#include <cstdlib>
#include <cstring>

namespace swr {
namespace {

const kernels::Kernels* Supported(RasterPath path) {
    switch (path) {
    case RasterPath::Scalar: return &kernels::ScalarKernels();
    case RasterPath::Sse2: return kernels::Sse2Kernels();
    case RasterPath::Avx2: return kernels::Avx2Kernels();
    }
    return nullptr;
}

const kernels::Kernels* Widest() {
    const kernels::Kernels* chosen = &kernels::ScalarKernels();
    RasterPath limit = RasterPath::Avx2;
    if (const char* named = std::getenv("QUORVEL_RASTER_PATH")) {
        if (std::strcmp(named, "scalar") == 0) limit = RasterPath::Scalar;
        if (std::strcmp(named, "sse2") == 0) limit = RasterPath::Sse2;
    }
    for (RasterPath path : {RasterPath::Sse2, RasterPath::Avx2}) {
        if (path > limit) break;
        if (const kernels::Kernels* k = Supported(path)) chosen = k;
    }
    return chosen;
}

std::atomic<const kernels::Kernels*>& Current() {
    static std::atomic<const kernels::Kernels*> current{Widest()};
    return current;
}

} // namespace

namespace kernels {
const Kernels& Active() { return *Current().load(std::memory_order_relaxed); }
} // namespace kernels

RasterPath CurrentRasterPath() { return kernels::Active().path; }

bool UseRasterPath(RasterPath path) {
    const kernels::Kernels* k = Supported(path);
    if (!k) return false;
    Current().store(k);
    return true;
}

const char* RasterPathName(RasterPath path) {
    switch (path) {
    case RasterPath::Scalar: return "scalar";
    case RasterPath::Sse2: return "SSE2";
    case RasterPath::Avx2: return "AVX2";
    }
    return "?";
}

} // namespace swr

#include "pipes/pipe_random.h"

#include <cstdint>

namespace {
// A thread that never seeds draws the same sequence as after PipeRandomSeed(1).
thread_local uint32_t t_state = 1;
} // namespace

void PipeRandomSeed(unsigned seed) {
    t_state = seed;
}

int PipeRandom() {
    t_state = t_state * 214013u + 2531011u;
    return static_cast<int>((t_state >> 16) & 0x7FFF);
}

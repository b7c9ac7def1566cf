// Shared memory for wl_shm pools, and the lock that keeps a surface's requests together.
#pragma once

#include <cstddef>
#include <mutex>

// A memory file of size bytes for a pool, all zero (black in XRGB8888), its pages made only when
// touched; -1 on failure.
int CreateShmFile(size_t size);

// Held around each group of surface requests that one commit applies (attach, damage, scale,
// configure acknowledgement), so that the UI thread and the render thread never commit half of
// the other's group.
std::mutex& WaylandCommitLock();

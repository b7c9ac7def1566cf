#include "platform/wayland/wayland_shm.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

int CreateShmFile(size_t size) {
    int fd = memfd_create("quorvel-shm", MFD_CLOEXEC | MFD_ALLOW_SEALING);
    if (fd < 0) return -1;
    if (ftruncate(fd, static_cast<off_t>(size)) != 0) {
        close(fd);
        return -1;
    }
    // The compositor maps the file too: it must never shrink under it.
    fcntl(fd, F_ADD_SEALS, F_SEAL_SHRINK);
    return fd;
}

std::mutex& WaylandCommitLock() {
    static std::mutex lock;
    return lock;
}

#include "platform/wayland/wayland_presenter.h"

#include "platform/d3drm/window_presenter.h"
#include "platform/wayland/wayland_connection.h"
#include "platform/wayland/wayland_shm.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

namespace swr {
namespace {

constexpr int kMaxBuffers = 3;
// How long a frame waits for a buffer the compositor has released before a third is made, and
// before the frame is given up (its damage is then kept for the next present).
constexpr int kThirdBufferWaitMs = 20;
constexpr int kBufferWaitMs = 1000;

} // namespace

struct WaylandPresenter::State {
    struct Buffer {
        wl_buffer* buffer = nullptr;
        uint32_t* pixels = nullptr;
        bool busy = false; // the compositor has it
        RECT stale{};      // where it differs from the last frame
    };

    wl_display* display = nullptr;
    wl_surface* surface = nullptr;
    wl_event_queue* queue = nullptr;
    wl_shm* shm = nullptr; // the connection's, wrapped to report on the presenter's queue

    int width = 0, height = 0;
    size_t slotBytes = 0;
    int fd = -1;
    void* memory = nullptr;
    wl_shm_pool* pool = nullptr;
    Buffer buffers[kMaxBuffers];
    int count = 0;
    bool presented = false;

    ~State() {
        FreeBuffers();
        if (shm) wl_proxy_wrapper_destroy(shm);
        if (queue) wl_event_queue_destroy(queue);
    }

    static void Released(void* data, wl_buffer*) { static_cast<Buffer*>(data)->busy = false; }

    void FreeBuffers() {
        for (Buffer& b : buffers) {
            if (b.buffer) wl_buffer_destroy(b.buffer);
            b = {};
        }
        count = 0;
        if (pool) wl_shm_pool_destroy(pool);
        pool = nullptr;
        if (memory) munmap(memory, slotBytes * kMaxBuffers);
        memory = nullptr;
        if (fd >= 0) close(fd);
        fd = -1;
    }

    // Room for every buffer at once; pages are made only when a buffer is first written.
    bool MakePool(int w, int h) {
        FreeBuffers();
        width = w;
        height = h;
        const size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
        slotBytes = (static_cast<size_t>(w) * static_cast<size_t>(h) * 4 + page - 1) / page * page;
        if (slotBytes * kMaxBuffers > 0x7FFFFFFF) return false;
        fd = CreateShmFile(slotBytes * kMaxBuffers);
        if (fd < 0) return false;
        memory = mmap(nullptr, slotBytes * kMaxBuffers, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
        if (memory == MAP_FAILED) {
            memory = nullptr;
            return false;
        }
        pool = wl_shm_create_pool(shm, fd, static_cast<int32_t>(slotBytes * kMaxBuffers));
        return pool != nullptr;
    }

    Buffer* AddBuffer() {
        static const wl_buffer_listener listener = {Released};
        Buffer& b = buffers[count];
        b.buffer = wl_shm_pool_create_buffer(pool, static_cast<int32_t>(slotBytes * count), width, height,
                                             width * 4, WL_SHM_FORMAT_XRGB8888);
        if (!b.buffer) return nullptr;
        wl_buffer_add_listener(b.buffer, &listener, &b);
        b.pixels = reinterpret_cast<uint32_t*>(static_cast<char*>(memory) + slotBytes * count);
        b.stale = {0, 0, width, height};
        ++count;
        return &b;
    }

    Buffer* FreeBuffer() {
        for (int i = 0; i < count; ++i)
            if (!buffers[i].busy) return &buffers[i];
        return nullptr;
    }

    Buffer* AcquireBuffer() {
        using Clock = std::chrono::steady_clock;
        if (wl_display_dispatch_queue_pending(display, queue) < 0) return nullptr;
        while (count < 2)
            if (!AddBuffer()) return nullptr;
        const auto start = Clock::now();
        for (;;) {
            if (Buffer* b = FreeBuffer()) return b;
            const int waited = static_cast<int>(
                std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
            if (waited >= kThirdBufferWaitMs && count < kMaxBuffers) return AddBuffer();
            const int limit = count < kMaxBuffers ? kThirdBufferWaitMs : kBufferWaitMs;
            if (waited >= limit || !DispatchWaiting(display, queue, limit - waited)) return nullptr;
        }
    }
};

std::unique_ptr<WaylandPresenter> WaylandPresenter::Create(wl_display* display, wl_surface* surface, wl_shm* shm) {
    if (!display || !surface || !shm) return nullptr;
    auto state = std::make_unique<State>();
    state->display = display;
    state->surface = surface;
    state->queue = wl_display_create_queue(display);
    if (!state->queue) return nullptr;
    // The pools and buffers made from the wrapper report on the presenter's own queue.
    state->shm = static_cast<wl_shm*>(wl_proxy_create_wrapper(shm));
    if (!state->shm) return nullptr;
    wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(state->shm), state->queue);
    return std::unique_ptr<WaylandPresenter>(new WaylandPresenter(std::move(state)));
}

WaylandPresenter::WaylandPresenter(std::unique_ptr<State> state) : m_state(std::move(state)) {}

WaylandPresenter::~WaylandPresenter() = default;

bool WaylandPresenter::Present(const FrameBuffer& frame, RECT damage) {
    State& s = *m_state;
    if (frame.Width() != s.width || frame.Height() != s.height || !s.pool) {
        if (!s.MakePool(frame.Width(), frame.Height())) return false;
    }
    damage = {std::max<LONG>(damage.left, 0), std::max<LONG>(damage.top, 0),
              std::min<LONG>(damage.right, s.width), std::min<LONG>(damage.bottom, s.height)};
    if (IsEmpty(damage)) return true;
    State::Buffer* b = s.AcquireBuffer();
    if (!b) return false;
    RECT copy = b->stale;
    Unite(copy, damage);
    const size_t rowBytes = static_cast<size_t>(copy.right - copy.left) * 4;
    for (LONG y = copy.top; y < copy.bottom; ++y) {
        const size_t at = static_cast<size_t>(y) * static_cast<size_t>(s.width) + static_cast<size_t>(copy.left);
        std::memcpy(b->pixels + at, frame.Pixels() + at, rowBytes);
    }
    b->stale = {};
    for (int i = 0; i < s.count; ++i)
        if (&s.buffers[i] != b) Unite(s.buffers[i].stale, damage);
    {
        std::lock_guard<std::mutex> lock(WaylandCommitLock());
        wl_surface_attach(s.surface, b->buffer, 0, 0);
        wl_surface_damage_buffer(s.surface, damage.left, damage.top, damage.right - damage.left,
                                 damage.bottom - damage.top);
        wl_surface_commit(s.surface);
    }
    b->busy = true;
    s.presented = true;
    wl_display_flush(s.display);
    return wl_display_get_error(s.display) == 0;
}

bool WaylandPresenter::Repaint() { return m_state->presented; }

uint32_t* WaylandPresenter::Surface(int, int) { return nullptr; }

std::unique_ptr<Presenter> MakeWaylandPresenter(const SurfaceTarget& target) {
    if (target.kind != WindowSurface::Kind::Wayland) return nullptr;
    return WaylandPresenter::Create(target.wlDisplay, target.wlSurface, target.wlShm);
}

} // namespace swr

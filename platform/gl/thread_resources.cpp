#include "platform/gl/thread_resources.h"

#include <atomic>
#include <mutex>
#include <vector>

namespace gl {
namespace {

struct Retired {
    std::mutex mutex;
    std::vector<std::unique_ptr<ThreadBound>> resources;
    std::atomic<size_t> count{0}; // of resources: every frame asks, hardly ever is there one
};

// Never destroyed: what is still waiting for its thread at exit must not be destroyed by the
// thread that runs the exit.
Retired& TheRetired() {
    static Retired* retired = new Retired;
    return *retired;
}

} // namespace

void Release(std::unique_ptr<ThreadBound> resource) {
    if (!resource) return;
    if (resource->Owner() == std::this_thread::get_id()) {
        resource.reset();
        return;
    }
    Retired& r = TheRetired();
    std::lock_guard lock(r.mutex);
    r.resources.push_back(std::move(resource));
    r.count.store(r.resources.size());
}

void DestroyRetired() {
    Retired& r = TheRetired();
    if (r.count.load() == 0) return;
    std::vector<std::unique_ptr<ThreadBound>> mine;
    {
        std::lock_guard lock(r.mutex);
        const std::thread::id self = std::this_thread::get_id();
        for (auto it = r.resources.begin(); it != r.resources.end();) {
            if ((*it)->Owner() == self) {
                mine.push_back(std::move(*it));
                it = r.resources.erase(it);
            } else {
                ++it;
            }
        }
        r.count.store(r.resources.size());
    }
}

} // namespace gl

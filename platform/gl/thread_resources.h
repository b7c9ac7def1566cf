// GL objects belong to the thread whose context made them, and only that thread may touch
// them. Something released on another thread is handed back to its thread, which destroys it
// the next time it calls DestroyRetired (every device does at each frame).
#pragma once

#include <memory>
#include <thread>

namespace gl {

class ThreadBound {
public:
    ThreadBound() : m_owner(std::this_thread::get_id()) {}
    virtual ~ThreadBound() = default;
    std::thread::id Owner() const { return m_owner; }

private:
    std::thread::id m_owner;
};

// Destroys it now on its own thread, else hands it to that thread.
void Release(std::unique_ptr<ThreadBound> resource);
// Destroys what was handed to the calling thread.
void DestroyRetired();

} // namespace gl

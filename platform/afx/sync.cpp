#include "platform/afx/sync.h"

#include <chrono>

CEvent::CEvent(BOOL initiallyOwn, BOOL manualReset)
    : m_signalled(initiallyOwn != FALSE), m_manualReset(manualReset != FALSE) {}

BOOL CEvent::SetEvent() {
    // Notified under the lock: a waiter may destroy the event as soon as it sees it set.
    std::lock_guard lock(m_mutex);
    m_signalled = true;
    if (m_manualReset)
        m_cond.notify_all();
    else
        m_cond.notify_one();
    return TRUE;
}

BOOL CEvent::ResetEvent() {
    std::lock_guard lock(m_mutex);
    m_signalled = false;
    return TRUE;
}

BOOL CEvent::Lock(DWORD timeout) {
    std::unique_lock lock(m_mutex);
    auto ready = [this] { return m_signalled; };
    if (timeout == INFINITE)
        m_cond.wait(lock, ready);
    else if (!m_cond.wait_for(lock, std::chrono::milliseconds(timeout), ready))
        return FALSE;
    if (!m_manualReset) m_signalled = false;
    return TRUE;
}

BOOL CCriticalSection::Lock(DWORD timeout) {
    if (timeout == INFINITE) {
        m_mutex.lock();
        return TRUE;
    }
    return m_mutex.try_lock_for(std::chrono::milliseconds(timeout)) ? TRUE : FALSE;
}

BOOL CCriticalSection::Unlock() {
    m_mutex.unlock();
    return TRUE;
}

CSingleLock::CSingleLock(CSyncObject* object, BOOL initialLock) : m_object(object) {
    if (initialLock) Lock();
}

CSingleLock::~CSingleLock() {
    if (m_locked) Unlock();
}

BOOL CSingleLock::Lock(DWORD timeout) {
    m_locked = m_object->Lock(timeout);
    return m_locked;
}

BOOL CSingleLock::Unlock() {
    if (m_locked) m_object->Unlock();
    m_locked = FALSE;
    return TRUE;
}

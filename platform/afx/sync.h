// Synchronisation objects of the framework over the standard library.
#pragma once

#include "platform/afx/object.h"

#include <condition_variable>
#include <mutex>

class CSyncObject : public CObject {
public:
    // TRUE when the object was acquired (signalled) within the timeout in milliseconds.
    virtual BOOL Lock(DWORD timeout = INFINITE) = 0;
    virtual BOOL Unlock() = 0;
};

// An event: manual reset stays signalled until ResetEvent; auto reset releases one waiter.
class CEvent : public CSyncObject {
public:
    explicit CEvent(BOOL initiallyOwn = FALSE, BOOL manualReset = FALSE);
    BOOL SetEvent();
    BOOL ResetEvent();
    BOOL Lock(DWORD timeout = INFINITE) override;
    BOOL Unlock() override { return TRUE; }

private:
    std::mutex m_mutex;
    std::condition_variable m_cond;
    bool m_signalled;
    const bool m_manualReset;
};

// Recursive, as the platform's critical sections are: a thread that holds it may lock it again.
class CCriticalSection : public CSyncObject {
public:
    BOOL Lock(DWORD timeout = INFINITE) override;
    BOOL Unlock() override;

private:
    std::recursive_timed_mutex m_mutex;
};

// Holds a synchronisation object for a scope.
class CSingleLock {
public:
    explicit CSingleLock(CSyncObject* object, BOOL initialLock = FALSE);
    ~CSingleLock();
    BOOL Lock(DWORD timeout = INFINITE);
    BOOL Unlock();
    BOOL IsLocked() const { return m_locked; }

    CSingleLock(const CSingleLock&) = delete;
    CSingleLock& operator=(const CSingleLock&) = delete;

private:
    CSyncObject* m_object;
    BOOL m_locked = FALSE;
};

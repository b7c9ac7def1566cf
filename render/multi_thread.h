// CMultiThread: a worker that sleeps on a wake event and runs one step per wake until stopped.
// CRenderThread: the worker whose step renders one frame of the scene.
#pragma once

#include "platform/afx/sync.h"
#include "platform/afx/thread.h"

#include <atomic>

class CMultiThread : public CWinThread {
    DECLARE_DYNCREATE(CMultiThread)
public:
    CMultiThread();
    // Stops a worker that started (stop flag, wake, wait for the done event), then deletes the
    // events. A worker that never started is not waited for.
    ~CMultiThread() override;

    // Stores the wait limit, creates the done and wake events and starts the worker. A second
    // Start is refused.
    BOOL Start(DWORD createFlags, UINT stackSize, void* security, DWORD waitLimit);
    BOOL InitInstance() override { return TRUE; }
    // The worker's loop: wait for a wake (or the wait limit), run OnWake, until stopped; then
    // set the done event and touch nothing of this object again.
    int Run() override;
    // The per-wake step; nothing here.
    virtual void OnWake() {}

protected:
    // Stops a started worker and deletes the events; later calls do nothing. A derived class
    // whose OnWake uses its own members calls it first thing in its destructor, so that the
    // worker's last step never runs on a half-destroyed object.
    void StopWorker();

    CEvent* m_pWake = nullptr;
    CEvent* m_pDone = nullptr;
    DWORD m_waitLimit = INFINITE;
    std::atomic<BOOL> m_bStop{FALSE};
    std::atomic<bool> m_started{false};
};

#include "render/multi_thread.h"

IMPLEMENT_DYNCREATE(CMultiThread, CWinThread)

CMultiThread::CMultiThread() = default;

CMultiThread::~CMultiThread() {
    StopWorker();
}

void CMultiThread::StopWorker() {
    if (m_pWake && m_pDone && m_started.load()) {
        m_bStop.store(TRUE);
        m_pWake->SetEvent();
        CSingleLock done(m_pDone);
        done.Lock(INFINITE);
        done.Unlock();
    }
    delete m_pWake;
    m_pWake = nullptr;
    delete m_pDone;
    m_pDone = nullptr;
    m_started.store(false);
}

BOOL CMultiThread::Start(DWORD createFlags, UINT stackSize, void* security, DWORD waitLimit) {
    if (m_pWake || m_pDone) return FALSE; // started once already
    m_waitLimit = waitLimit;
    m_bStop.store(FALSE);
    m_pDone = new CEvent(FALSE, TRUE);
    m_pWake = new CEvent(FALSE, FALSE);
    const BOOL created = CreateThread(createFlags, stackSize, security);
    m_started.store(created != FALSE);
    return created;
}

int CMultiThread::Run() {
    CSingleLock wake(m_pWake);
    if (!m_bStop.load()) {
        do {
            // Whether the wait ended by a wake or by the limit, a step runs.
            wake.Lock(m_waitLimit);
            wake.Unlock();
            OnWake();
        } while (!m_bStop.load());
    }
    // The owner may free this object as soon as the event is set.
    m_pDone->SetEvent();
    return 0;
}

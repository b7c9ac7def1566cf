// CWinThread: a unit of execution with InitInstance/Run/ExitInstance. The application object is
// the UI thread; CreateThread starts a worker.
#pragma once

#include "platform/afx/messages.h"
#include "platform/afx/object.h"

#include <thread>

class CWnd;

class CWinThread : public CObject {
public:
    static const CRuntimeClass classCWinThread;
    const CRuntimeClass* GetRuntimeClass() const override;

    CWinThread() = default;
    // Joins a worker started by CreateThread (it has left Run by the time its owner frees it).
    ~CWinThread() override;

    // Starts the worker and returns once it runs; it calls InitInstance, then Run when that
    // returned TRUE. FALSE when the system could not start a thread.
    BOOL CreateThread(DWORD createFlags = 0, UINT stackSize = 0, void* security = nullptr);

    virtual BOOL InitInstance() { return TRUE; }
    // The message loop of the UI thread; returns ExitInstance's result after WM_QUIT.
    virtual int Run();
    virtual int ExitInstance();

    CWnd* m_pMainWnd = nullptr;

protected:
    MSG m_msgCur{};

private:
    std::thread m_thread;
};

#include "platform/afx/thread.h"

#include "platform/afx/msgqueue.h"
#include "platform/afx/wnd.h"

#include <future>
#include <system_error>

const CRuntimeClass CWinThread::classCWinThread = {"CWinThread", RUNTIME_CLASS(CObject), nullptr};

const CRuntimeClass* CWinThread::GetRuntimeClass() const { return RUNTIME_CLASS(CWinThread); }

CWinThread::~CWinThread() {
    if (m_thread.joinable() && m_thread.get_id() != std::this_thread::get_id()) m_thread.join();
}

BOOL CWinThread::CreateThread(DWORD, UINT, void*) {
    if (m_thread.joinable()) return FALSE;
    std::promise<void> running;
    auto started = running.get_future();
    try {
        m_thread = std::thread([this, running = std::move(running)]() mutable {
            running.set_value();
            // Nothing here touches the object after Run: its owner may free it right away.
            if (InitInstance()) Run();
        });
    } catch (const std::system_error&) {
        return FALSE;
    }
    started.wait();
    return TRUE;
}

int CWinThread::Run() {
    while (GetMessage(&m_msgCur)) DispatchMessage(&m_msgCur);
    return ExitInstance();
}

int CWinThread::ExitInstance() { return static_cast<int>(m_msgCur.wParam); }

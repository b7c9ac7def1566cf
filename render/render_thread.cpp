#include "render/render_thread.h"

CRenderThread::CRenderThread(CSyncObject* sceneLock) : m_pSceneLock(sceneLock) {}

CRenderThread::~CRenderThread() {
    StopWorker();
}

void CRenderThread::SetTargets(IDirect3DRMDevice* device, IDirect3DRMViewport* viewport,
                               IDirect3DRMFrame* scene) {
    m_pDevice = device;
    m_pViewport = viewport;
    m_pScene = scene;
}

BOOL CRenderThread::Begin(LONG waitLimit) {
    if (!m_pDevice || !m_pScene || !m_pViewport) return FALSE;
    // A thread that cannot start leaves rendering on; no frame is ever drawn then.
    Start(0, 0, nullptr, waitLimit >= 1 ? static_cast<DWORD>(waitLimit) : INFINITE);
    m_bRendering.store(TRUE);
    return TRUE;
}

BOOL CRenderThread::Pause() {
    if (!m_pDevice || !m_pScene || !m_pViewport || !m_bRendering.load()) return FALSE;
    m_bRendering.store(FALSE);
    // A step that saw rendering on still holds the scene lock; once we get it, none is running.
    CSingleLock step(m_pSceneLock, TRUE);
    return TRUE;
}

BOOL CRenderThread::Resume() {
    if (!m_pDevice || !m_pScene || !m_pViewport || !m_pWake) return FALSE;
    m_bRendering.store(TRUE);
    return TRUE;
}

BOOL CRenderThread::Wake() {
    if (!m_pWake) return FALSE;
    return m_pWake->SetEvent();
}

void CRenderThread::OnWake() {
    CSingleLock scene(m_pSceneLock, TRUE);
    // A hardware device released by the owner is destroyed here, on the thread it drew on; the
    // last step before the worker ends does so too.
    D3DRMDestroyReleasedDevices();
    if (m_bRendering.load() && DrawFrame(m_pDevice, m_pViewport, m_pScene) == D3DRMERR_DEVICELOST)
        m_bDeviceLost.store(TRUE);
}

HRESULT CRenderThread::DrawFrame(IDirect3DRMDevice* device, IDirect3DRMViewport* viewport,
                                 IDirect3DRMFrame* scene) {
    HRESULT hr = scene->Move(1.0f);
    if (hr == S_OK) hr = viewport->Clear();
    if (hr == S_OK) hr = viewport->Render(scene);
    if (hr == S_OK) hr = device->Update();
    return hr;
}

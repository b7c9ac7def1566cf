#include "render/render_context.h"

#include "platform/display/display.h"
#include "render/device_search.h"

namespace {

template <class T> void ReleaseAndNull(T*& p) {
    if (p) p->Release();
    p = nullptr;
}

// Shades per colour of the device and texture budgets by display depth.
struct DepthSettings {
    DWORD shades;        // 0: not called
    DWORD textureColors; // 0: not called
    DWORD textureShades;
};

bool SettingsForDepth(int depth, DepthSettings* settings) {
    switch (depth) {
    case 1:
        *settings = {4, 0, 4};
        return true;
    case 16:
        *settings = {32, 64, 32};
        return true;
    case 24:
    case 32:
        *settings = {256, 64, 256};
        return true;
    default:
        return false;
    }
}

} // namespace

CRenderContext::CRenderContext() : m_thread(&m_sceneLock) {}

CRenderContext::~CRenderContext() {
    PauseRendering();
    ReleaseAll();
}

BOOL CRenderContext::Initialize(CWnd* window, BOOL preferHardware) {
    CSingleLock lock(&m_sceneLock, TRUE);
    if (m_bReady) return FALSE;
    // Objects of an earlier Initialize would otherwise be overwritten and leak.
    ReleaseAll();
    m_bPreferHardware = preferHardware;
    m_nDisplayDepth = GetDisplayDeviceCaps(BITSPIXEL);
    const bool built = FindDevice() && Direct3DRMCreate(&m_pD3DRM) == S_OK &&
                       CreateFrame(nullptr, &m_pScene) && CreateFrame(m_pScene, &m_pCamera) &&
                       SetCameraPosition(0.0f, 0.0f, 0.0f) &&
                       DirectDrawCreateClipper(0, &m_pClipper, nullptr) == S_OK &&
                       AttachWindow(window) && CreateDevice(window ? window->m_hWnd : nullptr, 0, 0);
    if (!built) {
        ReleaseAll();
        return FALSE;
    }
    return TRUE;
}

BOOL CRenderContext::FindDevice() {
    return SearchDevices(m_search, m_nDisplayDepth, m_bPreferHardware);
}

BOOL CRenderContext::CreateFrame(IDirect3DRMFrame* parent, IDirect3DRMFrame** frame) {
    return m_pD3DRM->CreateFrame(parent, frame) == S_OK;
}

BOOL CRenderContext::AttachWindow(CWnd* window) {
    if (!m_pClipper) return FALSE;
    return m_pClipper->SetHWnd(0, window ? window->m_hWnd : nullptr) == S_OK;
}

BOOL CRenderContext::CreateDevice(HWND window, int width, int height) {
    if (width == 0 || height == 0) {
        RECT client{0, 0, 0, 0};
        if (window) ::GetClientRect(window, &client);
        if (width == 0) width = client.right - client.left;
        if (height == 0) height = client.bottom - client.top;
    }
    const GUID* selected = SelectedDeviceGuid(m_search);
    if (!selected) return FALSE;
    GUID guid = *selected;
    if (m_pD3DRM->CreateDeviceFromClipper(m_pClipper, &guid, width, height, &m_pDevice) != S_OK)
        return FALSE;
    const DWORD deviceWidth = m_pDevice->GetWidth(), deviceHeight = m_pDevice->GetHeight();
    if (m_pD3DRM->CreateViewport(m_pDevice, m_pCamera, 0, 0, deviceWidth, deviceHeight,
                                 &m_pViewport) != S_OK)
        return FALSE;
    if (m_pViewport->SetBack(5000.0f) != S_OK) return FALSE;
    if (m_pDevice->SetQuality(D3DRMRENDER_GOURAUD) != S_OK) return FALSE;
    DepthSettings settings;
    if (!SettingsForDepth(m_nDisplayDepth, &settings)) return FALSE;
    if (m_pDevice->SetShades(settings.shades) != S_OK) return FALSE;
    if (settings.textureColors != 0 &&
        m_pD3DRM->SetDefaultTextureColors(settings.textureColors) != S_OK)
        return FALSE;
    return m_pD3DRM->SetDefaultTextureShades(settings.textureShades) == S_OK;
}

BOOL CRenderContext::StartRendering(LONG waitLimit) {
    CSingleLock lock(&m_sceneLock, TRUE);
    if (!m_pDevice || !m_pViewport || !m_pScene) return FALSE;
    m_thread.SetTargets(m_pDevice, m_pViewport, m_pScene);
    if (!m_thread.Begin(waitLimit)) return FALSE;
    m_bReady = TRUE;
    return TRUE;
}

BOOL CRenderContext::DrawFrameNow() {
    CSingleLock lock(&m_sceneLock, TRUE);
    if (!m_pDevice || !m_pViewport || !m_pScene) return FALSE;
    HRESULT hr = CRenderThread::DrawFrame(m_pDevice, m_pViewport, m_pScene);
    if (hr == D3DRMERR_DEVICELOST && FallBackToSoftware())
        hr = CRenderThread::DrawFrame(m_pDevice, m_pViewport, m_pScene);
    return hr == S_OK;
}

BOOL CRenderContext::Resize(CWnd* window) {
    CSingleLock lock(&m_sceneLock, TRUE);
    return RebuildDevice(window ? window->m_hWnd : nullptr);
}

BOOL CRenderContext::FallBackToSoftware() {
    CSingleLock lock(&m_sceneLock, TRUE);
    if (!m_pD3DRM || !m_pCamera || !m_pClipper) return FALSE;
    if (!SearchDevices(m_search, m_nDisplayDepth, FALSE)) return FALSE;
    return RebuildDevice(m_pClipper->GetHWnd());
}

BOOL CRenderContext::RebuildDevice(HWND window) {
    if (!m_pD3DRM || !m_pCamera || !m_pClipper) return FALSE;
    const bool ready = m_bReady;
    const BOOL wasRendering = m_thread.Pause(); // a thread the caller paused stays paused
    m_bReady = FALSE;
    ReleaseAndNull(m_pViewport);
    ReleaseAndNull(m_pDevice);
    const BOOL built = CreateDevice(window, 0, 0);
    if (!built) {
        ReleaseAndNull(m_pViewport);
        ReleaseAndNull(m_pDevice);
    }
    m_thread.SetTargets(m_pDevice, m_pViewport, m_pScene);
    if (built && ready) m_bReady = wasRendering ? m_thread.Resume() : TRUE;
    return built;
}

BOOL CRenderContext::PauseRendering() {
    return m_thread.Pause();
}

BOOL CRenderContext::RequestFrame() {
    if (m_thread.TakeDeviceLost()) FallBackToSoftware();
    return m_thread.Wake();
}

void CRenderContext::ReleaseAll() {
    CSingleLock lock(&m_sceneLock, TRUE);
    // The render step must never draw what is released here.
    m_thread.Pause();
    m_bReady = FALSE;
    ReleaseAndNull(m_pScene);
    ReleaseAndNull(m_pCamera);
    ReleaseAndNull(m_pViewport);
    ReleaseAndNull(m_pDevice);
    ReleaseAndNull(m_pD3DRM);
    ReleaseAndNull(m_pClipper);
}

BOOL CRenderContext::SetCameraPosition(D3DVALUE x, D3DVALUE y, D3DVALUE z) {
    CSingleLock lock(&m_sceneLock, TRUE);
    if (!m_pCamera || !m_pScene) return FALSE;
    return m_pCamera->SetPosition(m_pScene, x, y, z) == S_OK;
}

BOOL CRenderContext::PointCamera(D3DVALUE x, D3DVALUE y, D3DVALUE z) {
    CSingleLock lock(&m_sceneLock, TRUE);
    if (!m_pCamera) return FALSE;
    D3DVECTOR target{x, y, z}, position;
    if (m_pCamera->GetPosition(m_pScene, &position) != S_OK) return FALSE;
    D3DVECTOR direction;
    D3DRMVectorSubtract(&direction, &target, &position);
    D3DRMVectorNormalize(&direction);
    D3DVECTOR side{direction.z, 0.0f, -direction.x};
    D3DRMVectorNormalize(&side);
    D3DVECTOR up;
    D3DRMVectorCrossProduct(&up, &direction, &side);
    return m_pCamera->SetOrientation(m_pScene, direction.x, direction.y, direction.z, up.x, up.y,
                                     up.z) == S_OK;
}

BOOL CRenderContext::AddSceneLight(IDirect3DRMLight* light) {
    CSingleLock lock(&m_sceneLock, TRUE);
    if (!m_pScene) return FALSE;
    return m_pScene->AddLight(light) == S_OK;
}

BOOL CRenderContext::AddToScene(IDirect3DRMFrame* frame) {
    CSingleLock lock(&m_sceneLock, TRUE);
    if (!m_pScene) return FALSE;
    return m_pScene->AddChild(frame) == S_OK;
}

BOOL CRenderContext::RemoveFromScene(IDirect3DRMFrame* frame) {
    CSingleLock lock(&m_sceneLock, TRUE);
    if (!m_pScene) return FALSE;
    return m_pScene->DeleteChild(frame) == S_OK;
}

BOOL CRenderContext::SetBackgroundRGB(D3DVALUE red, D3DVALUE green, D3DVALUE blue) {
    CSingleLock lock(&m_sceneLock, TRUE);
    if (!m_pScene) return FALSE;
    return m_pScene->SetSceneBackgroundRGB(red, green, blue) == S_OK;
}

D3DVALUE CRenderContext::GetField() const {
    CSingleLock lock(&m_sceneLock, TRUE);
    return m_pViewport ? m_pViewport->GetField() : 0.0f;
}

D3DVALUE CRenderContext::GetFront() const {
    CSingleLock lock(&m_sceneLock, TRUE);
    return m_pViewport ? m_pViewport->GetFront() : -1.0f;
}

BOOL CRenderContext::HandlePaint(HDC dc) {
    CSingleLock lock(&m_sceneLock, TRUE);
    if (!m_bReady || !m_pDevice) return FALSE;
    IDirect3DRMWinDevice* win = nullptr;
    if (m_pDevice->QueryInterface(IID_IDirect3DRMWinDevice, reinterpret_cast<void**>(&win)) != S_OK)
        return TRUE;
    win->HandlePaint(dc);
    win->Release();
    // A hardware device's frame is shown again by the thread that draws.
    if (m_pDevice->IsHardware()) RequestFrame();
    return TRUE;
}

BOOL CRenderContext::HandleActivate(WORD state) {
    CSingleLock lock(&m_sceneLock, TRUE);
    if (!m_bReady || !m_pDevice) return FALSE;
    IDirect3DRMWinDevice* win = nullptr;
    if (m_pDevice->QueryInterface(IID_IDirect3DRMWinDevice, reinterpret_cast<void**>(&win)) != S_OK)
        return TRUE;
    win->HandleActivate(state);
    win->Release();
    return TRUE;
}

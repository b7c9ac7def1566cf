// The animation driver of the saver window: start, scene, pipe sets and the timer tick.
#include "pipes/pipe.h"
#include "pipes/pipe_random.h"
#include "render/rm_frame.h"
#include "render/rm_light.h"
#include "shell/saver_wnd.h"

#include <algorithm>

BOOL CSaverWnd::StartAnimation() {
    if (!m_render.Initialize(this, m_bHard)) {
        m_render.ReleaseAll();
        return FALSE;
    }
    PipeRandomSeed(RandomSeed());
    BuildScene();
    D3DVALUE grey = static_cast<D3DVALUE>(m_nBackground) * 0.01f;
    m_render.SetBackgroundRGB(grey, grey, grey);
    m_nTimer = SetTimer(1, static_cast<UINT>(m_nSpeed), nullptr);
    m_render.StartRendering(0);
    return TRUE;
}

BOOL CSaverWnd::BuildScene() {
    CSingleLock lock(&m_render.GetSceneLock(), TRUE);
    IDirect3DRM* rm = m_render.GetD3DRM();
    IDirect3DRMFrame* scene = m_render.GetScene();

    CRMFrame lightFrame;
    if (!lightFrame.Create(rm, scene)) return FALSE;
    CRMLight light;
    if (m_nLighting == 0) {
        if (!light.CreateDirectional(rm, 255)) return FALSE;
        light.SetRange(500.0f);
    } else {
        if (!light.CreateSpot(rm, 255)) return FALSE;
        light.SetRange(500.0f);
        light.SetPenumbra(1.2f);
    }
    lightFrame.AddLight(light.GetLight());
    lightFrame.SetPosition(0.0f, 20.0f, 0.0f);
    lightFrame.PointAt(100.0f, 0.0f, 0.0f);

    CRMLight ambient;
    if (!ambient.CreateAmbient(rm, 10)) return FALSE;
    m_render.AddSceneLight(ambient.GetLight());

    m_render.SetCameraPosition(0.0f, 0.0f, 0.0f);
    m_render.PointCamera(100.0f, 0.0f, 0.0f);

    CreatePipeSet();
    return TRUE;
}

void CSaverWnd::CreatePipeSet() {
    CSingleLock lock(&m_render.GetSceneLock(), TRUE);
    IDirect3DRM* rm = m_render.GetD3DRM();
    const D3DVALUE field = m_render.GetField();
    const D3DVALUE front = m_render.GetFront();
    const SIZE view = ViewSize();
    const D3DVALUE width = static_cast<D3DVALUE>(view.cx);
    const D3DVALUE height = static_cast<D3DVALUE>(view.cy);
    const D3DVALUE fieldZ = height > 0.0f ? (width / height) * field : field;
    const LONG count = std::min(m_nNumber, kMaxPipes);
    for (LONG k = 0; k < count; ++k) {
        auto* pipe = new CPipe;
        pipe->SetParameters(m_nLength, 4.0f, 0.6f, static_cast<D3DVALUE>(m_nSpecular) * 0.01f,
                            static_cast<D3DVALUE>(m_nPower) * 0.1f, field, front, fieldZ);
        if (!pipe->Create(rm, m_render.GetScene())) {
            delete pipe;
            break;
        }
        m_render.AddToScene(pipe->GetFrame());
        pipe->SetPosition(150.0f, 0.0f, 0.0f);
        m_pipes.AddTail(pipe);
    }
}

SIZE CSaverWnd::ViewSize() const {
    return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

void CSaverWnd::StartNewCycle() {
    RemovePipes();
    m_nStep = 0;
    CreatePipeSet();
}

CPipe* CSaverWnd::PipeForStep() const {
    const LONG n = m_pipes.GetCount();
    if (n <= 0 || m_nLength <= 0 || m_nNumber <= 0) return nullptr;
    const LONG index = m_nType == 0 ? m_nStep / m_nLength : m_nStep % n;
    POSITION pos = m_pipes.FindIndex(index);
    return pos ? static_cast<CPipe*>(const_cast<CObList&>(m_pipes).GetAt(pos)) : nullptr;
}

void CSaverWnd::ForfeitSteps() {
    // A stranded pipe would be chosen again at every tick and the cycle would never end: it
    // gives up its turn, or in one-after-another order its whole remaining share.
    if (m_nType == 0)
        m_nStep = (m_nStep / m_nLength + 1) * m_nLength;
    else
        ++m_nStep;
}

LRESULT CSaverWnd::OnTimer(WPARAM, LPARAM) {
    {
        CSingleLock lock(&m_render.GetSceneLock(), TRUE);
        const LONG n = m_pipes.GetCount();
        // A set that came out smaller than Number (a pipe could not be made, or the set was
        // capped) ends when the pipes it has are grown; the product is formed without overflow.
        const long long stepsPerCycle =
            std::min(static_cast<long long>(m_nLength) * std::min(m_nNumber, n), kMaxCycleSteps);
        if (n != 0 && stepsPerCycle > 0 && m_nStep >= stepsPerCycle) StartNewCycle();
        if (CPipe* pipe = PipeForStep()) {
            if (pipe->Grow(m_render.GetD3DRM()))
                ++m_nStep;
            else if (!pipe->CanGrow())
                ForfeitSteps();
        }
    }
    m_render.RequestFrame();
    return Default();
}

// CRenderThread: renders one frame per wake while rendering is on. Each step holds the scene
// lock, so it never overlaps a change of the scene.
#pragma once

#include "platform/d3drm/d3drm.h"
#include "render/multi_thread.h"

class CRenderThread : public CMultiThread {
public:
    explicit CRenderThread(CSyncObject* sceneLock);
    // Stops the worker before this part of the object goes.
    ~CRenderThread() override;

    void SetTargets(IDirect3DRMDevice* device, IDirect3DRMViewport* viewport, IDirect3DRMFrame* scene);
    // Starts the worker; a limit below 1 waits for wakes without limit.
    BOOL Begin(LONG waitLimit);
    // Stops drawing and waits until no step is in progress. FALSE when a target is missing or
    // rendering was already off.
    BOOL Pause();
    // Draws again after a Pause, on the targets set now. FALSE when a target is missing.
    BOOL Resume();
    // Asks for one frame; wakes during a frame collapse into one more frame.
    BOOL Wake();
    // Whether a frame found the device lost since the last call (the owner then replaces it).
    BOOL TakeDeviceLost() { return m_bDeviceLost.exchange(FALSE); }
    void OnWake() override;

    // One render step: the scene moved by a tick, cleared, drawn and presented. The caller holds
    // the scene lock.
    static HRESULT DrawFrame(IDirect3DRMDevice* device, IDirect3DRMViewport* viewport, IDirect3DRMFrame* scene);

private:
    CSyncObject* m_pSceneLock;
    std::atomic<BOOL> m_bRendering{FALSE};
    std::atomic<BOOL> m_bDeviceLost{FALSE};
    IDirect3DRMViewport* m_pViewport = nullptr;
    IDirect3DRMFrame* m_pScene = nullptr;
    IDirect3DRMDevice* m_pDevice = nullptr;
};

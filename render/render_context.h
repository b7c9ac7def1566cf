// CRenderContext: the device chosen for the display, its viewport, the scene root, the camera,
// and the render thread that draws them into a window.
#pragma once

#include "platform/afx/sync.h"
#include "platform/afx/wnd.h"
#include "platform/d3drm/d3drm.h"
#include "render/device_search.h"
#include "render/render_thread.h"

class CRenderContext : public CObject {
public:
    CRenderContext();
    // Pauses, releases everything, then ends the render thread.
    ~CRenderContext() override;

    // Builds everything up to the viewport for the window; on failure releases all, FALSE.
    BOOL Initialize(CWnd* window, BOOL preferHardware);
    // Hands device, viewport and scene to the render thread and starts it.
    BOOL StartRendering(LONG waitLimit);
    BOOL PauseRendering();
    // Rebuilds device and viewport at the window's present size; the next frame is drawn
    // whole. FALSE (and no drawing until a later success) when they cannot be rebuilt.
    BOOL Resize(CWnd* window);
    // Asks the render thread for a frame; first replaces a hardware device that a frame found
    // lost by the software device.
    BOOL RequestFrame();
    // Draws one frame on the calling thread as the render thread would, under the scene lock:
    // for callers that advance the saver without the timer and want every tick shown.
    BOOL DrawFrameNow();
    // Releases scene, camera, viewport, device, root object and clipper, in that order.
    void ReleaseAll();

    IDirect3DRM* GetD3DRM() const { return m_pD3DRM; }
    IDirect3DRMFrame* GetScene() const { return m_pScene; }
    IDirect3DRMDevice* GetDevice() const { return m_pDevice; }
    IDirect3DRMViewport* GetViewport() const { return m_pViewport; }

    BOOL SetCameraPosition(D3DVALUE x, D3DVALUE y, D3DVALUE z);
    BOOL PointCamera(D3DVALUE x, D3DVALUE y, D3DVALUE z);
    BOOL AddSceneLight(IDirect3DRMLight* light);
    BOOL AddToScene(IDirect3DRMFrame* frame);
    BOOL RemoveFromScene(IDirect3DRMFrame* frame);
    BOOL SetBackgroundRGB(D3DVALUE red, D3DVALUE green, D3DVALUE blue);
    // The viewport's field (0.0 without a viewport) and front distance (-1.0 without one).
    D3DVALUE GetField() const;
    D3DVALUE GetFront() const;

    // The record of the device search of the last Initialize.
    const DEVICESEARCH& GetDeviceSearch() const { return m_search; }

    BOOL HandlePaint(HDC dc);
    BOOL HandleActivate(WORD state);

    // Held by every render step and by every change of the scene: a caller that changes the
    // scene (adds visuals, frames, lights) holds it for the whole change.
    CSyncObject& GetSceneLock() { return m_sceneLock; }

private:
    BOOL FindDevice();
    BOOL CreateFrame(IDirect3DRMFrame* parent, IDirect3DRMFrame** frame);
    BOOL AttachWindow(CWnd* window);
    BOOL CreateDevice(HWND window, int width, int height);
    // Device and viewport made again for the window with the device search's choice; the caller
    // holds the scene lock.
    BOOL RebuildDevice(HWND window);
    // The search again without preferring hardware, and the device rebuilt on its choice.
    BOOL FallBackToSoftware();

    mutable CCriticalSection m_sceneLock;
    CRenderThread m_thread;
    IDirect3DRMFrame* m_pCamera = nullptr;
    IDirect3DRMFrame* m_pScene = nullptr;
    IDirectDrawClipper* m_pClipper = nullptr;
    IDirect3DRM* m_pD3DRM = nullptr;
    IDirect3DRMDevice* m_pDevice = nullptr;
    IDirect3DRMViewport* m_pViewport = nullptr;
    BOOL m_bReady = FALSE;
    DEVICESEARCH m_search{};
    int m_nDisplayDepth = 0;
    BOOL m_bPreferHardware = FALSE;
};

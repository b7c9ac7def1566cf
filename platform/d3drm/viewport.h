// IDirect3DRMViewport: a rectangle of a device seen through a camera frame.
#pragma once

#include "platform/d3drm/device.h"
#include "platform/d3drm/frame.h"
#include "platform/d3drm/gl_scene_renderer.h"
#include "platform/d3drm/scene_renderer.h"

#include <memory>

class IDirect3DRMViewport : public IDirect3DRMObject {
public:
    // The viewport is drawn with the camera's scene background by the next Render (or, when no
    // Render follows, by the device's next Update).
    virtual HRESULT Clear();
    // Draws the scene under root as the camera sees it. D3DRMERR_DEVICELOST when a hardware
    // device lost its context.
    virtual HRESULT Render(IDirect3DRMFrame* root);
    // Distance of the back plane; must lie beyond the front plane.
    virtual HRESULT SetBack(D3DVALUE back);
    // Half-height of the view window at the front plane: 0.5 until set.
    virtual D3DVALUE GetField();
    // Distance of the front plane: 1.0 until set.
    virtual D3DVALUE GetFront();
    // 100 until set.
    virtual D3DVALUE GetBack();

    // The renderer of a software device's viewport, and of a hardware device's.
    const swr::SceneRenderer& Renderer() const { return *m_renderer; }
    swr::SceneRenderer& Renderer() { return *m_renderer; }
    const gl::SceneRenderer& GlRenderer() const { return *m_glRenderer; }

    static long LiveCount() { return RMLiveCounter<IDirect3DRMViewport>::Count(); }

private:
    friend class IDirect3DRM;
    friend class IDirect3DRMDevice;
    IDirect3DRMViewport(IDirect3DRMDevice* device, IDirect3DRMFrame* camera, int x, int y,
                        int width, int height);
    ~IDirect3DRMViewport() override;

    // Draws the background of a Clear that no Render followed.
    void DrawPendingClear();
    swr::SceneView View() const;

    RMLiveCounter<IDirect3DRMViewport> m_live;
    IDirect3DRMDevice* m_device; // one reference held
    IDirect3DRMFrame* m_camera;  // one reference held
    int m_x, m_y, m_width, m_height;
    D3DVALUE m_field = 0.5f;
    D3DVALUE m_front = 1.0f;
    D3DVALUE m_back = 100.0f;
    std::unique_ptr<swr::SceneRenderer> m_renderer;
    std::unique_ptr<gl::SceneRenderer> m_glRenderer;
    bool m_clearPending = false;
    uint64_t m_lastWrite = 0; // the device's write number after this viewport's last Render
};

#include "platform/d3drm/viewport.h"

#include <cmath>

IDirect3DRMViewport::IDirect3DRMViewport(IDirect3DRMDevice* device, IDirect3DRMFrame* camera, int x,
                                         int y, int width, int height)
    : m_device(device), m_camera(camera), m_x(x), m_y(y), m_width(width), m_height(height) {
    if (device->IsHardware())
        m_glRenderer = std::make_unique<gl::SceneRenderer>(*device->Gl());
    else
        m_renderer = std::make_unique<swr::SceneRenderer>(device->Frame());
    m_device->AddRef();
    m_camera->AddRef();
}

IDirect3DRMViewport::~IDirect3DRMViewport() {
    if (m_device->PendingClear() == this) m_device->SetPendingClear(nullptr);
    m_renderer.reset();
    m_glRenderer.reset();
    m_camera->Release();
    m_device->Release();
}

swr::SceneView IDirect3DRMViewport::View() const {
    swr::SceneView view;
    view.camera = m_camera;
    view.projection = {m_field, m_front, m_back, m_x, m_y, m_width, m_height};
    view.mono = m_device->IsMono();
    view.shades = static_cast<int>(m_device->GetShades());
    return view;
}

HRESULT IDirect3DRMViewport::Clear() {
    m_clearPending = true;
    m_device->SetPendingClear(this);
    return S_OK;
}

void IDirect3DRMViewport::DrawPendingClear() {
    const RECT area{m_x, m_y, m_x + m_width, m_y + m_height};
    if (gl::Device* gl = m_device->Gl()) {
        if (gl->Begin()) gl->Clear(m_camera->GetSceneBackground(), area);
    } else {
        m_device->DrawingFrame().Clear(m_camera->GetSceneBackground(), area);
    }
    m_device->NoteWrite(); // the frame no longer holds what this viewport drew
    m_clearPending = false;
    m_device->SetPendingClear(nullptr);
}

HRESULT IDirect3DRMViewport::Render(IDirect3DRMFrame* root) {
    if (!root) return D3DRMERR_BADOBJECT;
    const bool clear = m_clearPending;
    if (m_device->PendingClear() && m_device->PendingClear() != this)
        m_device->PendingClear()->DrawPendingClear();
    m_clearPending = false;
    m_device->SetPendingClear(nullptr);
    if (m_glRenderer) return m_glRenderer->Render(*root, View(), clear) ? S_OK : D3DRMERR_DEVICELOST;
    const bool kept = m_lastWrite != 0 && m_device->Writes() == m_lastWrite;
    m_device->DrawingFrame();
    m_renderer->Render(*root, View(), clear, kept);
    m_lastWrite = m_device->NoteWrite();
    return S_OK;
}

HRESULT IDirect3DRMViewport::SetBack(D3DVALUE back) {
    if (!std::isfinite(back) || back <= m_front) return D3DRMERR_BADVALUE;
    m_back = back;
    Touch();
    return S_OK;
}

D3DVALUE IDirect3DRMViewport::GetField() {
    return m_field;
}

D3DVALUE IDirect3DRMViewport::GetFront() {
    return m_front;
}

D3DVALUE IDirect3DRMViewport::GetBack() {
    return m_back;
}

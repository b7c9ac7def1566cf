#include "platform/d3drm/device.h"

#include "platform/d3drm/viewport.h"

#include <bit>
#include <new>

namespace {

// A hardware device keeps a frame of its own only to read a memory surface's picture into.
bool KeepsFrame(const gl::Device* gl, const swr::SurfaceTarget& target) {
    return !gl || target.kind == WindowSurface::Kind::Memory;
}

} // namespace

IDirect3DRMDevice::IDirect3DRMDevice(int width, int height, bool mono, swr::SurfaceTarget target,
                                     std::unique_ptr<gl::Device> gl)
    : m_width(width), m_height(height), m_gl(std::move(gl)),
      m_frame(KeepsFrame(m_gl.get(), target) ? width : 0, KeepsFrame(m_gl.get(), target) ? height : 0, true),
      m_mono(mono), m_target(std::move(target)) {}

IDirect3DRMDevice::~IDirect3DRMDevice() = default;

HRESULT IDirect3DRMDevice::QueryInterface(REFIID iid, void** object) {
    if (!object) return D3DRMERR_BADVALUE;
    *object = nullptr;
    if (!(iid == IID_IDirect3DRMWinDevice)) return E_NOINTERFACE;
    IDirect3DRMWinDevice* win = new (std::nothrow) IDirect3DRMWinDevice(this);
    if (!win) return D3DRMERR_BADALLOC;
    *object = win;
    return S_OK;
}

DWORD IDirect3DRMDevice::GetWidth() {
    return static_cast<DWORD>(m_width);
}

DWORD IDirect3DRMDevice::GetHeight() {
    return static_cast<DWORD>(m_height);
}

HRESULT IDirect3DRMDevice::SetQuality(D3DRMRENDERQUALITY quality) {
    m_quality = quality;
    Touch();
    return S_OK;
}

HRESULT IDirect3DRMDevice::SetShades(DWORD shades) {
    if (shades == 0 || !std::has_single_bit(shades)) return D3DRMERR_BADVALUE;
    m_shades = shades;
    Touch();
    return S_OK;
}

swr::Presenter* IDirect3DRMDevice::EnsurePresenter() {
    if (!m_presenter) m_presenter = swr::CreateWindowPresenter(m_target);
    return m_presenter.get();
}

swr::FrameBuffer& IDirect3DRMDevice::DrawingFrame() {
    if (!m_surfaceTried) {
        m_surfaceTried = true;
        if (swr::Presenter* presenter = EnsurePresenter())
            m_frame.UseExternalPixels(presenter->Surface(m_frame.Width(), m_frame.Height()));
    }
    return m_frame;
}

HRESULT IDirect3DRMDevice::Update() {
    if (m_gl) return UpdateGl();
    DrawingFrame();
    if (m_pendingClear) m_pendingClear->DrawPendingClear();
    RECT damage = m_frame.TakeDamage();
    if (m_presentAll) damage = {0, 0, m_frame.Width(), m_frame.Height()};
    if (swr::IsEmpty(damage)) {
        ++m_updates;
        return S_OK;
    }
    swr::Presenter* presenter = EnsurePresenter();
    if (!presenter || !presenter->Present(m_frame, damage)) {
        // Kept for the next try, so that no drawn part goes missing from the window.
        m_frame.AddDamage(damage.left, damage.top, damage.right, damage.bottom);
        return D3DRMERR_BADOBJECT;
    }
    m_presentAll = false;
    ++m_updates;
    return S_OK;
}

HRESULT IDirect3DRMDevice::UpdateGl() {
    if (!m_gl->Begin()) return D3DRMERR_DEVICELOST;
    if (m_pendingClear) m_pendingClear->DrawPendingClear();
    const bool memory = m_target.kind == WindowSurface::Kind::Memory;
    if (!m_gl->Present(memory ? m_frame.Pixels() : nullptr)) return D3DRMERR_DEVICELOST;
    if (memory) {
        swr::Presenter* presenter = EnsurePresenter();
        if (!presenter || !presenter->Present(m_frame, {0, 0, m_width, m_height})) return D3DRMERR_BADOBJECT;
    }
    ++m_updates;
    return S_OK;
}

HRESULT IDirect3DRMDevice::HandlePaint() {
    // Only the thread that draws may touch the context: the owner asks it for a frame instead.
    if (m_gl) return S_OK;
    // Before the first present there is no last frame to repeat: present the whole frame.
    if (!m_presenter || m_presentAll) {
        m_presentAll = true;
        return Update();
    }
    return m_presenter->Repaint() ? S_OK : D3DRMERR_BADOBJECT;
}

HRESULT IDirect3DRMDevice::HandleActivate(WORD state) {
    if (state != 0) m_presentAll = true;
    return S_OK;
}

void D3DRMDestroyReleasedDevices() { gl::DestroyRetired(); }

IDirect3DRMWinDevice::IDirect3DRMWinDevice(IDirect3DRMDevice* device) : m_device(device) {
    m_device->AddRef();
}

IDirect3DRMWinDevice::~IDirect3DRMWinDevice() {
    m_device->Release();
}

HRESULT IDirect3DRMWinDevice::HandlePaint(HDC) {
    return m_device->HandlePaint();
}

HRESULT IDirect3DRMWinDevice::HandleActivate(WORD state) {
    return m_device->HandleActivate(state);
}

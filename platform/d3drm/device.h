// IDirect3DRMDevice: a software device that renders into a window through a presenter, or a
// hardware device that renders with OpenGL (gl::Device), and its window-device interface
// IDirect3DRMWinDevice.
#pragma once

#include "platform/swr/frame_buffer.h"
#include "platform/d3drm/gl_device.h"
#include "platform/d3drm/guid.h"
#include "platform/d3drm/object.h"
#include "platform/d3drm/window_presenter.h"

#include <atomic>
#include <memory>

class IDirect3DRMViewport;

constexpr IID IID_IDirect3DRMWinDevice = {
    0xC5016CC0, 0xD273, 0x11CE, {0xAC, 0x48, 0x00, 0x00, 0xC0, 0x38, 0x25, 0xA1}};

class IDirect3DRMDevice : public IDirect3DRMObject {
public:
    // IID_IDirect3DRMWinDevice gives the window-device interface, with a reference of its own.
    virtual HRESULT QueryInterface(REFIID iid, void** object);
    virtual DWORD GetWidth();
    virtual DWORD GetHeight();
    virtual HRESULT SetQuality(D3DRMRENDERQUALITY quality);
    // Shades per colour of the mono model; a power of two from 1 up. 32 until set.
    virtual HRESULT SetShades(DWORD shades);
    // Shows the part of the frame drawn since the last update (all of it after an activation;
    // a hardware device shows the whole frame). D3DRMERR_DEVICELOST when a hardware device lost
    // its context.
    virtual HRESULT Update();

    D3DRMRENDERQUALITY GetQuality() const { return m_quality; }
    DWORD GetShades() const { return m_shades; }
    bool IsMono() const { return m_mono; }
    bool IsHardware() const { return m_gl != nullptr; }
    // Successful Updates so far; any thread may read it.
    uint64_t UpdateCount() const { return m_updates.load(); }
    // The frame as rendered so far (headless tools read their image here). A hardware device
    // keeps one only for a memory surface.
    const swr::FrameBuffer& GetFrameBuffer() const { return m_frame; }

    static long LiveCount() { return RMLiveCounter<IDirect3DRMDevice>::Count(); }

private:
    friend class IDirect3DRM;
    friend class IDirect3DRMViewport;
    friend class IDirect3DRMWinDevice;
    // gl null: a software device.
    IDirect3DRMDevice(int width, int height, bool mono, swr::SurfaceTarget target,
                      std::unique_ptr<gl::Device> gl);
    ~IDirect3DRMDevice() override;

    // For viewports: every write to the frame gets a number, so a viewport tells whether the
    // frame still holds what it drew last.
    swr::FrameBuffer& Frame() { return m_frame; }
    // The frame, about to be drawn into: the first call, on the drawing thread, makes the
    // presenter and moves the pixels into its image where it can (no copy at each present).
    swr::FrameBuffer& DrawingFrame();
    uint64_t NoteWrite() { return ++m_writes; }
    uint64_t Writes() const { return m_writes; }
    // A cleared viewport draws the background with its next Render, or at the next Update.
    void SetPendingClear(IDirect3DRMViewport* viewport) { m_pendingClear = viewport; }
    IDirect3DRMViewport* PendingClear() const { return m_pendingClear; }

    gl::Device* Gl() { return m_gl.get(); }
    HRESULT UpdateGl();
    HRESULT HandlePaint();
    HRESULT HandleActivate(WORD state);
    swr::Presenter* EnsurePresenter();

    RMLiveCounter<IDirect3DRMDevice> m_live;
    int m_width, m_height;
    std::unique_ptr<gl::Device> m_gl;
    swr::FrameBuffer m_frame;
    bool m_mono;
    D3DRMRENDERQUALITY m_quality = D3DRMRENDER_GOURAUD;
    DWORD m_shades = 32;
    swr::SurfaceTarget m_target;
    std::unique_ptr<swr::Presenter> m_presenter; // made at the first present, on that thread
    bool m_presentAll = true;
    bool m_surfaceTried = false;
    uint64_t m_writes = 0;
    std::atomic<uint64_t> m_updates{0};
    IDirect3DRMViewport* m_pendingClear = nullptr;
};

// Destroys the hardware devices' contexts that were released on other threads but drew on the
// calling one (only that thread may touch them).
void D3DRMDestroyReleasedDevices();

class IDirect3DRMWinDevice : public IUnknown {
public:
    // Shows the last frame again after the window lost its contents.
    virtual HRESULT HandlePaint(HDC dc);
    // The window was activated (state nonzero) or deactivated; after an activation the next
    // Update shows the whole frame.
    virtual HRESULT HandleActivate(WORD state);

private:
    friend class IDirect3DRMDevice;
    explicit IDirect3DRMWinDevice(IDirect3DRMDevice* device);
    ~IDirect3DRMWinDevice() override;
    IDirect3DRMDevice* m_device; // one reference held
};

// DirectDraw as far as the retained-mode layer needs it: the display driver object, which leads
// to the Direct3D device list, and clippers that bind a device to a window.
#pragma once

#include "platform/d3drm/guid.h"
#include "platform/d3drm/object.h"

constexpr IID IID_IDirect3D = {
    0x3BBA0080, 0x2421, 0x11CF, {0xA3, 0x1A, 0x00, 0xAA, 0x00, 0xB9, 0x33, 0x56}};

class IDirectDraw : public IUnknown {
public:
    // IID_IDirect3D gives the Direct3D interface of the driver, with a reference of its own.
    virtual HRESULT QueryInterface(REFIID iid, void** object);

    static long LiveCount() { return RMLiveCounter<IDirectDraw>::Count(); }

private:
    friend HRESULT DirectDrawCreate(GUID* driver, IDirectDraw** directDraw, IUnknown* outer);
    IDirectDraw() = default;
    RMLiveCounter<IDirectDraw> m_live;
};

// Only the display driver (driver null) exists; an outer object is refused.
HRESULT DirectDrawCreate(GUID* driver, IDirectDraw** directDraw, IUnknown* outer);

class IDirectDrawClipper : public IUnknown {
public:
    // Clips to the window from now on (null: to nothing). Flags must be 0.
    virtual HRESULT SetHWnd(DWORD flags, HWND window);
    HWND GetHWnd() const { return m_window; }

    static long LiveCount() { return RMLiveCounter<IDirectDrawClipper>::Count(); }

private:
    friend HRESULT DirectDrawCreateClipper(DWORD flags, IDirectDrawClipper** clipper,
                                           IUnknown* outer);
    IDirectDrawClipper() = default;
    RMLiveCounter<IDirectDrawClipper> m_live;
    HWND m_window = nullptr;
};

// A clipper bound to no DirectDraw object. Flags must be 0; an outer object is refused.
HRESULT DirectDrawCreateClipper(DWORD flags, IDirectDrawClipper** clipper, IUnknown* outer);

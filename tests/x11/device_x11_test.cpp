// A device made from a clipper on an X window renders into that window (private Xvfb).
#include "platform/d3drm/d3drm.h"
#include "platform/x11/x11_presenter.h"

#include <gtest/gtest.h>
// Last: Xlib's macros (None, Bool, …) clash with names above.
#include "platform/x11/x11_window_backend.h"
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

constexpr int kW = 80, kH = 60;

TEST(DeviceOnX11Window, RenderedSceneReachesTheWindow) {
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    const int screen = DefaultScreen(display);
    ASSERT_GE(DefaultDepth(display, screen), 24) << "run with a 24-bit screen";
    const ::Window window =
        XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0, kW, kH, 0, 0, 0);
    XSelectInput(display, window, ExposureMask);
    XMapWindow(display, window);
    XEvent event;
    do
        XNextEvent(display, &event);
    while (event.type != Expose);

    AfxSetWindowBackend(std::make_unique<X11WindowBackend>());
    swr::InstallX11Presenters();
    IDirect3DRM* rm = nullptr;
    IDirect3DRMFrame *scene = nullptr, *camera = nullptr;
    IDirectDrawClipper* clipper = nullptr;
    IDirect3DRMDevice* device = nullptr;
    IDirect3DRMViewport* viewport = nullptr;
    ASSERT_EQ(Direct3DRMCreate(&rm), S_OK);
    ASSERT_EQ(rm->CreateFrame(nullptr, &scene), S_OK);
    ASSERT_EQ(rm->CreateFrame(scene, &camera), S_OK);
    camera->SetOrientation(scene, 1, 0, 0, 0, 1, 0);
    ASSERT_EQ(DirectDrawCreateClipper(0, &clipper, nullptr), S_OK);
    ASSERT_EQ(clipper->SetHWnd(0, reinterpret_cast<HWND>(static_cast<uintptr_t>(window))), S_OK);
    ASSERT_EQ(rm->CreateDeviceFromClipper(clipper, nullptr, 0, 0, &device), S_OK);
    EXPECT_EQ(device->GetWidth(), unsigned(kW));
    EXPECT_EQ(device->GetHeight(), unsigned(kH));
    ASSERT_EQ(rm->CreateViewport(device, camera, 0, 0, kW, kH, &viewport), S_OK);

    // A red square in front of a blue background, lit from the eye.
    scene->SetSceneBackgroundRGB(0.0f, 0.0f, 1.0f);
    IDirect3DRMLight* light = nullptr;
    rm->CreateLightRGB(D3DRMLIGHT_DIRECTIONAL, 1, 1, 1, &light);
    camera->AddLight(light);
    light->Release();
    IDirect3DRMMesh* mesh = nullptr;
    rm->CreateMesh(&mesh);
    const unsigned face[] = {0, 1, 2, 3};
    D3DRMGROUPINDEX g;
    mesh->AddGroup(4, 1, 4, face, &g);
    D3DRMVERTEX v[4]{};
    const D3DVECTOR corners[] = {{10, 2, 2}, {10, 2, -2}, {10, -2, -2}, {10, -2, 2}};
    for (int i = 0; i < 4; ++i) {
        v[i].position = corners[i];
        v[i].normal = {-1, 0, 0};
    }
    mesh->SetVertices(g, 0, 4, v);
    mesh->SetGroupColor(g, 0xFFFF0000u);
    scene->AddVisual(mesh);
    mesh->Release();

    ASSERT_EQ(viewport->Clear(), S_OK);
    ASSERT_EQ(viewport->Render(scene), S_OK);
    ASSERT_EQ(device->Update(), S_OK);

    XImage* image = XGetImage(display, window, 0, 0, kW, kH, AllPlanes, ZPixmap);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(XGetPixel(image, kW / 2, kH / 2) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(XGetPixel(image, 1, 1) & 0xFFFFFF, 0x0000FFu);
    int wrong = 0;
    const swr::FrameBuffer& frame = device->GetFrameBuffer();
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            wrong += (XGetPixel(image, x, y) & 0xFFFFFF) != (frame.Pixel(x, y) & 0xFFFFFF);
    EXPECT_EQ(wrong, 0);
    XDestroyImage(image);

    // After the window lost its contents, a paint puts the last frame back.
    XClearWindow(display, window);
    XSync(display, False);
    IDirect3DRMWinDevice* win = nullptr;
    ASSERT_EQ(device->QueryInterface(IID_IDirect3DRMWinDevice, reinterpret_cast<void**>(&win)),
              S_OK);
    EXPECT_EQ(win->HandlePaint(nullptr), S_OK);
    win->Release();
    image = XGetImage(display, window, 0, 0, kW, kH, AllPlanes, ZPixmap);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(XGetPixel(image, kW / 2, kH / 2) & 0xFFFFFF, 0xFF0000u);
    XDestroyImage(image);

    viewport->Release();
    device->Release();
    clipper->Release();
    camera->Release();
    scene->Release();
    rm->Release();
    AfxSetWindowBackend(nullptr);
    XDestroyWindow(display, window);
    XCloseDisplay(display);
}

} // namespace

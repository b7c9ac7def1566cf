// Enumeration, clippers, devices and viewports of the software layer.
#include "platform/null/null_window_backend.h"
#include "platform/d3drm/d3drm.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Seen {
    std::vector<std::string> names;
    std::vector<D3DDEVICEDESC> software, hardware;
    int stopAfter = 100;
};

HRESULT Collect(GUID*, LPSTR, LPSTR name, D3DDEVICEDESC* hardware, D3DDEVICEDESC* software,
                void* context) {
    auto* seen = static_cast<Seen*>(context);
    seen->names.emplace_back(name);
    seen->hardware.push_back(*hardware);
    seen->software.push_back(*software);
    return static_cast<int>(seen->names.size()) >= seen->stopAfter ? D3DENUMRET_CANCEL
                                                                   : D3DENUMRET_OK;
}

IDirect3D* OpenDirect3D(IDirectDraw** dd) {
    EXPECT_EQ(DirectDrawCreate(nullptr, dd, nullptr), S_OK);
    IDirect3D* d3d = nullptr;
    EXPECT_EQ((*dd)->QueryInterface(IID_IDirect3D, reinterpret_cast<void**>(&d3d)), S_OK);
    return d3d;
}

TEST(Enumeration, ListsSoftwareRgbThenMonoAtSixteenToThirtyTwoBits) {
    IDirectDraw* dd = nullptr;
    IDirect3D* d3d = OpenDirect3D(&dd);
    Seen seen;
    ASSERT_EQ(d3d->EnumDevices(&Collect, &seen), S_OK);
    ASSERT_EQ(seen.names.size(), 2u);
    EXPECT_EQ(seen.software[0].dcmColorModel, D3DCOLOR_RGB);
    EXPECT_EQ(seen.software[1].dcmColorModel, D3DCOLOR_MONO);
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(seen.hardware[i].dcmColorModel, 0u)
            << "software devices have no hardware description";
        EXPECT_EQ(seen.software[i].dwDeviceRenderBitDepth, DDBD_16 | DDBD_24 | DDBD_32);
    }
    seen = Seen{};
    seen.stopAfter = 1;
    d3d->EnumDevices(&Collect, &seen);
    EXPECT_EQ(seen.names.size(), 1u) << "a callback returning 0 stops the enumeration";
    d3d->Release();
    dd->Release();
}

TEST(Enumeration, TestListReplacesAndRestores) {
    std::vector<D3DDeviceEntry> list(7, D3DBuiltInDevices()[0]);
    D3DSetDeviceListForTesting(&list);
    IDirectDraw* dd = nullptr;
    IDirect3D* d3d = OpenDirect3D(&dd);
    Seen seen;
    d3d->EnumDevices(&Collect, &seen);
    EXPECT_EQ(seen.names.size(), 7u);
    D3DSetDeviceListForTesting(nullptr);
    seen = Seen{};
    d3d->EnumDevices(&Collect, &seen);
    EXPECT_EQ(seen.names.size(), 2u);
    d3d->Release();
    dd->Release();
}

TEST(Enumeration, RefusesDriversOuterObjectsAndOtherInterfaces) {
    IDirectDraw* dd = reinterpret_cast<IDirectDraw*>(1);
    GUID driver = IID_IDirect3D;
    EXPECT_NE(DirectDrawCreate(&driver, &dd, nullptr), S_OK);
    EXPECT_EQ(dd, nullptr);
    ASSERT_EQ(DirectDrawCreate(nullptr, &dd, nullptr), S_OK);
    void* other = reinterpret_cast<void*>(1);
    EXPECT_EQ(dd->QueryInterface(IID_IDirect3DRMWinDevice, &other), E_NOINTERFACE);
    EXPECT_EQ(other, nullptr);
    dd->Release();
    IDirectDrawClipper* clipper = nullptr;
    EXPECT_NE(DirectDrawCreateClipper(1, &clipper, nullptr), S_OK);
    EXPECT_EQ(IDirectDraw::LiveCount(), 0);
}

class DeviceTest : public ::testing::Test {
protected:
    void SetUp() override {
        backend = dynamic_cast<NullWindowBackend*>(&AfxGetWindowBackend());
        ASSERT_NE(backend, nullptr);
        window = backend->CreateForeignWindow(120, 80);
        ASSERT_EQ(Direct3DRMCreate(&rm), S_OK);
        ASSERT_EQ(rm->CreateFrame(nullptr, &scene), S_OK);
        ASSERT_EQ(rm->CreateFrame(scene, &camera), S_OK);
        ASSERT_EQ(DirectDrawCreateClipper(0, &clipper, nullptr), S_OK);
        ASSERT_EQ(clipper->SetHWnd(0, window), S_OK);
    }
    void TearDown() override {
        clipper->Release();
        camera->Release();
        scene->Release();
        rm->Release();
        backend->Destroy(window);
        EXPECT_EQ(IDirect3DRMDevice::LiveCount(), 0);
        EXPECT_EQ(IDirect3DRMViewport::LiveCount(), 0);
        EXPECT_EQ(IDirectDrawClipper::LiveCount(), 0);
        EXPECT_EQ(IDirect3DRMFrame::LiveCount(), 0);
    }

    NullWindowBackend* backend = nullptr;
    HWND window = nullptr;
    IDirect3DRM* rm = nullptr;
    IDirect3DRMFrame* scene = nullptr;
    IDirect3DRMFrame* camera = nullptr;
    IDirectDrawClipper* clipper = nullptr;
};

TEST_F(DeviceTest, SizeComesFromTheWindowUnlessGiven) {
    IDirect3DRMDevice* device = nullptr;
    ASSERT_EQ(rm->CreateDeviceFromClipper(clipper, nullptr, 0, 0, &device), S_OK);
    EXPECT_EQ(device->GetWidth(), 120u);
    EXPECT_EQ(device->GetHeight(), 80u);
    EXPECT_FALSE(device->IsMono());
    device->Release();
    GUID ramp = IID_IDirect3DRampDevice;
    ASSERT_EQ(rm->CreateDeviceFromClipper(clipper, &ramp, 64, 32, &device), S_OK);
    EXPECT_EQ(device->GetWidth(), 64u);
    EXPECT_EQ(device->GetHeight(), 32u);
    EXPECT_TRUE(device->IsMono());
    device->Release();
}

TEST_F(DeviceTest, RefusesUnknownDevicesAndClippersWithoutWindow) {
    IDirect3DRMDevice* device = nullptr;
    GUID unknown = IID_IDirect3D;
    EXPECT_NE(rm->CreateDeviceFromClipper(clipper, &unknown, 0, 0, &device), S_OK);
    clipper->SetHWnd(0, nullptr);
    EXPECT_NE(rm->CreateDeviceFromClipper(clipper, nullptr, 0, 0, &device), S_OK);
    EXPECT_EQ(device, nullptr);
}

TEST_F(DeviceTest, ViewportDefaultsAndBackPlane) {
    IDirect3DRMDevice* device = nullptr;
    ASSERT_EQ(rm->CreateDeviceFromClipper(clipper, nullptr, 0, 0, &device), S_OK);
    IDirect3DRMViewport* viewport = nullptr;
    EXPECT_NE(rm->CreateViewport(device, camera, 0, 0, 121, 80, &viewport), S_OK)
        << "wider than the device";
    ASSERT_EQ(rm->CreateViewport(device, camera, 0, 0, 120, 80, &viewport), S_OK);
    EXPECT_EQ(viewport->GetField(), 0.5f);
    EXPECT_EQ(viewport->GetFront(), 1.0f);
    EXPECT_EQ(viewport->GetBack(), 100.0f);
    EXPECT_EQ(viewport->SetBack(5000.0f), S_OK);
    EXPECT_EQ(viewport->GetBack(), 5000.0f);
    EXPECT_NE(viewport->SetBack(0.5f), S_OK) << "in front of the front plane";
    EXPECT_EQ(viewport->GetBack(), 5000.0f);
    device->Release(); // the viewport keeps the device alive
    EXPECT_EQ(IDirect3DRMDevice::LiveCount(), 1);
    viewport->Release();
}

TEST_F(DeviceTest, SettingsAndWindowDevice) {
    IDirect3DRMDevice* device = nullptr;
    ASSERT_EQ(rm->CreateDeviceFromClipper(clipper, nullptr, 0, 0, &device), S_OK);
    EXPECT_EQ(device->SetQuality(D3DRMRENDER_GOURAUD), S_OK);
    EXPECT_EQ(device->GetQuality(), D3DRMRENDER_GOURAUD);
    EXPECT_EQ(device->SetShades(256), S_OK);
    EXPECT_EQ(device->GetShades(), 256u);
    EXPECT_NE(device->SetShades(0), S_OK);
    EXPECT_EQ(rm->SetDefaultTextureColors(64), S_OK);
    EXPECT_EQ(rm->SetDefaultTextureShades(32), S_OK);
    EXPECT_EQ(rm->GetDefaultTextureColors(), 64u);
    EXPECT_EQ(rm->GetDefaultTextureShades(), 32u);

    IDirect3DRMWinDevice* win = nullptr;
    ASSERT_EQ(device->QueryInterface(IID_IDirect3DRMWinDevice, reinterpret_cast<void**>(&win)),
              S_OK);
    device->Release(); // the window-device interface holds the device
    EXPECT_EQ(IDirect3DRMDevice::LiveCount(), 1);
    EXPECT_EQ(win->HandleActivate(0), S_OK);
    EXPECT_EQ(win->HandlePaint(nullptr), S_OK);
    win->Release();
}

TEST_F(DeviceTest, ClearWithoutRenderFillsTheBackgroundAtUpdate) {
    IDirect3DRMDevice* device = nullptr;
    IDirect3DRMViewport* viewport = nullptr;
    ASSERT_EQ(rm->CreateDeviceFromClipper(clipper, nullptr, 0, 0, &device), S_OK);
    ASSERT_EQ(rm->CreateViewport(device, camera, 0, 0, 120, 80, &viewport), S_OK);
    scene->SetSceneBackgroundRGB(0.0f, 0.0f, 1.0f);
    EXPECT_EQ(viewport->Clear(), S_OK);
    EXPECT_EQ(device->GetFrameBuffer().Pixel(5, 5), 0xFF000000u)
        << "nothing drawn before the update";
    EXPECT_EQ(device->Update(), S_OK);
    EXPECT_EQ(device->GetFrameBuffer().Pixel(5, 5), 0xFF0000FFu);
    EXPECT_EQ(device->UpdateCount(), 1u);
    viewport->Clear();
    viewport->Release(); // a pending clear must not outlive its viewport
    EXPECT_EQ(device->Update(), S_OK);
    device->Release();
}

} // namespace

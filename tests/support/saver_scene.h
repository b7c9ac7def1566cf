// The saver's scene on a device of a headless window, drawn without the render thread: a white
// light on its own frame at (0, 20, 0) aimed at (100, 0, 0), an ambient light of level 10, the
// camera at the origin looking along +x, and pipes whose frames sit at (150, 0, 0).
#pragma once

#include "pipes/pipe.h"
#include "pipes/pipe_random.h"
#include "platform/null/null_window_backend.h"
#include "platform/d3drm/d3drm.h"
#include "render/levels.h"
#include "render/rm_frame.h"
#include "render/rm_light.h"

#include <memory>
#include <stdexcept>
#include <vector>

class SaverScene {
public:
    enum class Light { Directional, Spot };

    SaverScene(int width, int height, Light light = Light::Directional, GUID* deviceGuid = nullptr)
        : m_width(width), m_height(height) {
        auto* backend = dynamic_cast<NullWindowBackend*>(&AfxGetWindowBackend());
        if (!backend) throw std::runtime_error("needs the in-memory window backend");
        m_window = backend->CreateForeignWindow(width, height);
        Check(Direct3DRMCreate(&rm));
        Check(rm->CreateFrame(nullptr, &scene));
        Check(rm->CreateFrame(scene, &camera));
        Check(DirectDrawCreateClipper(0, &clipper, nullptr));
        Check(clipper->SetHWnd(0, m_window));
        Check(rm->CreateDeviceFromClipper(clipper, deviceGuid, 0, 0, &device));
        Check(rm->CreateViewport(device, camera, 0, 0, device->GetWidth(), device->GetHeight(),
                                 &viewport));
        Check(viewport->SetBack(5000.0f));

        CRMFrame lightFrame;
        CRMLight main, ambient;
        lightFrame.Create(rm, scene);
        if (light == Light::Directional) {
            main.CreateDirectional(rm, 255);
        } else {
            main.CreateSpot(rm, 255);
            main.SetPenumbra(1.2f);
        }
        main.SetRange(500.0f);
        lightFrame.AddLight(main.GetLight());
        lightFrame.SetPosition(0.0f, 20.0f, 0.0f);
        lightFrame.PointAt(100.0f, 0.0f, 0.0f);
        ambient.CreateAmbient(rm, 10);
        scene->AddLight(ambient.GetLight());
        camera->SetOrientation(scene, 1.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f);
        scene->SetSceneBackgroundRGB(0.2f, 0.2f, 0.2f);
    }

    ~SaverScene() {
        pipes.clear();
        viewport->Release();
        device->Release();
        clipper->Release();
        camera->Release();
        scene->Release();
        rm->Release();
        AfxGetWindowBackend().Destroy(m_window);
    }

    SaverScene(const SaverScene&) = delete;
    SaverScene& operator=(const SaverScene&) = delete;

    // Pipes as the animation driver makes them, each allowed `steps` steps.
    void AddPipes(int count, int steps) {
        const D3DVALUE field = viewport->GetField(), front = viewport->GetFront();
        const auto fieldZ = static_cast<D3DVALUE>(static_cast<double>(m_width) / m_height * field);
        for (int i = 0; i < count; ++i) {
            auto pipe = std::make_unique<CPipe>();
            pipe->SetParameters(steps, 4.0f, 0.6f, 50 * 0.01f, 20 * 0.1f, field, front, fieldZ);
            pipe->Create(rm, scene);
            pipe->SetPosition(150.0f, 0.0f, 0.0f);
            pipes.push_back(std::move(pipe));
        }
    }

    // The set replaced by a new one, as the animation driver replaces a complete set.
    void ReplacePipes(int count, int steps) {
        for (auto& pipe : pipes) scene->DeleteChild(pipe->GetFrame());
        pipes.clear();
        AddPipes(count, steps);
    }

    // One growth step of the next pipe in turn; false when it made none.
    bool GrowNext() {
        if (pipes.empty()) return false;
        CPipe& pipe = *pipes[m_next++ % pipes.size()];
        return pipe.Grow(rm) != 0;
    }

    void GrowAll(int steps) {
        for (int i = 0; i < steps * static_cast<int>(pipes.size()); ++i)
            GrowNext();
    }

    // The render thread's step without the thread.
    HRESULT Frame() {
        HRESULT hr = viewport->Clear();
        if (hr == S_OK) hr = viewport->Render(scene);
        if (hr == S_OK) hr = device->Update();
        return hr;
    }

    const swr::FrameBuffer& Image() const { return device->GetFrameBuffer(); }

    IDirect3DRM* rm = nullptr;
    IDirect3DRMFrame* scene = nullptr;
    IDirect3DRMFrame* camera = nullptr;
    IDirectDrawClipper* clipper = nullptr;
    IDirect3DRMDevice* device = nullptr;
    IDirect3DRMViewport* viewport = nullptr;
    std::vector<std::unique_ptr<CPipe>> pipes;

private:
    static void Check(HRESULT hr) {
        if (hr != S_OK) throw std::runtime_error("retained-mode call failed");
    }

    int m_width, m_height;
    HWND m_window = nullptr;
    size_t m_next = 0;
};

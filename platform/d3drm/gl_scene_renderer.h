// Draws a retained-mode scene with the GL device. Each mesh is lit once on the processor, exactly
// as for the software devices, and uploaded once into storage on the GPU that grows with the
// scene; a frame that only adds visuals uploads just those, and every frame draws all of them
// in one call. Any other change (a restart of the set, lights or camera moved) uploads the
// scene anew into storage of its own size.
#pragma once

#include "platform/d3drm/gl_device.h"
#include "platform/d3drm/scene_walker.h"

#include <unordered_map>
#include <vector>

namespace gl {

class SceneRenderer : private swr::SceneWalker {
public:
    explicit SceneRenderer(Device& device) : m_device(device) {}

    // Draws the scene under root on the current context, starting from the background over the
    // viewport when clear. False when the GL work failed (the device is lost then).
    bool Render(const IDirect3DRMFrame& root, const swr::SceneView& view, bool clear);

    // Visuals uploaded by the last frame, and whether it kept what was uploaded before.
    size_t LastVisualsUploaded() const { return m_lastUploaded; }
    bool LastWasIncremental() const { return m_lastIncremental; }

private:
    struct FrameRecord {
        uint64_t revision = 0;
        size_t uploaded = 0; // visuals of the frame in the store
    };

    Device& m_device;
    TriangleStore* m_store = nullptr; // the device's; made at the first frame
    std::unordered_map<const IDirect3DRMFrame*, FrameRecord> m_records;
    std::vector<swr::CameraVertex> m_camera;
    std::vector<uint32_t> m_triangles;
    size_t m_lastUploaded = 0;
    bool m_lastIncremental = false;
};

} // namespace gl

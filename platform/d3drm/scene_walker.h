// What every renderer of a retained-mode scene does alike: gathering the frames and lights of a
// frame, lighting each mesh once into camera space, and telling when nothing drawn has changed.
#pragma once

#include "platform/d3drm/frame.h"
#include "platform/d3drm/mesh.h"
#include "platform/swr/lighting.h"
#include "platform/swr/raster.h"

#include <optional>
#include <vector>

namespace swr {

// How a viewport looks at the scene.
struct SceneView {
    const IDirect3DRMFrame* camera = nullptr;
    Projection projection;
    bool mono = false; // ramp model: grey light quantised to `shades` levels
    int shades = 32;
};

class SceneWalker {
protected:
    // Gathers the frames and lights under root. True when the lights, the camera, the
    // projection or the colour model differ from the last frame's: lighting is then set up anew
    // and everything lit before is stale (Generation rises).
    bool Gather(const IDirect3DRMFrame& root, const SceneView& view);
    // True when the scene is the last frame's with at most visuals appended: the same root, the
    // same frames at the same revisions (records maps each frame of the last frame to something
    // with a `revision`), and no change to anything drawn since.
    template <class Records>
    bool OnlyVisualsAdded(const IDirect3DRMFrame& root, const Records& records) const {
        if (!m_hasFrame || &root != m_lastRoot || !NothingDrawnChanged()) return false;
        if (m_frames.size() != records.size()) return false;
        for (const IDirect3DRMFrame* frame : m_frames) {
            auto it = records.find(frame);
            if (it == records.end() || it->second.revision != frame->Revision()) return false;
        }
        return true;
    }
    // Nothing drawn by the last frame has changed since (new objects may have been added).
    bool NothingDrawnChanged() const;
    // Whether something lit at computedAt under generation is still right for mesh on frame.
    bool IsCurrent(uint64_t computedAt, uint64_t generation, const IDirect3DRMMesh& mesh,
                   const IDirect3DRMFrame& frame) const;
    // The mesh as placed by frame: every vertex lit and moved to camera space, every face split
    // into triangles (indices into camera).
    void LightMesh(const IDirect3DRMMesh& mesh, const IDirect3DRMFrame& frame,
                   std::vector<CameraVertex>& camera, std::vector<uint32_t>& triangles) const;
    // Everything gathered has been drawn.
    void Finish(const IDirect3DRMFrame& root);

    const std::vector<const IDirect3DRMFrame*>& Frames() const { return m_frames; }
    uint64_t Generation() const { return m_generation; }

private:
    // A light as placed: its frame's revision would also rise for changes that move nothing
    // (the scene root's background, new children), so the placement itself is compared.
    struct LightKey {
        const IDirect3DRMLight* light;
        uint64_t lightRevision;
        const IDirect3DRMFrame* frame;
        RMTransform world;
        bool operator==(const LightKey& o) const;
    };

    void Walk(const IDirect3DRMFrame& frame);
    void LightGroup(const RMMeshGroup& group, const RMTransform& world, const RMTransform& toCamera,
                    std::vector<CameraVertex>& camera) const;

    SceneView m_view;
    std::vector<const IDirect3DRMFrame*> m_frames;
    std::vector<LightKey> m_lightKeys;

    std::vector<LightKey> m_lastLightKeys;
    const IDirect3DRMFrame* m_lastCamera = nullptr;
    RMTransform m_lastCameraWorld = RMTransform::Identity();
    Projection m_lastProjection;
    bool m_lastMono = false;
    int m_lastShades = 0;
    const IDirect3DRMFrame* m_lastRoot = nullptr;
    uint64_t m_lastClock = 0;
    bool m_hasFrame = false;
    uint64_t m_generation = 0;
    std::optional<VertexLighter> m_lighter;
    RMTransform m_worldToCamera = RMTransform::Identity();
};

} // namespace swr

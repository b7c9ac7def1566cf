// Draws a retained-mode scene into a frame buffer, keeping what it computed between frames.
#pragma once

#include "platform/d3drm/scene_walker.h"

#include <unordered_map>
#include <vector>

namespace swr {

// Lit vertex colours and camera-space vertices are kept per (mesh, frame) and computed again only
// when the lights, the camera, the projection, the frame's transform, the mesh or one of its
// materials changed. When the only change since the last frame is visuals appended to frames, a
// cleared frame draws just those visuals onto what the buffer holds, which gives the image of a
// full redraw except where two surfaces lie at exactly the same depth (the one drawn first stays).
class SceneRenderer : private SceneWalker {
public:
    explicit SceneRenderer(FrameBuffer& target);

    // Draws the scene under root. With clear, the frame starts from the background (root's scene
    // background) over the viewport; without, it is drawn over what the buffer holds. contentsKept
    // says that the buffer still holds exactly what this renderer's last frame left there.
    void Render(const IDirect3DRMFrame& root, const SceneView& view, bool clear, bool contentsKept);

    // Rasterizer threads for frames with many triangles; each draws its own band of rows, so the
    // image is the same for any count. Defaults to the processors available, at most kMaxThreads.
    void SetThreads(unsigned count);
    static constexpr unsigned kMaxThreads = 8;

    // Visuals drawn by the last frame (new ones only, for an incremental frame).
    size_t LastVisualsDrawn() const { return m_lastDrawn; }
    bool LastWasIncremental() const { return m_lastIncremental; }
    // Bands of rows the last frame's triangles were drawn in (1: on the calling thread alone).
    unsigned LastBands() const { return m_lastBands; }

private:
    // One visual of one frame, ready to draw: all groups of the mesh in one set of arrays.
    struct VisualCache {
        const IDirect3DRMMesh* mesh = nullptr;
        uint64_t computedAt = 0;          // revision clock when computed
        uint64_t generation = 0;          // of the lighting and projection it was computed with
        std::vector<CameraVertex> camera; // kept only when some vertex needs clipping
        std::vector<ScreenVertex> screen;
        std::vector<uint32_t> triangles; // only those that can draw a pixel (KeepDrawable)
        int topRow = 0, bottomRow = 0; // rows [top, bottom) the visual can touch
    };
    struct FrameRecord {
        uint64_t revision = 0;
        size_t drawn = 0;  // visuals of the frame drawn into the retained buffer
        size_t cached = 0; // visuals whose cache was current at the last frame
        std::vector<VisualCache> visuals;
        bool visited = false;
    };
    bool IsCurrent(const VisualCache& cache, const IDirect3DRMMesh& mesh,
                   const IDirect3DRMFrame& frame) const;
    // Fills the cache: vertices lit and moved to camera space, faces split into triangles,
    // vertices projected to the screen.
    void Compute(VisualCache& cache, const IDirect3DRMMesh& mesh, const IDirect3DRMFrame& frame);
    // Screen vertices, and the rows the visual can touch (all rows when some vertex is clipped).
    void Project(VisualCache& cache, const std::vector<CameraVertex>& camera);
    // trusted: nothing drawn before has changed, so caches current at the last frame still are.
    void QueueNewVisuals(const IDirect3DRMFrame& frame, FrameRecord& record, bool trusted);
    // Draws the queued visuals in their order, in bands on several threads when they are many.
    void DrawQueue();
    void DrawInBands(int top, int bottom, unsigned bands);
    // Draws the queued visuals that reach the rasterizer's rows.
    void DrawBand(Rasterizer& rasterizer) const;
    // Fills m_bandEdges with bands + 1 row edges from top to bottom.
    void SplitRows(int top, int bottom, unsigned bands);

    FrameBuffer& m_target;
    Rasterizer m_rasterizer;
    std::vector<CameraVertex> m_cameraScratch;
    std::vector<const VisualCache*> m_queue;
    size_t m_queuedTriangles = 0;

    std::unordered_map<const IDirect3DRMFrame*, FrameRecord> m_records;

    unsigned m_threads = 1;
    std::vector<Rasterizer> m_bandRasterizers; // one per band; none with a single thread
    std::vector<double> m_rowWeights;
    std::vector<int> m_bandEdges;

    size_t m_lastDrawn = 0;
    bool m_lastIncremental = false;
    unsigned m_lastBands = 1;
};

} // namespace swr

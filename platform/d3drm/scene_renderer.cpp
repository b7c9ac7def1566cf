#include "platform/d3drm/scene_renderer.h"

#include <algorithm>
#include <climits>
#include <system_error>
#include <thread>

namespace swr {
namespace {

// Below this many triangles a frame is drawn on the calling thread: starting threads would cost
// more than they save (an incremental frame draws one piece of pipe).
constexpr size_t kParallelTriangles = 8192;
// Bands thinner than this are not worth a thread of their own.
constexpr int kMinBandRows = 32;

} // namespace

SceneRenderer::SceneRenderer(FrameBuffer& target) : m_target(target), m_rasterizer(target) {
    SetThreads(std::thread::hardware_concurrency());
}

void SceneRenderer::SetThreads(unsigned count) {
    m_threads = std::clamp(count, 1u, kMaxThreads);
    m_bandRasterizers.clear();
    for (unsigned i = 0; m_threads > 1 && i < m_threads; ++i) m_bandRasterizers.emplace_back(m_target);
}

bool SceneRenderer::IsCurrent(const VisualCache& cache, const IDirect3DRMMesh& mesh,
                              const IDirect3DRMFrame& frame) const {
    return cache.mesh == &mesh && SceneWalker::IsCurrent(cache.computedAt, cache.generation, mesh, frame);
}

void SceneRenderer::Compute(VisualCache& cache, const IDirect3DRMMesh& mesh,
                            const IDirect3DRMFrame& frame) {
    cache.mesh = &mesh;
    cache.computedAt = IDirect3DRMObject::CurrentRevision();
    cache.generation = Generation();
    LightMesh(mesh, frame, m_cameraScratch, cache.triangles);
    Project(cache, m_cameraScratch);
}

void SceneRenderer::Project(VisualCache& cache, const std::vector<CameraVertex>& camera) {
    cache.screen.reserve(camera.size());
    m_rasterizer.ProjectVertices(camera, cache.screen);
    // Culled once here rather than at every redraw: about half the triangles face away.
    m_rasterizer.KeepDrawable(cache.screen, cache.triangles);
    cache.triangles.shrink_to_fit();
    bool clipped = false;
    int32_t lowest = INT32_MAX, highest = INT32_MIN;
    for (const ScreenVertex& v : cache.screen) {
        clipped |= v.outcode != 0;
        lowest = std::min(lowest, v.y);
        highest = std::max(highest, v.y);
    }
    // Most pieces lie wholly in view; only those that need clipping keep camera-space vertices.
    if (clipped) {
        cache.camera.assign(camera.begin(), camera.end());
        cache.topRow = INT_MIN;
        cache.bottomRow = INT_MAX;
    } else {
        std::vector<CameraVertex>().swap(cache.camera);
        cache.topRow = lowest >> 8; // screen positions are in 1/256 pixel
        cache.bottomRow = (highest >> 8) + 1;
    }
}

void SceneRenderer::QueueNewVisuals(const IDirect3DRMFrame& frame, FrameRecord& record,
                                    bool trusted) {
    const std::span<IDirect3DRMVisual* const> visuals = frame.Visuals();
    if (record.visuals.size() < visuals.size()) record.visuals.resize(visuals.size());
    if (!trusted) record.cached = 0;
    for (size_t i = record.drawn; i < visuals.size(); ++i) {
        const IDirect3DRMMesh* mesh = visuals[i]->AsMesh();
        if (!mesh) continue;
        VisualCache& cache = record.visuals[i];
        const bool current =
            i < record.cached ? cache.generation == Generation() : IsCurrent(cache, *mesh, frame);
        if (!current) Compute(cache, *mesh, frame);
        m_queue.push_back(&cache);
        m_queuedTriangles += cache.triangles.size() / 3;
        ++m_lastDrawn;
    }
    record.drawn = visuals.size();
    record.cached = visuals.size();
}

void SceneRenderer::DrawBand(Rasterizer& rasterizer) const {
    const int top = rasterizer.RowsTop(), bottom = rasterizer.RowsBottom();
    for (const VisualCache* cache : m_queue)
        if (cache->topRow < bottom && cache->bottomRow > top)
            rasterizer.DrawProjected(cache->camera, cache->screen, cache->triangles);
}

void SceneRenderer::SplitRows(int top, int bottom, unsigned bands) {
    // Each visual's triangles are spread evenly over its rows; the edges then cut the total into
    // equal shares, so a band crowded with pipes is thinner than an empty one.
    const int rows = bottom - top;
    m_rowWeights.assign(static_cast<size_t>(rows) + 1, 0.0);
    double total = 0;
    for (const VisualCache* cache : m_queue) {
        const int from = std::clamp(cache->topRow, top, bottom) - top;
        const int to = std::clamp(cache->bottomRow, top, bottom) - top;
        if (to <= from) continue;
        const double triangles = static_cast<double>(cache->triangles.size() / 3);
        m_rowWeights[static_cast<size_t>(from)] += triangles / (to - from);
        m_rowWeights[static_cast<size_t>(to)] -= triangles / (to - from);
        total += triangles;
    }
    m_bandEdges.assign(bands + 1, bottom);
    m_bandEdges[0] = top;
    double perRow = 0, sum = 0;
    unsigned next = 1;
    for (int row = 0; row < rows && next < bands; ++row) {
        perRow += m_rowWeights[static_cast<size_t>(row)];
        sum += perRow;
        while (next < bands && sum >= total * next / bands)
            m_bandEdges[next++] = top + row + 1;
    }
}

void SceneRenderer::DrawQueue() {
    m_target.Pixels(); // the pixels exist before threads share them
    const Projection& projection = m_rasterizer.GetProjection();
    const int top = std::max(projection.top, 0);
    const int bottom = std::min(projection.top + projection.height, m_target.Height());
    unsigned bands = m_queuedTriangles >= kParallelTriangles ? m_threads : 1;
    bands = std::min<unsigned>(bands, static_cast<unsigned>(std::max((bottom - top) / kMinBandRows, 1)));
    m_lastBands = bands;
    if (bands == 1) {
        for (const VisualCache* cache : m_queue)
            m_rasterizer.DrawProjected(cache->camera, cache->screen, cache->triangles);
        const RECT d = m_rasterizer.TakeDamage();
        m_target.AddDamage(d.left, d.top, d.right, d.bottom);
    } else {
        DrawInBands(top, bottom, bands);
    }
    m_queue.clear();
    m_queuedTriangles = 0;
}

void SceneRenderer::DrawInBands(int top, int bottom, unsigned bands) {
    SplitRows(top, bottom, bands);
    std::vector<std::thread> workers;
    for (unsigned i = 0; i < bands; ++i) {
        Rasterizer& rasterizer = m_bandRasterizers[i];
        rasterizer.SetProjection(m_rasterizer.GetProjection());
        rasterizer.SetRows(m_bandEdges[i], m_bandEdges[i + 1]);
        if (i == 0) continue; // the calling thread's own, drawn below
        try {
            workers.emplace_back([this, &rasterizer] { DrawBand(rasterizer); });
        } catch (const std::system_error&) {
            DrawBand(rasterizer); // no thread to be had: draw it here
        }
    }
    DrawBand(m_bandRasterizers[0]);
    for (std::thread& worker : workers) worker.join();
    for (unsigned i = 0; i < bands; ++i) {
        const RECT d = m_bandRasterizers[i].TakeDamage();
        m_target.AddDamage(d.left, d.top, d.right, d.bottom);
    }
}

void SceneRenderer::Render(const IDirect3DRMFrame& root, const SceneView& view, bool clear,
                           bool contentsKept) {
    const bool environmentChanged = Gather(root, view);
    if (environmentChanged) m_rasterizer.SetProjection(view.projection);
    const bool incremental =
        !environmentChanged && clear && contentsKept && OnlyVisualsAdded(root, m_records);

    m_lastDrawn = 0;
    m_lastIncremental = incremental;
    if (!incremental) {
        if (clear) {
            const Projection& p = view.projection;
            m_target.Clear(root.GetSceneBackground(),
                           RECT{p.left, p.top, p.left + p.width, p.top + p.height});
        }
        for (auto& [frame, record] : m_records) {
            record.drawn = 0;
            record.visited = false;
        }
    }
    const bool nothingDrawnChanged = NothingDrawnChanged();
    for (const IDirect3DRMFrame* frame : Frames()) {
        FrameRecord& record = m_records[frame];
        const bool trusted = nothingDrawnChanged && record.revision == frame->Revision();
        record.revision = frame->Revision();
        record.visited = true;
        QueueNewVisuals(*frame, record, trusted);
    }
    DrawQueue();
    if (!incremental)
        std::erase_if(m_records, [](const auto& entry) { return !entry.second.visited; });
    Finish(root);
}

} // namespace swr

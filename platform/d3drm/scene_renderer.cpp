#include "platform/d3drm/scene_renderer.h"

#include "platform/d3drm/light.h"
#include "platform/d3drm/material.h"
#include "platform/swr/triangle_fan.h"

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

bool SameProjection(const Projection& a, const Projection& b) {
    return a.field == b.field && a.front == b.front && a.back == b.back && a.left == b.left &&
           a.top == b.top && a.width == b.width && a.height == b.height;
}

bool SameTransform(const RMTransform& a, const RMTransform& b) {
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            if (a.m[i][j] != b.m[i][j]) return false;
    return true;
}

Rgb ColourOf(D3DCOLOR c) {
    return {D3DRMColorGetRed(c), D3DRMColorGetGreen(c), D3DRMColorGetBlue(c)};
}

SurfaceMaterial SurfaceOf(const IDirect3DRMMaterial* material) {
    SurfaceMaterial s;
    if (!material) return s;
    const RMColorRGB specular = material->Specular(), emissive = material->Emissive();
    s.power = material->Power();
    s.specular = {specular.r, specular.g, specular.b};
    s.emissive = {emissive.r, emissive.g, emissive.b};
    return s;
}

LightSource SourceOf(const IDirect3DRMLight& light, const IDirect3DRMFrame& frame) {
    const RMColorRGB c = light.Color();
    LightSource s;
    s.type = light.Type();
    s.colour = {c.r, c.g, c.b};
    s.position = frame.WorldTransform().Origin();
    s.direction = frame.WorldTransform().Axis(2);
    s.range = light.Range();
    s.umbra = light.Umbra();
    s.penumbra = light.Penumbra();
    s.constant = light.ConstantAttenuation();
    s.linear = light.LinearAttenuation();
    s.quadratic = light.QuadraticAttenuation();
    return s;
}

} // namespace

bool SceneRenderer::LightKey::operator==(const LightKey& o) const {
    return light == o.light && lightRevision == o.lightRevision && frame == o.frame &&
           SameTransform(world, o.world);
}

SceneRenderer::SceneRenderer(FrameBuffer& target) : m_target(target), m_rasterizer(target) {
    SetThreads(std::thread::hardware_concurrency());
}

void SceneRenderer::SetThreads(unsigned count) {
    m_threads = std::clamp(count, 1u, kMaxThreads);
    m_bandRasterizers.clear();
    for (unsigned i = 0; m_threads > 1 && i < m_threads; ++i) m_bandRasterizers.emplace_back(m_target);
}

void SceneRenderer::Walk(const IDirect3DRMFrame& frame) {
    m_frames.push_back(&frame);
    for (const IDirect3DRMLight* light : frame.Lights())
        m_lightKeys.push_back({light, light->Revision(), &frame, frame.WorldTransform()});
    for (const IDirect3DRMFrame* child : frame.Children())
        Walk(*child);
}

bool SceneRenderer::TakeEnvironment(const SceneView& view) {
    const RMTransform cameraWorld =
        view.camera ? view.camera->WorldTransform() : RMTransform::Identity();
    const bool same = m_generation != 0 && m_lightKeys == m_lastLightKeys &&
                      view.camera == m_lastCamera &&
                      SameTransform(cameraWorld, m_lastCameraWorld) &&
                      SameProjection(view.projection, m_lastProjection) &&
                      view.mono == m_lastMono && view.shades == m_lastShades;
    if (same) return false;
    ++m_generation;
    m_lastLightKeys = m_lightKeys;
    m_lastCamera = view.camera;
    m_lastCameraWorld = cameraWorld;
    m_lastProjection = view.projection;
    m_lastMono = view.mono;
    m_lastShades = view.shades;

    m_lights.clear();
    for (const LightKey& key : m_lightKeys)
        m_lights.push_back(SourceOf(*key.light, *key.frame));
    m_worldToCamera = cameraWorld.InverseRigid();
    const D3DVECTOR forward = cameraWorld.Axis(2);
    m_lighter.emplace(m_lights, D3DVECTOR{-forward.x, -forward.y, -forward.z});
    m_rasterizer.SetProjection(view.projection);
    return true;
}

bool SceneRenderer::CanDrawIncrementally(const IDirect3DRMFrame& root, bool clear,
                                         bool contentsKept) const {
    if (!clear || !contentsKept || !m_hasFrame || &root != m_lastRoot) return false;
    if (IDirect3DRMObject::LastChangeOfRendered() > m_lastClock) return false;
    if (m_frames.size() != m_records.size()) return false;
    for (const IDirect3DRMFrame* frame : m_frames) {
        auto it = m_records.find(frame);
        if (it == m_records.end() || it->second.revision != frame->Revision()) return false;
    }
    return true;
}

bool SceneRenderer::IsCurrent(const VisualCache& cache, const IDirect3DRMMesh& mesh,
                              const IDirect3DRMFrame& frame) const {
    if (cache.mesh != &mesh || cache.generation != m_generation) return false;
    if (mesh.Revision() > cache.computedAt || frame.Revision() > cache.computedAt) return false;
    for (size_t g = 0; g < mesh.GroupCount(); ++g) {
        const IDirect3DRMMaterial* material = mesh.Group(g).Material();
        if (material && material->Revision() > cache.computedAt) return false;
    }
    return true;
}

void SceneRenderer::Compute(VisualCache& cache, const IDirect3DRMMesh& mesh,
                            const IDirect3DRMFrame& frame) {
    cache.mesh = &mesh;
    cache.computedAt = IDirect3DRMObject::CurrentRevision();
    cache.generation = m_generation;
    std::vector<CameraVertex>& camera = m_cameraScratch;
    Reserve(mesh, camera, cache.triangles);
    const RMTransform& world = frame.WorldTransform();
    const RMTransform toCamera = world.Then(m_worldToCamera);
    for (size_t g = 0; g < mesh.GroupCount(); ++g) {
        const RMMeshGroup& group = mesh.Group(g);
        const uint32_t base = static_cast<uint32_t>(camera.size());
        LightToCamera(group, world, toCamera, camera);
        for (size_t f = 0; f < group.FaceCount(); ++f) AppendFan(group.Face(f), base, cache.triangles);
    }
    Project(cache, camera);
}

void SceneRenderer::Reserve(const IDirect3DRMMesh& mesh, std::vector<CameraVertex>& camera,
                            std::vector<uint32_t>& triangles) {
    camera.clear();
    triangles.clear();
    size_t vertexCount = 0, triangleCount = 0;
    for (size_t g = 0; g < mesh.GroupCount(); ++g) {
        const RMMeshGroup& group = mesh.Group(g);
        vertexCount += group.Vertices().size();
        for (size_t f = 0; f < group.FaceCount(); ++f)
            triangleCount += group.Face(f).size() - 2;
    }
    camera.reserve(vertexCount);
    triangles.reserve(triangleCount * 3);
}

void SceneRenderer::LightToCamera(const RMMeshGroup& group, const RMTransform& world,
                                  const RMTransform& toCamera, std::vector<CameraVertex>& camera) const {
    const Rgb surface = ColourOf(group.Color());
    const SurfaceMaterial material = SurfaceOf(group.Material());
    const bool lit = (group.Quality() & D3DRMLIGHT_ON) != 0;
    for (const D3DRMVERTEX& v : group.Vertices()) {
        Rgb c = surface;
        if (lit) {
            const D3DVECTOR position = world.ApplyToPoint(v.position);
            const D3DVECTOR normal = world.ApplyToDirection(v.normal);
            c = m_view.mono
                    ? m_lighter->LightMono(position, normal, surface, material, m_view.shades)
                    : m_lighter->Light(position, normal, surface, material);
        }
        const D3DVECTOR p = toCamera.ApplyToPoint(v.position);
        camera.push_back({p.x, p.y, p.z, c.r, c.g, c.b});
    }
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
            i < record.cached ? cache.generation == m_generation : IsCurrent(cache, *mesh, frame);
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
    m_view = view;
    m_frames.clear();
    m_lightKeys.clear();
    Walk(root);
    const bool environmentChanged = TakeEnvironment(view);
    const bool incremental = !environmentChanged && CanDrawIncrementally(root, clear, contentsKept);

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
    const bool nothingDrawnChanged =
        m_hasFrame && IDirect3DRMObject::LastChangeOfRendered() <= m_lastClock;
    for (const IDirect3DRMFrame* frame : m_frames) {
        FrameRecord& record = m_records[frame];
        const bool trusted = nothingDrawnChanged && record.revision == frame->Revision();
        record.revision = frame->Revision();
        record.visited = true;
        QueueNewVisuals(*frame, record, trusted);
    }
    DrawQueue();
    if (!incremental)
        std::erase_if(m_records, [](const auto& entry) { return !entry.second.visited; });

    m_lastRoot = &root;
    m_lastClock = IDirect3DRMObject::CurrentRevision();
    m_hasFrame = true;
    IDirect3DRMObject::NoteRendered(m_lastClock);
}

} // namespace swr

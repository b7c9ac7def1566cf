#include "platform/d3drm/scene_walker.h"

#include "platform/d3drm/light.h"
#include "platform/d3drm/material.h"
#include "platform/swr/triangle_fan.h"

namespace swr {
namespace {

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

bool SceneWalker::LightKey::operator==(const LightKey& o) const {
    return light == o.light && lightRevision == o.lightRevision && frame == o.frame &&
           SameTransform(world, o.world);
}

void SceneWalker::Walk(const IDirect3DRMFrame& frame) {
    m_frames.push_back(&frame);
    for (const IDirect3DRMLight* light : frame.Lights())
        m_lightKeys.push_back({light, light->Revision(), &frame, frame.WorldTransform()});
    for (const IDirect3DRMFrame* child : frame.Children())
        Walk(*child);
}

bool SceneWalker::Gather(const IDirect3DRMFrame& root, const SceneView& view) {
    m_view = view;
    m_frames.clear();
    m_lightKeys.clear();
    Walk(root);

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

    std::vector<LightSource> lights;
    for (const LightKey& key : m_lightKeys)
        lights.push_back(SourceOf(*key.light, *key.frame));
    m_worldToCamera = cameraWorld.InverseRigid();
    const D3DVECTOR forward = cameraWorld.Axis(2);
    m_lighter.emplace(lights, D3DVECTOR{-forward.x, -forward.y, -forward.z});
    return true;
}

bool SceneWalker::NothingDrawnChanged() const {
    return m_hasFrame && IDirect3DRMObject::LastChangeOfRendered() <= m_lastClock;
}

bool SceneWalker::IsCurrent(uint64_t computedAt, uint64_t generation, const IDirect3DRMMesh& mesh,
                            const IDirect3DRMFrame& frame) const {
    if (generation != m_generation) return false;
    if (mesh.Revision() > computedAt || frame.Revision() > computedAt) return false;
    for (size_t g = 0; g < mesh.GroupCount(); ++g) {
        const IDirect3DRMMaterial* material = mesh.Group(g).Material();
        if (material && material->Revision() > computedAt) return false;
    }
    return true;
}

void SceneWalker::LightMesh(const IDirect3DRMMesh& mesh, const IDirect3DRMFrame& frame,
                            std::vector<CameraVertex>& camera,
                            std::vector<uint32_t>& triangles) const {
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
    const RMTransform& world = frame.WorldTransform();
    const RMTransform toCamera = world.Then(m_worldToCamera);
    for (size_t g = 0; g < mesh.GroupCount(); ++g) {
        const RMMeshGroup& group = mesh.Group(g);
        const uint32_t base = static_cast<uint32_t>(camera.size());
        LightGroup(group, world, toCamera, camera);
        for (size_t f = 0; f < group.FaceCount(); ++f) AppendFan(group.Face(f), base, triangles);
    }
}

void SceneWalker::LightGroup(const RMMeshGroup& group, const RMTransform& world,
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

void SceneWalker::Finish(const IDirect3DRMFrame& root) {
    m_lastRoot = &root;
    m_lastClock = IDirect3DRMObject::CurrentRevision();
    m_hasFrame = true;
    IDirect3DRMObject::NoteRendered(m_lastClock);
}

} // namespace swr

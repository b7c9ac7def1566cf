#include "platform/d3drm/gl_scene_renderer.h"

namespace gl {

bool SceneRenderer::Render(const IDirect3DRMFrame& root, const swr::SceneView& view, bool clear) {
    if (!m_device.Begin()) return false;
    if (!m_store && !(m_store = m_device.NewStore())) return false;

    const bool environmentChanged = Gather(root, view);
    m_lastIncremental = !environmentChanged && OnlyVisualsAdded(root, m_records);
    if (!m_lastIncremental) {
        m_store->Clear();
        m_records.clear();
    }
    m_lastUploaded = 0;
    for (const IDirect3DRMFrame* frame : Frames()) {
        FrameRecord& record = m_records[frame];
        record.revision = frame->Revision();
        const std::span<IDirect3DRMVisual* const> visuals = frame->Visuals();
        for (size_t i = record.uploaded; i < visuals.size(); ++i) {
            const IDirect3DRMMesh* mesh = visuals[i]->AsMesh();
            if (!mesh) continue;
            LightMesh(*mesh, *frame, m_camera, m_triangles);
            if (!m_store->Append(m_camera, m_triangles)) {
                // Half a scene in the store: the next frame starts it anew.
                m_records.clear();
                return false;
            }
            ++m_lastUploaded;
        }
        record.uploaded = visuals.size();
    }
    Finish(root);

    const swr::Projection& p = view.projection;
    if (clear) m_device.Clear(root.GetSceneBackground(), {p.left, p.top, p.left + p.width, p.top + p.height});
    m_device.Draw(*m_store, p);
    return true;
}

} // namespace gl

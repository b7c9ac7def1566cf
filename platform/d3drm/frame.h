// IDirect3DRMFrame: a node of the scene tree with a position, an orientation, child frames,
// lights and visuals.
#pragma once

#include "platform/d3drm/object.h"
#include "platform/d3drm/transform.h"

#include <span>
#include <vector>

class IDirect3DRMLight;

class IDirect3DRMFrame : public IDirect3DRMObject {
public:
    // Makes child a child of this frame, taking a reference; a child of another frame moves
    // here with its local transform kept. A frame cannot become its own descendant.
    virtual HRESULT AddChild(IDirect3DRMFrame* child);
    // Removes a child and drops this frame's reference to it.
    virtual HRESULT DeleteChild(IDirect3DRMFrame* child);
    // Both take a reference; adding what is already there changes nothing.
    virtual HRESULT AddLight(IDirect3DRMLight* light);
    virtual HRESULT AddVisual(IDirect3DRMVisual* visual);
    // Position and orientation relative to reference (null: the parent).
    virtual HRESULT SetPosition(IDirect3DRMFrame* reference, D3DVALUE x, D3DVALUE y, D3DVALUE z);
    virtual HRESULT GetPosition(IDirect3DRMFrame* reference, D3DVECTOR* position);
    // Forward (z) axis along d; up (y) axis along the part of u perpendicular to d. Refused when
    // d is zero or u is parallel to it. The position stays.
    virtual HRESULT SetOrientation(IDirect3DRMFrame* reference, D3DVALUE dx, D3DVALUE dy,
                                   D3DVALUE dz, D3DVALUE ux, D3DVALUE uy, D3DVALUE uz);
    // The background of the scene whose root this frame belongs to; black until set.
    virtual HRESULT SetSceneBackgroundRGB(D3DVALUE red, D3DVALUE green, D3DVALUE blue);
    D3DCOLOR GetSceneBackground() const;
    // Applies the motion of one time step of length delta; frames of this layer carry no motion.
    virtual HRESULT Move(D3DVALUE delta);

    // Scene access for the renderer (see RMTransform for the matrix convention). The revision
    // rises when the transform of this frame or of an ancestor changes, when children or lights
    // are added or removed, and when the background is set; adding a visual leaves it alone:
    // visuals are only ever appended, so Visuals().size() tells what was added since.
    const IDirect3DRMFrame* Parent() const { return m_parent; }
    std::span<IDirect3DRMFrame* const> Children() const { return m_children; }
    std::span<IDirect3DRMLight* const> Lights() const { return m_lights; }
    std::span<IDirect3DRMVisual* const> Visuals() const { return m_visuals; }
    // Local: frame coordinates to parent coordinates. World: frame coordinates to those of
    // the scene root; kept up to date on every change.
    const RMTransform& LocalTransform() const { return m_local; }
    const RMTransform& WorldTransform() const { return m_world; }

    static long LiveCount() { return RMLiveCounter<IDirect3DRMFrame>::Count(); }

protected:
    friend class IDirect3DRM;
    IDirect3DRMFrame();
    ~IDirect3DRMFrame() override;

private:
    const IDirect3DRMFrame* Root() const;
    bool IsAncestorOf(const IDirect3DRMFrame* frame) const;
    // World transform of the frame that coordinates relative to `reference` are given in.
    const RMTransform& ReferenceWorld(const IDirect3DRMFrame* reference) const;
    const RMTransform& ParentWorld() const;
    void UpdateWorld();
    void Detach(IDirect3DRMFrame* child);

    RMLiveCounter<IDirect3DRMFrame> m_live;
    IDirect3DRMFrame* m_parent = nullptr; // not owned: the parent holds a reference to us
    std::vector<IDirect3DRMFrame*> m_children;
    std::vector<IDirect3DRMLight*> m_lights;
    std::vector<IDirect3DRMVisual*> m_visuals;
    RMTransform m_local;
    RMTransform m_world;
    D3DCOLOR m_background;
};

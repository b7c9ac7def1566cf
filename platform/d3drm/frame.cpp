#include "platform/d3drm/frame.h"

#include "platform/d3drm/light.h"

#include <algorithm>
#include <cmath>

namespace {
const RMTransform kIdentity = RMTransform::Identity();

bool Finite(D3DVALUE a, D3DVALUE b, D3DVALUE c) {
    return std::isfinite(a) && std::isfinite(b) && std::isfinite(c);
}

template <class T> bool Contains(const std::vector<T*>& list, const T* item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}
} // namespace

IDirect3DRMFrame::IDirect3DRMFrame()
    : m_local(kIdentity), m_world(kIdentity), m_background(D3DRMCreateColorRGB(0, 0, 0)) {}

IDirect3DRMFrame::~IDirect3DRMFrame() {
    for (IDirect3DRMFrame* child : m_children) {
        child->m_parent = nullptr;
        child->UpdateWorld();
        child->Release();
    }
    for (IDirect3DRMLight* light : m_lights)
        light->Release();
    for (IDirect3DRMVisual* visual : m_visuals)
        visual->Release();
}

const IDirect3DRMFrame* IDirect3DRMFrame::Root() const {
    const IDirect3DRMFrame* f = this;
    while (f->m_parent)
        f = f->m_parent;
    return f;
}

bool IDirect3DRMFrame::IsAncestorOf(const IDirect3DRMFrame* frame) const {
    for (const IDirect3DRMFrame* f = frame; f; f = f->m_parent)
        if (f == this) return true;
    return false;
}

const RMTransform& IDirect3DRMFrame::ParentWorld() const {
    return m_parent ? m_parent->m_world : kIdentity;
}

const RMTransform& IDirect3DRMFrame::ReferenceWorld(const IDirect3DRMFrame* reference) const {
    return reference ? reference->m_world : ParentWorld();
}

void IDirect3DRMFrame::UpdateWorld() {
    m_world = m_parent ? m_local.Then(m_parent->m_world) : m_local;
    Touch();
    for (IDirect3DRMFrame* child : m_children)
        child->UpdateWorld();
}

void IDirect3DRMFrame::Detach(IDirect3DRMFrame* child) {
    std::erase(m_children, child);
    child->m_parent = nullptr;
    child->UpdateWorld();
    Touch();
}

HRESULT IDirect3DRMFrame::AddChild(IDirect3DRMFrame* child) {
    if (!child) return D3DRMERR_BADOBJECT;
    if (child->IsAncestorOf(this)) return D3DRMERR_BADVALUE;
    if (child->m_parent == this) return S_OK;
    m_children.reserve(m_children.size() + 1);
    if (child->m_parent)
        child->m_parent->Detach(child); // the old parent's reference passes to us
    else
        child->AddRef();
    m_children.push_back(child);
    child->m_parent = this;
    child->UpdateWorld();
    Touch();
    return S_OK;
}

HRESULT IDirect3DRMFrame::DeleteChild(IDirect3DRMFrame* child) {
    if (!child) return D3DRMERR_BADOBJECT;
    if (child->m_parent != this) return D3DRMERR_NOTFOUND;
    Detach(child);
    child->Release();
    return S_OK;
}

HRESULT IDirect3DRMFrame::AddLight(IDirect3DRMLight* light) {
    if (!light) return D3DRMERR_BADOBJECT;
    if (Contains(m_lights, light)) return S_OK;
    m_lights.push_back(light);
    light->AddRef();
    Touch();
    return S_OK;
}

HRESULT IDirect3DRMFrame::AddVisual(IDirect3DRMVisual* visual) {
    if (!visual) return D3DRMERR_BADOBJECT;
    if (Contains(m_visuals, visual)) return S_OK;
    m_visuals.push_back(visual);
    visual->AddRef();
    return S_OK;
}

HRESULT IDirect3DRMFrame::SetPosition(IDirect3DRMFrame* reference, D3DVALUE x, D3DVALUE y,
                                      D3DVALUE z) {
    if (!Finite(x, y, z)) return D3DRMERR_BADVALUE;
    D3DVECTOR world = ReferenceWorld(reference).ApplyToPoint({x, y, z});
    m_local.SetAxis(3, ParentWorld().InverseRigid().ApplyToPoint(world));
    UpdateWorld();
    return S_OK;
}

HRESULT IDirect3DRMFrame::GetPosition(IDirect3DRMFrame* reference, D3DVECTOR* position) {
    if (!position) return D3DRMERR_BADVALUE;
    *position = ReferenceWorld(reference).InverseRigid().ApplyToPoint(m_world.Origin());
    return S_OK;
}

HRESULT IDirect3DRMFrame::SetOrientation(IDirect3DRMFrame* reference, D3DVALUE dx, D3DVALUE dy,
                                         D3DVALUE dz, D3DVALUE ux, D3DVALUE uy, D3DVALUE uz) {
    if (!Finite(dx, dy, dz) || !Finite(ux, uy, uz)) return D3DRMERR_BADVALUE;
    D3DVECTOR forward{dx, dy, dz};
    if (D3DRMVectorModulus(&forward) == 0.0f) return D3DRMERR_BADVALUE;
    D3DRMVectorNormalize(&forward);
    D3DVECTOR up{ux, uy, uz};
    D3DVECTOR along;
    D3DRMVectorScale(&along, &forward, D3DRMVectorDotProduct(&up, &forward));
    D3DRMVectorSubtract(&up, &up, &along);
    if (D3DRMVectorModulus(&up) <= 1e-6f * D3DRMVectorModulus(&along)) return D3DRMERR_BADVALUE;
    D3DRMVectorNormalize(&up);
    D3DVECTOR right;
    D3DRMVectorCrossProduct(&right, &up, &forward);

    // Axes given relative to the reference, turned into the parent's coordinates.
    RMTransform toParent = ReferenceWorld(reference).Then(ParentWorld().InverseRigid());
    m_local.SetAxis(0, toParent.ApplyToDirection(right));
    m_local.SetAxis(1, toParent.ApplyToDirection(up));
    m_local.SetAxis(2, toParent.ApplyToDirection(forward));
    UpdateWorld();
    return S_OK;
}

HRESULT IDirect3DRMFrame::SetSceneBackgroundRGB(D3DVALUE red, D3DVALUE green, D3DVALUE blue) {
    if (!Finite(red, green, blue)) return D3DRMERR_BADVALUE;
    IDirect3DRMFrame* root = this;
    while (root->m_parent)
        root = root->m_parent;
    root->m_background = D3DRMCreateColorRGB(red, green, blue);
    root->Touch();
    return S_OK;
}

D3DCOLOR IDirect3DRMFrame::GetSceneBackground() const {
    return Root()->m_background;
}

HRESULT IDirect3DRMFrame::Move(D3DVALUE) {
    return S_OK;
}

// CRMFrame: owns one retained-mode frame.
#pragma once

#include "platform/afx/object.h"
#include "platform/d3drm/d3drm.h"

class CRMFrame : public CObject {
public:
    CRMFrame() = default;
    ~CRMFrame() override;

    // Creates the frame as a child of parent (null: a root frame); positions and orientations
    // set later are relative to parent. Refused while a frame is held.
    BOOL Create(IDirect3DRM* rm, IDirect3DRMFrame* parent);
    BOOL SetPosition(D3DVALUE x, D3DVALUE y, D3DVALUE z);
    BOOL AddVisual(IDirect3DRMVisual* visual);
    BOOL AddLight(IDirect3DRMLight* light);
    // Turns the frame's z axis towards the point without rolling it.
    BOOL PointAt(D3DVALUE x, D3DVALUE y, D3DVALUE z);
    IDirect3DRMFrame* GetFrame() const { return m_pFrame; }

    int32_t status = 0;

private:
    // Stores the outcome of a platform call in status.
    BOOL Result(HRESULT hr);
    // The outcome when there is no frame to call.
    BOOL NoFrame();

    IDirect3DRMFrame* m_pRef = nullptr; // not owned
    IDirect3DRMFrame* m_pFrame = nullptr;
};

#include "render/rm_frame.h"

CRMFrame::~CRMFrame() {
    if (m_pFrame) {
        m_pFrame->Release();
        m_pFrame = nullptr;
    }
}

BOOL CRMFrame::Result(HRESULT hr) {
    status = hr == S_OK ? 0 : 1;
    return hr == S_OK;
}

BOOL CRMFrame::NoFrame() {
    status = 0;
    return FALSE;
}

BOOL CRMFrame::Create(IDirect3DRM* rm, IDirect3DRMFrame* parent) {
    if (!rm) return NoFrame();
    if (m_pFrame) return FALSE;
    m_pRef = parent;
    return Result(rm->CreateFrame(parent, &m_pFrame));
}

BOOL CRMFrame::SetPosition(D3DVALUE x, D3DVALUE y, D3DVALUE z) {
    if (!m_pFrame) return NoFrame();
    return Result(m_pFrame->SetPosition(m_pRef, x, y, z));
}

BOOL CRMFrame::AddVisual(IDirect3DRMVisual* visual) {
    if (!m_pFrame) return NoFrame();
    return Result(m_pFrame->AddVisual(visual));
}

BOOL CRMFrame::AddLight(IDirect3DRMLight* light) {
    if (!m_pFrame) return NoFrame();
    return Result(m_pFrame->AddLight(light));
}

BOOL CRMFrame::PointAt(D3DVALUE x, D3DVALUE y, D3DVALUE z) {
    if (!m_pFrame) return FALSE;
    D3DVECTOR target{x, y, z};
    D3DVECTOR position;
    if (m_pFrame->GetPosition(m_pRef, &position) != S_OK) return FALSE;
    D3DVECTOR dir;
    D3DRMVectorNormalize(D3DRMVectorSubtract(&dir, &target, &position));
    D3DVECTOR side{dir.z, 0.0f, -dir.x};
    D3DRMVectorNormalize(&side);
    D3DVECTOR up;
    D3DRMVectorCrossProduct(&up, &dir, &side);
    return m_pFrame->SetOrientation(m_pRef, dir.x, dir.y, dir.z, up.x, up.y, up.z) == S_OK;
}

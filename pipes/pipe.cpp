#include "pipes/pipe.h"

#include "pipes/cylinder_mesh.h"
#include "pipes/elbow_mesh.h"
#include "pipes/pipe_random.h"
#include "pipes/pipe_tables.h"
#include "pipes/rotate.h"
#include "render/levels.h"

#include <algorithm>
#include <cmath>

namespace {
// Where no move can pass the bounds the draw would go on for ever; after this many attempts
// the step is refused instead.
constexpr int kMaxMoveAttempts = 10000;
// The pipe frames sit this far in front of the viewer.
constexpr double kFrameDepth = 150.0;
// The head stays within this share of the view in both screen directions.
constexpr double kViewShare = 0.6666667;
constexpr int kElbowSides = 10;
constexpr int kElbowRings = 10;
constexpr int kCylinderSides = 10;
} // namespace

CPipe::CPipe() {
    const int a = PipeRandom();
    m_color = D3DRMCreateColorRGBA(static_cast<D3DVALUE>((a >> 8) & 0xFF) * kLevelToChannel,
                                   static_cast<D3DVALUE>(a & 0xFF) * kLevelToChannel,
                                   static_cast<D3DVALUE>((a >> 4) & 0xFF) * kLevelToChannel, 1.0f);
}

void CPipe::SetParameters(int maxSteps, D3DVALUE unit, D3DVALUE radius, D3DVALUE specular,
                          D3DVALUE power, D3DVALUE fieldY, D3DVALUE front, D3DVALUE fieldZ) {
    m_nMaxSteps = maxSteps;
    m_fUnit = unit;
    m_fSpecular = specular;
    m_fPower = power;
    m_fFieldY = fieldY;
    m_fFront = front;
    m_fFieldZ = fieldZ;
    m_fRadius = (PipeRandom() & 1) ? radius * 2.0f : radius * 1.0f;
    m_fArcLength = m_fRadius * kThreeHalfRightAngles;
}

BOOL CPipe::CanMove(int dir, int units) const {
    if (dir < 0 || dir >= kDirections) return FALSE;
    if (m_fFront <= 0.0f) return TRUE;
    const DIRROTATION& rot = g_dirRotation[dir];
    D3DVECTOR move{0.0f, static_cast<D3DVALUE>(units) * m_fUnit, 0.0f};
    RotateXYZ(&move, rot.x, rot.y, rot.z);
    D3DVECTOR end;
    D3DRMVectorAdd(&end, &m_vHead, &move);
    const double depth = end.x + kFrameDepth;
    if (std::fabs(end.y / depth) > (m_fFieldY / m_fFront) * kViewShare) return FALSE;
    if (std::fabs(end.z / depth) > (m_fFieldZ / m_fFront) * kViewShare) return FALSE;
    return TRUE;
}

BOOL CPipe::ChooseMove(int* dir, int* units) const {
    for (int attempt = 0; attempt < kMaxMoveAttempts; ++attempt) {
        *dir = (PipeRandom() & 0xFF) % kDirections;
        *units = (PipeRandom() & 0xFF) % 4 + 1;
        if (*dir != m_nBackDir && CanMove(*dir, *units)) return TRUE;
    }
    return FALSE;
}

BOOL CPipe::CanGrow() const {
    for (int dir = 0; dir < kDirections; ++dir)
        for (int units = 1; dir != m_nBackDir && units <= 4; ++units)
            if (CanMove(dir, units)) return TRUE;
    return FALSE;
}

int CPipe::Grow(IDirect3DRM* rm) {
    if (m_nMaxSteps < m_nSteps) return 0;
    // An elbow can leave the head where only the way back would return into view; no draw
    // could ever pass, so none is made.
    if (!CanGrow()) return 0;
    int dir, units;
    if (!ChooseMove(&dir, &units)) return 0;

    const int lo = std::min(dir, m_nBackDir), hi = std::max(dir, m_nBackDir);
    if (const ELBOWROTATION* row = FindElbowRotation(lo, hi))
        if (!AddElbow(rm, *row, lo)) return 0;

    m_nBackDir = dir;
    if (!AddStraight(rm, dir, units)) return 0;
    m_nBackDir = OppositeDirection(dir);
    return 1;
}

BOOL CPipe::AddElbow(IDirect3DRM* rm, const ELBOWROTATION& row, int lo) {
    // The standard elbow's two ends, seen from the middle of its bend.
    const double bendRadius = m_fRadius * 1.5f;
    const double theta = kHalfRightAngle;
    const auto a = static_cast<D3DVALUE>((1.0 - std::cos(theta)) * bendRadius);
    const auto b = static_cast<D3DVALUE>(std::sin(theta) * bendRadius);
    D3DVECTOR endA{a, -b, 0.0f}, endB{a, b, 0.0f};
    RotateXYZ(&endA, row.x, row.y, row.z);
    RotateXYZ(&endB, row.x, row.y, row.z);

    D3DVECTOR middle;
    if (m_nBackDir == lo) {
        D3DRMVectorSubtract(&middle, &m_vHead, &endB);
        D3DRMVectorAdd(&m_vHead, &middle, &endA);
    } else {
        D3DRMVectorSubtract(&middle, &m_vHead, &endA);
        D3DRMVectorAdd(&m_vHead, &middle, &endB);
    }

    const ELBOWPARAMS params{m_fRadius, m_fArcLength, kRightAngle, middle.x, middle.y,
                             middle.z,  m_color,      row.x,       row.z,    row.y};
    CElbowMesh elbow;
    elbow.SetParams(&params);
    if (!elbow.Create(rm, kElbowSides, kElbowRings)) return FALSE;
    if (!FinishPiece(elbow)) return FALSE;
    if (m_pObserver) m_pObserver->OnElbow(params);
    return TRUE;
}

BOOL CPipe::AddStraight(IDirect3DRM* rm, int dir, int units) {
    const DIRROTATION& rot = g_dirRotation[dir];
    const D3DVALUE length = static_cast<D3DVALUE>(units) * m_fUnit;
    D3DVECTOR endA{0.0f, -length / 2, 0.0f}, endB{0.0f, length / 2, 0.0f};
    RotateXYZ(&endA, rot.x, rot.y, rot.z);
    RotateXYZ(&endB, rot.x, rot.y, rot.z);

    D3DVECTOR centre;
    D3DRMVectorSubtract(&centre, &m_vHead, &endA);
    D3DRMVectorAdd(&m_vHead, &centre, &endB);

    const CYLINDERPARAMS params{m_fRadius, length, centre.x, centre.y, centre.z,
                                m_color,   rot.x,  rot.z,    rot.y};
    CCylinderMesh cylinder;
    cylinder.SetParams(&params);
    if (!cylinder.Create(rm, kCylinderSides)) return FALSE;
    if (!FinishPiece(cylinder)) return FALSE;
    if (m_pObserver) m_pObserver->OnCylinder(params);
    return TRUE;
}

BOOL CPipe::FinishPiece(CTubeMesh& piece) {
    IDirect3DRMMaterial* material = nullptr;
    if (piece.GetMaterial(&material) && material) {
        material->SetSpecular(m_fSpecular, m_fSpecular, m_fSpecular);
        material->SetPower(m_fPower);
        piece.SetMaterial(material);
        material->Release();
    }
    return AddVisual(piece.GetMesh());
}

// CPipe: a pipe that grows through the view one random step at a time. The pipe is a frame that
// carries the meshes of its pieces; its head is the open end, in the frame's own coordinates.
#pragma once

#include "pipes/pipe_observer.h"
#include "render/rm_frame.h"

class CTubeMesh;
struct ELBOWROTATION;

class CPipe : public CRMFrame {
public:
    // Draws the pipe's colour.
    CPipe();
    ~CPipe() override = default;

    // Stores the bounds and looks, and draws the radius (doubled half the time).
    void SetParameters(int maxSteps, D3DVALUE unit, D3DVALUE radius, D3DVALUE specular,
                       D3DVALUE power, D3DVALUE fieldY, D3DVALUE front, D3DVALUE fieldZ);
    // Adds an elbow when the direction turns and then a straight piece. 1 when a step was
    // made, 0 otherwise; a failed step may have moved the head.
    virtual int Grow(IDirect3DRM* rm);
    // Would a straight move of `units` units in direction `dir` keep the head in view?
    BOOL CanMove(int dir, int units) const;
    // Whether any move the pipe may make keeps the head in view. A pipe that cannot grow now
    // never can: its head stays where it is.
    BOOL CanGrow() const;

    D3DCOLOR GetColor() const { return m_color; }
    D3DVALUE GetRadius() const { return m_fRadius; }
    const D3DVECTOR& GetHead() const { return m_vHead; }
    // The direction pointing back along the last piece.
    int GetBackDir() const { return m_nBackDir; }
    // Reports each piece once it is in the frame; null for none.
    void SetObserver(CPipeObserver* observer) { m_pObserver = observer; }

private:
    BOOL ChooseMove(int* dir, int* units) const;
    BOOL AddElbow(IDirect3DRM* rm, const ELBOWROTATION& row, int lo);
    BOOL AddStraight(IDirect3DRM* rm, int dir, int units);
    // Gives the piece this pipe's specular level and power and adds its mesh to the frame.
    BOOL FinishPiece(CTubeMesh& piece);

    D3DVALUE m_fFieldZ = 0.0f;
    D3DVALUE m_fFront = 0.0f;
    D3DVALUE m_fFieldY = 0.0f;
    D3DVALUE m_fPower = 0.0f;
    D3DVALUE m_fSpecular = 0.0f;
    int m_nBackDir = 0;
    D3DVALUE m_fArcLength = 0.0f;
    D3DCOLOR m_color = 0;
    D3DVALUE m_fRadius = 0.0f;
    D3DVALUE m_fUnit = 0.0f;
    int m_nMaxSteps = 0;
    int m_nSteps = 0;
    D3DVECTOR m_vHead{0.0f, 0.0f, 0.0f};
    CPipeObserver* m_pObserver = nullptr;
};

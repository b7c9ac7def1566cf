// Hears of every piece a pipe adds to its frame; the trace tool prints them.
#pragma once

#include "pipes/piece_params.h"

class CPipeObserver {
public:
    virtual void OnElbow(const ELBOWPARAMS& elbow) = 0;
    virtual void OnCylinder(const CYLINDERPARAMS& cylinder) = 0;

protected:
    ~CPipeObserver() = default;
};

// Collects the pieces a pipe reports.
#pragma once

#include "pipes/pipe_observer.h"

#include <vector>

struct PieceRecorder : CPipeObserver {
    std::vector<ELBOWPARAMS> elbows;
    std::vector<CYLINDERPARAMS> cylinders;
    void OnElbow(const ELBOWPARAMS& e) override { elbows.push_back(e); }
    void OnCylinder(const CYLINDERPARAMS& c) override { cylinders.push_back(c); }
};

#pragma once

#include "adjustment.h"

namespace korvane {

// What the precision of B and D needs from the placement of the points: the
// angles of the adjusted triangles and the azimuths from A.
struct Placement {
    double angleABC = 0.0;
    double angleADC = 0.0;
    double azimuthAB = 0.0;
    double azimuthAD = 0.0;
};

// Places B (left of A->C, at S1 from A) and D (right of it, at S5 from A)
// from the adjusted sides in `o`, storing xp1, yp1 and then xp2, yp2 in `r`;
// the listener hears of B before the azimuth of D is formed.
Placement placePoints(const Observations& o, AdjustmentResult& r, double azimuthAC,
                      const MilestoneListener& listener);

} // namespace korvane
